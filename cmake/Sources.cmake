# The portable behaviour: everything outside src/platform/win32, src/platform/fake and src/ui.
file(GLOB TABRIX_CORE_SOURCES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/src/app/*.cpp
  ${PROJECT_SOURCE_DIR}/src/forms/*.cpp
  ${PROJECT_SOURCE_DIR}/src/sources/*.cpp
  ${PROJECT_SOURCE_DIR}/src/report/*.cpp
  ${PROJECT_SOURCE_DIR}/src/settings/*.cpp
  ${PROJECT_SOURCE_DIR}/src/windows/*.cpp
  ${PROJECT_SOURCE_DIR}/src/platform/*.cpp)
add_library(tabrix_core STATIC ${TABRIX_CORE_SOURCES})
# generated/: app/Version.h, made from the project's version.
configure_file(${PROJECT_SOURCE_DIR}/cmake/Version.h.in ${CMAKE_BINARY_DIR}/generated/app/Version.h @ONLY)
target_include_directories(tabrix_core PUBLIC ${PROJECT_SOURCE_DIR}/src ${CMAKE_BINARY_DIR}/generated)

# nlohmann/json (header only) reads the sensor web server's answers and writes the JSON report.
# The MinGW compilers must never see /usr/include itself, which holds the Linux C library's
# headers: they get a folder of the build's own holding only a link to the library's folder.
if(WIN32)
  find_path(TABRIX_NLOHMANN_INCLUDE nlohmann/json.hpp PATHS /usr/include NO_DEFAULT_PATH
    NO_CMAKE_FIND_ROOT_PATH DOC "The folder holding nlohmann/json.hpp")
  if(NOT TABRIX_NLOHMANN_INCLUDE)
    message(FATAL_ERROR "No nlohmann/json.hpp under /usr/include: run scripts/setup.sh first")
  endif()
  set(TABRIX_JSON_INCLUDE ${CMAKE_BINARY_DIR}/json-include)
  file(MAKE_DIRECTORY ${TABRIX_JSON_INCLUDE})
  file(CREATE_LINK ${TABRIX_NLOHMANN_INCLUDE}/nlohmann ${TABRIX_JSON_INCLUDE}/nlohmann SYMBOLIC)
  target_include_directories(tabrix_core SYSTEM PRIVATE ${TABRIX_JSON_INCLUDE})
else()
  find_package(nlohmann_json 3 REQUIRED)
  target_link_libraries(tabrix_core PRIVATE nlohmann_json::nlohmann_json)
endif()

# libjpeg: Debian's on the host, the one setup built from Debian's source for MinGW.
if(WIN32)
  set(TABRIX_JPEG_PREFIX "${PROJECT_SOURCE_DIR}/build/deps/libjpeg-mingw" CACHE PATH "MinGW libjpeg")
  if(NOT EXISTS ${TABRIX_JPEG_PREFIX}/lib/libjpeg.a)
    message(FATAL_ERROR "No MinGW libjpeg in ${TABRIX_JPEG_PREFIX}: run scripts/setup.sh first")
  endif()
  add_library(jpeg_lib STATIC IMPORTED)
  set_target_properties(jpeg_lib PROPERTIES
    IMPORTED_LOCATION ${TABRIX_JPEG_PREFIX}/lib/libjpeg.a
    INTERFACE_INCLUDE_DIRECTORIES ${TABRIX_JPEG_PREFIX}/include)
  target_link_libraries(tabrix_core PUBLIC jpeg_lib)

  # The application manifest, for Tabrix.exe and for the Win32 tests that check its effect.
  set(TABRIX_MANIFEST_RC ${PROJECT_SOURCE_DIR}/src/ui/win32/manifest.rc)
  set_source_files_properties(${TABRIX_MANIFEST_RC} PROPERTIES
    OBJECT_DEPENDS ${PROJECT_SOURCE_DIR}/src/ui/win32/Tabrix.manifest)

  # The system adapters: they know nothing of the program's windows or behaviour.
  file(GLOB TABRIX_WIN32_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/platform/win32/*.cpp)
  set(win32_libs comctl32 comdlg32 shell32 ole32 uuid gdi32 user32 advapi32 wininet kernel32)
  add_library(tabrix_win32 STATIC ${TABRIX_WIN32_SOURCES})
  target_link_libraries(tabrix_win32 PUBLIC tabrix_core ${win32_libs})

  # The program's windows and the real wiring; WinMain.cpp is Tabrix.exe's own.
  file(GLOB TABRIX_UI_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/ui/win32/*.cpp)
  list(FILTER TABRIX_UI_SOURCES EXCLUDE REGEX "WinMain\\.cpp$")
  add_library(tabrix_ui STATIC ${TABRIX_UI_SOURCES})
  target_link_libraries(tabrix_ui PUBLIC tabrix_win32 tabrix_core)
else()
  find_package(JPEG REQUIRED)
  target_link_libraries(tabrix_core PUBLIC JPEG::JPEG)
  file(GLOB TABRIX_FAKE_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/platform/fake/*.cpp)
  add_library(tabrix_fake STATIC ${TABRIX_FAKE_SOURCES})
  target_link_libraries(tabrix_fake PUBLIC tabrix_core)
endif()
