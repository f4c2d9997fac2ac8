# Cross toolchain: Debian's clang (14) for Windows, targeting MinGW-w64 with the MinGW-w64 GCC runtime of the win32
# thread model (libstdc++, libgcc) and GNU ld. PLUGINSWITCH_ARCH selects i686 (shipped) or x86_64, as in
# mingw-w64.cmake; tests run under wine the same way.
set(CMAKE_SYSTEM_NAME Windows)
if(NOT PLUGINSWITCH_ARCH)
  set(PLUGINSWITCH_ARCH i686)
endif()
set(PLUGINSWITCH_ARCH ${PLUGINSWITCH_ARCH} CACHE STRING "i686 or x86_64")
# CMake's test compilations read this file again: they must target the same architecture.
list(APPEND CMAKE_TRY_COMPILE_PLATFORM_VARIABLES PLUGINSWITCH_ARCH)
set(CMAKE_SYSTEM_PROCESSOR ${PLUGINSWITCH_ARCH})
set(_triple ${PLUGINSWITCH_ARCH}-w64-mingw32)

# The newest GCC of the win32 thread model, e.g. /usr/lib/gcc/i686-w64-mingw32/12-win32.
file(GLOB _gcc_dirs /usr/lib/gcc/${_triple}/*-win32)
list(SORT _gcc_dirs COMPARE NATURAL ORDER DESCENDING)
list(GET _gcc_dirs 0 _gcc)
if(NOT IS_DIRECTORY "${_gcc}")
  message(FATAL_ERROR "no MinGW-w64 GCC runtime of the win32 thread model under /usr/lib/gcc/${_triple} "
                      "(scripts/bootstrap installs it)")
endif()

set(CMAKE_C_COMPILER clang-14)
set(CMAKE_CXX_COMPILER clang++-14)
set(CMAKE_C_COMPILER_TARGET ${_triple})
set(CMAKE_CXX_COMPILER_TARGET ${_triple})
set(CMAKE_SYSROOT /usr/${_triple})
set(CMAKE_RC_COMPILER ${_triple}-windres)
set(CMAKE_CXX_FLAGS_INIT
    "-isystem ${_gcc}/include/c++ -isystem ${_gcc}/include/c++/${_triple} -isystem ${_gcc}/include/c++/backward")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-L${_gcc}")
set(CMAKE_FIND_ROOT_PATH /usr/${_triple})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)

if(PLUGINSWITCH_ARCH STREQUAL "i686")
  set(_wine /usr/lib/wine/wine)
else()
  set(_wine /usr/lib/wine/wine64)
endif()
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_CURRENT_LIST_DIR}/../scripts/wine-run;${_wine})
