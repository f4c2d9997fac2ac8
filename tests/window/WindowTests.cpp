// The real program, driven from another process with real keyboard and mouse input and read back from its window,
// its message box and the registry.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cwctype>
#include <initializer_list>
#include <optional>
#include <string>
#include <vector>

#include "tests/driver/RegistrySeed.h"
#include "tests/driver/UserInput.h"
#include "tests/driver/WindowDriver.h"
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

// A subkey of the product key as the tests seed it, and what the window shows when it is chosen.
struct SeededKey {
  enum class Holds { Value, NoValue, NoPreferences };
  const wchar_t* name;
  Holds holds;
  DWORD value;
  Shown shown;
};
using Holds = SeededKey::Holds;

constexpr wchar_t kYesAccount[] = L"a@x.com";
constexpr wchar_t kNoAccount[] = L"b@y.org";
constexpr wchar_t kFiveAccount[] = L"five@z.net";
constexpr wchar_t kNoValueAccount[] = L"c@novalue.com";
constexpr wchar_t kNoPreferencesAccount[] = L"noprefs@x.com";

// In name order the accounts alternate between the three states, so a stale state from the previous choice shows.
constexpr SeededKey kProfile[] = {
    {kNoAccount, Holds::Value, 0, Shown::No},
    {L"NoAt", Holds::Value, 1, Shown::Neither},  // no "@": not an account
    {kYesAccount, Holds::Value, 1, Shown::Yes},
    {kFiveAccount, Holds::Value, 5, Shown::Yes},
    {L"@lead.example", Holds::Value, 0, Shown::No},
    {kNoValueAccount, Holds::NoValue, 0, Shown::Neither},
    {kNoPreferencesAccount, Holds::NoPreferences, 0, Shown::Neither},
    {L"Settings", Holds::NoPreferences, 0, Shown::Neither},  // not an account
};

bool IsAccount(const std::wstring& name) { return name.find(L'@') != std::wstring::npos; }

bool Seed(const SeededKey& key) {
  switch (key.holds) {
    case Holds::Value:
      return RegistrySeed::CreateAccount(key.name, key.value);
    case Holds::NoValue:
      return RegistrySeed::CreateAccount(key.name, std::nullopt);
    case Holds::NoPreferences:
      return RegistrySeed::CreateAccountWithoutPreferences(key.name);
  }
  return false;
}

Shown ShownFor(const std::wstring& account) {
  for (const SeededKey& key : kProfile) {
    if (account == key.name) {
      return key.shown;
    }
  }
  ADD_FAILURE() << "not a seeded account";
  return Shown::Neither;
}

std::string Describe(const RECT& rect) {
  char text[64];
  std::snprintf(text, sizeof text, "(%ld,%ld)-(%ld,%ld)", rect.left, rect.top, rect.right, rect.bottom);
  return text;
}

// A control's place in client pixels at 96 DPI, worked out from the twips table.
RECT ExpectedRect(const ControlDef& def) {
  const auto pixels = [](int twips) { return MulDiv(twips, 96, 1440); };
  int left = def.left;
  int top = def.top;
  if (def.insideFrame) {
    const auto frame = std::find_if(kControls.begin(), kControls.end(), [](auto& c) { return c.id == kFrame1; });
    left += frame->left;
    top += frame->top;
  }
  return RECT{pixels(left), pixels(top), pixels(left + def.width), pixels(top + def.height)};
}

// The three ways a person chooses an item of Combo1.
enum class Choice { ArrowClick, F4ThenClick, DownArrow };
// The three ways a person ends the program.
enum class Closing { ExitButton, CloseMessage, AltF4 };
// Registries in which the product has no account to list.
enum class Without { VendorKey, ProductKey, Accounts };

// Names for the parameters, in test names and failure messages.
void PrintTo(Choice choice, std::ostream* out) {
  *out << (choice == Choice::ArrowClick ? "ArrowClick" : choice == Choice::F4ThenClick ? "F4ThenClick" : "DownArrow");
}
void PrintTo(Closing closing, std::ostream* out) {
  *out << (closing == Closing::ExitButton ? "ExitButton" : closing == Closing::CloseMessage ? "CloseMessage" : "AltF4");
}
void PrintTo(Without without, std::ostream* out) {
  *out << (without == Without::VendorKey ? "VendorKey" : without == Without::ProductKey ? "ProductKey" : "Accounts");
}

