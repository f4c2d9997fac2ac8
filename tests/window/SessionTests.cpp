// Whole sessions with the real program, driven from another process with real keyboard and mouse input, in a profile
// full of look-alike keys and values; afterwards HKEY_CURRENT_USER must hold exactly what the person changed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <map>
#include <optional>
#include <random>
#include <set>
#include <string>
#include <string_view>
#include <utility>
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
using RegistrySeed::Hive;
using testing::AssertionFailure;
using testing::AssertionResult;
using testing::AssertionSuccess;

constexpr wchar_t kMenuClass[] = L"#32768";
constexpr wchar_t kListClass[] = L"ComboLBox";

// Keys that others write while a test runs, each left out of every snapshot by name; the program names none of them.
// Wine rewrites its temporary system parameters whenever a program with windows starts. On Windows the shell and the
// text services keep their records (Explorer's FeatureUsage and UserAssist, the MUI cache, CTF); only Windows can
// confirm that they write nowhere else meanwhile.
constexpr const wchar_t* kWrittenByWine[] = {L"Software\\Wine\\Temporary System Parameters"};
constexpr const wchar_t* kWrittenByWindows[] = {
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\FeatureUsage",
    L"Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\UserAssist",
    L"Software\\Classes\\Local Settings\\Software\\Microsoft\\Windows\\Shell\\MuiCache", L"Software\\Microsoft\\CTF"};

// Whether path is key or below it; key names compare without regard to case, as the registry compares them.
bool IsBelow(const std::wstring& path, std::wstring_view key) {
  const auto length = static_cast<int>(key.size());
  return path.size() >= key.size() &&
         CompareStringOrdinal(path.data(), length, key.data(), length, TRUE) == CSTR_EQUAL &&
         (path.size() == key.size() || path[key.size()] == L'\\');
}

Hive SnapshotCurrentUser() {
  return RegistrySeed::Snapshot(L"", [](const std::wstring& path) {
    const auto below = [&](const wchar_t* key) { return IsBelow(path, key); };
    return UnderWine() ? std::any_of(std::begin(kWrittenByWine), std::end(kWrittenByWine), below)
                       : std::any_of(std::begin(kWrittenByWindows), std::end(kWrittenByWindows), below);
  });
}

// The snapshots must be the same: no key created or removed, no value added, removed or changed, byte for byte.
AssertionResult SameHive(const Hive& expected, const Hive& actual) {
  AssertionResult failure = AssertionFailure() << "HKEY_CURRENT_USER is not as expected:";
  bool same = true;
  std::set<std::wstring> keys;
  for (const auto* hive : {&expected, &actual}) {
    for (const auto& entry : *hive) {
      keys.insert(entry.first);
    }
  }
  for (const std::wstring& key : keys) {
    const auto want = expected.find(key);
    const auto got = actual.find(key);
    if (want == expected.end() || got == actual.end()) {
      failure << "\n  [" << key << "] " << (got == actual.end() ? "is missing" : "was added");
      same = false;
      continue;
    }
    std::set<std::wstring> names;
    for (const auto* values : {&want->second, &got->second}) {
      for (const auto& value : *values) {
        names.insert(value.first);
      }
    }
    for (const std::wstring& name : names) {
      const auto lookup = [&](const RegistrySeed::Values& values) {
        const auto found = values.find(name);
        return found == values.end() ? std::wstring(L"(none)") : found->second;
      };
      if (lookup(want->second) != lookup(got->second)) {
        failure << "\n  [" << key << "] \"" << name << "\": expected " << lookup(want->second) << ", found "
                << lookup(got->second);
        same = false;
      }
    }
  }
  return same ? AssertionSuccess() : failure;
}

// The snapshot after a Change that stored value for account.
void ExpectStored(Hive& hive, const std::wstring& account, DWORD value) {
  const std::wstring key = RegistrySeed::PreferencesKey(account);
  hive[key][kEnablePlugins] = RegistrySeed::ValueText(REG_DWORD, &value, sizeof value);
}

class SessionTest : public WindowFixture {
 protected:
  // Starts the program as WindowFixture does and checks that Combo1 lists the accounts, at least two of them.
  AssertionResult Launch() {
    if (AssertionResult launched = WindowFixture::Launch(); !launched) {
      return launched;
    }
    const std::vector<std::wstring> accounts = RegistrySeed::AccountNames();
    items_ = ComboItems(Control(kCombo1));
    if (items_ != accounts || accounts.size() < 2) {
      return AssertionFailure() << "Combo1 lists " << items_.size() << " items, not the " << accounts.size()
                                << " accounts";
    }
    return AssertionSuccess();
  }

