#include "WindowFixture.h"

#include <algorithm>
#include <iterator>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "tests/driver/RegistrySeed.h"
#include "tests/driver/UserInput.h"
#include "tests/support/DisposableProfile.h"
#include "ui/Form1.h"
#include "ui/HostProduct.h"

using namespace Form1Layout;
using namespace WindowDriver;
using namespace UserInput;
using testing::AssertionFailure;
using testing::AssertionResult;
using testing::AssertionSuccess;

const char* Describe(Shown shown) {
  switch (shown) {
    case Shown::Yes:
      return "Yes selected";
    case Shown::No:
      return "No selected";
    case Shown::Neither:
      return "neither selected";
  }
  return "?";
}

const char* ControlName(int id) {
  constexpr std::pair<int, const char*> kNames[] = {
      {kCombo1, "Combo1"},         {kLabel1, "Label1"}, {kFrame1, "Frame1"},
      {kOptYes, "optYes"},         {kOptNo, "optNo"},   {kChange, "Command1(0) Change"},
      {kExit, "Command1(1) Exit"},
  };
  const auto named =
      std::find_if(std::begin(kNames), std::end(kNames), [&](const auto& name) { return name.first == id; });
  return named != std::end(kNames) ? named->second : "no control of the window";
}

const std::wstring kLongAccount = std::wstring(242, L'x') + L"@long.example";

namespace {

// A key to seed and, when name is set, one value in it: a DWORD, or else a string.
struct SeedEntry {
  std::wstring key;
  const wchar_t* name = nullptr;
  std::optional<DWORD> dword = std::nullopt;
  const wchar_t* text = nullptr;
};

std::vector<SeedEntry> Profile() {
  const auto prefs = [](std::wstring_view name) { return RegistrySeed::PreferencesKey(name); };
  const std::wstring other = kOtherProductKey;
  return {
      {RegistrySeed::kVendorKey, L"InstallDir", std::nullopt, L"C:\\Halvorn"},
      {ProductKeyPath, kEnablePlugins, 1},
      {prefs(kNoAccount), kEnablePlugins, 0},
      {prefs(kNoAccount), L"Theme", std::nullopt, L"dark"},
      {prefs(kNoAccount), L"EnablePluginsBackup", 9},
      {prefs(kNoAccount), L"", std::nullopt, L"default value"},
      {RegistrySeed::AccountKey(kNoAccount), L"Password", std::nullopt, L"secret"},
      {prefs(L"NoAt"), kEnablePlugins, 1},
      {prefs(kYesAccount), kEnablePlugins, 1},
      {prefs(kFiveAccount), kEnablePlugins, 5},
      {prefs(L"@lead.example"), kEnablePlugins, 0},
      {prefs(kNoValueAccount), L"Theme", std::nullopt, L"light"},
      {RegistrySeed::AccountKey(kNoPreferencesAccount), kEnablePlugins, 0},
      {RegistrySeed::AccountKey(L"Settings")},
      {prefs(L" spaced @ name "), kEnablePlugins, 1},
      {prefs(kLongAccount), kEnablePlugins, 0},
      {prefs(L"Case@Example.com"), kEnablePlugins, 1},
      {prefs(L"deep@x.com"), kEnablePlugins, 0},
      {prefs(L"deep@x.com") + L"\\Preferences", kEnablePlugins, 3},
      {other + L"\\case@example.COM\\Preferences", kEnablePlugins, 7},
      {other + L"\\a@x.com\\Preferences", kEnablePlugins, 0},
      {std::wstring(kOtherVendorKey) + L"\\X", kEnablePlugins, 0},
      {std::wstring(kOtherVendorKey) + L"\\X\\Preferences", kEnablePlugins, 1},
  };
}

bool DeleteProfile() {
  return RegistrySeed::DeleteTree(RegistrySeed::kVendorKey) && RegistrySeed::DeleteTree(kOtherVendorKey);
}

}  // namespace

Shown StoredShown(const std::wstring& account) {
  const auto value = RegistrySeed::ReadDword(RegistrySeed::PreferencesKey(account), kEnablePlugins);
  return !value ? Shown::Neither : *value == 0 ? Shown::No : Shown::Yes;
}

WPARAM ItemIndex(HWND window, const wchar_t* account) {
  const std::vector<std::wstring> items = ComboItems(GetDlgItem(window, kCombo1));
  const auto item = std::find(items.begin(), items.end(), account);
  EXPECT_NE(item, items.end()) << "no list item names " << testing::PrintToString(std::wstring(account));
  return static_cast<WPARAM>(item - items.begin());
}

