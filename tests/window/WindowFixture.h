// What the window tests share: starting the real program, reading its window and acting on it as a person would.
#pragma once

#include <gtest/gtest.h>
#include <windows.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "tests/driver/WindowDriver.h"
#include "ui/Form1Layout.h"

inline constexpr int kChange = Form1Layout::kCommand1 + Form1Layout::kChangeIndex;
inline constexpr int kExit = Form1Layout::kCommand1 + Form1Layout::kExitIndex;
inline constexpr wchar_t kComboText[] = L"--> Emails <--";
inline constexpr wchar_t kMessageBoxClass[] = L"#32770";

// Which of the two options is selected.
enum class Shown { Neither, Yes, No };
const char* Describe(Shown shown);

// The profile every window test starts from: accounts with 1, 0, 5, no value and no Preferences, odd names, and
// look-alike keys and values the program must never touch (other values beside EnablePlugins, EnablePlugins outside a
// Preferences key, other products and vendors). In name order the accounts alternate between the three states, so a
// stale state from the previous choice shows.
inline constexpr wchar_t kYesAccount[] = L"a@x.com";
inline constexpr wchar_t kNoAccount[] = L"b@y.org";
inline constexpr wchar_t kFiveAccount[] = L"five@z.net";
inline constexpr wchar_t kNoValueAccount[] = L"c@novalue.com";
inline constexpr wchar_t kNoPreferencesAccount[] = L"noprefs@x.com";
inline constexpr wchar_t kOtherProductKey[] = L"Software\\Halvorn\\OtherProduct";
inline constexpr wchar_t kOtherVendorKey[] = L"Software\\OtherVendor";
extern const std::wstring kLongAccount;  // 255 characters, the longest key name
inline constexpr size_t kProfileAccounts = 10;

// What choosing account shows, from the registry as seeded or as changed since.
Shown StoredShown(const std::wstring& account);
// The program reads and writes through the ANSI registry functions, which take a subkey path of at most 260
// characters. An account with a longer Preferences path may not open: it must then show neither option and fail to
// change, writing nothing.
bool MayBeUnreadable(const std::wstring& account);

// The index of account among Combo1's items; where the list does not hold it, the running test fails.
WPARAM ItemIndex(HWND window, const wchar_t* account);

// A control's name for failure messages.
const char* ControlName(int id);

// The two ways a person dismisses the message box.
enum class Dismissal { ClickOk, Enter };

// Seeds the profile before each test and deletes it, with every trace of the test, afterwards; on a profile that is not
// disposable it touches nothing and skips the test.
class WindowFixture : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;

  // Starts the program and waits for its window, in front, with the focus in Combo1.
  testing::AssertionResult Launch();

  HWND Control(int id) const { return GetDlgItem(window_, id); }
  // Combo1's edit field.
  HWND Field() const { return WindowDriver::ComboEdit(Control(Form1Layout::kCombo1)); }

  testing::AssertionResult FocusIsOn(int id) const;

  // Presses Tab and waits for the focus to move to another control of the window. Input is handled in order, so
  // once the focus has moved every key and click sent before Tab has been handled.
  testing::AssertionResult InputHandled() const;

  // Presses Tab until the focus is on one of ids.
  testing::AssertionResult TabTo(std::initializer_list<int> ids) const;

  // What the options show; both checked counts as neither.
  Shown Showing() const;
  testing::AssertionResult OptionsShow(Shown expected) const;

  // Opens Combo1's list with a click on its arrow and clicks item index in it.
  testing::AssertionResult ClickListItem(LRESULT index) const;
  // Waits for Combo1's list, opened by a click or a key just sent; nullptr if it does not open.
  HWND OpeningList() const;
  // Waits for Combo1's list, opened by a click or a key just sent, and clicks item index in it.
  testing::AssertionResult PickFromOpeningList(LRESULT index) const;

  // The options show account's stored setting or, for an account that may not open, neither option; read tells which.
  testing::AssertionResult ShowsSettingOf(const std::wstring& account, bool& read) const;

  // No message box is open and the program still runs.
  testing::AssertionResult NoMessageBox() const;

  // Waits for the program's message box and checks it is its note: the only box, title, text, one OK button, owned
  // by the disabled window.
  testing::AssertionResult MessageBoxShows(const wchar_t* text, HWND& box) const;
  // Dismisses the message box and waits until it is gone and the window takes input again.
  testing::AssertionResult Dismiss(HWND box, Dismissal how) const;
  // Clicks Change, expects the message box with text and dismisses it whatever it says, so later steps can go on.
  testing::AssertionResult ChangeSays(const wchar_t* text, Dismissal how) const;

  std::unique_ptr<WindowDriver::Program> program_;
  HWND window_ = nullptr;
  bool owned_ = false;  // the profile was seeded, so it is this test's to delete
};
