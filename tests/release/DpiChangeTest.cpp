// Form1 in this process, moved to a monitor of another DPI by the message Windows sends then (WM_DPICHANGED): it
// takes the place the system suggests and lays itself out anew from its table, and again when it moves back. And the
// caption font it chooses, for the DPI and for the system's message font.
#include <gtest/gtest.h>

#include <windows.h>

#include <imm.h>

#include <cstdlib>
#include <string>

#include "tests/driver/WindowDriver.h"
#include "tests/release/LayoutChecks.h"
#include "tests/support/CaseName.h"
#include "tests/support/DisposableProfile.h"
#include "ui/CaptionFont.h"
#include "ui/Dpi.h"
#include "ui/Form1.h"
#include "ui/Form1Layout.h"

namespace {

using Form1Layout::ControlDef;
using Form1Layout::kControls;
using LayoutChecks::ControlFont;
using LayoutChecks::LaidOutAt;

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
  // Laid out again at the DPI of the last move, which the system's own answer may not know (here, sent by the test).
  const int dpi = Dpi::WindowDpi(window) == 144 ? 120 : 144;
  MoveToDpi(window, dpi, RECT{0, 0, MulDiv(400, dpi, 96), MulDiv(200, dpi, 96)});
  HWND label = GetDlgItem(window, Form1Layout::kLabel1);
  const auto before = SendMessageW(label, WM_GETFONT, 0, 0);
  const LOGFONTW font = ControlFont(label);
  const UINT message = GetParam().value;
  SendMessageW(window, message, message == WM_SETTINGCHANGE ? SPI_SETNONCLIENTMETRICS : 0, 0);
  EXPECT_NE(SendMessageW(label, WM_GETFONT, 0, 0), before);
  EXPECT_EQ(ControlFont(label).lfHeight, font.lfHeight);
  EXPECT_TRUE(LaidOutAt(window, dpi));
}

INSTANTIATE_TEST_SUITE_P(Messages, SystemChange,
                         testing::Values(Case<UINT>{"Fonts", WM_SETTINGCHANGE}, Case<UINT>{"Theme", WM_THEMECHANGED}),
                         CaseName());

// What only this process sees of the window: Combo1's field takes no input method, so its text changes only by
// choosing; the system's own combo box (no manifest asks this process for Common Controls 6) opens ten rows; after
// WM_DESTROY the window still gets the system's default handling.
TEST(Form1InProcess, FieldTakesNoInputMethodListShowsTenRowsAndDestroyKeepsDefaults) {
  Form1 form;
  ASSERT_TRUE(form.Show(GetModuleHandleW(nullptr), SW_HIDE));
  HWND window = form.Handle();
  HWND combo = GetDlgItem(window, Form1Layout::kCombo1);
  COMBOBOXINFO info{};
  info.cbSize = sizeof info;
  ASSERT_TRUE(GetComboBoxInfo(combo, &info));
  EXPECT_EQ(ImmGetContext(info.hwndItem), nullptr);
  RECT list{};
  SendMessageW(combo, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&list));
  EXPECT_EQ((list.bottom - list.top) / SendMessageW(combo, CB_GETITEMHEIGHT, 0, 0), 10);
  SendMessageW(window, WM_DESTROY, 0, 0);
  EXPECT_TRUE(SetWindowTextW(window, L"after"));
  EXPECT_EQ(GetWindowTextLengthW(window), 5);
  DestroyWindow(window);
}

