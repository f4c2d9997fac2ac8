#include "ui/CaptionFont.h"

#include <cstdlib>
#include <cwchar>
#include <string_view>

#include "ui/Dpi.h"
#include "ui/Form1Layout.h"

using namespace Form1Layout;

namespace {

// Room a control's own decoration takes from its caption's width: the radio circle, button and frame borders.
int CaptionMargin(const ControlDef& def, int dpi) {
  if (def.className != std::wstring_view(L"BUTTON")) {
    return 0;
  }
  switch (def.style & BS_TYPEMASK) {
    case BS_AUTORADIOBUTTON:
      return GetSystemMetrics(SM_CXMENUCHECK) + MulDiv(4, dpi, 96);
    case BS_GROUPBOX:
      return MulDiv(16, dpi, 96);
    default:
      return MulDiv(8, dpi, 96);
  }
}

bool CaptionsFit(HDC dc, HFONT font, int dpi) {
  HGDIOBJ previous = SelectObject(dc, font);
  bool fit = true;
  for (const ControlDef& def : kControls) {
    if (def.id == kCombo1) {
      continue;  // the combo's text scrolls; it is not a caption
    }
    const RECT rect = ControlRect(def, dpi);
    SIZE extent{};
    GetTextExtentPoint32W(dc, def.text, static_cast<int>(std::wcslen(def.text)), &extent);
    fit = extent.cx + CaptionMargin(def, dpi) <= rect.right - rect.left && extent.cy <= rect.bottom - rect.top;
    if (!fit) {
      break;  // measuring the rest at a size about to be dropped would only load their glyphs for nothing
    }
  }
  SelectObject(dc, previous);
  return fit;
}

}  // namespace

UniqueFont CreateCaptionFont(int dpi) {
  LOGFONTW logFont{};
  if (!Dpi::GetMessageFont(dpi, logFont)) {
    return UniqueFont();
  }
  const int smallest = MulDiv(8, dpi, 96);
  // Text measures the same on a memory device context as on the window's, for the font's size is in pixels; it
  // costs no window-system calls to get.
  const UniqueDc dc(CreateCompatibleDC(nullptr));
  UniqueFont font(CreateFontIndirectW(&logFont));
  while (font.Get() != nullptr && dc && !CaptionsFit(dc.Get(), font.Get(), dpi) &&
         std::abs(logFont.lfHeight) > smallest) {
    logFont.lfHeight += logFont.lfHeight < 0 ? 1 : -1;
    logFont.lfWidth = 0;
    font = UniqueFont(CreateFontIndirectW(&logFont));
  }
  return font;
}
