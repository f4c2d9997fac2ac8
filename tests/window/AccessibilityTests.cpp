// What a screen reader reads of the running window, asked through UI Automation as it asks: each control's name,
// type and focusability, the options within their group, and choosing an account through the list's items.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <vector>

#include "tests/driver/UiAutomation.h"
#include "tests/driver/WindowDriver.h"
#include "tests/support/CaseName.h"
#include "tests/window/WindowFixture.h"

namespace {

using namespace Form1Layout;
using namespace UiAutomation;
using namespace WindowDriver;

class Accessibility : public WindowFixture {
 protected:
  static void SetUpTestSuite() { CoInitializeEx(nullptr, COINIT_MULTITHREADED); }
  static void TearDownTestSuite() { CoUninitialize(); }
  void SetUp() override {
    WindowFixture::SetUp();
    if (IsSkipped() || HasFatalFailure()) {
      return;
    }
    const HRESULT created = CoCreateInstance(kCUIAutomation, nullptr, CLSCTX_INPROC_SERVER, kIUIAutomation,
                                             reinterpret_cast<void**>(automation_.Put()));
    // Wine's accessibility layer is not Windows': it answers generically, where it has a UI Automation client at all.
    if (UnderWine()) {
      GTEST_SKIP()
          << "under wine, whose accessibility answers are not Windows' (creating a UI Automation client gives 0x"
          << std::hex << created << "): only Windows shows what a screen reader reads";
    }
    ASSERT_EQ(created, S_OK) << "no UI Automation client";
    ASSERT_EQ(automation_.Get()->get_ControlViewWalker(walker_.Put()), S_OK);
    ASSERT_TRUE(Launch());
  }
  void TearDown() override {
    walker_.Reset();
    automation_.Reset();
    WindowFixture::TearDown();
  }

  Element Of(int id) const {
    Element element;
    automation_.Get()->ElementFromHandle(Control(id), element.Put());
    return element;
  }
  // The first element below parent, at most depth levels down in the control view, for which wanted holds.
  Element Find(const Element& parent, int depth, const std::function<bool(const Element&)>& wanted) const {
    Element child;
    walker_.Get()->GetFirstChildElement(parent.Get(), child.Put());
    while (child) {
      if (wanted(child)) {
        return child;
      }
      if (Element below = depth > 1 ? Find(child, depth - 1, wanted) : Element(); below) {
        return below;
      }
      Element next;
      walker_.Get()->GetNextSiblingElement(child.Get(), next.Put());
      child = std::move(next);
    }
    return Element();
  }
  // What the options' selection items say against what the window shows.
  testing::AssertionResult OptionsAgree() const {
    for (const int id : {kOptYes, kOptNo}) {
      if (Flag(Of(id), kIsSelected) != std::optional<bool>(IsChecked(Control(id)))) {
        return testing::AssertionFailure() << ControlName(id) << "'s IsSelected disagrees with its check mark";
      }
    }
    return testing::AssertionSuccess();
  }

