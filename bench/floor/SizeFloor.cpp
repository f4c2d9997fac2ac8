// The least a C++ program with the standard library's strings, containers and exceptions costs on disk, with the
// program's icon (SizeFloor.rc): the size figure of PluginSwitch.exe is measured against it.
#include <windows.h>

#include <string>
#include <vector>

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR commandLine, int) {
  try {
    std::vector<std::wstring> lines;
    lines.emplace_back(commandLine);
    MessageBoxW(nullptr, lines.front().c_str(), L"Floor", MB_OK);
  } catch (...) {
    return 1;
  }
  return 0;
}
