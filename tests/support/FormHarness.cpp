#include "FormHarness.h"

#include "tests/driver/WindowDriver.h"
#include "ui/Form1Layout.h"

using namespace Form1Layout;

namespace {

std::vector<std::wstring>* g_messages = nullptr;
HWND g_window = nullptr;

void CALLBACK DismissMessageBoxes(HWND, UINT, UINT_PTR, DWORD) {
  if (HWND box = WindowDriver::FindThreadWindow(g_window, L"#32770")) {
    g_messages->push_back(WindowDriver::ReadMessageBox(box).text);
    PostMessageW(box, WM_COMMAND, IDOK, 0);
  }
}

}  // namespace

FormHarness::FormHarness() : form_(std::make_unique<Form1>()) { form_->Show(GetModuleHandleW(nullptr), SW_HIDE); }

FormHarness::~FormHarness() {
  form_.reset();
  MSG quit{};
  PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);  // the window's end posts a quit; it is not this test's
}

HWND FormHarness::Control(int id) const { return GetDlgItem(Window(), id); }

std::vector<std::wstring> FormHarness::ListedAccounts() const { return WindowDriver::ComboItems(Control(kCombo1)); }

std::wstring FormHarness::ComboText() const { return WindowDriver::Text(Control(kCombo1)); }

std::wstring FormHarness::SelectedOption() const {
  const bool yes = IsDlgButtonChecked(Window(), kOptYes) == BST_CHECKED;
  const bool no = IsDlgButtonChecked(Window(), kOptNo) == BST_CHECKED;
  return yes && no ? L"both" : yes ? L"Yes" : no ? L"No" : L"";
}

void FormHarness::Choose(int index) {
  SendMessageW(Control(kCombo1), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
  SendMessageW(Window(), WM_COMMAND, MAKEWPARAM(kCombo1, CBN_SELCHANGE), reinterpret_cast<LPARAM>(Control(kCombo1)));
}

void FormHarness::ClickOption(bool yes) { SendMessageW(Control(yes ? kOptYes : kOptNo), BM_CLICK, 0, 0); }

std::vector<std::wstring> FormHarness::ClickChange() {
  std::vector<std::wstring> messages;
  g_messages = &messages;
  g_window = Window();
  const UINT_PTR timer = SetTimer(nullptr, 0, 10, DismissMessageBoxes);
  const int id = kCommand1 + kChangeIndex;
  SendMessageW(Window(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Control(id)));
  KillTimer(nullptr, timer);
  g_messages = nullptr;
  return messages;
}