  LRESULT IndexOf(const std::wstring& account) const {
    return static_cast<LRESULT>(ItemIndex(window_, account.c_str()));
  }

  // Puts the focus in Combo1's field with a click, as a person would before typing. The click lands a little left or
  // right of the last one, so two in quick succession never make a double click (which selects, but does not focus).
  AssertionResult ClickIntoField() const {
    if (FocusedControlId(window_) == kCombo1) {
      return AssertionSuccess();
    }
    POINT point = ScreenCentre(Field());
    point.x += (fieldClicks_++ % 2 == 0 ? 1 : -1) * 2 * GetSystemMetrics(SM_CXDOUBLECLK);
    ClickAt(point);
    return FocusIsOn(kCombo1);
  }

  // Combo1 shows item index (or, for CB_ERR, its first text) as both its text and its choice.
  AssertionResult ComboShows(LRESULT index) const {
    HWND combo = Control(kCombo1);
    const std::wstring expected = index == CB_ERR ? std::wstring(kComboText) : items_[static_cast<size_t>(index)];
    const std::wstring text = Text(combo);
    if (text != expected || ComboSelection(combo) != index) {
      return AssertionFailure() << "Combo1 shows \"" << text << "\" as item " << ComboSelection(combo) << ", not \""
                                << expected << "\" as item " << index;
    }
    return AssertionSuccess();
  }

  std::vector<std::wstring> items_;
  mutable int fieldClicks_ = 0;
};

const wchar_t* MessageFor(bool changed) { return changed ? Form1::kChanged : Form1::kNotChanged; }

class SessionSafety : public SessionTest {};

TEST_F(SessionSafety, AnIdleRunChangesNothing) {
  const Hive before = SnapshotCurrentUser();
  ASSERT_TRUE(Launch());
  ASSERT_TRUE(InputHandled());
  ClickCentre(Control(kExit));
  ASSERT_EQ(program_->WaitForExit(), std::optional<DWORD>(0));
  EXPECT_TRUE(SameHive(before, SnapshotCurrentUser()));
}

TEST_F(SessionSafety, OnlyTheValuesChangedOnPurposeDiffer) {
  const Hive before = SnapshotCurrentUser();
  Hive expected = before;
  ASSERT_TRUE(Launch());
  ASSERT_TRUE(ChangeSays(Form1::kNotChanged, Dismissal::Enter));  // nothing chosen yet

  // The account, the option clicked before Change (0 for none) and what Change stores, if anything.
  // clang-format off
  const struct {
    std::wstring account;
    int option;
    std::optional<DWORD> stored;
  } kSteps[] = {
      {kFiveAccount, 0, 1},            {kNoAccount, kOptYes, 1},         {kYesAccount, kOptNo, 0},
      {kNoValueAccount, 0, 1},         {kNoPreferencesAccount, kOptNo, {}}, {kLongAccount, kOptYes, 1},
      {L" spaced @ name ", kOptNo, 0}, {L"Case@Example.com", kOptNo, 0}, {L"deep@x.com", kOptYes, 1},
      {L"@lead.example", 0, 0},
  };
  // clang-format on
  for (const auto& step : kSteps) {
    SCOPED_TRACE(testing::Message() << "account \"" << step.account << "\"");
    ASSERT_TRUE(ClickListItem(IndexOf(step.account)));
    bool read = false;
    ASSERT_TRUE(ShowsSettingOf(step.account, read));
    if (step.option != 0) {
      ClickCentre(Control(step.option));
      ASSERT_TRUE(OptionsShow(step.option == kOptYes ? Shown::Yes : Shown::No));
    }
    EXPECT_TRUE(ChangeSays(MessageFor(read && step.stored.has_value()), Dismissal::ClickOk));
    if (read && step.stored) {
      ExpectStored(expected, step.account, *step.stored);
      EXPECT_EQ(RegistrySeed::ReadDword(RegistrySeed::PreferencesKey(step.account), kEnablePlugins), step.stored);
    }
  }
  ClickCentre(Control(kExit));
  ASSERT_EQ(program_->WaitForExit(), std::optional<DWORD>(0));
  EXPECT_TRUE(SameHive(expected, SnapshotCurrentUser()));
}

