#pragma once
#include <gtest/gtest.h>

#include <windows.h>

#include "ui/Form1Layout.h"

// Checks of a Form1 window against its layout table at a DPI, read through the window handles only, so they work
// from the window's own process and from another one alike.
namespace LayoutChecks {

// The window is laid out from its table at dpi: the client area has the table's size; every control stands where the
// table puts it (a drop-down combo: its closed field), inside the client area, and inside Frame1 where the table puts
// it there; every control but Combo1 shows the table's caption, and the caption, measured in the control's own font,
// fits its control beside the control's decoration (radio circle, button and frame borders). The first fault found.
testing::AssertionResult LaidOutAt(HWND window, int dpi);

// The control's font as its description, read in the control's own process; lfHeight 0 if it has none.
LOGFONTW ControlFont(HWND control);

}  // namespace LayoutChecks
