// Form1 in this process, moved to a monitor of another DPI by the message Windows sends then (WM_DPICHANGED): it
// takes the place the system suggests and lays itself out anew from its table, and again when it moves back.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <string>

#include "tests/release/LayoutChecks.h"
#include "tests/support/CaseName.h"
#include "ui/Dpi.h"
#include "ui/Form1.h"
#include "ui/Form1Layout.h"

namespace {

using Form1Layout::ControlDef;
using Form1Layout::kControls;
using LayoutChecks::ControlFont;

testing::AssertionResult LaidOutAt(HWND window, int dpi) {
  testing::AssertionResult result = LayoutChecks::ClientAreaIsTableSize(window, dpi);
  if (result) {
    result = LayoutChecks::ControlsLieInside(window);
  }
  for (const ControlDef& control : kControls) {
    if (result) {
      result = LayoutChecks::ControlIsAtTableRect(window, control, dpi);
    }
    if (result && control.id != Form1Layout::kCombo1) {
      result = LayoutChecks::CaptionFits(window, control, dpi);
    }
  }
  return result;
}

// Sends what Windows sends when the window has moved to a monitor of dpi: the new DPI and a suggested rectangle.
void MoveToDpi(HWND window, int dpi, const RECT& suggested) {
  SendMessageW(window, Dpi::kDpiChangedMessage, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
}

class DpiChange : public testing::TestWithParam<int> {};

TEST_P(DpiChange, WindowLaysItselfOutForTheNewDpiAndBack) {
  Form1 form;
  ASSERT_TRUE(form.Show(GetModuleHandleW(nullptr), SW_HIDE));
  HWND window = form.Handle();
  const int startDpi = Dpi::WindowDpi(window);
  ASSERT_TRUE(LaidOutAt(window, startDpi));
  const LOGFONTW startFont = ControlFont(GetDlgItem(window, Form1Layout::kLabel1));

  const int dpi = GetParam();
  const RECT suggested{37, 23, 37 + MulDiv(400, dpi, 96), 23 + MulDiv(200, dpi, 96)};
  MoveToDpi(window, dpi, suggested);
  RECT placed{};
  GetWindowRect(window, &placed);
  EXPECT_EQ(placed.left, suggested.left);
  EXPECT_EQ(placed.top, suggested.top);
  EXPECT_TRUE(LaidOutAt(window, dpi));
  // One font for every control, made for the new DPI.
  const LOGFONTW font = ControlFont(GetDlgItem(window, Form1Layout::kLabel1));
  for (const ControlDef& control : kControls) {
    EXPECT_EQ(ControlFont(GetDlgItem(window, control.id)).lfHeight, font.lfHeight) << control.id;
  }
  if (dpi > startDpi) {
    EXPECT_GT(std::abs(font.lfHeight), std::abs(startFont.lfHeight));
  } else if (dpi < startDpi) {
    EXPECT_LT(std::abs(font.lfHeight), std::abs(startFont.lfHeight));
  }

  const RECT back{11, 13, 11 + MulDiv(400, startDpi, 96), 13 + MulDiv(200, startDpi, 96)};
  MoveToDpi(window, startDpi, back);
  EXPECT_TRUE(LaidOutAt(window, startDpi));
  EXPECT_EQ(ControlFont(GetDlgItem(window, Form1Layout::kLabel1)).lfHeight, startFont.lfHeight);
}

INSTANTIATE_TEST_SUITE_P(Monitors, DpiChange, testing::Values(72, 96, 120, 144, 168, 192, 288));

// Asked for its size at a DPI before a move (per-monitor v2), the window gives the size its layout takes there: at
// the DPI it is on, exactly the size it has.
TEST(DpiScaledSize, IsTheSizeTheLayoutTakes) {
  Form1 form;
  ASSERT_TRUE(form.Show(GetModuleHandleW(nullptr), SW_HIDE));
  HWND window = form.Handle();
  RECT placed{};
  GetWindowRect(window, &placed);
  SIZE size{};
  ASSERT_TRUE(SendMessageW(window, Dpi::kGetDpiScaledSizeMessage, static_cast<WPARAM>(Dpi::WindowDpi(window)),
                           reinterpret_cast<LPARAM>(&size)));
  EXPECT_EQ(size.cx, placed.right - placed.left);
  EXPECT_EQ(size.cy, placed.bottom - placed.top);
}

// A change of the system's fonts or theme makes the window choose its caption font anew and lay itself out again.
class SystemChange : public testing::TestWithParam<Case<UINT>> {};

TEST_P(SystemChange, ChoosesTheCaptionFontAnew) {
  Form1 form;
  ASSERT_TRUE(form.Show(GetModuleHandleW(nullptr), SW_HIDE));
  HWND window = form.Handle();
  HWND label = GetDlgItem(window, Form1Layout::kLabel1);
  const auto before = SendMessageW(label, WM_GETFONT, 0, 0);
  const LOGFONTW font = ControlFont(label);
  const UINT message = GetParam().value;
  SendMessageW(window, message, message == WM_SETTINGCHANGE ? SPI_SETNONCLIENTMETRICS : 0, 0);
  EXPECT_NE(SendMessageW(label, WM_GETFONT, 0, 0), before);
  EXPECT_EQ(ControlFont(label).lfHeight, font.lfHeight);
  EXPECT_TRUE(LaidOutAt(window, Dpi::WindowDpi(window)));
}

INSTANTIATE_TEST_SUITE_P(Messages, SystemChange,
                         testing::Values(Case<UINT>{"Fonts", WM_SETTINGCHANGE}, Case<UINT>{"Theme", WM_THEMECHANGED}),
                         CaseName());

}  // namespace
