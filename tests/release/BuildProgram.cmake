# cmake -DSOURCE_DIR=... -DBINARY_DIR=... -DTOOLCHAIN=... -DARCH=... -DBUILD_TYPE=... -DWERROR=... -P BuildProgram.cmake
# Configures a build of SOURCE_DIR in BINARY_DIR with TOOLCHAIN and builds the program only: no tests, no benchmarks.
foreach(variable SOURCE_DIR BINARY_DIR TOOLCHAIN ARCH)
  if(NOT ${variable})
    message(FATAL_ERROR "BuildProgram.cmake: ${variable} is not set")
  endif()
endforeach()
include(${CMAKE_CURRENT_LIST_DIR}/RunChecked.cmake)
run_checked("configuring ${BINARY_DIR} failed"
  ${CMAKE_COMMAND} -S ${SOURCE_DIR} -B ${BINARY_DIR} --toolchain ${TOOLCHAIN} -DPLUGINSWITCH_ARCH=${ARCH}
  -DCMAKE_BUILD_TYPE=${BUILD_TYPE} -DPLUGINSWITCH_WERROR=${WERROR} -DBUILD_TESTING=OFF -DPLUGINSWITCH_BENCH=OFF)
run_checked("building PluginSwitch in ${BINARY_DIR} failed"
  ${CMAKE_COMMAND} --build ${BINARY_DIR} --target PluginSwitch --parallel 2)
message(STATUS "built ${BINARY_DIR}/PluginSwitch.exe")
