// The least a window like Form1 costs: an empty window of the same size with one combo box, nothing read, nothing
// filled. The start-up and memory figures are measured against it, built with the program's manifest (FloorWindow)
// and without (BareFloorWindow).
#include <windows.h>

#include "ui/Form1Layout.h"

namespace {

LRESULT CALLBACK FloorProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
  using namespace Form1Layout;
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = FloorProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = L"PluginSwitchFloor";
  if (!RegisterClassExW(&windowClass)) {
    return 1;
  }
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);

  const SIZE client = ClientSize(dpi);
  RECT frame{0, 0, client.cx, client.cy};
  AdjustWindowRectEx(&frame, kWindowStyle, FALSE, kWindowExStyle);
  HWND window = CreateWindowExW(kWindowExStyle, windowClass.lpszClassName, kTitle, kWindowStyle, CW_USEDEFAULT,
                                CW_USEDEFAULT, frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr,
                                instance, nullptr);
  if (window == nullptr) {
    return 1;
  }
  const ControlDef& comboDef = *FindControl(kCombo1);
  const RECT combo = ControlRect(comboDef, dpi);
  CreateWindowExW(0, comboDef.className, L"", comboDef.style, combo.left, combo.top, combo.right - combo.left,
                  (combo.bottom - combo.top) * 11, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCombo1)),
                  instance, nullptr);
  ShowWindow(window, showCommand);
  UpdateWindow(window);

  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
