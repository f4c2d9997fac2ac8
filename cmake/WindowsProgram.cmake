# Link options of a Windows GUI program built here: the program itself and the floors it is measured against.
function(pluginswitch_windows_program target)
  if(MSVC)
    # The manifest comes from the program's resources; the linker must not add one of its own.
    target_link_options(${target} PRIVATE /MANIFEST:NO)
  else()
    # Marked for Windows 7 (6.1) and later, as Visual Studio marks its programs, not for NT 4: the system then treats
    # the window as a current program's (frame metrics, no compatibility shims for old programs).
    target_link_options(${target} PRIVATE -municode -s LINKER:--major-subsystem-version=6
                        LINKER:--minor-subsystem-version=1 LINKER:--major-os-version=6 LINKER:--minor-os-version=1)
    # The program is stripped; the linker's map beside it keeps the addresses of its symbols for the release checks.
    target_link_options(${target} PRIVATE LINKER:-Map=$<TARGET_FILE:${target}>.map)
  endif()
endfunction()
