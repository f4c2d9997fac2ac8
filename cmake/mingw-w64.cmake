# Cross toolchain: MinGW-w64 GCC (posix thread model) for Windows; tests run under wine (see CMakeLists.txt).
include(${CMAKE_CURRENT_LIST_DIR}/windows-target.cmake)
set(CMAKE_C_COMPILER ${_triple}-gcc-posix)
set(CMAKE_CXX_COMPILER ${_triple}-g++-posix)
