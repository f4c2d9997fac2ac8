// FillAccountList on a real combo box made as Form1 makes Combo1: which names are listed, in which order, and that
// the box is left visible and redrawing after a fill that turns redrawing off.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <string>
#include <vector>

#include "registry/KeyCollection.h"
#include "tests/driver/WindowDriver.h"
#include "tests/support/CaseName.h"
#include "ui/AccountList.h"
#include "ui/Form1Layout.h"

namespace {

// Keeps the redraw state the last WM_SETREDRAW asked for.
LRESULT CALLBACK RecordRedraw(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR redrawing) {
  if (message == WM_SETREDRAW) {
    *reinterpret_cast<bool*>(redrawing) = wParam != FALSE;
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

// A hidden parent window with one combo box of Combo1's style, whose redraw state is recorded.
class ComboFixture {
 public:
  ComboFixture() {
    const Form1Layout::ControlDef& def = *Form1Layout::FindControl(Form1Layout::kCombo1);
    parent_ = CreateWindowExW(0, L"STATIC", L"", WS_OVERLAPPED, 0, 0, 320, 200, nullptr, nullptr, nullptr, nullptr);
    combo_ =
        CreateWindowExW(0, def.className, def.text, def.style, 10, 10, 200, 200, parent_, nullptr, nullptr, nullptr);
    SetWindowSubclass(combo_, RecordRedraw, 1, reinterpret_cast<DWORD_PTR>(&redrawing_));
  }
  ComboFixture(const ComboFixture&) = delete;
  ComboFixture& operator=(const ComboFixture&) = delete;
  ~ComboFixture() {
    RemoveWindowSubclass(combo_, RecordRedraw, 1);
    DestroyWindow(parent_);
  }

  HWND Combo() const { return combo_; }
  std::vector<std::wstring> Items() const { return WindowDriver::ComboItems(combo_); }
  // False while the box is told not to redraw: a list filled then would show empty or stale.
  bool Redrawing() const { return redrawing_; }

 private:
  HWND parent_ = nullptr;
  HWND combo_ = nullptr;
  bool redrawing_ = true;
};

KeyCollection Collection(const std::vector<std::wstring>& names) {
  KeyCollection collection;
  for (const std::wstring& name : names) {
    collection.Add(name);
  }
  return collection;
}

struct FillCase {
  const char* what;
  std::vector<std::wstring> before;  // items already in the list
  std::vector<std::wstring> names;
  std::vector<std::wstring> expected;
  int added;
};

class AccountListFill : public testing::TestWithParam<FillCase> {};

TEST_P(AccountListFill, ListsTheAccountsInTheOrderHeld) {
  const FillCase& c = GetParam();
  const ComboFixture fixture;
  ASSERT_NE(fixture.Combo(), nullptr);
  for (const std::wstring& item : c.before) {
    SendMessageW(fixture.Combo(), CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.c_str()));
  }
  EXPECT_EQ(FillAccountList(fixture.Combo(), Collection(c.names)), c.added);
  EXPECT_EQ(fixture.Items(), c.expected);
  // Redrawing again, still visible, and its list not left open.
  EXPECT_TRUE(fixture.Redrawing());
  EXPECT_NE(GetWindowLongPtrW(fixture.Combo(), GWL_STYLE) & WS_VISIBLE, 0);
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(fixture.Combo(), &info));
  EXPECT_FALSE(IsWindowVisible(info.hwndList));
  EXPECT_EQ(SendMessageW(fixture.Combo(), CB_GETDROPPEDSTATE, 0, 0), FALSE);
}

INSTANTIATE_TEST_SUITE_P(
    Names, AccountListFill,
    testing::Values(FillCase{"Mixed", {}, {L"b@y.org", L"NoAt", L"a@x.com", L"Updates"}, {L"b@y.org", L"a@x.com"}, 2},
                    FillCase{"NoAccounts", {}, {L"NoAt", L"Updates"}, {}, 0}, FillCase{"Nothing", {}, {}, {}, 0},
                    FillCase{"EmptyNameSkipped", {}, {L"", L"@"}, {L"@"}, 1},
                    FillCase{"AppendsAfterWhatIsThere", {L"zed@z.net"}, {L"a@x.com"}, {L"zed@z.net", L"a@x.com"}, 1},
                    FillCase{"UnicodeKept", {}, {L"j\u00f6rg@example.de"}, {L"j\u00f6rg@example.de"}, 1}),
    CaseName());

TEST(AccountListFill, LongListKeepsEveryAccountInOrder) {
  std::vector<std::wstring> names;
  std::vector<std::wstring> accounts;
  for (int i = 0; i < 3000; ++i) {
    const std::wstring number = std::to_wstring(3000 - i);  // descending: the list must not sort
    names.push_back(L"group" + number);
    names.push_back(L"user" + number + L"@example.com");
    accounts.push_back(names.back());
  }
  const ComboFixture fixture;
  EXPECT_EQ(FillAccountList(fixture.Combo(), Collection(names)), 3000);
  EXPECT_EQ(fixture.Items(), accounts);
}

}  // namespace
