# What both cross toolchains share: a Windows target whose architecture PLUGINSWITCH_ARCH selects, i686 (the shipped
# program) or x86_64 (for hosts that cannot run 32-bit code), with its MinGW-w64 headers and libraries.
# The compilers are named as Debian's packages name them, and the tests run under wine: on a Windows host, build with
# Visual Studio (the msvc-x86 preset) instead.
if(CMAKE_HOST_WIN32)
  message(FATAL_ERROR "the MinGW-w64 toolchain files cross-compile from Debian; on Windows use the msvc-x86 preset")
endif()
set(CMAKE_SYSTEM_NAME Windows)
if(NOT PLUGINSWITCH_ARCH)
  set(PLUGINSWITCH_ARCH i686)
endif()
set(PLUGINSWITCH_ARCH ${PLUGINSWITCH_ARCH} CACHE STRING "i686 or x86_64")
# CMake's test compilations read the toolchain again: they must target the same architecture.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES PLUGINSWITCH_ARCH)
set(CMAKE_SYSTEM_PROCESSOR ${PLUGINSWITCH_ARCH})
set(_triple ${PLUGINSWITCH_ARCH}-w64-mingw32)
set(CMAKE_RC_COMPILER ${_triple}-windres)
set(CMAKE_FIND_ROOT_PATH /usr/${_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
