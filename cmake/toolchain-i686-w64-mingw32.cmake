# Cross-compiling for 32-bit Windows with MinGW-w64.
# MINGW_THREADS picks the compiler's thread model: "win32" (the product: no winpthreads,
# no imports newer than Windows XP) or "posix" (GoogleTest needs std::mutex).
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR i686)
if(NOT MINGW_THREADS)
  set(MINGW_THREADS win32)
endif()
set(MINGW_THREADS ${MINGW_THREADS} CACHE STRING "MinGW thread model (win32 or posix)")
set(triple i686-w64-mingw32)
set(CMAKE_C_COMPILER ${triple}-gcc-${MINGW_THREADS})
set(CMAKE_CXX_COMPILER ${triple}-g++-${MINGW_THREADS})
set(CMAKE_RC_COMPILER ${triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE ONLY)
