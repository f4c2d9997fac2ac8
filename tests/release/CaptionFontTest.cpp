// The caption font Form1 shows, for the message font set in the test's wine prefix and the DPI of the window's
// monitor, measured with the prefix's fonts (wine's own Tahoma, which "MS Shell Dlg 2" stands for). "Segoe UI" at
// 9 points stands for Windows 10 and 11: wider and taller than Tahoma, whatever face it resolves to here.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "tests/release/LayoutChecks.h"
#include "tests/support/CaseName.h"
#include "ui/CaptionFont.h"
#include "ui/Dpi.h"
#include "ui/Form1.h"

namespace {

// Sets the system's message font for this session of the prefix, not saved, and puts the previous one back.
class MessageFontSetting {
 public:
  MessageFontSetting(const wchar_t* face, int pixels) {
    saved_.cbSize = sizeof saved_;
    if (face == nullptr || !SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof saved_, &saved_, 0)) {
      return;
    }
    NONCLIENTMETRICSW metrics = saved_;
    metrics.lfMessageFont.lfHeight = -pixels;
    lstrcpynW(metrics.lfMessageFont.lfFaceName, face, LF_FACESIZE);
    set_ = SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
  }
  ~MessageFontSetting() {
    if (set_) {
      SystemParametersInfoW(SPI_SETNONCLIENTMETRICS, sizeof saved_, &saved_, 0);
    }
  }
  MessageFontSetting(const MessageFontSetting&) = delete;
  MessageFontSetting& operator=(const MessageFontSetting&) = delete;
  [[nodiscard]] bool Set() const { return set_; }

 private:
  NONCLIENTMETRICSW saved_{};
  bool set_ = false;
};

struct CaptionCase {
  const char* what;
  const wchar_t* messageFace;  // nullptr: the prefix's own message font
  int messagePixels;           // at 96 DPI
  int dpi;
  const wchar_t* face;
  int pixels;
};

class CaptionFont : public testing::TestWithParam<CaptionCase> {};

TEST_P(CaptionFont, IsTheLegibleFaceAndSize) {
  const CaptionCase& row = GetParam();
  const MessageFontSetting setting(row.messageFace, row.messagePixels);
  ASSERT_TRUE(row.messageFace == nullptr || setting.Set());
  Form1 form;
  ASSERT_TRUE(form.Show(GetModuleHandleW(nullptr), SW_HIDE));
  HWND window = form.Handle();
  if (Dpi::WindowDpi(window) != row.dpi) {
    const RECT suggested{0, 0, MulDiv(400, row.dpi, 96), MulDiv(200, row.dpi, 96)};
    SendMessageW(window, Dpi::kDpiChangedMessage, MAKEWPARAM(row.dpi, row.dpi), reinterpret_cast<LPARAM>(&suggested));
  }
  const LOGFONTW shown = LayoutChecks::ControlFont(GetDlgItem(window, Form1Layout::kLabel1));
  EXPECT_EQ(std::wstring(shown.lfFaceName), row.face);
  EXPECT_EQ(shown.lfHeight, -row.pixels);
  EXPECT_GE(-shown.lfHeight, MinimumCaptionPixels(row.dpi));
  for (const Form1Layout::ControlDef& control : Form1Layout::kControls) {
    if (control.id != Form1Layout::kCombo1) {
      EXPECT_TRUE(LayoutChecks::CaptionFits(window, control, row.dpi));
    }
  }
}

INSTANTIATE_TEST_SUITE_P(MessageFonts, CaptionFont,
                         testing::Values(CaptionCase{"WineDefaultAt96", nullptr, 0, 96, L"MS Shell Dlg 2", 10},
                                         CaptionCase{"WineDefaultAt120", nullptr, 0, 120, L"MS Shell Dlg 2", 12},
                                         CaptionCase{"WineDefaultAt144", nullptr, 0, 144, L"MS Shell Dlg 2", 15},
                                         CaptionCase{"SegoeUi9ptAt96", L"Segoe UI", 12, 96, L"MS Shell Dlg 2", 10},
                                         CaptionCase{"SegoeUi9ptAt144", L"Segoe UI", 12, 144, L"MS Shell Dlg 2", 15},
                                         CaptionCase{"MessageFontThatFits", L"Tahoma", 10, 96, L"Tahoma", 10},
                                         CaptionCase{"MessageFontTooSmall", L"Tahoma", 9, 96, L"MS Shell Dlg 2", 10}),
                         CaseName());

}  // namespace
