# The program folder's first-run files. A config.ini or drives.inf already there is the
# user's (a run of the program changed it) and is kept.
if(NOT EXISTS ${DIST}/config.ini)
  file(COPY_FILE ${SRC} ${DIST}/config.ini)
endif()
if(NOT EXISTS ${DIST}/drives.inf)
  file(WRITE ${DIST}/drives.inf "")
endif()
