#pragma once
#include <array>
#include <cstdint>
#include <string>

#include <windows.h>

#include "ui/Form1Controls.h"
#include "ui/Form1Layout.h"
#include "ui/UniqueFont.h"

// The program's one window: the account list, the "Plugins Enabled" options and the Change and Exit buttons.
class Form1 {
 public:
  Form1() = default;
  Form1(const Form1&) = delete;
  Form1& operator=(const Form1&) = delete;
  // Destroys the window if it still exists.
  ~Form1();

  // Creates the window and its controls, runs the load handler, then shows the window; Combo1 takes the focus when
  // the window is activated.
  // Returns false if the window could not be created.
  bool Show(HINSTANCE instance, int showCommand);
  [[nodiscard]] HWND Handle() const { return hwnd_; }

  // Runs the window's messages through the dialog manager (Tab, arrows) until the window is closed; returns the
  // process exit code.
  int RunMessageLoop();

  static constexpr wchar_t kClassName[] = L"PluginSwitchForm1";
  static constexpr wchar_t kMessageTitle[] = L"Plug-in Switch";
  static constexpr wchar_t kChanged[] = L"Setting changed successfully";
  static constexpr wchar_t kNotChanged[] = L"Setting was not changed successfully";
  // Posted to the window to check Combo1 once the notifications of one action are over.
  static constexpr UINT kRecheckMessage = WM_APP + 1;

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  static LRESULT CALLBACK ComboEditProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR id,
                                        DWORD_PTR form);
  // hwnd is the window the message is for: hwnd_ is cleared on WM_DESTROY, and WM_NCDESTROY still follows.
  LRESULT HandleMessage(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  // Creates the controls of the layout table in place at dpi, in font_.
  void CreateControls(int dpi);
  // Sizes the window and places every control from the layout table at dpi, with a font chosen anew: when the
  // window moves to a monitor of another DPI, or the user changes the system's fonts or theme.
  void ApplyLayout(int dpi);
  // The program's icons at the sizes the system shows at dpi.
  void SetIcons(int dpi);
  void OnCommand(int id, int code);

  // Event handlers.
  void Form_Load();
  void Combo1_KeyPress(std::int16_t& KeyAscii);
  void Combo1_Click();
  void Command1_Click(int Index);
  void ChangeSetting();

  // The control with this ID, as created; nullptr before the controls are made or after the window is gone.
  [[nodiscard]] HWND Control(int id) const;
  [[nodiscard]] bool IsChecked(int id) const;
  // Puts the focus on the control that had it last, at first Combo1's field.
  void RestoreFocus() const;
  // The text of item index of Combo1's list, or Combo1's first text for CB_ERR.
  [[nodiscard]] std::wstring ItemText(LRESULT index) const;
  // The account chosen last in Combo1's list, or Combo1's first text before any choice.
  [[nodiscard]] std::wstring ChosenAccount() const;
  // Asks for a Recheck once the messages being handled are over; at most one is waiting at a time.
  void PostRecheck() noexcept;
  // Takes the list's item as the choice if the user confirmed it (CBN_SELENDOK) with no CBN_SELCHANGE, then shows
  // the chosen account again wherever the field or the list shows anything else.
  void Recheck() noexcept;
  // Puts the chosen account back into Combo1's field and list if either shows anything else.
  void ShowChoice() noexcept;
  void SelectOption(int id);
  void UpdateOptionTabStops();

  HWND hwnd_ = nullptr;
  // The DPI the window is laid out at: its monitor's when created, then the one the last WM_DPICHANGED gave.
  int dpi_ = 96;
  // The controls in the order of the layout table.
  std::array<HWND, Form1Layout::kControls.size()> controls_{};
  HWND comboField_ = nullptr;  // the edit field inside Combo1
  UniqueFont font_;
  Form1Controls::UniqueIcon smallIcon_;
  Form1Controls::UniqueIcon bigIcon_;
  HWND lastFocus_ = nullptr;
  // The index of the item chosen last in Combo1's list: the one account the field names, the options show and
  // "Change" writes.
  LRESULT chosen_ = CB_ERR;
  bool showingChoice_ = false;
  bool recheckPosted_ = false;
  bool selectionConfirmed_ = false;
};
