#pragma once
#include <windows.h>

#include "ui/UniqueFont.h"

// The font every control of Form1 shows its caption in: the system's message font at dpi, made just small enough
// that each caption fits the place the layout gives its control, though never under 8 pixels at 96 DPI (scaled to
// dpi). Empty if the system gives no message font.
UniqueFont CreateCaptionFont(int dpi);
