# cmake -DSOURCE_DIR=... -DWORK_DIR=... -DTOOLCHAIN=... -DARCH=... -DBUILD_TYPE=... -DWERROR=... -DREFERENCE=...
#       -P Reproducible.cmake
# Builds the program again from a copy of the sources at another path, in a fresh build folder at another path, and
# fails unless the bytes equal REFERENCE's: no time stamp and no path of the build may reach the program.
file(REMOVE_RECURSE ${WORK_DIR})
set(copy ${WORK_DIR}/sources-copied-elsewhere)
file(COPY ${SOURCE_DIR}/ DESTINATION ${copy} PATTERN .git EXCLUDE PATTERN build EXCLUDE)
get_filename_component(toolchain_name ${TOOLCHAIN} NAME)
include(${CMAKE_CURRENT_LIST_DIR}/RunChecked.cmake)
run_checked("the second build failed"
  ${CMAKE_COMMAND} -DSOURCE_DIR=${copy} -DBINARY_DIR=${WORK_DIR}/another-build-folder
  -DTOOLCHAIN=${copy}/cmake/${toolchain_name} -DARCH=${ARCH} -DBUILD_TYPE=${BUILD_TYPE} -DWERROR=${WERROR}
  -P ${CMAKE_CURRENT_LIST_DIR}/BuildProgram.cmake)
set(second ${WORK_DIR}/another-build-folder/PluginSwitch.exe)
file(SHA256 ${REFERENCE} first_hash)
file(SHA256 ${second} second_hash)
file(SIZE ${REFERENCE} first_size)
file(SIZE ${second} second_size)
message(STATUS "${REFERENCE}: ${first_size} bytes, SHA-256 ${first_hash}")
message(STATUS "${second}: ${second_size} bytes, SHA-256 ${second_hash}")
if(NOT first_hash STREQUAL second_hash)
  message(FATAL_ERROR "two builds of the same sources differ")
endif()
file(REMOVE_RECURSE ${WORK_DIR})
