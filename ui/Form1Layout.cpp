#include "ui/Form1Layout.h"

namespace Form1Layout {

int TwipsToPixels(int twips, int dpi) { return MulDiv(twips, dpi, 1440); }

const ControlDef* FindControl(int id) {
  for (const auto& control : kControls) {
    if (control.id == id) {
      return &control;
    }
  }
  return nullptr;
}

RECT ControlRect(const ControlDef& control, int dpi) {
  int left = control.left;
  int top = control.top;
  if (control.insideFrame) {
    const ControlDef& frame = *FindControl(kFrame1);
    left += frame.left;
    top += frame.top;
  }
  const int x = TwipsToPixels(left, dpi);
  const int y = TwipsToPixels(top, dpi);
  return RECT{x, y, x + TwipsToPixels(control.width, dpi), y + TwipsToPixels(control.height, dpi)};
}

SIZE ClientSize(int dpi) { return SIZE{TwipsToPixels(kClientWidth, dpi), TwipsToPixels(kClientHeight, dpi)}; }

}  // namespace Form1Layout
