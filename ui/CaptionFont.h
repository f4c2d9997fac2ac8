#pragma once
#include <windows.h>

#include "ui/UniqueFont.h"

// The font every control of Form1 shows its caption in, at dpi. In order of preference: the user's message font at
// its own size, where every caption fits its control in it and it is at least 10 pixels at 96 DPI (scaled to dpi);
// otherwise the classic dialog face "MS Shell Dlg 2" at 8 points, made smaller only as far as the captions need,
// and below 10 pixels only where nothing larger fits. Measured with the system's fonts, so the result holds for
// the machine it runs on.
LOGFONTW ChooseCaptionFont(const LOGFONTW& messageFont, int dpi);

// The font ChooseCaptionFont picks from the system's message font at dpi; empty if the system gives no message font
// or no font can be made.
UniqueFont CreateCaptionFont(int dpi);
