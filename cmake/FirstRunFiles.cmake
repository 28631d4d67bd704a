# The program folder's first-run files. A config.ini or drives.inf already there is the
# user's (a run of the program changed it) and is kept.
if(NOT EXISTS ${DIST}/config.ini)
  file(COPY_FILE ${SRC} ${DIST}/config.ini)
endif()
# drives.inf selects the system drive, C: (drive 3), so the disk module shows something at once.
if(NOT EXISTS ${DIST}/drives.inf)
  file(WRITE ${DIST}/drives.inf "3\r\n")
endif()
