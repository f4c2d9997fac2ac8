#include "ui/Form1.h"

#include <string_view>
#include <utility>

#include <commctrl.h>
#include <imm.h>

#include "registry/DwordValue.h"
#include "registry/RegistryRoutines.h"
#include "ui/AccountList.h"
#include "ui/CaptionFont.h"
#include "ui/Dpi.h"
#include "ui/Form1Layout.h"
#include "ui/HostProduct.h"

using namespace Form1Layout;
using namespace Form1Controls;

namespace {

constexpr UINT_PTR kComboFieldSubclass = 1;

std::wstring WindowText(HWND window) {
  std::wstring text(static_cast<size_t>(GetWindowTextLengthW(window)) + 1, L'\0');
  text.resize(static_cast<size_t>(GetWindowTextW(window, text.data(), static_cast<int>(text.size()))));
  return text;
}

void SetStyleBit(HWND window, DWORD bit, bool on) {
  const auto style = static_cast<DWORD>(GetWindowLongPtrW(window, GWL_STYLE));
  const DWORD wanted = on ? (style | bit) : (style & ~bit);
  if (wanted != style) {
    SetWindowLongPtrW(window, GWL_STYLE, static_cast<LONG_PTR>(wanted));
  }
}

}  // namespace

Form1::~Form1() {
  if (hwnd_ != nullptr) {
    DestroyWindow(hwnd_);
  }
}

bool Form1::Show(HINSTANCE instance, int showCommand) {
  // The controls take the visual styles of Common Controls 6, which the manifest asks for.
  INITCOMMONCONTROLSEX controls{sizeof controls, ICC_STANDARD_CLASSES};
  InitCommonControlsEx(&controls);
  WNDCLASSEXW windowClass{};
  windowClass.cbSize = sizeof windowClass;
  windowClass.lpfnWndProc = WindowProc;
  windowClass.hInstance = instance;
  windowClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
  windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  windowClass.lpszClassName = kClassName;
  if (!RegisterClassExW(&windowClass) && GetLastError() != ERROR_CLASS_ALREADY_EXISTS) {
    return false;
  }

  // A first size at the system DPI; the layout then sizes the window for the DPI of the monitor it lands on.
  const SIZE client = ClientSize(Dpi::SystemDpi());
  RECT frame{0, 0, client.cx, client.cy};
  AdjustWindowRectEx(&frame, kWindowStyle, FALSE, kWindowExStyle);
  hwnd_ = CreateWindowExW(kWindowExStyle, kClassName, kTitle, kWindowStyle, CW_USEDEFAULT, CW_USEDEFAULT,
                          frame.right - frame.left, frame.bottom - frame.top, nullptr, nullptr, instance, this);
  if (hwnd_ == nullptr) {
    return false;
  }
  dpi_ = Dpi::WindowDpi(hwnd_);
  SizeClientArea(hwnd_, ClientSize(dpi_));
  SetIcons(dpi_);
  font_ = CreateCaptionFont(dpi_);
  CreateControls(dpi_);
  Form_Load();
  ShowWindow(hwnd_, showCommand);
  // Activation gives Combo1 the focus (WM_ACTIVATE); a window shown without it, or hidden, leaves the focus alone.
  UpdateWindow(hwnd_);
  return true;
}

void Form1::SetIcons(int dpi) {
  auto* const instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE));
  UniqueIcon smallIcon = LoadProgramIcon(instance, Dpi::SystemMetric(SM_CXSMICON, dpi));
  UniqueIcon bigIcon = LoadProgramIcon(instance, Dpi::SystemMetric(SM_CXICON, dpi));
  SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(smallIcon.Get()));
  SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(bigIcon.Get()));
  // The window shows the new icons now, so the old ones may go.
  smallIcon_ = std::move(smallIcon);
  bigIcon_ = std::move(bigIcon);
}

void Form1::RestoreFocus() const {
  SetFocus(lastFocus_ != nullptr && IsWindow(lastFocus_) ? lastFocus_ : Control(kCombo1));
}

HWND Form1::Control(int id) const {
  const ControlDef* def = FindControl(id);
  return def != nullptr ? controls_[static_cast<size_t>(def - kControls.data())] : nullptr;
}

bool Form1::IsChecked(int id) const { return SendMessageW(Control(id), BM_GETCHECK, 0, 0) == BST_CHECKED; }

