// What Windows' own controls do and wine's do not, done as Microsoft documents it, on the window in this process.
#include <gtest/gtest.h>
#include <windows.h>

#include <set>
#include <utility>

#include "FormHarness.h"
#include "tests/driver/WindowDriver.h"
#include "ui/Form1Layout.h"

namespace {

using namespace Form1Layout;

std::set<HWND> g_dontClick;      // the options sent BM_SETDONTCLICK
std::set<HWND> g_colourChanged;  // the windows sent WM_SYSCOLORCHANGE
int g_focusClicks = 0;           // the clicks the focus reported

// After each message a window of this thread handled: an automatic option that took the focus unchecked reports a
// click to its parent and stays unchecked, as Windows' does (wine's conformance tests record BN_CLICKED after
// BN_SETFOCUS for a radio button, and no BM_SETCHECK), unless BM_SETDONTCLICK was set on it, which Microsoft documents
// as turning that off. A mouse click, which holds the capture, checks the option itself.
LRESULT CALLBACK AsOnWindows(int code, WPARAM wParam, LPARAM lParam) {
  const CWPRETSTRUCT& sent = *reinterpret_cast<CWPRETSTRUCT*>(lParam);
  const int id = GetDlgCtrlID(sent.hwnd);
  if (sent.message == BM_SETDONTCLICK) {
    sent.wParam != 0 ? void(g_dontClick.insert(sent.hwnd)) : void(g_dontClick.erase(sent.hwnd));
  } else if (sent.message == WM_SYSCOLORCHANGE) {
    g_colourChanged.insert(sent.hwnd);
  } else if (sent.message == WM_SETFOCUS && (id == kOptYes || id == kOptNo) && !g_dontClick.contains(sent.hwnd) &&
             GetCapture() != sent.hwnd && IsDlgButtonChecked(GetParent(sent.hwnd), id) == BST_UNCHECKED) {
    ++g_focusClicks;
    SendMessageW(GetParent(sent.hwnd), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(sent.hwnd));
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// Hands a key, pressed and released with Shift up or down, to the dialog manager as the message loop does.
void Press(HWND window, WORD key, bool shift = false) {
  BYTE keys[256]{};
  GetKeyboardState(keys);
  keys[VK_SHIFT] = static_cast<BYTE>(shift ? 0x80 : 0);
  SetKeyboardState(keys);
  for (const UINT message : {WM_KEYDOWN, WM_KEYUP}) {
    MSG input{GetFocus(), message, key, 0, 0, {}};
    IsDialogMessageW(window, &input);
  }
}

// Tab visits both options while neither is selected; the focus alone, by Tab or on activation, selects neither, with
// the focus clicks off (as the window sets them) and on. And, as Microsoft asks of a
// top-level window that uses common controls, WM_SYSCOLORCHANGE reaches every control.
TEST(WindowsControls, FocusSelectsNoOptionAndColourChangesReachEveryControl) {
  const HHOOK hook = SetWindowsHookExW(WH_CALLWNDPROCRET, AsOnWindows, nullptr, GetCurrentThreadId());
  const FormHarness form;
  HWND window = form.Window();
  HWND other = CreateWindowExW(0, L"STATIC", nullptr, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  const std::pair<bool, int> kTabs[] = {{false, kOptYes}, {false, kOptNo}, {false, kCommand1},
                                        {true, kOptNo},   {true, kOptYes}, {false, kOptNo}};
  for (const bool clicksOnFocus : {false, true}) {
    for (const int id : {kOptYes, kOptNo}) {
      SendDlgItemMessageW(window, id, BM_SETDONTCLICK, !clicksOnFocus, 0);
    }
    SetActiveWindow(window);
    SetFocus(GetDlgItem(window, kCombo1));
    for (const auto& [shift, focus] : kTabs) {
      Press(window, VK_TAB, shift);
      ASSERT_EQ(WindowDriver::FocusedControlId(window), focus);
      EXPECT_EQ(form.SelectedOption(), L"");
    }
    SetActiveWindow(other);
    SetActiveWindow(window);  // the focus comes back to No
    EXPECT_EQ(WindowDriver::FocusedControlId(window), kOptNo);
    EXPECT_EQ(form.SelectedOption(), L"");
    EXPECT_EQ(g_focusClicks > 0, clicksOnFocus);
  }
  Press(window, VK_SPACE);
  EXPECT_EQ(form.SelectedOption(), L"No");
  Press(window, VK_LEFT);
  EXPECT_EQ(form.SelectedOption(), L"Yes");
  SendMessageW(window, WM_SYSCOLORCHANGE, 0, 0);
  for (const ControlDef& control : kControls) {
    EXPECT_TRUE(g_colourChanged.contains(GetDlgItem(window, control.id))) << control.id;
  }
  DestroyWindow(other);
  UnhookWindowsHookEx(hook);
}

}  // namespace
