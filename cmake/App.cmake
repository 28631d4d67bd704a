# Tabrix.exe and the program folder dist/ that a Windows user copies.
set(ASSET_DIR ${CMAKE_BINARY_DIR}/assets)
set(ASSET_STAMP ${ASSET_DIR}/assets.rc)
add_custom_command(
  OUTPUT ${ASSET_STAMP} ${ASSET_DIR}/resource_ids.h
  COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tools/make_assets.py ${ASSET_DIR}
  DEPENDS ${PROJECT_SOURCE_DIR}/tools/make_assets.py
  COMMENT "Drawing the program's pictures")
add_custom_target(assets DEPENDS ${ASSET_STAMP})

# The help file, tabrix.chm, from the README's sections for users.
find_program(TABRIX_CHMCMD chmcmd DOC "The CHM compiler (Debian's fp-utils)")
if(NOT TABRIX_CHMCMD)
  message(FATAL_ERROR "No chmcmd to compile the help file: run scripts/setup.sh (fp-utils)")
endif()
set(HELP_DIR ${CMAKE_BINARY_DIR}/help)
file(MAKE_DIRECTORY ${HELP_DIR})
add_custom_command(
  OUTPUT ${HELP_DIR}/tabrix.chm
  COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tools/make_help.py ${PROJECT_SOURCE_DIR}/README.md ${HELP_DIR}
  COMMAND ${TABRIX_CHMCMD} --no-html-scan tabrix.hhp
  COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/tools/make_help.py --settle tabrix.chm
  WORKING_DIRECTORY ${HELP_DIR}
  DEPENDS ${PROJECT_SOURCE_DIR}/tools/make_help.py ${PROJECT_SOURCE_DIR}/README.md
  COMMENT "Compiling the help file")
add_custom_target(help_file DEPENDS ${HELP_DIR}/tabrix.chm)

add_executable(Tabrix WIN32 ${PROJECT_SOURCE_DIR}/src/app/WinMain_win.cpp ${ASSET_STAMP}
  ${TABRIX_MANIFEST_RC})
target_include_directories(Tabrix PRIVATE ${ASSET_DIR})
set_source_files_properties(${ASSET_STAMP} PROPERTIES LANGUAGE RC)
target_link_libraries(Tabrix PRIVATE tabrix_app_win)
# Small: no symbols, unused functions and data dropped.
target_link_options(Tabrix PRIVATE -s -Wl,--gc-sections)
set_target_properties(Tabrix PROPERTIES OUTPUT_NAME Tabrix)
add_dependencies(Tabrix assets help_file)

set(DIST ${CMAKE_BINARY_DIR}/dist)
add_custom_command(TARGET Tabrix POST_BUILD
  COMMAND ${PROJECT_SOURCE_DIR}/scripts/check-imports.sh $<TARGET_FILE:Tabrix>
  COMMAND ${CMAKE_COMMAND} -E make_directory ${DIST}/skins ${DIST}/winamp_buttons
  COMMAND ${CMAKE_COMMAND} -E copy $<TARGET_FILE:Tabrix> ${DIST}/Tabrix.exe
  COMMAND ${CMAKE_COMMAND} -E copy ${HELP_DIR}/tabrix.chm ${DIST}/tabrix.chm
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${ASSET_DIR}/skins ${DIST}/skins
  COMMAND ${CMAKE_COMMAND} -E copy_directory ${ASSET_DIR}/buttons ${DIST}/winamp_buttons
  COMMAND ${CMAKE_COMMAND} -DSRC=${PROJECT_SOURCE_DIR}/assets/config.ini -DDIST=${DIST}
          -P ${PROJECT_SOURCE_DIR}/cmake/FirstRunFiles.cmake
  COMMENT "Assembling the program folder ${DIST}")

# What scripts/release.sh packs besides the program folder: the version for the artefacts'
# names and the installer, and the readme and licence in CR LF.
set(PACKAGING_DIR ${CMAKE_BINARY_DIR}/packaging)
set(VERSION ${PROJECT_VERSION})
set(VERSION4 "")
foreach(part MAJOR MINOR PATCH TWEAK)
  set(number "${PROJECT_VERSION_${part}}")
  if(number STREQUAL "")
    set(number 0)
  endif()
  math(EXPR number "${number}")
  list(APPEND VERSION4 ${number})
endforeach()
list(JOIN VERSION4 "." VERSION4)
file(CONFIGURE OUTPUT ${PACKAGING_DIR}/version.sh
  CONTENT "version=@VERSION@\nversion4=@VERSION4@\n" @ONLY)
configure_file(${PROJECT_SOURCE_DIR}/packaging/readme.txt ${PACKAGING_DIR}/readme.txt @ONLY NEWLINE_STYLE CRLF)
configure_file(${PROJECT_SOURCE_DIR}/LICENSE ${PACKAGING_DIR}/LICENSE.txt @ONLY NEWLINE_STYLE CRLF)

include(${PROJECT_SOURCE_DIR}/cmake/Package.cmake)
