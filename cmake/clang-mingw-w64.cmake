# Cross toolchain: Debian's clang (14) for Windows, targeting MinGW-w64 with the MinGW-w64 GCC runtime of the win32
# thread model (libstdc++, libgcc) and GNU ld. PLUGINSWITCH_ARCH selects i686 (shipped) or x86_64, as in
# mingw-w64.cmake; tests run under wine the same way.
include(${CMAKE_CURRENT_LIST_DIR}/windows-target.cmake)

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
set(CMAKE_CXX_FLAGS_INIT
    "-isystem ${_gcc}/include/c++ -isystem ${_gcc}/include/c++/${_triple} -isystem ${_gcc}/include/c++/backward")
set(CMAKE_EXE_LINKER_FLAGS_INIT "-L${_gcc}")
