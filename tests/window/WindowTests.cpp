// The real program, driven from another process with real keyboard and mouse input and read back from its window,
// its message box and the registry.
#include <gtest/gtest.h>

#include <algorithm>
#include <cwctype>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "tests/driver/RegistrySeed.h"
#include "tests/driver/UserInput.h"
#include "tests/driver/WindowDriver.h"
#include "tests/support/CaseName.h"
#include "tests/window/WindowFixture.h"
#include "ui/Form1.h"
#include "ui/Form1Layout.h"
#include "ui/HostProduct.h"

namespace {

using namespace Form1Layout;
using namespace WindowDriver;
using namespace UserInput;
using testing::AssertionFailure;
using testing::AssertionResult;
using testing::AssertionSuccess;

using ControlIds = std::initializer_list<int>;

// The three ways a person ends the program.
enum class Closing { ExitButton, CloseMessage, AltF4 };
// Registries in which the product has no account to list.
enum class Without { VendorKey, ProductKey, Accounts };

class WindowTest : public WindowFixture {
 protected:
  AssertionResult KeysMoveFocusTo(std::initializer_list<WORD> chord, int id) const {
    PressChord(chord);
    return FocusIsOn(id);
  }

  // Chooses account from Combo1's list with the arrow keys, as a person would, and waits until the combo has it
  // chosen. The keys need the focus in Combo1.
  AssertionResult ChooseAccount(const std::wstring& account) const {
    HWND combo = Control(kCombo1);
    const auto index = static_cast<LRESULT>(ItemIndex(window_, account.c_str()));
    // The closed list steps one item a key.
    while (ComboSelection(combo) != index) {
      const LRESULT before = ComboSelection(combo);
      PressKey(before == CB_ERR || before < index ? WORD{VK_DOWN} : WORD{VK_UP});
      if (!WaitUntil([&] { return ComboSelection(combo) != before; })) {
        return AssertionFailure() << "the arrow key does not move Combo1's choice from item " << before;
      }
    }
    return AssertionSuccess();
  }
};

class WindowStartup : public WindowTest {};

// The manifest's Common Controls 6 (visual styles), which the system loads from its side-by-side store as the
// first control is made, not the system folder's older ones.
TEST_F(WindowStartup, ShowsTheCommonControls6) {
  ASSERT_TRUE(Launch());
  std::wstring path = program_->LoadedModule(L"comctl32.dll");
  std::transform(path.begin(), path.end(), path.begin(), [](wchar_t c) { return std::towlower(c); });
  EXPECT_NE(path.find(L"\\winsxs\\"), std::wstring::npos) << "comctl32.dll loaded from \"" << path << "\"";
  EXPECT_NE(path.find(L"common-controls"), std::wstring::npos) << "comctl32.dll loaded from \"" << path << "\"";
}

TEST_F(WindowStartup, ListsTheAccountsInEnumerationOrder) {
  const std::vector<std::wstring> accounts = RegistrySeed::AccountNames();
  ASSERT_EQ(accounts.size(), kProfileAccounts);
  ASSERT_TRUE(Launch());
  HWND combo = Control(kCombo1);
  EXPECT_EQ(ComboItems(combo), accounts);
  EXPECT_EQ(Text(combo), kComboText);
  EXPECT_EQ(ComboSelection(combo), CB_ERR);
  EXPECT_TRUE(OptionsShow(Shown::Neither));
}

// Common Controls 6 sizes the open list by its count of rows: ten, with more accounts than that.
TEST_F(WindowStartup, OpenListIsTenRowsHigh) {
  for (int i = 0; i < 5; ++i) {
    ASSERT_TRUE(RegistrySeed::CreateAccount(L"more" + std::to_wstring(i) + L"@x.com", 1));
  }
  ASSERT_TRUE(Launch());
  PressKey(VK_F4);
  HWND list = OpeningList();
  ASSERT_NE(list, nullptr);
  EXPECT_EQ(ClientRect(list).bottom / SendMessageW(list, LB_GETITEMHEIGHT, 0, 0), 10);
}

class WindowWithoutAccounts : public WindowTest, public testing::WithParamInterface<Case<Without>> {};

TEST_P(WindowWithoutAccounts, OpensWithAnEmptyListAndNoMessage) {
  if (GetParam().value == Without::Accounts) {
    for (const std::wstring& name : RegistrySeed::AccountNames()) {
      ASSERT_TRUE(RegistrySeed::DeleteTree(RegistrySeed::AccountKey(name)));
    }
    ASSERT_FALSE(RegistrySeed::SubkeyNames(ProductKeyPath).empty()) << "the product key keeps its other subkeys";
  } else {
    ASSERT_TRUE(RegistrySeed::DeleteTree(RegistrySeed::kVendorKey));
  }
  if (GetParam().value == Without::ProductKey) {
    ASSERT_TRUE(RegistrySeed::CreateKey(RegistrySeed::kVendorKey));
  }
  ASSERT_TRUE(Launch());
  EXPECT_EQ(ComboItems(Control(kCombo1)), std::vector<std::wstring>());
  EXPECT_EQ(Text(Control(kCombo1)), kComboText);
  EXPECT_EQ(FindThreadWindow(window_, kMessageBoxClass), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Registries, WindowWithoutAccounts,
                         testing::Values(Case<Without>{"VendorKey", Without::VendorKey},
                                         Case<Without>{"ProductKey", Without::ProductKey},
                                         Case<Without>{"Accounts", Without::Accounts}),
                         CaseName());

class WindowTabOrder : public WindowTest {};

TEST_F(WindowTabOrder, VisitsOnlyTheSelectedOption) {
  ASSERT_TRUE(Launch());
  const struct {
    const wchar_t* account;
    int option;
  } kChoices[] = {{kYesAccount, kOptYes}, {kNoAccount, kOptNo}};
  for (const auto& choice : kChoices) {
    SCOPED_TRACE(ControlName(choice.option));
    ASSERT_TRUE(ChooseAccount(choice.account));
    ASSERT_TRUE(OptionsShow(choice.option == kOptYes ? Shown::Yes : Shown::No));
    ASSERT_TRUE(FocusIsOn(kCombo1));
    for (const int id : ControlIds{choice.option, kChange}) {
      ASSERT_TRUE(KeysMoveFocusTo({VK_TAB}, id));
    }
    for (const int id : ControlIds{choice.option, kCombo1}) {
      ASSERT_TRUE(KeysMoveFocusTo({VK_SHIFT, VK_TAB}, id));
    }
  }
}

class WindowClosing : public WindowTest, public testing::WithParamInterface<Case<Closing>> {};

TEST_P(WindowClosing, EndsTheProcessWithExitCodeZero) {
  ASSERT_TRUE(Launch());
  switch (GetParam().value) {
    case Closing::ExitButton:
      ClickCentre(Control(kExit));
      break;
    case Closing::CloseMessage:
      PostMessageW(window_, WM_CLOSE, 0, 0);
      break;
    case Closing::AltF4:
      PressChord({VK_MENU, VK_F4});
      break;
  }
  EXPECT_EQ(program_->WaitForExit(), std::optional<DWORD>(0));
}

INSTANTIATE_TEST_SUITE_P(Ways, WindowClosing,
                         testing::Values(Case<Closing>{"ExitButton", Closing::ExitButton},
                                         Case<Closing>{"CloseMessage", Closing::CloseMessage},
                                         Case<Closing>{"AltF4", Closing::AltF4}),
                         CaseName());

class WindowMessageBox : public WindowTest, public testing::WithParamInterface<Case<Dismissal>> {};

TEST_P(WindowMessageBox, HoldsTheWindowUntilDismissed) {
  ASSERT_TRUE(Launch());
  ASSERT_TRUE(ChooseAccount(kYesAccount));
  ClickCentre(Control(kChange));
  HWND box = nullptr;
  ASSERT_TRUE(MessageBoxShows(Form1::kChanged, box));  // and the window disabled meanwhile

  // Move the box off the window, as a person would drag it, so the next click lands on Change itself.
  RECT frame{};
  GetWindowRect(window_, &frame);
  SetWindowPos(box, nullptr, frame.right + 20, frame.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
  const POINT change = ScreenCentre(Control(kChange));
  ASSERT_TRUE(WaitUntil([&] {
    RECT boxRect{};
    GetWindowRect(box, &boxRect);
    return !PtInRect(&boxRect, change);
  }));
  ClickAt(change);

  ASSERT_TRUE(Dismiss(box, GetParam().value));
  ASSERT_TRUE(InputHandled());
  EXPECT_EQ(FindThreadWindow(window_, kMessageBoxClass), nullptr);
  EXPECT_TRUE(IsWindowEnabled(window_));
}

INSTANTIATE_TEST_SUITE_P(Ways, WindowMessageBox,
                         testing::Values(Case<Dismissal>{"ClickOk", Dismissal::ClickOk},
                                         Case<Dismissal>{"Enter", Dismissal::Enter}),
                         CaseName());

}  // namespace
