# Run by CPack on its staged files before packing: every file and folder gets the date of
# SOURCE_DATE_EPOCH (at the earliest 1980, where zip dates start).
if(NOT DEFINED ENV{SOURCE_DATE_EPOCH})
  return()
endif()
set(epoch $ENV{SOURCE_DATE_EPOCH})
if(epoch LESS 315532800)
  set(epoch 315532800)
endif()
file(GLOB_RECURSE staged LIST_DIRECTORIES true "${CPACK_TEMPORARY_DIRECTORY}/*")
execute_process(COMMAND touch -h -d @${epoch} ${staged} COMMAND_ERROR_IS_FATAL ANY)