class WindowTest : public WindowFixture {
 protected:
  void SetUp() override {
    ASSERT_TRUE(RegistrySeed::DeleteTree(RegistrySeed::kVendorKey));
    for (const SeededKey& key : kProfile) {
      ASSERT_TRUE(Seed(key)) << "could not seed the registry";
    }
  }

  void TearDown() override {
    WindowFixture::TearDown();
    EXPECT_TRUE(RegistrySeed::DeleteTree(RegistrySeed::kVendorKey));
  }

  AssertionResult KeysMoveFocusTo(std::initializer_list<WORD> chord, int id) const {
    PressChord(chord);
    return FocusIsOn(id);
  }

  // Chooses account from Combo1's list as a person would and waits until the combo has it chosen. The keys (F4 and
  // the arrows) need the focus in Combo1.
  AssertionResult ChooseAccount(const std::wstring& account, Choice how) const {
    HWND combo = Control(kCombo1);
    const std::vector<std::wstring> items = ComboItems(combo);
    const auto found = std::find(items.begin(), items.end(), account);
    if (found == items.end()) {
      return AssertionFailure() << account << " is not in Combo1's list";
    }
    const auto index = static_cast<LRESULT>(found - items.begin());
    if (how == Choice::DownArrow) {
      // The closed list steps one item a key.
      while (ComboSelection(combo) != index) {
        const LRESULT before = ComboSelection(combo);
        PressKey(before == CB_ERR || before < index ? VK_DOWN : VK_UP);
        if (!WaitUntil([&] { return ComboSelection(combo) != before; })) {
          return AssertionFailure() << "the arrow key does not move Combo1's choice from item " << before;
        }
      }
      return AssertionSuccess();
    }
    if (how == Choice::ArrowClick) {
      return ClickListItem(index);
    }
    PressKey(VK_F4);
    return PickFromOpeningList(index);
  }

  static AssertionResult StoredValueIs(const std::wstring& account, std::optional<DWORD> expected) {
    const std::optional<DWORD> stored = RegistrySeed::ReadDword(RegistrySeed::PreferencesKey(account), kEnablePlugins);
    if (stored == expected) {
      return AssertionSuccess();
    }
    return AssertionFailure() << account << "'s EnablePlugins is "
                              << (stored ? std::to_string(*stored) : std::string("missing")) << ", not "
                              << (expected ? std::to_string(*expected) : std::string("missing"));
  }
};

class WindowStartup : public WindowTest {};

TEST_F(WindowStartup, ShowsCaptionsWithNothingChosenAndFocusInCombo1) {
  ASSERT_TRUE(Launch());
  EXPECT_EQ(Text(window_), L"Form1");
  const struct {
    int id;
    const wchar_t* text;
  } kCaptions[] = {
      {kCombo1, kComboText}, {kLabel1, L"Select Passport Email:"}, {kFrame1, L"Plugins Enabled"},
      {kOptYes, L"Yes"},     {kOptNo, L"No"},
      {kChange, L"Change"},  {kExit, L"Exit"},
  };
  for (const auto& caption : kCaptions) {
    EXPECT_EQ(Text(Control(caption.id)), caption.text) << ControlName(caption.id);
  }
  HWND combo = Control(kCombo1);
  EXPECT_EQ(ComboSelection(combo), CB_ERR);
  EXPECT_TRUE(OptionsShow(Shown::Neither));
  ASSERT_NE(ComboEdit(combo), nullptr);
  EXPECT_EQ(Focus(window_), ComboEdit(combo));
}