// Text for the action log, with control characters spelled out.
std::wstring Printable(const std::wstring& text) {
  std::wstring printable;
  for (const wchar_t c : text) {
    printable += c == L'\b' ? L"\\b" : c == L'\r' ? L"\\r" : c == L'\n' ? L"\\n" : std::wstring(1, c);
  }
  return printable;
}

// What a person does in the random session.
enum class Act {
  ListClick,
  Down,
  Up,
  WheelDown,
  WheelUp,
  ClickYes,
  ClickNo,
  Space,
  Change,
  Type,
  CtrlV,
  ShiftInsert,
  Enter,
  Escape,
  Tab
};
constexpr struct {
  Act act;
  const wchar_t* name;
  double weight;
} kActs[] = {
    {Act::ListClick, L"ListClick", 3}, {Act::Down, L"Down", 2},       {Act::Up, L"Up", 2},
    {Act::WheelDown, L"WheelDown", 1}, {Act::WheelUp, L"WheelUp", 1}, {Act::ClickYes, L"ClickYes", 2},
    {Act::ClickNo, L"ClickNo", 2},     {Act::Space, L"Space", 1},     {Act::Change, L"Change", 3},
    {Act::Type, L"Type", 2},           {Act::CtrlV, L"CtrlV", 1},     {Act::ShiftInsert, L"ShiftInsert", 1},
    {Act::Enter, L"Enter", 1},         {Act::Escape, L"Escape", 1},   {Act::Tab, L"Tab", 1},
};

class RandomSession : public SessionTest {
 protected:
  // The model of what the window and the registry should hold.
  struct Model {
    LRESULT chosen = CB_ERR;
    Shown shown = Shown::Neither;
    std::set<std::wstring> withPreferences;
    std::map<std::wstring, DWORD> stored;  // EnablePlugins of accounts that have it
    std::set<std::wstring> unreadable;     // accounts that did not open when first chosen
    Hive hive;

    Shown ShownFor(const std::wstring& account) const {
      const auto value = stored.find(account);
      return value == stored.end() || unreadable.count(account) != 0 ? Shown::Neither
             : value->second == 0                                    ? Shown::No
                                                                     : Shown::Yes;
    }
  };

  void Load(Model& model) const {
    model.hive = SnapshotCurrentUser();
    for (const std::wstring& account : items_) {
      if (RegistrySeed::KeyExists(RegistrySeed::PreferencesKey(account))) {
        model.withPreferences.insert(account);
      }
      if (const auto value = RegistrySeed::ReadDword(RegistrySeed::PreferencesKey(account), kEnablePlugins)) {
        model.stored[account] = *value;
      }
    }
  }

  // Moves the choice to index by act and checks the options then show that account's stored setting. Choosing the
  // chosen account again may reload its stored setting or keep the options as they are: either is consistent.
  AssertionResult Choose(Model& model, Act act, LRESULT index) const {
    switch (act) {
      case Act::ListClick:
        if (AssertionResult clicked = ClickListItem(index); !clicked) {
          return clicked;
        }
        break;
      case Act::Down:
      case Act::Up:
        if (AssertionResult focused = ClickIntoField(); !focused) {
          return focused;
        }
        PressKey(act == Act::Down ? WORD{VK_DOWN} : WORD{VK_UP});
        break;
      default:
        // Over the arrow button: wine's edit control swallows the wheel over the field (MouseWheel tests both places).
        WheelAt(ComboArrowPoint(Control(kCombo1)), act == Act::WheelDown ? -1 : 1);
        break;
    }
    if (!WaitUntil([&] { return ComboSelection(Control(kCombo1)) == index; })) {
      return AssertionFailure() << "Combo1's choice is item " << ComboSelection(Control(kCombo1)) << ", not " << index;
    }
    if (AssertionResult handled = InputHandled(); !handled) {
      return handled;
    }
    const std::wstring& account = items_[static_cast<size_t>(index)];
    bool read = true;
    if (index != model.chosen && MayBeUnreadable(account) && model.unreadable.count(account) == 0) {
      if (AssertionResult shows = ShowsSettingOf(account, read); !shows) {
        return shows;
      }
      if (!read) {
        model.unreadable.insert(account);  // and so it must stay, every time it is chosen
      }
    }
    const Shown stored = model.ShownFor(account);
    if (index != model.chosen || Showing() == stored) {
      model.shown = stored;
    }
    model.chosen = index;
    return OptionsShow(model.shown);
  }

