// The caption font chosen from the user's message font at a DPI, measured with the fonts of the test's wine prefix
// (wine's own Tahoma and the substitutes of "MS Shell Dlg 2"). "Segoe UI" at 9 points stands for Windows 10 and 11:
// wider and taller than Tahoma, whatever face it resolves to here.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "tests/support/CaseName.h"
#include "ui/CaptionFont.h"
#include "ui/Dpi.h"

namespace {

struct CaptionCase {
  const char* what;
  const wchar_t* messageFace;  // nullptr: the prefix's own message font at dpi
  int messagePixels;
  int dpi;
  const wchar_t* face;
  int pixels;
};

class CaptionFont : public testing::TestWithParam<CaptionCase> {};

TEST_P(CaptionFont, PicksTheLegibleFaceAndSize) {
  const CaptionCase& row = GetParam();
  LOGFONTW message{};
  if (row.messageFace == nullptr) {
    ASSERT_TRUE(Dpi::GetMessageFont(row.dpi, message));
  } else {
    message.lfHeight = -row.messagePixels;
    message.lfWeight = FW_NORMAL;
    message.lfCharSet = DEFAULT_CHARSET;
    lstrcpynW(message.lfFaceName, row.messageFace, LF_FACESIZE);
  }
  const LOGFONTW chosen = ChooseCaptionFont(message, row.dpi);
  EXPECT_EQ(std::wstring(chosen.lfFaceName), row.face);
  EXPECT_EQ(chosen.lfHeight, -row.pixels);
  EXPECT_GE(-chosen.lfHeight, MinimumCaptionPixels(row.dpi));
}

INSTANTIATE_TEST_SUITE_P(MessageFonts, CaptionFont,
                         testing::Values(CaptionCase{"WineDefaultAt96", nullptr, 0, 96, L"MS Shell Dlg 2", 10},
                                         CaptionCase{"WineDefaultAt120", nullptr, 0, 120, L"MS Shell Dlg 2", 12},
                                         CaptionCase{"WineDefaultAt144", nullptr, 0, 144, L"MS Shell Dlg 2", 15},
                                         CaptionCase{"SegoeUi9ptAt96", L"Segoe UI", 12, 96, L"MS Shell Dlg 2", 10},
                                         CaptionCase{"SegoeUi9ptAt144", L"Segoe UI", 18, 144, L"MS Shell Dlg 2", 15},
                                         CaptionCase{"MessageFontThatFits", L"Tahoma", 10, 96, L"Tahoma", 10},
                                         CaptionCase{"MessageFontTooSmall", L"Tahoma", 9, 96, L"MS Shell Dlg 2", 10}),
                         CaseName());

}  // namespace