TEST_F(WindowStartup, ClientAreaAndControlsFollowTheLayoutAt96Dpi) {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  ASSERT_EQ(dpi, 96) << "the screen must run at 96 DPI for these sizes";
  ASSERT_TRUE(Launch());

  const RECT client = ClientRect(window_);
  EXPECT_EQ(client.right - client.left, 312);
  EXPECT_EQ(client.bottom - client.top, 142);
  ASSERT_FALSE(ComboDroppedDown(Control(kCombo1)));  // a closed combo's rectangle is its field's
  for (const ControlDef& def : kControls) {
    EXPECT_EQ(Describe(RectInParent(Control(def.id))), Describe(ExpectedRect(def))) << ControlName(def.id);
  }
}

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
  std::vector<std::wstring> accounts = RegistrySeed::SubkeyNames(ProductKeyPath);
  std::erase_if(accounts, [](const std::wstring& name) { return !IsAccount(name); });
  ASSERT_EQ(accounts.size(), static_cast<size_t>(std::count_if(std::begin(kProfile), std::end(kProfile),
                                                               [](auto& key) { return IsAccount(key.name); })));
  ASSERT_TRUE(Launch());
  EXPECT_EQ(ComboItems(Control(kCombo1)), accounts);
}

class WindowWithoutAccounts : public WindowTest, public testing::WithParamInterface<Without> {};

TEST_P(WindowWithoutAccounts, OpensWithAnEmptyListAndNoMessage) {
  ASSERT_TRUE(RegistrySeed::DeleteTree(RegistrySeed::kVendorKey));
  if (GetParam() == Without::ProductKey) {
    ASSERT_TRUE(RegistrySeed::CreateKey(RegistrySeed::kVendorKey));
  }
  if (GetParam() == Without::Accounts) {
    for (const SeededKey& key : kProfile) {
      ASSERT_TRUE(IsAccount(key.name) || Seed(key));
    }
  }
  ASSERT_TRUE(Launch());
  EXPECT_EQ(ComboItems(Control(kCombo1)), std::vector<std::wstring>());
  EXPECT_EQ(Text(Control(kCombo1)), kComboText);
  EXPECT_EQ(FindThreadWindow(window_, kMessageBoxClass), nullptr);
}

INSTANTIATE_TEST_SUITE_P(Registries, WindowWithoutAccounts,
                         testing::Values(Without::VendorKey, Without::ProductKey, Without::Accounts),
                         testing::PrintToStringParamName());

// Keys a person might use to change Combo1's text; each is tried on a fresh window, so one failure hides no other.
struct Editing {
  const char* name;
  void (*press)();
};

void PrintTo(const Editing& editing, std::ostream* out) { *out << editing.name; }

class WindowTyping : public WindowTest, public testing::WithParamInterface<Editing> {};

TEST_P(WindowTyping, LeavesCombo1TextUnchanged) {
  ASSERT_TRUE(PutOnClipboard(L"pasted@x.com"));
  ASSERT_TRUE(Launch());
  GetParam().press();
  ASSERT_TRUE(KeysMoveFocusTo({VK_TAB}, kOptYes));  // handled after the keys before it
  HWND combo = Control(kCombo1);
  EXPECT_EQ(Text(combo), kComboText);
  EXPECT_EQ(ComboSelection(combo), CB_ERR);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, WindowTyping,
    testing::Values(Editing{"Letters", [] { PressKey('A'); PressChord({VK_SHIFT, 'Q'}); }},
                    Editing{"Digits", [] { PressKey('1'); PressKey('0'); }},
                    Editing{"UnicodeCharacters", [] { TypeText(L"\u00e9@x"); }},
                    Editing{"EndBackspace", [] { PressKey(VK_END); PressKey(VK_BACK); }},
                    Editing{"HomeDelete", [] { PressKey(VK_HOME); PressKey(VK_DELETE); }},
                    Editing{"CtrlV", [] { PressChord({VK_CONTROL, 'V'}); }},
                    Editing{"ShiftInsert", [] { PressChord({VK_SHIFT, VK_INSERT}); }},
                    Editing{"CtrlX", [] { PressChord({VK_CONTROL, 'X'}); }},
                    Editing{"ShiftDelete", [] { PressChord({VK_SHIFT, VK_DELETE}); }},
                    Editing{"AltBackspace", [] { PressChord({VK_MENU, VK_BACK}); }}),
    testing::PrintToStringParamName());