  Com<IUIAutomation> automation_;
  Com<IUIAutomationTreeWalker> walker_;
};

TEST_F(Accessibility, FindsTheWindowAmongTheDesktopsChildren) {
  Element root;
  ASSERT_EQ(automation_.Get()->GetRootElement(root.Put()), S_OK);
  const auto handle = static_cast<long>(reinterpret_cast<INT_PTR>(window_));
  const Element found = Find(root, 1, [&](const Element& e) { return Number(e, kNativeWindowHandle) == handle; });
  ASSERT_TRUE(found) << "UI Automation lists no window of the program among the desktop's";
  EXPECT_EQ(Text(found, kName), std::optional<std::wstring>(kTitle));
}

struct Reading {
  int id;
  const wchar_t* name;
  ControlType type;
  bool focusable;
};
const Case<Reading> kReadings[] = {
    {"Combo1", {kCombo1, L"Select Passport Email:", kComboBox, true}},  // named by Label1 before it
    {"Label1", {kLabel1, L"Select Passport Email:", kText, false}},
    {"Frame1", {kFrame1, L"Plugins Enabled", kGroup, false}},
    {"optYes", {kOptYes, L"Yes", kRadioButton, true}},
    {"optNo", {kOptNo, L"No", kRadioButton, true}},
    {"Change", {kChange, L"Change", kButton, true}},
    {"Exit", {kExit, L"Exit", kButton, true}},
};

class ControlReading : public Accessibility, public testing::WithParamInterface<Case<Reading>> {};

TEST_P(ControlReading, NameTypeAndFocusability) {
  const Reading& row = GetParam().value;
  const Element element = Of(row.id);
  ASSERT_TRUE(element) << "UI Automation has no element for the control";
  EXPECT_EQ(Text(element, kName), std::optional<std::wstring>(row.name));
  EXPECT_EQ(Number(element, kControlType), std::optional<long>(row.type));
  EXPECT_EQ(Flag(element, kIsKeyboardFocusable), std::optional<bool>(row.focusable));
}

INSTANTIATE_TEST_SUITE_P(Accessibility, ControlReading, testing::ValuesIn(kReadings), CaseName());

// The options are the window's children, as Frame1 is: a screen reader announces them within the group that comes
// before them in reading order and encloses them.
TEST_F(Accessibility, OptionsAreRadioButtonsWithinTheirGroup) {
  for (const int id : {kOptYes, kOptNo}) {
    const Element option = Of(id);
    const auto handle = static_cast<long>(reinterpret_cast<INT_PTR>(window_));
    Element group = Of(id);
    do {
      Element before;
      walker_.Get()->GetPreviousSiblingElement(group.Get(), before.Put());
      if (!before) {
        walker_.Get()->GetParentElement(group.Get(), before.Put());
      }
      group = std::move(before);
    } while (group && Number(group, kControlType) != kGroup && Number(group, kNativeWindowHandle) != handle);
    EXPECT_EQ(Number(option, kControlType), std::optional<long>(kRadioButton)) << ControlName(id);
    ASSERT_EQ(Number(group, kControlType), std::optional<long>(kGroup)) << "no group comes before " << ControlName(id);
    EXPECT_EQ(Text(group, kName), std::optional<std::wstring>(L"Plugins Enabled"));
    const RECT inner = Bounds(option);
    const RECT outer = Bounds(group);
    EXPECT_TRUE(inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
                inner.bottom <= outer.bottom && inner.right > inner.left)
        << ControlName(id) << " lies outside the group";
  }
}

TEST_F(Accessibility, OptionsIsSelectedAgreesWithTheWindow) {
  EXPECT_TRUE(OptionsAgree()) << "before a choice";
  const std::vector<std::wstring> items = ComboItems(Control(kCombo1));
  for (const wchar_t* account : {kNoAccount, kYesAccount}) {
    const auto index = std::find(items.begin(), items.end(), account) - items.begin();
    ASSERT_TRUE(ClickListItem(index));
    ASSERT_TRUE(OptionsShow(StoredShown(account)));
    EXPECT_TRUE(OptionsAgree()) << "after choosing " << account;
  }
}

// What a screen reader's user does to choose: select an item of Combo1's list. The options then show its setting.
TEST_F(Accessibility, SelectingAListItemChoosesTheAccount) {
  for (const wchar_t* account : {kNoAccount, kYesAccount}) {
    const Element item = Find(Of(kCombo1), 2, [&](const Element& e) {
      return Number(e, kControlType) == kListItem && Text(e, kName) == std::optional<std::wstring>(account);
    });
    Com<IUIAutomationSelectionItemPattern> selection;
    if (item) {
      item.Get()->GetCurrentPatternAs(kSelectionItemPattern, kIUIAutomationSelectionItemPattern,
                                      reinterpret_cast<void**>(selection.Put()));
    }
    ASSERT_TRUE(selection) << "no list item of Combo1 to select named " << account;
    ASSERT_EQ(selection.Get()->Select(), S_OK);
    EXPECT_TRUE(WaitUntil([&] { return Text(Control(kCombo1)) == account; })) << "Combo1 shows another text";
    EXPECT_TRUE(OptionsShow(StoredShown(account)));
  }
}

}  // namespace
