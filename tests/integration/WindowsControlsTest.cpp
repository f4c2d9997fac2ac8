// What Windows' own controls do and wine's do not, done as Microsoft documents it, on the window in this process.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <set>

#include "FormHarness.h"
#include "tests/driver/WindowDriver.h"
#include "ui/Form1Layout.h"

namespace {

using namespace Form1Layout;

std::set<int> g_colourChanged;  // the controls that heard of a change of the system's colours

// An automatic option that takes the focus unchecked checks itself and reports a click, unless BM_SETDONTCLICK has
// been set on it (kept as the subclass's data).
LRESULT CALLBACK AsOnWindows(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR dontClick) {
  const int control = GetDlgCtrlID(hwnd);
  if (message == BM_SETDONTCLICK) {
    SetWindowSubclass(hwnd, AsOnWindows, id, wParam);
  } else if (message == WM_SYSCOLORCHANGE) {
    g_colourChanged.insert(control);
  } else if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, AsOnWindows, id);
  }
  const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
  if (message == WM_SETFOCUS && (control == kOptYes || control == kOptNo) && dontClick == 0 &&
      IsDlgButtonChecked(GetParent(hwnd), control) == BST_UNCHECKED) {
    CheckRadioButton(GetParent(hwnd), kOptYes, kOptNo, control);
    SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(control, BN_CLICKED), reinterpret_cast<LPARAM>(hwnd));
  }
  return result;
}

LRESULT CALLBACK SubclassControls(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    const CREATESTRUCTW& create = *reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
    if ((create.style & WS_CHILD) != 0 && FindControl(static_cast<int>(reinterpret_cast<INT_PTR>(create.hMenu)))) {
      SetWindowSubclass(reinterpret_cast<HWND>(wParam), AsOnWindows, 1, FALSE);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

// The window with its controls subclassed as they are made, before it sends them anything.
struct SubclassedForm {
  HHOOK hook = SetWindowsHookExW(WH_CBT, SubclassControls, nullptr, GetCurrentThreadId());
  FormHarness form;
  BOOL unhooked = UnhookWindowsHookEx(hook);
};

// Hands a key, pressed and released with Shift up or down, to the dialog manager as the message loop does.
void Press(HWND window, WORD key, bool shift = false) {
  BYTE keys[256]{};
  GetKeyboardState(keys);
  keys[VK_SHIFT] = shift ? 0x80 : 0;
  SetKeyboardState(keys);
  for (const UINT message : {WM_KEYDOWN, WM_KEYUP}) {
    MSG input{GetFocus(), message, key, 0, 0, {}};
    IsDialogMessageW(window, &input);
  }
}

// Tab visits both options while neither is selected; on Windows the focus alone would select each.
TEST(WindowsControls, TakeTheFocusWithoutSelectingAnOption) {
  const SubclassedForm subject;
  HWND window = subject.form.Window();
  HWND other = CreateWindowExW(0, L"STATIC", nullptr, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  SetActiveWindow(window);
  const struct {
    bool shift;
    int focus;
  } kTabs[] = {{false, kOptYes}, {false, kOptNo}, {false, kCommand1}, {true, kOptNo}, {true, kOptYes}, {false, kOptNo}};
  for (const auto& tab : kTabs) {
    Press(window, VK_TAB, tab.shift);
    ASSERT_EQ(WindowDriver::FocusedControlId(window), tab.focus);
    EXPECT_EQ(subject.form.SelectedOption(), L"");
  }
  SetActiveWindow(other);
  SetActiveWindow(window);  // the window gives the focus back to No
  EXPECT_EQ(WindowDriver::FocusedControlId(window), kOptNo);
  EXPECT_EQ(subject.form.SelectedOption(), L"");
  Press(window, VK_SPACE);
  EXPECT_EQ(subject.form.SelectedOption(), L"No");
  Press(window, VK_LEFT);
  EXPECT_EQ(subject.form.SelectedOption(), L"Yes");
  DestroyWindow(other);
}

// Microsoft: a top-level window that uses common controls must forward WM_SYSCOLORCHANGE to them.
TEST(WindowsControls, HearOfSystemColourChanges) {
  const SubclassedForm subject;
  SendMessageW(subject.form.Window(), WM_SYSCOLORCHANGE, 0, 0);
  std::set<int> all;
  for (const ControlDef& control : kControls) {
    all.insert(control.id);
  }
  EXPECT_EQ(g_colourChanged, all);
}

}  // namespace