  // Clicks Change; the message, and the value stored, follow the model.
  AssertionResult Change(Model& model, bool clickOk) const {
    const std::wstring account = model.chosen == CB_ERR ? kComboText : items_[static_cast<size_t>(model.chosen)];
    const bool changes =
        model.chosen != CB_ERR && model.withPreferences.count(account) != 0 && model.unreadable.count(account) == 0;
    const Dismissal how = clickOk ? Dismissal::ClickOk : Dismissal::Enter;
    if (AssertionResult said = ChangeSays(MessageFor(changes), how); !said) {
      return said;
    }
    if (changes) {
      model.stored[account] = model.shown == Shown::No ? 0 : 1;
      ExpectStored(model.hive, account, model.stored[account]);
    }
    const std::wstring key = RegistrySeed::PreferencesKey(account);
    const auto value = RegistrySeed::ReadDword(key, kEnablePlugins);
    if (changes && value != model.stored[account]) {
      return AssertionFailure() << "Change, with " << Describe(model.shown) << ", stored "
                                << (value ? std::to_string(*value) : "nothing");
    }
    if (!changes && RegistrySeed::KeyExists(key) != (model.withPreferences.count(account) != 0)) {
      return AssertionFailure() << "Change created or removed the key " << key;
    }
    return InputHandled();
  }
};

TEST_F(RandomSession, KeepsTheWindowAndTheRegistryConsistent) {
  constexpr std::uint32_t kSeed = 20240611;
  constexpr int kActions = 300;
  std::mt19937 random(kSeed);
  std::vector<double> weights;
  for (const auto& act : kActs) {
    weights.push_back(act.weight);
  }
  std::discrete_distribution<size_t> pickAct(weights.begin(), weights.end());
  const auto pick = [&](size_t count) { return std::uniform_int_distribution<size_t>(0, count - 1)(random); };
  std::wstring log;
  const auto trail = [&] { return testing::Message() << "seed " << kSeed << ", actions:" << log; };

  ASSERT_TRUE(Launch());
  Model model;
  Load(model);
  const auto last = static_cast<LRESULT>(items_.size()) - 1;
  for (int step = 1; step <= kActions; ++step) {
    const auto& act = kActs[pickAct(random)];
    log += L"\n  " + std::to_wstring(step) + L" " + act.name;
    AssertionResult done = AssertionSuccess();
    switch (act.act) {
      case Act::ListClick:
      case Act::Down:
      case Act::Up:
      case Act::WheelDown:
      case Act::WheelUp: {
        const bool forward = act.act == Act::Down || act.act == Act::WheelDown;
        // The closed list steps one item and stops at either end; from no choice either key takes the first item.
        LRESULT index = model.chosen == CB_ERR ? 0
                        : forward              ? std::min(model.chosen + 1, last)
                                               : std::max<LRESULT>(model.chosen - 1, 0);
        if (act.act == Act::ListClick) {
          index = static_cast<LRESULT>(pick(items_.size()));
        }
        log += L" -> \"" + items_[static_cast<size_t>(index)] + L"\"";
        done = Choose(model, act.act, index);
        break;
      }
      case Act::ClickYes:
      case Act::ClickNo: {
        const int option = act.act == Act::ClickYes ? kOptYes : kOptNo;
        ClickCentre(Control(option));
        model.shown = option == kOptYes ? Shown::Yes : Shown::No;
        // The click moves the focus; Tab must not start from where the focus was before it.
        done = FocusIsOn(option);
        if (done) {
          done = InputHandled();
        }
        break;
      }
      case Act::Space:
        done = TabTo({kOptYes, kOptNo});
        if (done) {
          model.shown = FocusedControlId(window_) == kOptYes ? Shown::Yes : Shown::No;
          PressKey(VK_SPACE);
          done = InputHandled();
        }
        break;
      case Act::Change: {
        const bool clickOk = pick(2) == 0;
        log += clickOk ? L", OK clicked" : L", Enter";
        done = Change(model, clickOk);
        break;
      }
      case Act::Type:
        done = ClickIntoField();
        if (done) {
          const std::wstring pool = L"abXY19@._- \b";
          std::wstring text;
          for (size_t length = 1 + pick(5); text.size() < length;) {
            text += pool[pick(pool.size())];
          }
          const struct {
            WORD key;
            const wchar_t* name;
          } keys[] = {{VK_HOME, L"Home"}, {VK_END, L"End"}, {VK_DELETE, L"Delete"}, {VK_BACK, L"Backspace"}};
          const auto& key = keys[pick(std::size(keys))];
          log += L" \"" + Printable(text) + L"\" then " + key.name;
          TypeText(text);
          PressKey(key.key);
          done = InputHandled();
        }
        break;
      case Act::CtrlV:
      case Act::ShiftInsert: {
        const std::wstring texts[] = {items_[pick(items_.size())], L"zz@paste.example", L"", L"two\r\nlines@x.com"};
        const std::wstring& text = texts[pick(std::size(texts))];
        log += L" \"" + Printable(text) + L"\"";
        done = PutOnClipboard(text) ? ClickIntoField() : AssertionFailure() << "the clipboard takes no text";
        if (done) {
          PressChord(act.act == Act::CtrlV ? std::initializer_list<WORD>{VK_CONTROL, 'V'}
                                           : std::initializer_list<WORD>{VK_SHIFT, VK_INSERT});
          done = InputHandled();
        }
        break;
      }
      case Act::Enter:
      case Act::Escape:
        log += L" on control " + std::to_wstring(FocusedControlId(window_));
        PressKey(act.act == Act::Enter ? WORD{VK_RETURN} : WORD{VK_ESCAPE});
        done = InputHandled();
        break;
      case Act::Tab:
        done = InputHandled();
        break;
    }
    ASSERT_TRUE(done) << trail();
    ASSERT_TRUE(NoMessageBox()) << trail();
    ASSERT_TRUE(ComboShows(model.chosen)) << trail();
    ASSERT_TRUE(OptionsShow(model.shown)) << trail();
  }
  ClickCentre(Control(kExit));
  ASSERT_EQ(program_->WaitForExit(), std::optional<DWORD>(0)) << trail();
  EXPECT_TRUE(SameHive(model.hive, SnapshotCurrentUser())) << trail();
}

