// The least a window like Form1 costs: an empty window of the same size with one combo box, nothing read, nothing
// filled. The start-up and memory figures are measured against it, built with the program's manifest (FloorWindow)
// and without (BareFloorWindow). Built with FLOOR_FORM1_CONTROLS (ControlsFloorWindow) it shows every control of
// Form1 instead, in place, in its caption font and with Combo1's field at its height and its list ten rows high, but
// without icons, accounts, focus or handlers: what the window's definition costs before the program does anything of
// its own.
//
// The start-up steps of the program beyond that window are measured with the same source: built with FLOOR_STEPS of
// 1 to 4 as well, it adds one step at a time, each as the program takes it: 1 the window's icons, 2 the subclassing
// of the push buttons and of Combo1's field, 3 the accounts listed from the registry, 4 the focus given to Combo1 on
// activation and the dialog manager's keys in the message loop. Built with FLOOR_STOCK_FONT instead, Form1's
// controls show the stock GUI font: what the caption font costs the controls' window.
#include <windows.h>

#include <commctrl.h>

#include <string_view>

#include "registry/RegistryRoutines.h"
#include "ui/AccountList.h"
#include "ui/CaptionFont.h"
#include "ui/Dpi.h"
#include "ui/Form1Controls.h"
#include "ui/Form1Layout.h"
#include "ui/HostProduct.h"

#ifndef FLOOR_STEPS
#define FLOOR_STEPS 0
#endif

namespace {

using namespace Form1Layout;
using Form1Controls::UniqueIcon;

constexpr int kSteps = FLOOR_STEPS;

LRESULT CALLBACK FloorProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if constexpr (kSteps >= 4) {
    if (message == WM_ACTIVATE && LOWORD(wParam) != WA_INACTIVE && HIWORD(wParam) == 0) {
      SetFocus(GetDlgItem(hwnd, kCombo1));
      return 0;
    }
  }
  if (message == WM_DESTROY) {
    PostQuitMessage(0);
    return 0;
  }
  return DefWindowProcW(hwnd, message, wParam, lParam);
}

#ifdef FLOOR_FORM1_CONTROLS
// Combo1's field subclassed as the program subclasses it, without the program's handling of its messages.
[[maybe_unused]] LRESULT CALLBACK FieldProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                            DWORD_PTR) {
  if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, FieldProc, id);
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

// Returns the controls' font, which must outlive them.
UniqueFont CreateFloorControls(HWND window, HINSTANCE instance, int dpi) {
#ifdef FLOOR_STOCK_FONT
  UniqueFont font;
#else
  UniqueFont font = CreateCaptionFont(dpi);
#endif
  for (const ControlDef& def : kControls) {
    const RECT rect = ControlRect(def, dpi);
    HWND control = CreateWindowExW(0, def.className, def.text, def.style, rect.left, rect.top, rect.right - rect.left,
                                   rect.bottom - rect.top, window,
                                   reinterpret_cast<HMENU>(static_cast<INT_PTR>(def.id)), instance, nullptr);
    SendMessageW(control, WM_SETFONT, Form1Controls::FontParam(font), FALSE);
    if constexpr (kSteps >= 2) {
      if ((def.style & BS_TYPEMASK) == BS_PUSHBUTTON && def.className == std::wstring_view(L"BUTTON")) {
        Form1Controls::KeepFromDefaultButton(control);
      }
    }
    if (def.id == kCombo1) {
      Form1Controls::SetDropDownRows(control);
      Form1Controls::SetComboFieldHeight(control, rect.bottom - rect.top);
      SetWindowTextW(control, def.text);
    }
  }
  HWND combo = GetDlgItem(window, kCombo1);
  if constexpr (kSteps >= 2) {
    COMBOBOXINFO info{};
    info.cbSize = sizeof info;
    if (GetComboBoxInfo(combo, &info) && info.hwndItem != nullptr) {
      SetWindowSubclass(info.hwndItem, FieldProc, 1, 0);
    }
  }
  if constexpr (kSteps >= 3) {
    FillAccountList(combo, RegistryRoutines().EnumRegistryKeys(HKEY_CURRENT_USER, ProductKeyPath));
  }
  return font;
}
#else
UniqueFont CreateFloorControls(HWND window, HINSTANCE instance, int dpi) {
  const ControlDef& comboDef = *FindControl(kCombo1);
  const RECT combo = ControlRect(comboDef, dpi);
  CreateWindowExW(0, comboDef.className, L"", comboDef.style, combo.left, combo.top, combo.right - combo.left,
                  (combo.bottom - combo.top) * 11, window, reinterpret_cast<HMENU>(static_cast<INT_PTR>(kCombo1)),
                  instance, nullptr);
  return UniqueFont();
}
#endif

}  // namespace

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int showCommand) {
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
  HWND window =
      CreateWindowExW(kWindowExStyle, windowClass.lpszClassName, kTitle, kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                      frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, nullptr);
  if (window == nullptr) {
    return 1;
  }
  UniqueIcon icons[2];
  if constexpr (kSteps >= 1) {
    icons[0] = Form1Controls::LoadProgramIcon(instance, Dpi::SystemMetric(SM_CXSMICON, dpi));
    icons[1] = Form1Controls::LoadProgramIcon(instance, Dpi::SystemMetric(SM_CXICON, dpi));
    SendMessageW(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(icons[0].Get()));
    SendMessageW(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(icons[1].Get()));
  }
  const UniqueFont font = CreateFloorControls(window, instance, dpi);
  ShowWindow(window, showCommand);
  UpdateWindow(window);

  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if constexpr (kSteps >= 4) {
      if (IsDialogMessageW(window, &message)) {
        continue;
      }
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}
