# Run by CPack between staging and packing: `cpack -D PLUGINSWITCH_PACKED_PROGRAM=PATH` packs that copy of the
# program (make release's, signed) in place of the one the build made.
if(PLUGINSWITCH_PACKED_PROGRAM)
  file(COPY_FILE ${PLUGINSWITCH_PACKED_PROGRAM} ${CPACK_TEMPORARY_INSTALL_DIRECTORY}/PluginSwitch.exe)
endif()
