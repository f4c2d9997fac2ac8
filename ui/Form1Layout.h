#pragma once
#include <array>

#include <windows.h>

// The window Form1 as data: its controls in z-order (their tab order), with places in twips (1/1440 inch).
namespace Form1Layout {

// Control IDs. None is IDOK (1) or IDCANCEL (2): the dialog manager sends those for Enter and Escape, and they must
// press nothing. Command1's buttons take consecutive IDs so the index is the ID minus kCommand1.
enum ControlId : int {
  kCombo1 = 1001,
  kLabel1 = 1002,
  kFrame1 = 1003,
  kOptYes = 1004,
  kOptNo = 1005,
  kCommand1 = 1010,  // index 0, "Change"; index 1 ("Exit") is kCommand1 + 1
};
inline constexpr int kChangeIndex = 0;
inline constexpr int kExitIndex = 1;

struct ControlDef {
  int id;
  const wchar_t* className;
  const wchar_t* text;
  DWORD style;
  bool insideFrame;  // place measured from Frame1's top-left corner instead of the client area's
  int left, top, width, height;
};

inline constexpr wchar_t kTitle[] = L"Form1";
inline constexpr int kClientWidth = 4680;
inline constexpr int kClientHeight = 2130;
inline constexpr DWORD kWindowStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
inline constexpr DWORD kWindowExStyle = WS_EX_CONTROLPARENT;

inline constexpr DWORD kChild = WS_CHILD | WS_VISIBLE;
inline constexpr std::array<ControlDef, 7> kControls{{
    // Label1 sits just before Combo1 in z-order (screen readers name the combo by it); WS_GROUP keeps the arrow
    // keys from wandering onto it from the last group. It takes no focus, so the tab order starts at Combo1.
    {kLabel1, L"STATIC", L"Select Passport Email:", kChild | WS_GROUP | SS_LEFT | SS_NOPREFIX, false, 240, 120, 1575,
     195},
    {kCombo1, L"COMBOBOX", L"--> Emails <--",
     kChild | WS_TABSTOP | WS_GROUP | WS_VSCROLL | CBS_DROPDOWN | CBS_AUTOHSCROLL, false, 600, 360, 3495, 315},
    {kFrame1, L"BUTTON", L"Plugins Enabled", kChild | BS_GROUPBOX, false, 600, 720, 3495, 735},
    {kOptYes, L"BUTTON", L"Yes", kChild | WS_TABSTOP | WS_GROUP | BS_AUTORADIOBUTTON, true, 240, 360, 855, 255},
    {kOptNo, L"BUTTON", L"No", kChild | WS_TABSTOP | BS_AUTORADIOBUTTON, true, 2280, 360, 735, 255},
    {kCommand1 + kChangeIndex, L"BUTTON", L"Change", kChild | WS_TABSTOP | WS_GROUP | BS_PUSHBUTTON, false, 3240, 1680,
     1215, 375},
    {kCommand1 + kExitIndex, L"BUTTON", L"Exit", kChild | WS_TABSTOP | BS_PUSHBUTTON, false, 120, 1680, 1215, 375},
}};

// Twips to pixels at dpi dots per inch (15 twips a pixel at 96 DPI).
int TwipsToPixels(int twips, int dpi);

// A control's rectangle in client pixels at dpi; controls inside Frame1 are offset by the frame's corner.
RECT ControlRect(const ControlDef& control, int dpi);

// The client area's size in pixels at dpi.
SIZE ClientSize(int dpi);

// The definition of the control with this ID, or nullptr.
const ControlDef* FindControl(int id);

}  // namespace Form1Layout
