# cmake -DSOURCE_DIR=... -DBINARY_DIR=... -DTOOLCHAIN=... -DARCH=... -DBUILD_TYPE=... -DWERROR=... -P BuildProgram.cmake
# Configures a build of SOURCE_DIR in BINARY_DIR with TOOLCHAIN and builds the program only: no tests, no benchmarks.
foreach(variable SOURCE_DIR BINARY_DIR TOOLCHAIN ARCH)
  if(NOT ${variable})
    message(FATAL_ERROR "BuildProgram.cmake: ${variable} is not set")
  endif()
endforeach()
execute_process(
  COMMAND ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${BINARY_DIR} --toolchain ${TOOLCHAIN} -DPLUGINSWITCH_ARCH=${ARCH}
          -DCMAKE_BUILD_TYPE=${BUILD_TYPE} -DPLUGINSWITCH_WERROR=${WERROR} -DBUILD_TESTING=OFF -DPLUGINSWITCH_BENCH=OFF
  RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(status)
  message(FATAL_ERROR "configuring ${BINARY_DIR} failed:\n${output}")
endif()
execute_process(COMMAND ${CMAKE_COMMAND} --build ${BINARY_DIR} --target PluginSwitch --parallel 2
                RESULT_VARIABLE status OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(status)
  message(FATAL_ERROR "building PluginSwitch in ${BINARY_DIR} failed:\n${output}")
endif()
message(STATUS "built ${BINARY_DIR}/PluginSwitch.exe")
