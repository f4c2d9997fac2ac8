#include "ui/CaptionFont.h"

#include <algorithm>
#include <cstdlib>
#include <cwchar>
#include <iterator>
#include <string_view>
#include <utility>

#include "ui/Dpi.h"
#include "ui/Form1Layout.h"

using namespace Form1Layout;

namespace {

// The dialog face of every Windows since 2000: a font substitute the system maps to Tahoma.
constexpr wchar_t kDialogFace[] = L"MS Shell Dlg 2";
constexpr int kDialogPoints = 8;
// The smallest caption size the window asks for at 96 DPI; only where nothing fits at it does the font go smaller.
constexpr int kMinimumPixels = 10;
// Below this no caption is legible at all; the search stops here whatever fits.
constexpr int kSmallestPixels = 6;

// Room a control's own decoration takes from its caption's width: the radio circle, button and frame borders.
int CaptionMargin(const ControlDef& def, int dpi) {
  if (def.className != std::wstring_view(L"BUTTON")) {
    return 0;
  }
  switch (def.style & BS_TYPEMASK) {
    case BS_AUTORADIOBUTTON:
      return Dpi::SystemMetric(SM_CXMENUCHECK, dpi) + MulDiv(4, dpi, 96);
    case BS_GROUPBOX:
      return MulDiv(16, dpi, 96);
    default:
      return MulDiv(8, dpi, 96);
  }
}

// The font made from description, if every caption fits its control in it; empty otherwise.
UniqueFont FittingFont(HDC dc, const LOGFONTW& description, int dpi) {
  UniqueFont font(CreateFontIndirectW(&description));
  if (!font) {
    return font;
  }
  HGDIOBJ previous = SelectObject(dc, font.Get());
  bool fit = true;
  for (const ControlDef& def : kControls) {
    if (def.id == kCombo1) {
      continue;  // the combo's text scrolls; it is not a caption
    }
    const RECT rect = ControlRect(def, dpi);
    SIZE extent{};
    fit = GetTextExtentPoint32W(dc, def.text, static_cast<int>(std::wcslen(def.text)), &extent) &&
          extent.cx + CaptionMargin(def, dpi) <= rect.right - rect.left && extent.cy <= rect.bottom - rect.top;
    if (!fit) {
      break;
    }
  }
  SelectObject(dc, previous);
  return fit ? std::move(font) : UniqueFont();
}

LOGFONTW WithPixels(LOGFONTW font, int pixels) {
  font.lfHeight = -pixels;  // negative: the character height, as a point size gives it
  font.lfWidth = 0;
  return font;
}

struct Choice {
  LOGFONTW description;
  UniqueFont font;
};

Choice Choose(const LOGFONTW& messageFont, int dpi) {
  // Text measures the same on a memory device context as on the window's, for the font's size is in pixels.
  const UniqueDc dc(CreateCompatibleDC(nullptr));
  const int minimum = kMinimumPixels * dpi / 96;
  if (dc && std::abs(messageFont.lfHeight) >= minimum) {
    UniqueFont font = FittingFont(dc.Get(), messageFont, dpi);
    if (font) {
      return {messageFont, std::move(font)};
    }
  }
  LOGFONTW dialog = messageFont;  // keeps the user's quality and character set
  static_assert(std::size(kDialogFace) <= std::size(LOGFONTW{}.lfFaceName));
  std::copy(std::begin(kDialogFace), std::end(kDialogFace), dialog.lfFaceName);
  dialog.lfWeight = FW_NORMAL;
  dialog.lfItalic = FALSE;
  const int smallest = MulDiv(kSmallestPixels, dpi, 96);
  for (int pixels = MulDiv(kDialogPoints, dpi, 72);; --pixels) {
    const LOGFONTW description = WithPixels(dialog, pixels);
    UniqueFont font = dc ? FittingFont(dc.Get(), description, dpi) : UniqueFont();
    if (font || !dc || pixels <= smallest) {
      return {description, font ? std::move(font) : UniqueFont(CreateFontIndirectW(&description))};
    }
  }
}

}  // namespace

LOGFONTW ChooseCaptionFont(const LOGFONTW& messageFont, int dpi) { return Choose(messageFont, dpi).description; }

UniqueFont CreateCaptionFont(int dpi) {
  LOGFONTW message{};
  if (!Dpi::GetMessageFont(dpi, message)) {
    return UniqueFont();
  }
  return Choose(message, dpi).font;  // a member of a temporary: moved
}
