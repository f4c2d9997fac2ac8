# cmake -DBINARY_DIR=... -DWORK_DIR=... -DSOURCE_DIR=... -DPROGRAM=... -DCPACK=... -DPACKAGE=... -P Unpack.cmake
# Makes the package of the build in BINARY_DIR with CPack, unpacks it into a fresh folder and checks that it holds
# exactly the program, README.md, LICENSE and THIRD-PARTY-NOTICES.txt, as built and as written.
include(${CMAKE_CURRENT_LIST_DIR}/RunChecked.cmake)
file(REMOVE_RECURSE ${WORK_DIR})
run_checked("cpack failed" ${CPACK} -G ZIP --config ${BINARY_DIR}/CPackConfig.cmake -B ${WORK_DIR})
set(zip ${WORK_DIR}/${PACKAGE}.zip)
if(NOT EXISTS ${zip})
  file(GLOB made ${WORK_DIR}/*.zip)
  message(FATAL_ERROR "no ${PACKAGE}.zip; cpack made: ${made}")
endif()
run_checked("unzip ${zip} failed" unzip -q ${zip} -d ${WORK_DIR}/unpacked)
file(GLOB_RECURSE held RELATIVE ${WORK_DIR}/unpacked ${WORK_DIR}/unpacked/*)
list(SORT held)
set(wanted ${PACKAGE}/LICENSE ${PACKAGE}/PluginSwitch.exe ${PACKAGE}/README.md ${PACKAGE}/THIRD-PARTY-NOTICES.txt)
if(NOT held STREQUAL wanted)
  message(FATAL_ERROR "the package holds\n  ${held}\ninstead of\n  ${wanted}")
endif()
foreach(pair "PluginSwitch.exe|${PROGRAM}" "README.md|${SOURCE_DIR}/README.md" "LICENSE|${SOURCE_DIR}/LICENSE"
             "THIRD-PARTY-NOTICES.txt|${BINARY_DIR}/THIRD-PARTY-NOTICES.txt")
  string(REPLACE "|" ";" pair "${pair}")
  list(GET pair 0 name)
  list(GET pair 1 original)
  run_checked("${name} in the package differs from ${original}"
    ${CMAKE_COMMAND} -E compare_files ${WORK_DIR}/unpacked/${PACKAGE}/${name} ${original})
endforeach()
message(STATUS "${zip} holds ${held}")