using Chords = std::initializer_list<std::initializer_list<WORD>>;

// Types text into the focused control, then presses each chord in turn.
AssertionResult Input(std::wstring_view text, Chords chords = {}) {
  TypeText(text);
  for (const auto& chord : chords) {
    PressChord(chord);
  }
  return AssertionSuccess();
}

AssertionResult Press(Chords chords) { return Input(L"", chords); }

// Opens the context menu of Combo1's field with a right click and picks the item of each accelerator letter in turn.
// Escape follows each letter: it closes the menu when the item is unavailable, and presses nothing otherwise.
AssertionResult FromContextMenu(HWND window, std::initializer_list<WORD> letters) {
  HWND field = ComboEdit(GetDlgItem(window, kCombo1));
  for (const WORD letter : letters) {
    RightClickAt(ScreenCentre(field));
    if (WaitForThreadWindow(window, kMenuClass) == nullptr) {
      return AssertionFailure() << "a right click on Combo1's field opens no context menu";
    }
    PressKey(letter);
    PressKey(VK_ESCAPE);
    if (!WaitUntil([&] { return FindThreadWindow(window, kMenuClass) == nullptr; })) {
      return AssertionFailure() << "the context menu stays open";
    }
  }
  return AssertionSuccess();
}

AssertionResult Click(HWND window, int id) { return ClickCentre(GetDlgItem(window, id)), AssertionSuccess(); }

// Drags the mouse from one control of the window onto another, Combo1 meaning its field.
AssertionResult Drag(HWND window, int from, int to) {
  const auto control = [&](int id) {
    return id == kCombo1 ? ComboEdit(GetDlgItem(window, id)) : GetDlgItem(window, id);
  };
  DragFromTo(ScreenCentre(control(from)), ScreenCentre(control(to)));
  return AssertionSuccess();
}

// Sends message to a control of the program from this process, as another program does (a screen reader's or
// automation tool's "set value" or selection, Windows' context menu's "Insert Unicode control character").
AssertionResult SendTo(HWND control, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR result = 0;
  if (control == nullptr || !SendMessageTimeoutW(control, message, wParam, lParam, SMTO_ABORTIFHUNG, 5000, &result)) {
    return AssertionFailure() << "message " << message << " did not reach control " << GetDlgCtrlID(control);
  }
  return AssertionSuccess();
}

AssertionResult ToCombo(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return SendTo(GetDlgItem(window, kCombo1), message, wParam, lParam);
}

AssertionResult ToField(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  return SendTo(ComboEdit(GetDlgItem(window, kCombo1)), message, wParam, lParam);
}

LPARAM Param(const wchar_t* text) { return reinterpret_cast<LPARAM>(text); }

// The first failure of steps taken in turn, or success.
AssertionResult Steps(std::initializer_list<AssertionResult> steps) {
  const auto failed = std::find_if(steps.begin(), steps.end(), [](const AssertionResult& step) { return !step; });
  return failed == steps.end() ? AssertionSuccess() : *failed;
}

