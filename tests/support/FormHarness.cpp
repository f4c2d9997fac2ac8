#include "FormHarness.h"

#include "ui/Form1Layout.h"

using namespace Form1Layout;

namespace {

std::vector<std::wstring>* g_messages = nullptr;

BOOL CALLBACK ReadAndDismissBox(HWND window, LPARAM) {
  wchar_t className[16] = {};
  GetClassNameW(window, className, 16);
  if (std::wstring(className) != L"#32770" || !IsWindowVisible(window)) {
    return TRUE;
  }
  wchar_t text[256] = {};
  GetDlgItemTextW(window, 0xFFFF, text, 256);
  g_messages->push_back(text);
  PostMessageW(window, WM_COMMAND, IDOK, 0);
  return FALSE;
}

void CALLBACK DismissMessageBoxes(HWND, UINT, UINT_PTR, DWORD) {
  EnumThreadWindows(GetCurrentThreadId(), ReadAndDismissBox, 0);
}

std::wstring Text(HWND window) {
  wchar_t text[512] = {};
  GetWindowTextW(window, text, 512);
  return text;
}

}  // namespace

FormHarness::FormHarness() : form_(std::make_unique<Form1>()) { form_->Show(GetModuleHandleW(nullptr), SW_HIDE); }

FormHarness::~FormHarness() {
  form_.reset();
  MSG quit{};
  PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);  // the window's end posts a quit; it is not this test's
}

HWND FormHarness::Control(int id) const { return GetDlgItem(Window(), id); }

std::vector<std::wstring> FormHarness::ListedAccounts() const {
  std::vector<std::wstring> names;
  const auto count = SendMessageW(Control(kCombo1), CB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    std::wstring name(static_cast<size_t>(SendMessageW(Control(kCombo1), CB_GETLBTEXTLEN, i, 0)) + 1, L'\0');
    name.resize(static_cast<size_t>(
        SendMessageW(Control(kCombo1), CB_GETLBTEXT, i, reinterpret_cast<LPARAM>(name.data()))));
    names.push_back(name);
  }
  return names;
}

std::wstring FormHarness::ComboText() const { return Text(Control(kCombo1)); }

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
  const UINT_PTR timer = SetTimer(nullptr, 0, 10, DismissMessageBoxes);
  const int id = kCommand1 + kChangeIndex;
  SendMessageW(Window(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED), reinterpret_cast<LPARAM>(Control(id)));
  KillTimer(nullptr, timer);
  g_messages = nullptr;
  return messages;
}
