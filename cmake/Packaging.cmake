# `make package` (cpack) zips the program with its README, LICENSE and third-party notices: PluginSwitch-<version>-win32.zip for the
# i686 build, -win64 for x86_64.
# Packing takes the program as built (make package builds it first) rather than building every target again.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
install(TARGETS PluginSwitch RUNTIME DESTINATION .)
install(FILES ${PROJECT_SOURCE_DIR}/README.md ${PROJECT_SOURCE_DIR}/LICENSE ${CMAKE_BINARY_DIR}/THIRD-PARTY-NOTICES.txt
        DESTINATION .)

if(CMAKE_SIZEOF_VOID_P EQUAL 4)
  set(CPACK_SYSTEM_NAME win32)
else()
  set(CPACK_SYSTEM_NAME win64)
endif()
set(CPACK_GENERATOR ZIP)
set(CPACK_PACKAGE_NAME PluginSwitch)
set(CPACK_PACKAGE_VENDOR "Plug-in Switch developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "${PROJECT_DESCRIPTION}")
# Kept apart: including CPack leaves CPACK_PACKAGE_FILE_NAME at the source package's name.
set(PLUGINSWITCH_PACKAGE_NAME "PluginSwitch-${PROJECT_VERSION}-${CPACK_SYSTEM_NAME}")
set(CPACK_PACKAGE_FILE_NAME ${PLUGINSWITCH_PACKAGE_NAME})
set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_SOURCE_DIR}/LICENSE)
set(CPACK_RESOURCE_FILE_README ${PROJECT_SOURCE_DIR}/README.md)
# make release packs its signed copy of the program instead (PackedProgram.cmake).
set(CPACK_PRE_BUILD_SCRIPTS ${CMAKE_CURRENT_LIST_DIR}/PackedProgram.cmake)
include(CPack)