bool MayBeUnreadable(const std::wstring& account) { return RegistrySeed::PreferencesKey(account).size() > 260; }

void WindowFixture::SetUp() {
  if (!DisposableProfile::IsDisposable()) {
    GTEST_SKIP() << DisposableProfile::kNote;
  }
  owned_ = true;
  ASSERT_TRUE(DeleteProfile());
  for (const SeedEntry& entry : Profile()) {
    ASSERT_TRUE(RegistrySeed::CreateKey(entry.key)) << "could not seed the registry";
    if (entry.name != nullptr) {
      ASSERT_TRUE(entry.dword ? RegistrySeed::SetDword(entry.key, entry.name, *entry.dword)
                              : RegistrySeed::SetString(entry.key, entry.name, entry.text));
    }
  }
}

void WindowFixture::TearDown() {
  program_.reset();
  if (owned_) {
    EXPECT_TRUE(DeleteProfile());
  }
}

AssertionResult WindowFixture::Launch() {
  program_ = std::make_unique<Program>(WinePath(PLUGINSWITCH_EXE));
  if (!program_->Started()) {
    return AssertionFailure() << "could not start " << PLUGINSWITCH_EXE;
  }
  window_ = program_->WaitForWindow(Form1::kClassName, kTitle);
  if (window_ == nullptr) {
    return AssertionFailure() << "no visible window titled Form1";
  }
  if (!BringToFront(window_)) {
    return AssertionFailure() << "the window does not come to the front";
  }
  return FocusIsOn(kCombo1);
}

AssertionResult WindowFixture::FocusIsOn(int id) const {
  if (WaitUntil([&] { return FocusedControlId(window_) == id; })) {
    return AssertionSuccess();
  }
  return AssertionFailure() << "the focus is on " << ControlName(FocusedControlId(window_)) << ", not on "
                            << ControlName(id);
}

AssertionResult WindowFixture::InputHandled() const {
  const auto boxNote = [&] { return FindThreadWindow(window_, kMessageBoxClass) ? ": a message box is open" : ""; };
  int from = 0;
  if (!WaitUntil([&] { return (from = FocusedControlId(window_)) != 0; })) {
    return AssertionFailure() << "the focus is not in the window" << boxNote();
  }
  PressKey(VK_TAB);
  if (!WaitUntil([&] { return FocusedControlId(window_) != from && FocusedControlId(window_) != 0; })) {
    return AssertionFailure() << "Tab does not move the focus from " << ControlName(from) << "; it is on "
                              << ControlName(FocusedControlId(window_)) << boxNote();
  }
  return AssertionSuccess();
}

AssertionResult WindowFixture::TabTo(std::initializer_list<int> ids) const {
  for (size_t step = 0; step <= kControls.size(); ++step) {
    if (std::find(ids.begin(), ids.end(), FocusedControlId(window_)) != ids.end()) {
      return AssertionSuccess();
    }
    if (AssertionResult moved = InputHandled(); !moved) {
      return moved;
    }
  }
  AssertionResult failure = AssertionFailure() << "Tab never reaches";
  for (const int id : ids) {
    failure << " " << ControlName(id);
  }
  return failure;
}

Shown WindowFixture::Showing() const {
  const bool yes = IsChecked(Control(kOptYes));
  const bool no = IsChecked(Control(kOptNo));
  return yes && !no ? Shown::Yes : no && !yes ? Shown::No : Shown::Neither;
}

AssertionResult WindowFixture::OptionsShow(Shown expected) const {
  HWND yes = Control(kOptYes);
  HWND no = Control(kOptNo);
  const auto matches = [&] {
    return IsChecked(yes) == (expected == Shown::Yes) && IsChecked(no) == (expected == Shown::No);
  };
  if (WaitUntil(matches)) {
    return AssertionSuccess();
  }
  return AssertionFailure() << "expected " << Describe(expected) << ", but optYes is "
                            << (IsChecked(yes) ? "checked" : "unchecked") << " and optNo is "
                            << (IsChecked(no) ? "checked" : "unchecked");
}

AssertionResult WindowFixture::ClickListItem(LRESULT index) const {
  ClickAt(ComboArrowPoint(Control(kCombo1)));
  return PickFromOpeningList(index);
}