class WindowTabOrder : public WindowTest {};

TEST_F(WindowTabOrder, VisitsBothOptionsWhileNeitherIsSelected) {
  ASSERT_TRUE(Launch());
  for (const int id : ControlIds{kOptYes, kOptNo, kChange, kExit, kCombo1}) {
    ASSERT_TRUE(KeysMoveFocusTo({VK_TAB}, id));
  }
  for (const int id : ControlIds{kExit, kChange, kOptNo, kOptYes, kCombo1}) {
    ASSERT_TRUE(KeysMoveFocusTo({VK_SHIFT, VK_TAB}, id));
  }
  EXPECT_TRUE(OptionsShow(Shown::Neither));  // passing through an option does not select it
}

TEST_F(WindowTabOrder, VisitsOnlyTheSelectedOption) {
  ASSERT_TRUE(Launch());
  const struct {
    const wchar_t* account;
    int option;
  } kChoices[] = {{kYesAccount, kOptYes}, {kNoAccount, kOptNo}};
  for (const auto& choice : kChoices) {
    SCOPED_TRACE(ControlName(choice.option));
    ASSERT_TRUE(ChooseAccount(choice.account, Choice::DownArrow));
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

class WindowKeys : public WindowTest {};

TEST_F(WindowKeys, EnterAndEscapePressNothing) {
  ASSERT_TRUE(Launch());
  for (const int id : ControlIds{kCombo1, kChange, kExit}) {
    // One key at a time: Escape would close a message box that Enter had opened.
    for (const WORD key : {VK_RETURN, VK_ESCAPE}) {
      SCOPED_TRACE(testing::Message() << ControlName(id) << (key == VK_RETURN ? ", Enter" : ", Escape"));
      ASSERT_TRUE(TabTo({id}));
      PressKey(key);
      ASSERT_TRUE(InputHandled());
      EXPECT_EQ(FindThreadWindow(window_, kMessageBoxClass), nullptr);
      ASSERT_TRUE(program_->Running());
    }
  }
}

class WindowClosing : public WindowTest, public testing::WithParamInterface<Closing> {};

TEST_P(WindowClosing, EndsTheProcessWithExitCodeZero) {
  ASSERT_TRUE(Launch());
  switch (GetParam()) {
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
                         testing::Values(Closing::ExitButton, Closing::CloseMessage, Closing::AltF4),
                         testing::PrintToStringParamName());

class WindowChoice : public WindowTest, public testing::WithParamInterface<Choice> {};

TEST_P(WindowChoice, ShowsTheStoredSettingOfEachAccount) {
  ASSERT_TRUE(Launch());
  for (const std::wstring& account : ComboItems(Control(kCombo1))) {
    SCOPED_TRACE(testing::Message() << account);
    ASSERT_TRUE(ChooseAccount(account, GetParam()));
    EXPECT_TRUE(OptionsShow(ShownFor(account)));
  }
}

INSTANTIATE_TEST_SUITE_P(Ways, WindowChoice,
                         testing::Values(Choice::ArrowClick, Choice::F4ThenClick, Choice::DownArrow),
                         testing::PrintToStringParamName());

class WindowChange : public WindowTest {};

TEST_F(WindowChange, StoresTheSelectedOption) {
  ASSERT_TRUE(Launch());
  ASSERT_TRUE(ChooseAccount(kFiveAccount, Choice::DownArrow));
  ASSERT_TRUE(OptionsShow(Shown::Yes));
  ASSERT_TRUE(ChangeSays(Form1::kChanged, Dismissal::Enter));
  EXPECT_TRUE(StoredValueIs(kFiveAccount, 1));

  ClickCentre(Control(kOptNo));
  ASSERT_TRUE(OptionsShow(Shown::No));
  ASSERT_TRUE(ChangeSays(Form1::kChanged, Dismissal::Enter));
  EXPECT_TRUE(StoredValueIs(kFiveAccount, 0));

  ASSERT_TRUE(ChooseAccount(kYesAccount, Choice::ArrowClick));
  ASSERT_TRUE(OptionsShow(Shown::Yes));
  ASSERT_TRUE(ChooseAccount(kFiveAccount, Choice::ArrowClick));
  EXPECT_TRUE(OptionsShow(Shown::No));
  EXPECT_TRUE(StoredValueIs(kYesAccount, 1));
}

TEST_F(WindowChange, FailsBeforeAnyAccountIsChosen) {
  const std::wstring before = RegistrySeed::Dump(RegistrySeed::kVendorKey);
  ASSERT_TRUE(Launch());
  ASSERT_TRUE(ChangeSays(Form1::kNotChanged, Dismissal::Enter));
  EXPECT_FALSE(RegistrySeed::KeyExists(RegistrySeed::AccountKey(kComboText)));
  EXPECT_EQ(RegistrySeed::Dump(RegistrySeed::kVendorKey), before);
}

TEST_F(WindowChange, FailsForAnAccountWithoutPreferences) {
  ASSERT_TRUE(Launch());
  ASSERT_TRUE(ChooseAccount(kNoPreferencesAccount, Choice::DownArrow));
  ASSERT_TRUE(OptionsShow(Shown::Neither));
  ASSERT_TRUE(ChangeSays(Form1::kNotChanged, Dismissal::Enter));
  ClickCentre(Control(kOptNo));
  ASSERT_TRUE(OptionsShow(Shown::No));
  ASSERT_TRUE(ChangeSays(Form1::kNotChanged, Dismissal::Enter));
  EXPECT_FALSE(RegistrySeed::KeyExists(RegistrySeed::PreferencesKey(kNoPreferencesAccount)));
}

// The option clicked before Change (0 for none) and the value Change stores.
struct Setting {
  int option;
  DWORD stored;
};

class WindowChangeOfMissingValue : public WindowTest, public testing::WithParamInterface<Setting> {};

TEST_P(WindowChangeOfMissingValue, CreatesTheValue) {
  ASSERT_TRUE(Launch());
  ASSERT_TRUE(ChooseAccount(kNoValueAccount, Choice::DownArrow));
  ASSERT_TRUE(OptionsShow(Shown::Neither));
  if (GetParam().option != 0) {
    ClickCentre(Control(GetParam().option));
    ASSERT_TRUE(OptionsShow(GetParam().option == kOptYes ? Shown::Yes : Shown::No));
  }
  ASSERT_TRUE(ChangeSays(Form1::kChanged, Dismissal::Enter));
  EXPECT_TRUE(StoredValueIs(kNoValueAccount, GetParam().stored));
}

INSTANTIATE_TEST_SUITE_P(Options, WindowChangeOfMissingValue,
                         testing::Values(Setting{0, 1}, Setting{kOptYes, 1}, Setting{kOptNo, 0}),
                         [](const testing::TestParamInfo<Setting>& info) {
                           return std::string(info.param.option == 0 ? "NoneSelected" : ControlName(info.param.option));
                         });

class WindowMessageBox : public WindowTest, public testing::WithParamInterface<Dismissal> {};

TEST_P(WindowMessageBox, HoldsTheWindowUntilDismissed) {
  ASSERT_TRUE(Launch());
  ASSERT_TRUE(ChooseAccount(kYesAccount, Choice::DownArrow));
  ClickCentre(Control(kChange));
  HWND box = nullptr;
  ASSERT_TRUE(MessageBoxShows(Form1::kChanged, box));
  EXPECT_FALSE(IsWindowEnabled(window_));

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

  ASSERT_TRUE(Dismiss(box, GetParam()));
  ASSERT_TRUE(InputHandled());
  EXPECT_EQ(FindThreadWindow(window_, kMessageBoxClass), nullptr);
  EXPECT_TRUE(IsWindowEnabled(window_));
}

INSTANTIATE_TEST_SUITE_P(Ways, WindowMessageBox, testing::Values(Dismissal::ClickOk, Dismissal::Enter),
                         testing::PrintToStringParamName());

}  // namespace
