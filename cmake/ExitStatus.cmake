# Usage: cmake -P ExitStatus.cmake -- PROGRAM [ARGS...]
# The test launcher on Windows: runs the program with its output passed through and, when it exits with anything but
# 0 (a crash, an abort, an exit() after GoogleTest's summary), says so in a line "... exited with status N" that the
# tests' fail expression matches, and exits with 1.
set(command)
math(EXPR last "${CMAKE_ARGC} - 1")
foreach(index RANGE 4 ${last})
  list(APPEND command "${CMAKE_ARGV${index}}")
endforeach()
execute_process(COMMAND ${command} RESULT_VARIABLE status)
if(NOT status STREQUAL "0")
  message("ExitStatus: ${CMAKE_ARGV4} exited with status ${status}")
  cmake_language(EXIT 1)
endif()
