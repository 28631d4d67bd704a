# What a release ships, as install rules: the program folder (never the settings a run left
# there), its first-run config.ini and drives.inf made afresh, the readme and licence.
# scripts/release.sh installs them into the installer's stage and has CPack pack the zip.
install(DIRECTORY ${DIST}/ DESTINATION .
  REGEX "/dist/(config\\.ini|drives\\.inf)$" EXCLUDE
  PATTERN "*.tmp" EXCLUDE)
install(CODE "execute_process(COMMAND \"\${CMAKE_COMMAND}\" \"-DSRC=${PROJECT_SOURCE_DIR}/assets/config.ini\"
  \"-DDIST=\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}\" -P \"${PROJECT_SOURCE_DIR}/cmake/FirstRunFiles.cmake\"
  COMMAND_ERROR_IS_FATAL ANY)")
install(FILES ${PACKAGING_DIR}/readme.txt ${PACKAGING_DIR}/LICENSE.txt DESTINATION .)

# The portable zip: Tabrix-<version>-portable.zip holding one folder, Tabrix-<version>/.
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME ${PROJECT_NAME})
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME "${PROJECT_NAME}-${PROJECT_VERSION}-portable")
set(CPACK_INCLUDE_TOPLEVEL_DIRECTORY OFF)
set(CPACK_PACKAGING_INSTALL_PREFIX "/${PROJECT_NAME}-${PROJECT_VERSION}")
# Every date in the zip is SOURCE_DATE_EPOCH's when it is set, so that a rebuild of the same
# commit gives the same contents and dates.
set(CPACK_PRE_BUILD_SCRIPTS ${PROJECT_SOURCE_DIR}/cmake/PackageDates.cmake)
set(CPACK_SOURCE_GENERATOR "")
include(CPack)
