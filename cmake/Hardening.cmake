# Protections that Windows' binary checks (BinSkim) ask of a shipped program, for every target built here: the
# program, its libraries, the floors it is measured against and the tests that run its code.
if(MSVC)
  # Static runtime: the program needs no Visual C++ runtime installed. Set as the default policy too, so that
  # subprojects declaring an older CMake (GoogleTest) select the same runtime.
  set(CMAKE_POLICY_DEFAULT_CMP0091 NEW)
  set(CMAKE_MSVC_RUNTIME_LIBRARY "MultiThreaded$<$<CONFIG:Debug>:Debug>")
  add_compile_options("$<$<COMPILE_LANGUAGE:CXX>:/guard:cf;/sdl>")
  add_link_options(/guard:cf /DYNAMICBASE /NXCOMPAT)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    add_link_options(/SAFESEH)
  endif()
else()
  # The stack protector's runtime (libssp) comes in statically with the link, so the flag goes to the linker too.
  add_compile_options("$<$<COMPILE_LANGUAGE:CXX>:-fstack-protector-strong;$<$<NOT:$<CONFIG:Debug>>:-D_FORTIFY_SOURCE=2>>")
  add_link_options(-fstack-protector-strong LINKER:--tsaware,--dynamicbase,--nxcompat)
  if(CMAKE_SIZEOF_VOID_P EQUAL 4)
    # Exceptions unwind by DWARF tables and nothing registers an SEH handler, so the x86 image can declare so.
    add_link_options(LINKER:--no-seh)
  else()
    # x64 unwinds by the image's own tables; NO_SEH does not apply.
    add_link_options(LINKER:--high-entropy-va)
  endif()
endif()
