#pragma once
#include <gtest/gtest.h>

#include <windows.h>

#include "ui/Form1Layout.h"

// Checks of a Form1 window against its layout table at a DPI, read through the window handles only, so they work
// from the window's own process and from another one alike.
namespace LayoutChecks {

// The client area measures the table's width and height at dpi.
testing::AssertionResult ClientAreaIsTableSize(HWND window, int dpi);

// The control with this definition stands where the table puts it at dpi (a drop-down combo: its closed field).
testing::AssertionResult ControlIsAtTableRect(HWND window, const Form1Layout::ControlDef& control, int dpi);

// Every control lies inside the client area, and every control the table puts inside Frame1 inside the frame.
testing::AssertionResult ControlsLieInside(HWND window);

// The control's font as its description, read in the control's own process; lfHeight 0 if it has none.
LOGFONTW ControlFont(HWND control);

// The control shows the table's caption, and the caption, measured in the control's own font, fits its control
// beside the control's decoration (radio circle, button and frame borders).
testing::AssertionResult CaptionFits(HWND window, const Form1Layout::ControlDef& control, int dpi);

}  // namespace LayoutChecks
