#include "tests/release/LayoutChecks.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cwchar>
#include <iterator>
#include <string>
#include <string_view>

#include "ui/CaptionFont.h"
#include "ui/Dpi.h"
#include "ui/UniqueFont.h"

namespace LayoutChecks {

namespace {

using Form1Layout::ControlDef;
using testing::AssertionFailure;
using testing::AssertionResult;
using testing::AssertionSuccess;

// Where the window stands at each DPI the tests use, in client pixels, worked out by hand from the twips of the
// layout (15 twips a pixel at 96 DPI, rounded to the nearest pixel): the client area, then each control's rectangle
// in the layout table's order (Label1, Combo1's closed field, Frame1, optYes, optNo, "Change", "Exit").
struct PixelLayout {
  int dpi;
  SIZE client;
  std::array<RECT, Form1Layout::kControls.size()> controls;
};

constexpr PixelLayout kPixelLayouts[] = {
    {72,
     {234, 107},
     {{{12, 6, 91, 16},
       {30, 18, 205, 34},
       {30, 36, 205, 73},
       {42, 54, 85, 67},
       {144, 54, 181, 67},
       {162, 84, 223, 103},
       {6, 84, 67, 103}}}},
    {96,
     {312, 142},
     {{{16, 8, 121, 21},
       {40, 24, 273, 45},
       {40, 48, 273, 97},
       {56, 72, 113, 89},
       {192, 72, 241, 89},
       {216, 112, 297, 137},
       {8, 112, 89, 137}}}},
    {120,
     {390, 178},
     {{{20, 10, 151, 26},
       {50, 30, 341, 56},
       {50, 60, 341, 121},
       {70, 90, 141, 111},
       {240, 90, 301, 111},
       {270, 140, 371, 171},
       {10, 140, 111, 171}}}},
    {144,
     {468, 213},
     {{{24, 12, 182, 32},
       {60, 36, 410, 68},
       {60, 72, 410, 146},
       {84, 108, 170, 134},
       {288, 108, 362, 134},
       {324, 168, 446, 206},
       {12, 168, 134, 206}}}},
    {168,
     {546, 249},
     {{{28, 14, 212, 37},
       {70, 42, 478, 79},
       {70, 84, 478, 170},
       {98, 126, 198, 156},
       {336, 126, 422, 156},
       {378, 196, 520, 240},
       {14, 196, 156, 240}}}},
    {192,
     {624, 284},
     {{{32, 16, 242, 42},
       {80, 48, 546, 90},
       {80, 96, 546, 194},
       {112, 144, 226, 178},
       {384, 144, 482, 178},
       {432, 224, 594, 274},
       {16, 224, 178, 274}}}},
    {288,
     {936, 426},
     {{{48, 24, 363, 63},
       {120, 72, 819, 135},
       {120, 144, 819, 291},
       {168, 216, 339, 267},
       {576, 216, 723, 267},
       {648, 336, 891, 411},
       {24, 336, 267, 411}}}},
};

const PixelLayout* LayoutAt(int dpi) {
  const auto* found = std::find_if(std::begin(kPixelLayouts), std::end(kPixelLayouts),
                                   [dpi](const PixelLayout& layout) { return layout.dpi == dpi; });
  return found != std::end(kPixelLayouts) ? found : nullptr;
}

// A control's rectangle in its parent's client coordinates.
RECT PlacedRect(HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

std::string Describe(const RECT& rect) {
  return "(" + std::to_string(rect.left) + "," + std::to_string(rect.top) + ")-(" + std::to_string(rect.right) + "," +
         std::to_string(rect.bottom) + ")";
}

bool Contains(const RECT& outer, const RECT& inner) {
  return inner.left >= outer.left && inner.top >= outer.top && inner.right <= outer.right &&
         inner.bottom <= outer.bottom;
}

std::string Narrow(std::wstring_view text) {
  std::string narrow;
  for (const wchar_t c : text) {
    narrow += c < 128 ? static_cast<char>(c) : '?';
  }
  return narrow;
}

// Width a control's own drawing takes beside its caption. Push buttons: their 3-D edge and the focus rectangle;
// option buttons: the circle and the gap after it; Frame1: the frame line and the caption's indent on both sides.
int Decoration(const ControlDef& control, int dpi) {
  if (control.className != std::wstring_view(L"BUTTON")) {
    return 0;
  }
  switch (control.style & BS_TYPEMASK) {
    case BS_AUTORADIOBUTTON:
    case BS_RADIOBUTTON:
      return GetSystemMetrics(SM_CXMENUCHECK) + MulDiv(3, dpi, 96);
    case BS_GROUPBOX:
      return MulDiv(12, dpi, 96);
    default:
      return 2 * GetSystemMetrics(SM_CXEDGE) + MulDiv(2, dpi, 96);
  }
}

int TextHeight(const LOGFONTW& description) {
  const UniqueFont font(CreateFontIndirectW(&description));
  HDC dc = GetDC(nullptr);
  const HGDIOBJ previous = SelectObject(dc, font.Get());
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  SelectObject(dc, previous);
  ReleaseDC(nullptr, dc);
  return metrics.tmHeight;
}

// The font a control shows its caption in, as a description this process can make a font from. A font handle is
// readable only in the process that made it (wine keeps GDI objects per process). From another process the font is
// chosen again from the system's message font at dpi, as the program chooses it, and taken only where its text is
// as high as Combo1's list items, which the system sizes to the font every control shares.
bool ShownFont(HWND window, HWND control, int dpi, LOGFONTW& description) {
  const auto handle = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  if (handle != nullptr && GetObjectW(handle, sizeof description, &description) == sizeof description) {
    return true;
  }
  const auto itemHeight =
      static_cast<int>(SendMessageW(GetDlgItem(window, Form1Layout::kCombo1), CB_GETITEMHEIGHT, 0, 0));
  LOGFONTW message{};
  if (itemHeight <= 0 || !Dpi::GetMessageFont(dpi, message)) {
    return false;
  }
  description = ChooseCaptionFont(message, dpi);
  return TextHeight(description) == itemHeight;
}

}  // namespace

RECT TableRect(const ControlDef& control, int dpi) {
  const PixelLayout* layout = LayoutAt(dpi);
  const auto* row = std::find_if(Form1Layout::kControls.begin(), Form1Layout::kControls.end(),
                                 [&control](const ControlDef& def) { return def.id == control.id; });
  if (layout == nullptr || row == Form1Layout::kControls.end()) {
    return RECT{};
  }
  return layout->controls[static_cast<size_t>(row - Form1Layout::kControls.begin())];
}

AssertionResult ClientAreaIsTableSize(HWND window, int dpi) {
  const PixelLayout* layout = LayoutAt(dpi);
  if (layout == nullptr) {
    return AssertionFailure() << "no pixel layout written down for " << dpi << " DPI";
  }
  RECT client{};
  GetClientRect(window, &client);
  if (client.right != layout->client.cx || client.bottom != layout->client.cy) {
    return AssertionFailure() << "client area " << client.right << "x" << client.bottom << ", the layout asks for "
                              << layout->client.cx << "x" << layout->client.cy << " at " << dpi << " DPI";
  }
  return AssertionSuccess();
}

AssertionResult ControlIsAtTableRect(HWND window, const ControlDef& control, int dpi) {
  HWND handle = GetDlgItem(window, control.id);
  if (handle == nullptr) {
    return AssertionFailure() << "no control with ID " << control.id;
  }
  if (LayoutAt(dpi) == nullptr) {
    return AssertionFailure() << "no pixel layout written down for " << dpi << " DPI";
  }
  const RECT placed = PlacedRect(handle);
  const RECT wanted = TableRect(control, dpi);
  if (!EqualRect(&placed, &wanted)) {
    return AssertionFailure() << Narrow(control.text) << " stands at " << Describe(placed) << ", the table puts it at "
                              << Describe(wanted) << " at " << dpi << " DPI";
  }
  return AssertionSuccess();
}

AssertionResult ControlsLieInside(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  HWND frame = GetDlgItem(window, Form1Layout::kFrame1);
  const RECT frameRect = frame != nullptr ? PlacedRect(frame) : RECT{};
  for (const ControlDef& control : Form1Layout::kControls) {
    HWND handle = GetDlgItem(window, control.id);
    if (handle == nullptr) {
      return AssertionFailure() << "no control with ID " << control.id;
    }
    const RECT placed = PlacedRect(handle);
    if (!Contains(client, placed)) {
      return AssertionFailure() << Narrow(control.text) << " at " << Describe(placed)
                                << " reaches out of the client area " << Describe(client);
    }
    if (control.insideFrame && !Contains(frameRect, placed)) {
      return AssertionFailure() << Narrow(control.text) << " at " << Describe(placed) << " reaches out of Frame1 "
                                << Describe(frameRect);
    }
  }
  return AssertionSuccess();
}

LOGFONTW ControlFont(HWND control) {
  LOGFONTW font{};
  const auto handle = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  if (handle != nullptr) {
    GetObjectW(handle, sizeof font, &font);
  }
  return font;
}

AssertionResult CaptionFits(HWND window, const ControlDef& control, int dpi) {
  HWND handle = GetDlgItem(window, control.id);
  if (handle == nullptr) {
    return AssertionFailure() << "no control with ID " << control.id;
  }
  wchar_t text[256]{};
  SendMessageW(handle, WM_GETTEXT, std::size(text), reinterpret_cast<LPARAM>(text));
  if (std::wstring_view(text) != control.text) {
    return AssertionFailure() << "caption \"" << Narrow(text) << "\", the table says \"" << Narrow(control.text)
                              << "\"";
  }
  LOGFONTW description{};
  if (!ShownFont(window, handle, dpi, description)) {
    return AssertionFailure() << Narrow(control.text) << ": its font can neither be read nor made again here";
  }
  const UniqueFont font(CreateFontIndirectW(&description));
  HDC dc = GetDC(nullptr);
  const HGDIOBJ previous = SelectObject(dc, font.Get());
  SIZE extent{};
  GetTextExtentPoint32W(dc, text, static_cast<int>(std::wcslen(text)), &extent);
  SelectObject(dc, previous);
  ReleaseDC(nullptr, dc);

  const RECT placed = PlacedRect(handle);
  const int width = extent.cx + Decoration(control, dpi);
  if (width > placed.right - placed.left || extent.cy > placed.bottom - placed.top) {
    return AssertionFailure() << "\"" << Narrow(control.text) << "\" needs " << width << "x" << extent.cy << " (font "
                              << description.lfHeight << " px), its control is " << placed.right - placed.left << "x"
                              << placed.bottom - placed.top;
  }
  return AssertionSuccess();
}

}  // namespace LayoutChecks
