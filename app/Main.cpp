#include <windows.h>

#include "ui/Form1.h"

namespace {

// DLLs loaded later on the program's behalf (by themes, input methods, the shell) come from System32 only, never
// from the program's own folder, which is often Downloads. Windows 7 without update KB2533623 lacks the function;
// the program then runs with the default search order.
void RestrictDllSearchToSystem32() {
  using SetDefaultDllDirectoriesFunction = BOOL(WINAPI*)(DWORD);
  HMODULE kernel32 = GetModuleHandleW(L"kernel32.dll");
  const auto setDefaultDllDirectories = reinterpret_cast<SetDefaultDllDirectoriesFunction>(
      reinterpret_cast<void (*)()>(GetProcAddress(kernel32, "SetDefaultDllDirectories")));
  if (setDefaultDllDirectories != nullptr) {
    setDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
  }
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  RestrictDllSearchToSystem32();
  Form1 form;
  if (!form.Show(instance, showCommand)) {
    return 1;
  }
  return form.RunMessageLoop();
}
