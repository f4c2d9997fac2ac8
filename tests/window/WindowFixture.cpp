#include "WindowFixture.h"

#include <algorithm>
#include <optional>

#include "tests/driver/UserInput.h"
#include "ui/Form1.h"

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
  switch (id) {
    case kCombo1:
      return "Combo1";
    case kLabel1:
      return "Label1";
    case kFrame1:
      return "Frame1";
    case kOptYes:
      return "optYes";
    case kOptNo:
      return "optNo";
    case kChange:
      return "Command1(0) Change";
    case kExit:
      return "Command1(1) Exit";
    default:
      return "no control of the window";
  }
}

void PrintTo(Dismissal dismissal, std::ostream* out) { *out << (dismissal == Dismissal::ClickOk ? "ClickOk" : "Enter"); }

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

AssertionResult WindowFixture::PickFromOpeningList(LRESULT index) const {
  HWND combo = Control(kCombo1);
  HWND list = nullptr;
  if (!WaitUntil([&] { return ComboDroppedDown(combo) && (list = FindThreadWindow(window_, L"ComboLBox")); })) {
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
    return AssertionFailure() << "the message box says \"" << view.text << "\" titled \"" << view.title
                              << "\", not \"" << text << "\"";
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
