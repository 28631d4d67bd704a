# One static library per layer, each linked only to the layers below it. A layer's include
# folder holds links to its own folders alone (build/layers/<layer>), and it sees a lower
# layer's through linking it, so an include of a higher layer fails to compile.
#
#   app                         the program: owns the windows (App); RealPlatform, WinMain
#   windows  (+ *_win views)    one folder per window: main, settings, about, notice
#   report                      the XML, PHP and JSON reports
#   sources  config  images     information sources; config.ini and drives.inf; pictures
#   controls                    the form-control model and the screen's scale
#   platform (+ win32, fake)    the system's interfaces; the real and the scripted one
# Files named *_win.cpp are Win32 views and wiring: they build only into the win32 layers.
set(TABRIX_LAYERS_DIR ${CMAKE_BINARY_DIR}/layers)

# The include folder of a layer: a link for each folder it owns.
function(tabrix_layer_includes target)
  set(root ${TABRIX_LAYERS_DIR}/${target})
  foreach(dir ${ARGN})
    get_filename_component(parent ${root}/${dir} DIRECTORY)
    file(MAKE_DIRECTORY ${parent})
    file(CREATE_LINK ${PROJECT_SOURCE_DIR}/src/${dir} ${root}/${dir} SYMBOLIC)
  endforeach()
  target_include_directories(${target} PUBLIC ${root})
endfunction()

# A behaviour layer: the .cpp files in and under its folders, the Win32 ones left out.
function(tabrix_layer target)
  cmake_parse_arguments(L "" "" "DIRS;LINKS" ${ARGN})
  set(sources "")
  foreach(dir ${L_DIRS})
    file(GLOB_RECURSE found CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${dir}/*.cpp)
    list(APPEND sources ${found})
  endforeach()
  list(FILTER sources EXCLUDE REGEX "_win\\.cpp$")
  add_library(${target} STATIC ${sources})
  tabrix_layer_includes(${target} ${L_DIRS})
  target_link_libraries(${target} PUBLIC ${L_LINKS})
endfunction()

# The platform's interfaces: only the headers beside them, not win32/ or fake/.
file(GLOB TABRIX_PLATFORM_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/platform/*.cpp)
add_library(tabrix_platform STATIC ${TABRIX_PLATFORM_SOURCES})
file(GLOB platform_headers RELATIVE ${PROJECT_SOURCE_DIR}/src CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/src/platform/*.h)
tabrix_layer_includes(tabrix_platform ${platform_headers})

tabrix_layer(tabrix_controls DIRS controls LINKS tabrix_platform)
tabrix_layer(tabrix_images DIRS images LINKS tabrix_platform)
tabrix_layer(tabrix_config DIRS config LINKS tabrix_platform)
# generated/: config/Version.h, made from the project's version.
configure_file(${PROJECT_SOURCE_DIR}/cmake/Version.h.in ${CMAKE_BINARY_DIR}/generated/config/Version.h @ONLY)
target_include_directories(tabrix_config PUBLIC ${CMAKE_BINARY_DIR}/generated)
tabrix_layer(tabrix_sources DIRS sources LINKS tabrix_platform)
tabrix_layer(tabrix_report DIRS report LINKS tabrix_sources tabrix_controls)
tabrix_layer(tabrix_windows DIRS windows LINKS tabrix_report tabrix_config tabrix_images)
tabrix_layer(tabrix_app DIRS app LINKS tabrix_windows)

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
  target_include_directories(tabrix_sources SYSTEM PRIVATE ${TABRIX_JSON_INCLUDE})
  target_include_directories(tabrix_report SYSTEM PRIVATE ${TABRIX_JSON_INCLUDE})
else()
  find_package(nlohmann_json 3 REQUIRED)
  target_link_libraries(tabrix_sources PRIVATE nlohmann_json::nlohmann_json)
  target_link_libraries(tabrix_report PRIVATE nlohmann_json::nlohmann_json)
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
  target_link_libraries(tabrix_images PUBLIC jpeg_lib)

  # The application manifest, for Tabrix.exe and for the Win32 tests that check its effect.
  set(TABRIX_MANIFEST_RC ${PROJECT_SOURCE_DIR}/src/app/manifest.rc)
  set_source_files_properties(${TABRIX_MANIFEST_RC} PROPERTIES
    OBJECT_DEPENDS ${PROJECT_SOURCE_DIR}/src/app/Tabrix.manifest)

  # The system adapters: they know nothing of the program's windows or behaviour.
  file(GLOB TABRIX_WIN32_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/platform/win32/*.cpp)
  set(win32_libs comctl32 comdlg32 shell32 ole32 uuid gdi32 user32 advapi32 wininet kernel32)
  add_library(tabrix_win32 STATIC ${TABRIX_WIN32_SOURCES})
  tabrix_layer_includes(tabrix_win32 platform/win32)
  target_link_libraries(tabrix_win32 PUBLIC tabrix_platform ${win32_libs})

  # The windows' Win32 views, beside their behaviour, and their shared plumbing.
  file(GLOB_RECURSE TABRIX_VIEW_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/windows/*_win.cpp)
  add_library(tabrix_views STATIC ${TABRIX_VIEW_SOURCES})
  target_link_libraries(tabrix_views PUBLIC tabrix_windows tabrix_win32)

  # The real wiring (RealPlatform); WinMain_win.cpp is Tabrix.exe's own.
  add_library(tabrix_app_win STATIC ${PROJECT_SOURCE_DIR}/src/app/RealPlatform_win.cpp)
  target_link_libraries(tabrix_app_win PUBLIC tabrix_app tabrix_views)
else()
  find_package(JPEG REQUIRED)
  target_link_libraries(tabrix_images PUBLIC JPEG::JPEG)
  file(GLOB TABRIX_FAKE_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/platform/fake/*.cpp)
  add_library(tabrix_fake STATIC ${TABRIX_FAKE_SOURCES})
  tabrix_layer_includes(tabrix_fake platform/fake)
  target_link_libraries(tabrix_fake PUBLIC tabrix_platform)
endif()
