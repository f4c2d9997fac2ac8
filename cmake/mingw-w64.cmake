# Cross toolchain: MinGW-w64 (posix thread model) for Windows, tests run under wine.
# PLUGINSWITCH_ARCH selects i686 (the shipped program) or x86_64 (for hosts that cannot run 32-bit code).
set(CMAKE_SYSTEM_NAME Windows)
if(NOT PLUGINSWITCH_ARCH)
  set(PLUGINSWITCH_ARCH i686)
endif()
set(PLUGINSWITCH_ARCH ${PLUGINSWITCH_ARCH} CACHE STRING "i686 or x86_64")
set(CMAKE_SYSTEM_PROCESSOR ${PLUGINSWITCH_ARCH})
set(_triple ${PLUGINSWITCH_ARCH}-w64-mingw32)

set(CMAKE_C_COMPILER ${_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_triple}-g++-posix)
set(CMAKE_RC_COMPILER ${_triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

if(PLUGINSWITCH_ARCH STREQUAL "i686")
  set(_wine /usr/lib/wine/wine)
else()
  set(_wine /usr/lib/wine/wine64)
endif()
# Runs test executables under wine (quietly, in the build's private prefix).
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run;${_wine})