// Opens Combo1's list with F4, as a person does from the field.
AssertionResult OpenList(HWND window) {
  PressKey(VK_F4);
  return WaitUntil([&] { return ComboDroppedDown(GetDlgItem(window, kCombo1)); })
             ? AssertionSuccess()
             : AssertionFailure() << "F4 does not open Combo1's list";
}

// What UI Automation's selection of a list item does through the Win32 proxy: it opens the list, selects the item
// in it, tells the combo box as the list would, and closes the list.
AssertionResult SelectAsUiAutomation(HWND window, const wchar_t* account) {
  AssertionResult opened = ToCombo(window, CB_SHOWDROPDOWN, TRUE, 0);
  HWND list = FindThreadWindow(window, kListClass);
  return Steps(
      {opened, SendTo(list, LB_SETCURSEL, ItemIndex(window, account), 0),
       ToCombo(window, WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(list), LBN_SELCHANGE), reinterpret_cast<LPARAM>(list)),
       ToCombo(window, CB_SHOWDROPDOWN, FALSE, 0)});
}

// Where a route leaves the choice: on the account chosen before it, on another, or either (Windows and wine may
// differ, and both are sound as long as the rule holds).
enum class Choice { Kept, Moved, Either };

// A way the list's selection or the field's text may change, with the focus in the field and another account's name
// on the clipboard.
struct Route {
  AssertionResult (*act)(HWND window);
  Choice choice;
};

class OneAccountInView : public SessionTest, public testing::WithParamInterface<Case<Route>> {};

// The rule, whatever the route: the field and the list name one listed account; the options show its stored setting
// (or, for the account chosen before, the option clicked since); Change writes that account, with the option shown,
// and nothing else changes anywhere. The other option is clicked first, so a route that chose the same account again
// would show in the options too.
TEST_P(OneAccountInView, FieldOptionsAndChangeAgree) {
  ASSERT_TRUE(PutOnClipboard(kNoAccount));
  const Hive before = SnapshotCurrentUser();
  ASSERT_TRUE(Launch());
  ASSERT_TRUE(ClickListItem(IndexOf(kYesAccount)));
  ASSERT_TRUE(OptionsShow(Shown::Yes));
  ClickCentre(Control(kOptNo));
  ASSERT_TRUE(OptionsShow(Shown::No));
  ASSERT_TRUE(ClickIntoField());

  ASSERT_TRUE(GetParam().value.act(window_));
  ASSERT_TRUE(InputHandled());
  EXPECT_TRUE(NoMessageBox());
  const LRESULT index = ComboSelection(Control(kCombo1));
  ASSERT_NE(index, CB_ERR) << "Combo1 names no account";
  ASSERT_TRUE(ComboShows(index));
  const std::wstring& account = items_[static_cast<size_t>(index)];
  const Choice choice = account == kYesAccount ? Choice::Kept : Choice::Moved;
  EXPECT_TRUE(GetParam().value.choice == Choice::Either || GetParam().value.choice == choice) << Text(Field());
  const Shown options = Showing();
  bool read = true;
  if (choice == Choice::Moved || options != Shown::No) {
    ASSERT_TRUE(ShowsSettingOf(account, read));
  }
  const bool changes = read && RegistrySeed::KeyExists(RegistrySeed::PreferencesKey(account));
  ASSERT_TRUE(ChangeSays(MessageFor(changes), Dismissal::Enter));
  Hive expected = before;
  if (changes) {
    ExpectStored(expected, account, options == Shown::No ? 0 : 1);
  }
  EXPECT_TRUE(SameHive(expected, SnapshotCurrentUser()));
}

using enum Choice;