void Form1::CreateControls(int dpi) {
  // Created in the table's z-order (the tab order), each in its place and font.
  auto* const instance = reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(hwnd_, GWLP_HINSTANCE));
  const WPARAM font = FontParam(font_);
  for (size_t i = 0; i < kControls.size(); ++i) {
    const ControlDef& def = kControls[i];
    const RECT rect = ControlRect(def, dpi);
    HWND control = CreateWindowExW(0, def.className, def.text, def.style, rect.left, rect.top, rect.right - rect.left,
                                   rect.bottom - rect.top, hwnd_, reinterpret_cast<HMENU>(static_cast<INT_PTR>(def.id)),
                                   instance, nullptr);
    controls_[i] = control;
    if (control == nullptr) {
      continue;
    }
    SendMessageW(control, WM_SETFONT, font, FALSE);
    const bool button = def.className == std::wstring_view(L"BUTTON");
    if (button && (def.style & BS_TYPEMASK) == BS_PUSHBUTTON) {
      KeepFromDefaultButton(control);
    }
    if (button && (def.style & BS_TYPEMASK) == BS_AUTORADIOBUTTON) {
      // An option that takes the focus unchecked reports BN_CLICKED to its parent without checking itself; Microsoft
      // documents this flag as controlling that report: set, the focus alone never looks like a choice.
      SendMessageW(control, BM_SETDONTCLICK, TRUE, 0);
    }
  }
  const RECT comboRect = ControlRect(*FindControl(kCombo1), dpi);
  HWND combo = Control(kCombo1);
  SetDropDownRows(combo);
  SetComboFieldHeight(combo, comboRect.bottom - comboRect.top);
  SetWindowTextW(combo, FindControl(kCombo1)->text);
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  if (GetComboBoxInfo(combo, &info) && info.hwndItem != nullptr) {
    comboField_ = info.hwndItem;
    SetWindowSubclass(comboField_, ComboEditProc, kComboFieldSubclass, reinterpret_cast<DWORD_PTR>(this));
    // No input method in the field: accounts are chosen, not typed. Wine's edit inserts a composition's result
    // without a WM_CHAR; whether Windows' edit does too only Windows can confirm, and with no input method it cannot
    // matter.
    ImmAssociateContextEx(comboField_, nullptr, 0);
  }
  UpdateOptionTabStops();
}

void Form1::ApplyLayout(int dpi) {
  SizeClientArea(hwnd_, ClientSize(dpi));
  UniqueFont font = CreateCaptionFont(dpi);
  const WPARAM fontHandle = FontParam(font);
  for (const ControlDef& def : kControls) {
    const RECT rect = ControlRect(def, dpi);
    HWND control = Control(def.id);
    SetWindowPos(control, nullptr, rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(control, WM_SETFONT, fontHandle, TRUE);
  }
  // Every control has the new font now, so the old one may go.
  font_ = std::move(font);
  const RECT comboRect = ControlRect(*FindControl(kCombo1), dpi);
  SetDropDownRows(Control(kCombo1));
  SetComboFieldHeight(Control(kCombo1), comboRect.bottom - comboRect.top);
  InvalidateRect(hwnd_, nullptr, TRUE);
}

int Form1::RunMessageLoop() {
  MSG message{};
  while (GetMessageW(&message, nullptr, 0, 0) > 0) {
    if (hwnd_ != nullptr && IsDialogMessageW(hwnd_, &message)) {
      continue;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
  return static_cast<int>(message.wParam);
}

LRESULT CALLBACK Form1::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message == WM_NCCREATE) {
    auto* create = reinterpret_cast<CREATESTRUCTW*>(lParam);
    auto* form = static_cast<Form1*>(create->lpCreateParams);
    form->hwnd_ = hwnd;
    SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(form));
  }
  auto* form = reinterpret_cast<Form1*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (form == nullptr) {
    return DefWindowProcW(hwnd, message, wParam, lParam);
  }
  try {
    return form->HandleMessage(hwnd, message, wParam, lParam);
  } catch (...) {
    // An exception must not cross into the system's code; the event is dropped and the window goes on.
    return 0;
  }
}

