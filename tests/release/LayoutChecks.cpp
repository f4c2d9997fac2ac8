#include "tests/release/LayoutChecks.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <cwchar>
#include <iterator>
#include <string>
#include <string_view>

#include "tests/driver/WindowDriver.h"
#include "tests/support/PixelLayouts.h"
#include "ui/CaptionFont.h"
#include "ui/Dpi.h"
#include "ui/UniqueFont.h"

namespace LayoutChecks {

namespace {

using Form1Layout::ControlDef;
using testing::AssertionFailure;
using testing::AssertionResult;
using testing::AssertionSuccess;

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
  description = ControlFont(control);
  if (description.lfHeight != 0) {
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

// The client area measures the table's width and height at dpi.
AssertionResult ClientAreaIsTableSize(HWND window, int dpi) {
  const PixelLayout* layout = PixelLayoutAt(dpi);
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

// The control stands where the table puts it at dpi (a drop-down combo: its closed field).
AssertionResult ControlIsAtTableRect(HWND window, const ControlDef& control, int dpi) {
  const RECT placed = WindowDriver::RectInParent(GetDlgItem(window, control.id));
  const RECT wanted = PixelRect(control.id, dpi);
  if (!EqualRect(&placed, &wanted)) {
    return AssertionFailure() << Narrow(control.text) << " stands at " << Describe(placed) << ", the table puts it at "
                              << Describe(wanted) << " at " << dpi << " DPI";
  }
  return AssertionSuccess();
}

// Every control exists and lies inside the client area, and every control the table puts inside Frame1 inside the
// frame.
AssertionResult ControlsLieInside(HWND window) {
  RECT client{};
  GetClientRect(window, &client);
  HWND frame = GetDlgItem(window, Form1Layout::kFrame1);
  const RECT frameRect = frame != nullptr ? WindowDriver::RectInParent(frame) : RECT{};
  for (const ControlDef& control : Form1Layout::kControls) {
    HWND handle = GetDlgItem(window, control.id);
    if (handle == nullptr) {
      return AssertionFailure() << "no control with ID " << control.id;
    }
    const RECT placed = WindowDriver::RectInParent(handle);
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

// The control shows the table's caption, and the caption, measured in the control's own font, fits its control
// beside the control's decoration (radio circle, button and frame borders).
AssertionResult CaptionFits(HWND window, const ControlDef& control, int dpi) {
  HWND handle = GetDlgItem(window, control.id);
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

  const RECT placed = WindowDriver::RectInParent(handle);
  const int width = extent.cx + Decoration(control, dpi);
  if (width > placed.right - placed.left || extent.cy > placed.bottom - placed.top) {
    return AssertionFailure() << "\"" << Narrow(control.text) << "\" needs " << width << "x" << extent.cy << " (font "
                              << description.lfHeight << " px), its control is " << placed.right - placed.left << "x"
                              << placed.bottom - placed.top;
  }
  return AssertionSuccess();
}

}  // namespace

AssertionResult LaidOutAt(HWND window, int dpi) {
  AssertionResult result = ClientAreaIsTableSize(window, dpi);
  if (result) {
    result = ControlsLieInside(window);
  }
  for (const ControlDef& control : Form1Layout::kControls) {
    if (result) {
      result = ControlIsAtTableRect(window, control, dpi);
    }
    if (result && control.id != Form1Layout::kCombo1) {  // its text scrolls in its field; it is no caption
      result = CaptionFits(window, control, dpi);
    }
  }
  return result;
}

LOGFONTW ControlFont(HWND control) {
  LOGFONTW font{};
  const auto handle = reinterpret_cast<HFONT>(SendMessageW(control, WM_GETFONT, 0, 0));
  if (handle != nullptr) {
    GetObjectW(handle, sizeof font, &font);
  }
  return font;
}

}  // namespace LayoutChecks