// One row a line, as a table.
// clang-format off
const Case<Route> kRoutes[] = {
    {"TextSetByAnotherProgram", {[](HWND w) { return ToField(w, WM_SETTEXT, 0, Param(kNoAccount)); }, Kept}},
    {"ComboTextSetByAnotherProgram", {[](HWND w) { return ToCombo(w, WM_SETTEXT, 0, Param(kNoAccount)); }, Kept}},
    {"ControlCharacterInserted", {[](HWND w) { return ToField(w, EM_REPLACESEL, FALSE, Param(L"\u202e")); }, Kept}},
    {"SelectionSetByAnotherProgram", {[](HWND w) { return ToCombo(w, CB_SETCURSEL, ItemIndex(w, kFiveAccount), 0); }, Kept}},
    {"StringSelectedByAnotherProgram", {[](HWND w) { return ToCombo(w, CB_SELECTSTRING, WPARAM(-1), Param(kFiveAccount)); }, Kept}},
    {"TextReplacedWithTheListOpen", {[](HWND w) { return Steps({OpenList(w), ToField(w, EM_SETSEL, 0, -1), ToField(w, EM_REPLACESEL, FALSE, Param(kFiveAccount)), Press({{VK_RETURN}})}); }, Kept}},
    {"SelectionSetWithTheListOpen", {[](HWND w) { return Steps({OpenList(w), ToCombo(w, CB_SETCURSEL, ItemIndex(w, kFiveAccount), 0), Press({{VK_RETURN}})}); }, Kept}},
    {"UiAutomationSelection", {[](HWND w) { return SelectAsUiAutomation(w, kFiveAccount); }, Moved}},
    {"ArrowDown", {[](HWND) { return Press({{VK_DOWN}}); }, Moved}},
    {"OpenListDownEnter", {[](HWND w) { return Steps({OpenList(w), Press({{VK_DOWN}, {VK_RETURN}})}); }, Moved}},
    {"OpenListDownEscape", {[](HWND w) { return Steps({OpenList(w), Press({{VK_DOWN}, {VK_ESCAPE}})}); }, Either}},
    {"OpenListDownClickElsewhere", {[](HWND w) { return Steps({OpenList(w), Press({{VK_DOWN}}), Click(w, kLabel1)}); }, Either}},
    {"TypingAnAccountName", {[](HWND) { return Input(kNoAccount); }, Kept}},
    {"DigitsAndUnicode", {[](HWND) { return Input(L"10\u00e9@x"); }, Kept}},
    {"AltBackspace", {[](HWND) { return Press({{VK_MENU, VK_BACK}}); }, Kept}},
    {"EndBackspaces", {[](HWND) { return Press({{VK_END}, {VK_BACK}, {VK_BACK}, {VK_BACK}}); }, Kept}},
    {"HomeDeletes", {[](HWND) { return Press({{VK_HOME}, {VK_DELETE}, {VK_DELETE}}); }, Kept}},
    {"SelectionDeleted", {[](HWND) { return Press({{VK_HOME}, {VK_SHIFT, VK_END}, {VK_DELETE}}); }, Kept}},
    {"SelectionBackspaced", {[](HWND) { return Press({{VK_END}, {VK_SHIFT, VK_HOME}, {VK_BACK}}); }, Kept}},
    {"CtrlV", {[](HWND) { return Press({{VK_CONTROL, 'V'}}); }, Kept}},
    {"ShiftInsert", {[](HWND) { return Press({{VK_SHIFT, VK_INSERT}}); }, Kept}},
    {"CtrlX", {[](HWND) { return Press({{VK_HOME}, {VK_SHIFT, VK_END}, {VK_CONTROL, 'X'}}); }, Kept}},
    {"ShiftDelete", {[](HWND) { return Press({{VK_HOME}, {VK_SHIFT, VK_END}, {VK_SHIFT, VK_DELETE}}); }, Kept}},
    {"CtrlZAfterTyping", {[](HWND) { return Input(L"zz", {{VK_CONTROL, 'Z'}}); }, Kept}},
    {"MenuPaste", {[](HWND w) { return FromContextMenu(w, {'P'}); }, Kept}},
    {"MenuSelectAllThenPaste", {[](HWND w) { return FromContextMenu(w, {'A', 'P'}); }, Kept}},
    {"MenuSelectAllThenCut", {[](HWND w) { return FromContextMenu(w, {'A', 'T'}); }, Kept}},
    {"MenuSelectAllThenDelete", {[](HWND w) { return FromContextMenu(w, {'A', 'D'}); }, Kept}},
    {"MenuUndoAfterTyping", {[](HWND w) { Input(L"zz"); return FromContextMenu(w, {'U'}); }, Kept}},
    // Wine's own controls cannot start an OLE drag of text, so no text can be dropped here: these drags only end on
    // the field or start in it.
    {"DragFromLabelOntoField", {[](HWND w) { return Drag(w, kLabel1, kCombo1); }, Kept}},
    {"DragFromFieldOntoChange", {[](HWND w) { return Drag(w, kCombo1, kChange); }, Kept}},
};
// clang-format on

INSTANTIATE_TEST_SUITE_P(Routes, OneAccountInView, testing::ValuesIn(kRoutes), CaseName());

class ContextMenu : public SessionTest {};

