// What Windows' own controls do and wine's do not, done here as Microsoft documents it, on the window in this process.
#include <gtest/gtest.h>
#include <windows.h>

#include <commctrl.h>

#include <set>

#include "FormHarness.h"
#include "tests/driver/WindowDriver.h"
#include "ui/Form1Layout.h"

namespace {

using namespace Form1Layout;

// Windows' automatic option that takes the focus unchecked checks itself and reports a click, unless BM_SETDONTCLICK
// has been set on it (kept here as the subclass's data).
LRESULT CALLBACK ClickOnFocus(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id, DWORD_PTR dontClick) {
  if (message == BM_SETDONTCLICK) {
    SetWindowSubclass(hwnd, ClickOnFocus, id, wParam != 0);
  } else if (message == WM_NCDESTROY) {
    RemoveWindowSubclass(hwnd, ClickOnFocus, id);
  }
  const LRESULT result = DefSubclassProc(hwnd, message, wParam, lParam);
  if (message == WM_SETFOCUS && dontClick == 0 && SendMessageW(hwnd, BM_GETCHECK, 0, 0) == BST_UNCHECKED) {
    CheckRadioButton(GetParent(hwnd), kOptYes, kOptNo, GetDlgCtrlID(hwnd));
    SendMessageW(GetParent(hwnd), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(hwnd), BN_CLICKED),
                 reinterpret_cast<LPARAM>(hwnd));
  }
  return result;
}

// Gives the options that subclass as they are made, before the window sends them anything.
LRESULT CALLBACK SubclassOptions(int code, WPARAM wParam, LPARAM lParam) {
  if (code == HCBT_CREATEWND) {
    const CREATESTRUCTW& create = *reinterpret_cast<CBT_CREATEWNDW*>(lParam)->lpcs;
    const auto id = reinterpret_cast<INT_PTR>(create.hMenu);
    if ((create.style & WS_CHILD) != 0 && (id == kOptYes || id == kOptNo)) {
      SetWindowSubclass(reinterpret_cast<HWND>(wParam), ClickOnFocus, 1, FALSE);
    }
  }
  return CallNextHookEx(nullptr, code, wParam, lParam);
}

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

TEST(WindowsOptions, TakeTheFocusWithoutBeingSelected) {
  const HHOOK hook = SetWindowsHookExW(WH_CBT, SubclassOptions, nullptr, GetCurrentThreadId());
  FormHarness form;
  UnhookWindowsHookEx(hook);
  HWND window = form.Window();
  HWND other = CreateWindowExW(0, L"STATIC", nullptr, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, nullptr, nullptr);
  SetActiveWindow(window);
  const struct {
    bool shift;
    int focus;
  } kTabs[] = {{false, kOptYes}, {false, kOptNo}, {false, kCommand1}, {true, kOptNo}, {true, kOptYes}, {false, kOptNo}};
  for (const auto& tab : kTabs) {
    Press(window, VK_TAB, tab.shift);
    ASSERT_EQ(WindowDriver::FocusedControlId(window), tab.focus);
    EXPECT_EQ(form.SelectedOption(), L"");
  }
  SetActiveWindow(other);
  SetActiveWindow(window);  // the focus comes back to No
  EXPECT_EQ(WindowDriver::FocusedControlId(window), kOptNo);
  EXPECT_EQ(form.SelectedOption(), L"");
  Press(window, VK_SPACE);
  EXPECT_EQ(form.SelectedOption(), L"No");
  Press(window, VK_LEFT);
  EXPECT_EQ(form.SelectedOption(), L"Yes");
  DestroyWindow(other);
}

LRESULT CALLBACK NoteColourChange(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR reached) {
  if (message == WM_SYSCOLORCHANGE) {
    reinterpret_cast<std::set<int>*>(reached)->insert(GetDlgCtrlID(hwnd));
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

// Microsoft: a top-level window that uses common controls must forward WM_SYSCOLORCHANGE to them.
TEST(WindowsControls, HearOfSystemColourChanges) {
  std::set<int> reached;
  std::set<int> all;
  FormHarness form;
  for (const ControlDef& control : kControls) {
    all.insert(control.id);
    SetWindowSubclass(GetDlgItem(form.Window(), control.id), NoteColourChange, 2,
                      reinterpret_cast<DWORD_PTR>(&reached));
  }
  SendMessageW(form.Window(), WM_SYSCOLORCHANGE, 0, 0);
  EXPECT_EQ(reached, all);
}

}  // namespace