HWND WindowFixture::OpeningList() const {
  HWND combo = Control(kCombo1);
  HWND list = nullptr;
  const bool opened = WaitUntil([&] {
    list = ComboDroppedDown(combo) ? FindThreadWindow(window_, L"ComboLBox") : nullptr;
    return list != nullptr;
  });
  return opened ? list : nullptr;
}

AssertionResult WindowFixture::PickFromOpeningList(LRESULT index) const {
  HWND combo = Control(kCombo1);
  HWND list = OpeningList();
  if (list == nullptr) {
    return AssertionFailure() << "Combo1's list does not open";
  }
  const std::optional<POINT> item = ListItemCentre(list, index);
  if (!item) {
    return AssertionFailure() << "item " << index << " is out of sight in the open list";
  }
  ClickAt(*item);
  if (!WaitUntil([&] { return !ComboDroppedDown(combo) && ComboSelection(combo) == index; })) {
    return AssertionFailure() << "clicking item " << index << " leaves item " << ComboSelection(combo)
                              << " chosen, the list " << (ComboDroppedDown(combo) ? "open" : "closed");
  }
  return AssertionSuccess();
}

AssertionResult WindowFixture::ShowsSettingOf(const std::wstring& account, bool& read) const {
  const Shown stored = StoredShown(account);
  const auto truthful = [&] {
    return Showing() == stored || (MayBeUnreadable(account) && Showing() == Shown::Neither);
  };
  if (!WaitUntil(truthful)) {
    return AssertionFailure() << "the options show " << Describe(Showing()) << ", not " << Describe(stored);
  }
  read = Showing() == stored;
  return AssertionSuccess();
}

AssertionResult WindowFixture::NoMessageBox() const {
  if (const auto boxes = ThreadWindows(window_, kMessageBoxClass); !boxes.empty()) {
    return AssertionFailure() << boxes.size() << " message box(es) open, saying \"" << ReadMessageBox(boxes[0]).text
                              << "\"";
  }
  return program_->Running() ? AssertionSuccess() : AssertionFailure() << "the program has ended";
}

AssertionResult WindowFixture::MessageBoxShows(const wchar_t* text, HWND& box) const {
  box = WaitForThreadWindow(window_, kMessageBoxClass);
  if (box == nullptr) {
    return AssertionFailure() << "no message box";
  }
  if (const size_t boxes = ThreadWindows(window_, kMessageBoxClass).size(); boxes != 1) {
    return AssertionFailure() << boxes << " message boxes are open";
  }
  const MessageBoxView view = ReadMessageBox(box);
  if (view.title != Form1::kMessageTitle || view.text != text) {
    return AssertionFailure() << "the message box says \"" << view.text << "\" titled \"" << view.title << "\", not \""
                              << text << "\"";
  }
  if (view.buttons.size() != 1 || GetDlgCtrlID(view.buttons.front()) != IDOK) {
    return AssertionFailure() << "the message box has " << view.buttons.size() << " buttons, not one OK button";
  }
  if (view.owner != window_) {
    return AssertionFailure() << "the message box is not owned by the window";
  }
  if (IsWindowEnabled(window_)) {
    return AssertionFailure() << "the window takes input while the message box is open";
  }
  return AssertionSuccess();
}

AssertionResult WindowFixture::Dismiss(HWND box, Dismissal how) const {
  const MessageBoxView view = ReadMessageBox(box);
  const bool noButton = how == Dismissal::ClickOk && view.buttons.empty();
  if (how == Dismissal::ClickOk && !noButton) {
    ClickCentre(view.buttons.front());
  } else {
    PressKey(VK_RETURN);  // also for a box without a button, so that it does not hold the window
  }
  if (!WaitUntil([&] { return !IsWindow(box); })) {
    return AssertionFailure() << "the message box stays open";
  }
  if (!WaitUntil([&] { return IsWindowEnabled(window_) != FALSE; })) {
    return AssertionFailure() << "the window stays disabled after the message box closed";
  }
  if (noButton) {
    return AssertionFailure() << "the message box has no button to click";
  }
  return AssertionSuccess();
}

AssertionResult WindowFixture::ChangeSays(const wchar_t* text, Dismissal how) const {
  ClickCentre(Control(kChange));
  HWND box = nullptr;
  AssertionResult shown = MessageBoxShows(text, box);
  if (box == nullptr) {
    return AssertionFailure() << "Change opens " << shown.message();
  }
  AssertionResult dismissed = Dismiss(box, how);
  return !shown ? shown : dismissed;
}
