// What a screen reader reads of the running window, asked through UI Automation as it asks: the window, each
// control's name, type and focusability, the options within their group, and choosing an account by its list item.
#include <gtest/gtest.h>

#include <functional>
#include <string>

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
    // Under wine there is no Windows accessibility layer to ask (wine 8.0 has no UI Automation client).
    if (UnderWine()) {
      GTEST_SKIP()
          << "under wine, whose accessibility answers are not Windows' (creating a UI Automation client gives 0x"
          << std::hex << created << "): only Windows shows what a screen reader reads";
    }
    ASSERT_EQ(created, S_OK) << "no UI Automation client";
    ASSERT_EQ(automation_.Get()->get_ControlViewWalker(walker_.Put()), S_OK);
    ASSERT_TRUE(Launch());
  }

  Element Of(int id) const {
    Element element;
    automation_.Get()->ElementFromHandle(Control(id), element.Put());
    return element;
  }
  // The first element below parent, at most depth levels down in the control view, for which wanted holds.
  Element Find(const Element& parent, int depth, const std::function<bool(const Element&)>& wanted) const {
    Element child;
    for (walker_.Get()->GetFirstChildElement(parent.Get(), child.Put()); child;) {
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
  // The options' selection items say what their check marks show.
  testing::AssertionResult OptionsAgree() const {
    for (const int id : {kOptYes, kOptNo}) {
      if (Read(Of(id), kIsSelected) != (IsChecked(Control(id)) ? L"true" : L"false")) {
        return testing::AssertionFailure() << ControlName(id) << "'s IsSelected disagrees with its check mark";
      }
    }
    return testing::AssertionSuccess();
  }

  // Released with each test's fixture, before the suite ends its use of COM.
  Com<IUIAutomation> automation_;
  Com<IUIAutomationTreeWalker> walker_;
};

TEST_F(Accessibility, FindsTheWindowAmongTheDesktopsChildren) {
  Element root;
  ASSERT_EQ(automation_.Get()->GetRootElement(root.Put()), S_OK);
  const std::wstring handle = std::to_wstring(static_cast<long>(reinterpret_cast<INT_PTR>(window_)));
  const Element found = Find(root, 1, [&](const Element& e) { return Read(e, kNativeWindowHandle) == handle; });
  ASSERT_TRUE(found) << "UI Automation lists no window of the program among the desktop's";
  EXPECT_EQ(Read(found, kName), kTitle);
}

struct Reading {
  int id;
  const wchar_t* name;
  long type;
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
  EXPECT_EQ(Read(element, kName), row.name);
  EXPECT_EQ(Read(element, kControlType), std::to_wstring(row.type));
  EXPECT_EQ(Read(element, kIsKeyboardFocusable), row.focusable ? L"true" : L"false");
}

INSTANTIATE_TEST_SUITE_P(Accessibility, ControlReading, testing::ValuesIn(kReadings), CaseName());

// The options are the window's children, as Frame1 is: a screen reader announces them within the group that comes
// last before them in reading order (their earlier siblings, then their parents').
TEST_F(Accessibility, OptionsAreRadioButtonsWithinTheirGroup) {
  for (const int id : {kOptYes, kOptNo}) {
    EXPECT_TRUE(Is(Of(id), kRadioButton)) << ControlName(id);
    Element group = Of(id);
    do {
      Element before;
      walker_.Get()->GetPreviousSiblingElement(group.Get(), before.Put());
      if (!before) {
        walker_.Get()->GetParentElement(group.Get(), before.Put());
      }
      group = std::move(before);
    } while (group && !Is(group, kGroup) && !Is(group, kWindow));
    ASSERT_TRUE(group && Is(group, kGroup)) << "no group comes before " << ControlName(id);
    EXPECT_EQ(Read(group, kName), L"Plugins Enabled");
  }
}

// How a screen reader's user chooses: selects an item of Combo1's list. The options then show its setting, and their
// selection items say which.
TEST_F(Accessibility, SelectingAListItemChoosesTheAccount) {
  EXPECT_TRUE(OptionsAgree()) << "before a choice";
  for (const wchar_t* account : {kNoAccount, kYesAccount}) {
    const Element item =
        Find(Of(kCombo1), 2, [&](const Element& e) { return Is(e, kListItem) && Read(e, kName) == account; });
    ASSERT_TRUE(item) << "Combo1's list has no item named " << account;
    Com<IUIAutomationSelectionItemPattern> selection;
    item.Get()->GetCurrentPatternAs(kSelectionItemPattern, kIUIAutomationSelectionItemPattern,
                                    reinterpret_cast<void**>(selection.Put()));
    ASSERT_TRUE(selection) << "the item of " << account << " cannot be selected";
    ASSERT_EQ(selection.Get()->Select(), S_OK);
    EXPECT_TRUE(WaitUntil([&] { return Text(Control(kCombo1)) == account; })) << "Combo1 shows another text";
    EXPECT_TRUE(OptionsShow(StoredShown(account)));
    EXPECT_TRUE(OptionsAgree()) << "after choosing " << account;
  }
}

}  // namespace