// The menu rows above only mean something if the menu's letters reach it: Copy, which may work, proves they do.
TEST_F(ContextMenu, CopyPutsTheFieldTextOnTheClipboard) {
  ASSERT_TRUE(PutOnClipboard(kNoAccount));
  ASSERT_TRUE(Launch());
  ASSERT_TRUE(ClickListItem(IndexOf(kYesAccount)));
  ASSERT_TRUE(FromContextMenu(window_, {'A', 'C'}));
  EXPECT_TRUE(WaitUntil([] { return ClipboardText() == kYesAccount; }))
      << "the clipboard holds \"" << ClipboardText().value_or(L"no text") << "\"";
}

// Where the mouse wheel turns over the closed combo: its field, or its arrow button.
enum class WheelOver { Field, Arrow };

class MouseWheel : public SessionTest, public testing::WithParamInterface<Case<WheelOver>> {};

TEST_P(MouseWheel, StepsThroughTheAccountsLikeTheArrowKeys) {
  ASSERT_TRUE(Launch());
  const auto last = static_cast<LRESULT>(items_.size()) - 1;
  // Down from no choice to the last account, then up to the first; the options follow each account's setting.
  LRESULT from = CB_ERR;
  for (LRESULT step = 0; step <= 2 * last; ++step) {
    const LRESULT index = step <= last ? step : 2 * last - step;
    SCOPED_TRACE(testing::Message() << "wheel from item " << from << " to " << index);
    HWND combo = Control(kCombo1);
    const POINT at = GetParam().value == WheelOver::Field ? ScreenCentre(Field()) : ComboArrowPoint(combo);
    WheelAt(at, index > from ? -1 : 1);
    ASSERT_TRUE(WaitUntil([&] { return ComboSelection(combo) == index; }))
        << "Combo1's choice stays at item " << ComboSelection(combo);
    ASSERT_TRUE(ComboShows(index));
    bool read = false;
    ASSERT_TRUE(ShowsSettingOf(items_[static_cast<size_t>(index)], read));
    from = index;
  }
}

INSTANTIATE_TEST_SUITE_P(Places, MouseWheel,
                         testing::Values(Case<WheelOver>{"Field", WheelOver::Field},
                                         Case<WheelOver>{"Arrow", WheelOver::Arrow}),
                         CaseName());

class ChangeButton : public SessionTest {};

TEST_F(ChangeButton, DoubleClickGivesExactlyOneMessage) {
  ASSERT_TRUE(Launch());
  ASSERT_TRUE(ClickListItem(IndexOf(kNoValueAccount)));
  DoubleClickAt(ScreenCentre(Control(kChange)));
  HWND box = nullptr;
  ASSERT_TRUE(MessageBoxShows(Form1::kChanged, box));
  ASSERT_TRUE(Dismiss(box, Dismissal::Enter));
  // A second message would open before Tab is handled and take the focus from the window.
  EXPECT_TRUE(InputHandled());
  EXPECT_TRUE(NoMessageBox());
  EXPECT_EQ(RegistrySeed::ReadDword(RegistrySeed::PreferencesKey(kNoValueAccount), kEnablePlugins),
            std::optional<DWORD>(1));
}

// Enter and Escape with the focus on each control press nothing. An account whose Preferences key lacks the value is
// chosen, so that neither option is selected and both take the focus, and a Change would show in the registry.
TEST_F(SessionSafety, EnterAndEscapePressNothing) {
  const Hive before = SnapshotCurrentUser();
  ASSERT_TRUE(Launch());
  const LRESULT index = IndexOf(kNoValueAccount);
  ASSERT_TRUE(ClickListItem(index));
  ASSERT_TRUE(OptionsShow(Shown::Neither));
  for (const int id : std::initializer_list<int>{kCombo1, kOptYes, kOptNo, kChange, kExit}) {
    for (const WORD key : {WORD{VK_RETURN}, WORD{VK_ESCAPE}}) {
      SCOPED_TRACE(testing::Message() << (key == VK_RETURN ? "Enter" : "Escape") << " on " << ControlName(id));
      ASSERT_TRUE(TabTo({id}));
      PressKey(key);
      ASSERT_TRUE(InputHandled());
      ASSERT_TRUE(NoMessageBox());
      ASSERT_TRUE(ComboShows(index));
      ASSERT_TRUE(OptionsShow(Shown::Neither));
    }
  }
  EXPECT_TRUE(SameHive(before, SnapshotCurrentUser()));
}

}  // namespace