// Sets the system's message font for this session of the prefix, not saved, and puts the previous one back.
class MessageFontSetting {
 public:
  MessageFontSetting(const wchar_t* face, int pixels, int width) {
    saved_.cbSize = sizeof saved_;
    if (face == nullptr || !SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof saved_, &saved_, 0)) {
      return;
    }
    NONCLIENTMETRICSW metrics = saved_;
    metrics.lfMessageFont.lfHeight = -pixels;
    metrics.lfMessageFont.lfWidth = width;
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

// Whether the system's fonts are wine's own, which the prefixes the scripts make carry: the faces and sizes below are
// what their metrics give. Elsewhere (Windows, a prefix without them) the rows are skipped; the captions' fit at
// every DPI is checked there by the layout checks, with whatever fonts the system has.
bool HasWinesOwnFonts() {
  if (!WindowDriver::UnderWine()) {
    return false;
  }
  wchar_t windows[MAX_PATH]{};
  const UINT length = GetWindowsDirectoryW(windows, MAX_PATH);
  const std::wstring tahoma = std::wstring(windows, length < MAX_PATH ? length : 0) + L"\\Fonts\\tahoma.ttf";
  return GetFileAttributesW(tahoma.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The caption font for the message font set in the prefix and the DPI of the window's monitor, measured with wine's
// own Tahoma, which "MS Shell Dlg 2" stands for. "Segoe UI" at 9 points stands for Windows 10 and 11: wider and taller
// than Tahoma, whatever face it resolves to here.
struct CaptionCase {
  const char* what;
  const wchar_t* messageFace;  // nullptr: the prefix's own message font
  int messagePixels;           // at 96 DPI
  int dpi;
  const wchar_t* face;
  int pixels;
  int messageWidth = 0;  // the message font's average character width; 0 for the face's own
};

class CaptionFont : public testing::TestWithParam<CaptionCase> {};

TEST_P(CaptionFont, IsTheLegibleFaceAndSize) {
  const CaptionCase& row = GetParam();
  if (!HasWinesOwnFonts()) {
    GTEST_SKIP() << "the expected faces and sizes are those of wine's own fonts, which this system lacks";
  }
  if (row.messageFace != nullptr && !DisposableProfile::IsDisposable()) {
    GTEST_SKIP() << DisposableProfile::kNote;  // every program on the desktop would take the font
  }
  const MessageFontSetting setting(row.messageFace, row.messagePixels, row.messageWidth);
  ASSERT_TRUE(row.messageFace == nullptr || setting.Set());
  Form1 form;
  ASSERT_TRUE(form.Show(GetModuleHandleW(nullptr), SW_HIDE));
  HWND window = form.Handle();
  MoveToDpi(window, row.dpi, RECT{0, 0, MulDiv(400, row.dpi, 96), MulDiv(200, row.dpi, 96)});
  const LOGFONTW shown = ControlFont(GetDlgItem(window, Form1Layout::kLabel1));
  EXPECT_EQ(std::wstring(shown.lfFaceName), row.face);
  EXPECT_EQ(shown.lfHeight, -row.pixels);
  EXPECT_TRUE(LaidOutAt(window, row.dpi));
}

INSTANTIATE_TEST_SUITE_P(MessageFonts, CaptionFont,
                         testing::Values(CaptionCase{"WineDefaultAt96", nullptr, 0, 96, L"MS Shell Dlg 2", 10},
                                         CaptionCase{"WineDefaultAt120", nullptr, 0, 120, L"MS Shell Dlg 2", 12},
                                         CaptionCase{"WineDefaultAt144", nullptr, 0, 144, L"MS Shell Dlg 2", 15},
                                         CaptionCase{"SegoeUi9ptAt96", L"Segoe UI", 12, 96, L"MS Shell Dlg 2", 10},
                                         CaptionCase{"SegoeUi9ptAt144", L"Segoe UI", 12, 144, L"MS Shell Dlg 2", 15},
                                         CaptionCase{"MessageFontThatFits", L"Tahoma", 10, 96, L"Tahoma", 10},
                                         CaptionCase{"MessageFontTooSmall", L"Tahoma", 9, 96, L"MS Shell Dlg 2", 10},
                                         CaptionCase{"MessageFontTallAndNarrow", L"Tahoma", 20, 96, L"MS Shell Dlg 2",
                                                     10, 4}),
                         CaseName());

}  // namespace
