// windowctl: finds the program's window from outside, for the demo's screenshot step.
//   windowctl rect TITLE   waits up to 20 s for a visible top-level window titled TITLE, prints "x y width height"
//   windowctl close TITLE  asks that window to close
#include <windows.h>

#include <cstdio>
#include <cwchar>

namespace {

HWND FindVisibleWindow(const wchar_t* title, DWORD timeoutMs) {
  const DWORD start = GetTickCount();
  do {
    HWND window = FindWindowW(nullptr, title);
    if (window != nullptr && IsWindowVisible(window)) {
      return window;
    }
    Sleep(50);
  } while (GetTickCount() - start < timeoutMs);
  return nullptr;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fputs("usage: windowctl rect|close TITLE\n", stderr);
    return 2;
  }
  HWND window = FindVisibleWindow(argv[2], 20000);
  if (window == nullptr) {
    std::fputs("windowctl: no such window\n", stderr);
    return 1;
  }
  if (std::wcscmp(argv[1], L"rect") == 0) {
    Sleep(300);  // let the first paint finish
    RECT rect{};
    GetWindowRect(window, &rect);
    std::printf("%ld %ld %ld %ld\n", rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top);
    return 0;
  }
  if (std::wcscmp(argv[1], L"close") == 0) {
    PostMessageW(window, WM_CLOSE, 0, 0);
    return 0;
  }
  return 2;
}