LRESULT Form1::HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND:
      OnCommand(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_ACTIVATE:
      // Give the focus back to the control that had it, as a dialog does.
      if (LOWORD(wParam) == WA_INACTIVE) {
        HWND focus = GetFocus();
        if (focus != nullptr && IsChild(hwnd_, focus)) {
          lastFocus_ = focus;
        }
      } else if (!HIWORD(wParam)) {
        RestoreFocus();
      }
      return 0;
    case Dpi::kDpiChangedMessage: {
      // Moved to a monitor of another DPI: take the place the system suggests, then lay out anew at that DPI.
      const auto* suggested = reinterpret_cast<const RECT*>(lParam);
      SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                   suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
      dpi_ = HIWORD(wParam);
      SetIcons(dpi_);
      ApplyLayout(dpi_);
      return 0;
    }
    case Dpi::kGetDpiScaledSizeMessage: {
      // The exact size the layout will take at the new DPI, so that the window is sized once, not scaled and then
      // corrected.
      SIZE window{};
      if (!Dpi::WindowSizeForClient(ClientSize(static_cast<int>(wParam)), kWindowStyle, kWindowExStyle,
                                    static_cast<int>(wParam), window)) {
        return FALSE;
      }
      *reinterpret_cast<SIZE*>(lParam) = window;
      return TRUE;
    }
    case WM_SETTINGCHANGE:
      if (wParam == SPI_SETNONCLIENTMETRICS) {
        ApplyLayout(dpi_);  // the message font may have changed
      }
      return DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_THEMECHANGED:
      ApplyLayout(dpi_);
      return DefWindowProcW(hwnd, message, wParam, lParam);
    case WM_SYSCOLORCHANGE:
      // The common controls keep the system colours they draw in; only their top-level window tells them of a change.
      for (HWND control : controls_) {
        SendMessageW(control, message, wParam, lParam);
      }
      return 0;
    case kRecheckMessage:
      Recheck();
      return 0;
    case WM_NEXTDLGCTL:
      // The dialog manager asks a window that is not a dialog to move the focus this way too.
      SetFocus(LOWORD(lParam) ? reinterpret_cast<HWND>(wParam) : GetNextDlgTabItem(hwnd_, GetFocus(), wParam != 0));
      return 0;
    case WM_DESTROY:
      hwnd_ = nullptr;
      controls_ = {};
      comboField_ = nullptr;
      PostQuitMessage(0);
      return 0;
    default:
      return DefWindowProcW(hwnd, message, wParam, lParam);
  }
}

void Form1::OnCommand(int id, int code) {
  switch (id) {
    case kCombo1:
      if (code == CBN_SELCHANGE) {
        Combo1_Click();
      }
      // The user's item, taken when the list closes with it (Enter, or a click on it); an item moved to by any other
      // route without CBN_SELCHANGE is not a choice.
      selectionConfirmed_ = selectionConfirmed_ || code == CBN_SELENDOK;
      if (code == CBN_SELCHANGE || code == CBN_SELENDOK || code == CBN_SELENDCANCEL || code == CBN_CLOSEUP ||
          code == CBN_EDITCHANGE) {
        PostRecheck();
      }
      break;
    case kOptYes:
    case kOptNo:
      if (code == BN_CLICKED) {
        UpdateOptionTabStops();
      }
      break;
    case kCommand1 + kChangeIndex:
    case kCommand1 + kExitIndex:
      if (code == BN_CLICKED) {
        Command1_Click(id - kCommand1);
      }
      break;
    default:
      break;  // IDOK and IDCANCEL from Enter and Escape press nothing
  }
}

LRESULT CALLBACK Form1::ComboEditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                      DWORD_PTR form) {
  switch (message) {
    case WM_NCDESTROY:
      RemoveWindowSubclass(hwnd, ComboEditProc, id);
      break;
    case WM_MOUSEWHEEL:
      // The wheel over the field steps through the accounts, as over the rest of the combo box.
      return SendMessageW(GetParent(hwnd), message, wParam, lParam);
    case WM_CHAR: {
      // Enter and Escape close an open list: the list's own keys, not typing, and they leave the text alone.
      if ((wParam == VK_RETURN || wParam == VK_ESCAPE) && SendMessageW(GetParent(hwnd), CB_GETDROPPEDSTATE, 0, 0)) {
        break;
      }
      auto KeyAscii = static_cast<std::int16_t>(wParam);
      reinterpret_cast<Form1*>(form)->Combo1_KeyPress(KeyAscii);
      if (KeyAscii == 0) {
        return 0;
      }
      wParam = static_cast<WPARAM>(static_cast<std::uint16_t>(KeyAscii));
      break;
    }
    // Editing that arrives without a typed character: the text changes only by choosing a listed account.
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case WM_UNDO:
    case EM_UNDO:
      return 0;
    case WM_SETTEXT:
      // The combo box sets the field this way for CB_SETCURSEL and CB_SELECTSTRING with no notification to the
      // window, as wine's conformance tests record of Windows; whether Windows' edit reports another program's
      // WM_SETTEXT with EN_CHANGE only Windows can confirm (wine's sends none for a combo box's field). So every text
      // set here is checked, once the message that set it is over.
      reinterpret_cast<Form1*>(form)->PostRecheck();
      break;
    case WM_KEYDOWN:
      // Delete and Shift+Delete remove text; Shift+Insert pastes without a WM_PASTE on some systems.
      if (wParam == VK_DELETE || (wParam == VK_INSERT && GetKeyState(VK_SHIFT) < 0)) {
        return 0;
      }
      break;
    default:
      break;
  }
  return DefSubclassProc(hwnd, message, wParam, lParam);
}

void Form1::Form_Load() {
  HWND combo = Control(kCombo1);
  const RegistryRoutines routines;
  FillAccountList(combo, routines.EnumRegistryKeys(HKEY_CURRENT_USER, ProductKeyPath));
}

void Form1::Combo1_KeyPress(std::int16_t& KeyAscii) {
  KeyAscii = 0;  // every typed character is discarded: accounts are chosen, not typed
}

void Form1::Combo1_Click() {
  const LRESULT selected = SendMessageW(Control(kCombo1), CB_GETCURSEL, 0, 0);
  if (selected == CB_ERR) {
    return;  // nothing chosen: the recheck shows the chosen account again
  }
  chosen_ = selected;
  const std::wstring account = ChosenAccount();
  const Module1::DwordRead stored = Module1::ReadDwordValue(PreferencesPath(account), kEnablePlugins);
  if (!stored.IsNumber()) {
    SelectOption(0);  // unreadable: show neither rather than the previous account's state
  } else {
    SelectOption(stored.Value() == 0 ? kOptNo : kOptYes);
  }
}

void Form1::Command1_Click(int Index) {
  if (Index == kExitIndex) {
    ExitProcess(0);
  }
  if (Index == kChangeIndex) {
    ChangeSetting();
  }
}

void Form1::ChangeSetting() {
  Recheck();  // the text read below names the chosen account, whose setting the options show
  bool stored = false;
  try {
    const std::int32_t value = IsChecked(kOptNo) ? 0 : 1;
    stored = Module1::WriteDwordValue(PreferencesPath(WindowText(Control(kCombo1))), kEnablePlugins, value);
  } catch (...) {
    stored = false;  // whatever went wrong, the setting was not stored
  }
  MessageBoxW(hwnd_, stored ? kChanged : kNotChanged, kMessageTitle, MB_OK);
}

std::wstring Form1::ItemText(LRESULT index) const {
  HWND combo = Control(kCombo1);
  const auto length = index == CB_ERR ? CB_ERR : SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length == CB_ERR) {
    return FindControl(kCombo1)->text;
  }
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  const auto copied =
      SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == CB_ERR ? 0 : static_cast<size_t>(copied));
  return text;
}

std::wstring Form1::ChosenAccount() const {
  // Read from the list itself: on a selection change the field may still show the previous text.
  return ItemText(chosen_);
}

void Form1::PostRecheck() noexcept {
  if (!recheckPosted_ && !showingChoice_ && hwnd_ != nullptr) {
    recheckPosted_ = PostMessageW(hwnd_, kRecheckMessage, 0, 0) != FALSE;
  }
}

void Form1::Recheck() noexcept {
  recheckPosted_ = false;
  if (std::exchange(selectionConfirmed_, false) && !SendMessageW(Control(kCombo1), CB_GETDROPPEDSTATE, 0, 0) &&
      SendMessageW(Control(kCombo1), CB_GETCURSEL, 0, 0) != chosen_) {
    try {
      Combo1_Click();
    } catch (...) {
      // out of memory while reading: the choice stays as it was, and is shown again below
    }
  }
  ShowChoice();
}

void Form1::ShowChoice() noexcept {
  if (showingChoice_ || comboField_ == nullptr) {
    return;
  }
  HWND combo = Control(kCombo1);
  std::wstring chosen;
  try {
    chosen = ChosenAccount();
    if (SendMessageW(combo, CB_GETCURSEL, 0, 0) == chosen_ && WindowText(comboField_) == chosen) {
      return;
    }
  } catch (...) {
    return;  // out of memory: an exception must not cross into the system's code; the next change checks again
  }
  showingChoice_ = true;
  SendMessageW(combo, CB_SETCURSEL, static_cast<WPARAM>(chosen_), 0);
  SetWindowTextW(comboField_, chosen.c_str());
  showingChoice_ = false;
}

void Form1::SelectOption(int id) {
  CheckDlgButton(hwnd_, kOptYes, id == kOptYes ? BST_CHECKED : BST_UNCHECKED);
  CheckDlgButton(hwnd_, kOptNo, id == kOptNo ? BST_CHECKED : BST_UNCHECKED);
  UpdateOptionTabStops();
}

void Form1::UpdateOptionTabStops() {
  // Tab visits both options while neither is selected, and only the selected one otherwise.
  const bool yes = IsChecked(kOptYes);
  const bool no = IsChecked(kOptNo);
  SetStyleBit(Control(kOptYes), WS_TABSTOP, yes || !no);
  SetStyleBit(Control(kOptNo), WS_TABSTOP, no || !yes);
}
