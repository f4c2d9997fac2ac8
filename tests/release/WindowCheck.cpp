// WindowCheck: starts the program and looks at its window from another process, as a person and a screen reader
// would: layout at the session's DPI, captions, z-order and Tab order, message box owner, colours; then "Exit".
// Also checks the program file's version and manifest (its icon: Hardening.py).
//   WindowCheck --program=PATH [--dpi=N] [GoogleTest flags]
// PATH is a Unix path (wine's drive Z:). Without --dpi the layout is checked at the DPI of this session.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/driver/UniqueHandles.h"
#include "tests/driver/WindowDriver.h"
#include "tests/release/LayoutChecks.h"
#include "tests/support/DisposableProfile.h"
#include "ui/Dpi.h"
#include "ui/Form1Layout.h"

namespace {

using namespace Form1Layout;
using namespace WindowDriver;

constexpr wchar_t kClassName[] = L"PluginSwitchForm1";
constexpr int kChange = kCommand1 + kChangeIndex;
constexpr int kExit = kCommand1 + kExitIndex;
constexpr wchar_t kPlanted[] = PLUGINSWITCH_PLANTED_DLL;

std::wstring gProgram;
int gDpi = 0;

std::wstring Folder(const std::wstring& path) { return path.substr(0, path.find_last_of(L"\\/") + 1); }
// Where LaterLoadsPassOverTheProgramsFolder plants a DLL.
std::wstring Planted() { return Folder(gProgram) + kPlanted; }

// The program runs once for all checks of the window; the last one ends it with "Exit".
class ProgramWindow : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    program_ = std::make_unique<Program>(gProgram);
    window_ = program_->WaitForWindow(kClassName, nullptr);
    // Let the first paint finish before the screen is read.
    Sleep(300);
  }
  static void TearDownTestSuite() {
    program_.reset();
    window_ = nullptr;
    DeleteFileW(Planted().c_str());  // once the program has ended, which may have loaded it
  }
  void SetUp() override {
    ASSERT_TRUE(program_->Started()) << "the program did not start";
    ASSERT_NE(window_, nullptr) << "the program showed no window of class PluginSwitchForm1";
  }

  static HWND Window() { return window_; }
  static HWND Control(int id) { return GetDlgItem(window_, id); }
  static const Program& Process() { return *program_; }

 private:
  static std::unique_ptr<Program> program_;
  static HWND window_;
};

std::unique_ptr<Program> ProgramWindow::program_;
HWND ProgramWindow::window_ = nullptr;

TEST_F(ProgramWindow, SessionRunsAtTheExpectedDpi) {
  EXPECT_EQ(ScreenDpi(), gDpi) << "the wine session did not start at the DPI asked for";
  // What the program falls back to where Windows lacks GetDpiForWindow, seen by this process (aware of the DPI).
  EXPECT_EQ(Dpi::MonitorDpi(Window()), gDpi) << "GetDpiForMonitor gives another DPI for the window's monitor";
}

TEST_F(ProgramWindow, TitleIsForm1) { EXPECT_EQ(Text(Window()), kTitle); }

TEST_F(ProgramWindow, IsLaidOutFromTheTable) { EXPECT_TRUE(LayoutChecks::LaidOutAt(Window(), gDpi)); }

// The focus is on Combo1 or on its field, the combo box's child.
TEST_F(ProgramWindow, Combo1HasTheFocusAtStart) { EXPECT_EQ(FocusedControlId(Window()), kCombo1); }

TEST_F(ProgramWindow, Label1StandsJustBeforeCombo1InZOrder) {
  EXPECT_EQ(GetWindow(Control(kCombo1), GW_HWNDPREV), Control(kLabel1))
      << "screen readers name Combo1 by the static just before it";
}

// Tab, as the dialog manager moves it: the table's order, both options while neither is selected, and never onto
// Label1.
TEST_F(ProgramWindow, TabCycleFollowsTheTable) {
  const std::vector<int> cycle{kCombo1, kOptYes, kOptNo, kChange, kExit, kCombo1};
  for (size_t i = 0; i + 1 < cycle.size(); ++i) {
    EXPECT_EQ(GetNextDlgTabItem(Window(), Control(cycle[i]), FALSE), Control(cycle[i + 1])) << "Tab from " << cycle[i];
    EXPECT_EQ(GetNextDlgTabItem(Window(), Control(cycle[i + 1]), TRUE), Control(cycle[i]))
        << "Shift+Tab from " << cycle[i + 1];
  }
}

// The arrow keys move within a group; from Exit they wrap to Change, not onto Label1 before Combo1.
TEST_F(ProgramWindow, ArrowKeysStayInTheirGroup) {
  EXPECT_EQ(GetNextDlgGroupItem(Window(), Control(kExit), FALSE), Control(kChange));
  EXPECT_EQ(GetNextDlgGroupItem(Window(), Control(kChange), TRUE), Control(kExit));
  EXPECT_EQ(GetNextDlgGroupItem(Window(), Control(kOptYes), FALSE), Control(kOptNo));
  EXPECT_EQ(GetNextDlgGroupItem(Window(), Control(kOptNo), FALSE), Control(kOptYes));
}

// How many pixels of the rectangle on the screen differ from the colour given; -1 where the screen cannot be read.
int PixelsUnlike(const RECT& rect, COLORREF colour) {
  const int width = rect.right - rect.left;
  const int height = rect.bottom - rect.top;
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = -height;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC memory = CreateCompatibleDC(screen);
  HBITMAP bitmap = CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  int unlike = -1;
  if (bitmap != nullptr) {
    HGDIOBJ previous = SelectObject(memory, bitmap);
    if (BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY)) {
      GdiFlush();
      // A 32-bit DIB holds blue, green, red, unused.
      const DWORD wanted = (GetRValue(colour) << 16) | (GetGValue(colour) << 8) | GetBValue(colour);
      const auto* pixel = static_cast<const DWORD*>(bits);
      unlike = 0;
      for (int i = 0; i < width * height; ++i) {
        unlike += (pixel[i] & 0xFFFFFF) != wanted ? 1 : 0;
      }
    }
    SelectObject(memory, previous);
    DeleteObject(bitmap);
  }
  DeleteDC(memory);
  ReleaseDC(nullptr, screen);
  return unlike;
}

TEST_F(ProgramWindow, BackgroundIsTheSystemButtonFace) {
  // A point of the client area that no control covers, read from the screen.
  POINT point{2, 2};
  ClientToScreen(Window(), &point);
  const RECT pixel{point.x, point.y, point.x + 1, point.y + 1};
  int unlike = -1;
  WaitUntil([&] { return (unlike = PixelsUnlike(pixel, GetSysColor(COLOR_BTNFACE))) == 0; }, 5000);
  EXPECT_EQ(unlike, 0) << "the pixel at " << point.x << "," << point.y << " is not the system's button face";
}

// Each control has drawn itself by the time the window is up: its caption, frame, circle or field stands out from
// the background. A control left unpainted shows only the window's background.
TEST_F(ProgramWindow, EveryControlHasPaintedItself) {
  const COLORREF face = GetSysColor(COLOR_BTNFACE);
  for (const ControlDef& control : kControls) {
    RECT rect{};
    GetWindowRect(Control(control.id), &rect);
    int unlike = 0;
    WaitUntil([&] { return (unlike = PixelsUnlike(rect, face)) >= 10; }, 3000);
    EXPECT_GE(unlike, 10) << "control " << control.id << " shows only the background";
  }
}

TEST_F(ProgramWindow, MessageBoxIsOwnedByTheWindow) {
  // Nothing chosen: "Change" fails and says so.
  PostMessageW(Control(kChange), BM_CLICK, 0, 0);
  HWND box = WaitForThreadWindow(Window(), L"#32770");
  ASSERT_NE(box, nullptr) << "no message box";
  EXPECT_EQ(GetWindow(box, GW_OWNER), Window());
  EXPECT_EQ(Text(box), L"Plug-in Switch");
  PostMessageW(box, WM_COMMAND, IDOK, 0);
  EXPECT_TRUE(WaitUntil([&] { return !IsWindow(box); })) << "the message box did not close";
}

// DLLs loaded later on the program's behalf come from System32 only: a load by name, made by a thread of the program,
// does not find a DLL planted beside it, while the same DLL loads by its full path from the same kind of thread.
TEST_F(ProgramWindow, LaterLoadsPassOverTheProgramsFolder) {
  wchar_t own[MAX_PATH]{};
  GetModuleFileNameW(nullptr, own, MAX_PATH);
  ASSERT_TRUE(CopyFileW((Folder(own) + kPlanted).c_str(), Planted().c_str(), FALSE));
  DWORD id = 0;
  GetWindowThreadProcessId(Window(), &id);
  const UniqueHandle process(OpenProcess(PROCESS_ALL_ACCESS, FALSE, id));
  // kernel32 lies at the same address in every process of one architecture.
  const auto load = reinterpret_cast<LPTHREAD_START_ROUTINE>(
      reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleW(L"kernel32.dll"), "LoadLibraryW")));
  // The low half of the module the program's LoadLibraryW gave for path, or 0 where it loaded nothing.
  const auto loadInProgram = [&](const std::wstring& path) -> DWORD {
    const size_t bytes = (path.size() + 1) * sizeof(wchar_t);
    void* name = VirtualAllocEx(process.Get(), nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    const UniqueHandle thread(name != nullptr && WriteProcessMemory(process.Get(), name, path.c_str(), bytes, nullptr)
                                  ? CreateRemoteThread(process.Get(), nullptr, 0, load, name, 0, nullptr)
                                  : nullptr);
    DWORD module = 0;
    return WaitForSingleObject(thread.Get(), kPatienceMs) == WAIT_OBJECT_0 && GetExitCodeThread(thread.Get(), &module)
               ? module
               : 0;
  };
  EXPECT_EQ(loadInProgram(kPlanted), 0u) << "a load by name found the DLL planted in the program's folder";
  EXPECT_NE(loadInProgram(Planted()), 0u) << "the planted DLL does not load even by its full path";
}

// Last: ends the program.
TEST_F(ProgramWindow, ExitEndsTheProgramWithCodeZero) {
  PostMessageW(Control(kExit), BM_CLICK, 0, 0);
  EXPECT_EQ(Process().WaitForExit(), std::optional<DWORD>(0)) << "the program still runs or failed";
}

// The program file, loaded as data.
class ProgramFile : public testing::Test {
 protected:
  void SetUp() override {
    module_ = LoadLibraryExW(gProgram.c_str(), nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    ASSERT_NE(module_, nullptr) << "cannot load the program file";
  }
  void TearDown() override {
    if (module_ != nullptr) {
      FreeLibrary(module_);
    }
  }
  std::string_view Resource(LPCWSTR name, LPCWSTR type) const {
    HRSRC found = FindResourceW(module_, name, type);
    HGLOBAL loaded = found != nullptr ? LoadResource(module_, found) : nullptr;
    const void* data = loaded != nullptr ? LockResource(loaded) : nullptr;
    return data != nullptr ? std::string_view(static_cast<const char*>(data), SizeofResource(module_, found))
                           : std::string_view();
  }
  HMODULE module_ = nullptr;
};

TEST_F(ProgramFile, ManifestAsksForVisualStylesDpiAwarenessAndTheUsersRights) {
  const std::string_view manifest = Resource(MAKEINTRESOURCEW(1), MAKEINTRESOURCEW(24));
  ASSERT_FALSE(manifest.empty()) << "no manifest resource";
  for (const char* wanted :
       {"Microsoft.Windows.Common-Controls", "version=\"6.0.0.0\"", ">true/pm<", ">PerMonitorV2, PerMonitor<",
        "level=\"asInvoker\"", "{35138b9a-5d96-4fbd-8e2d-a2440225f93a}", "{4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38}",
        "{1f676c76-80e1-4239-95bb-83d0f6d0da78}", "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"}) {
    EXPECT_NE(manifest.find(wanted), std::string_view::npos) << "the manifest lacks " << wanted;
  }
}

TEST_F(ProgramFile, VersionNamesTheProduct) {
  DWORD ignored = 0;
  std::vector<char> info(GetFileVersionInfoSizeW(gProgram.c_str(), &ignored));
  ASSERT_FALSE(info.empty()) << "no version resource";
  ASSERT_TRUE(GetFileVersionInfoW(gProgram.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
  const auto value = [&](const wchar_t* name) {
    std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    void* text = nullptr;
    UINT length = 0;
    return VerQueryValueW(info.data(), path.c_str(), &text, &length) && length > 0
               ? std::wstring(static_cast<const wchar_t*>(text))
               : std::wstring();
  };
  std::wstring version;
  for (const char c : std::string_view(PLUGINSWITCH_VERSION)) {
    version += static_cast<wchar_t>(c);
  }
  EXPECT_EQ(value(L"ProductName"), L"Plug-in Switch");
  EXPECT_EQ(value(L"FileDescription"), L"Plug-in Switch");
  EXPECT_EQ(value(L"OriginalFilename"), L"PluginSwitch.exe");
  EXPECT_EQ(value(L"FileVersion"), version);
  EXPECT_EQ(value(L"ProductVersion"), version);
  EXPECT_NE(value(L"LegalCopyright").find(L"2026 Plug-in Switch developers"), std::wstring::npos);

  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS,
            static_cast<DWORD>(MAKELONG(PLUGINSWITCH_VERSION_MINOR, PLUGINSWITCH_VERSION_MAJOR)));
  EXPECT_EQ(fixed->dwFileVersionLS, static_cast<DWORD>(MAKELONG(0, PLUGINSWITCH_VERSION_PATCH)));
}

}  // namespace

int main(int argc, char** argv) {
  testing::InitGoogleTest(&argc, argv);
  // Coordinates and fonts as they are on the screen, not scaled for a program unaware of DPI.
  SetProcessDPIAware();
  for (int i = 1; i < argc; ++i) {
    const std::string_view argument = argv[i];
    if (argument.substr(0, 10) == "--program=") {
      gProgram = WinePath(argument.substr(10));
    } else if (argument.substr(0, 6) == "--dpi=") {
      gDpi = std::atoi(argv[i] + 6);
    } else {
      gProgram.clear();
      break;
    }
  }
  if (gProgram.empty()) {
    std::fprintf(stderr, "usage: WindowCheck --program=PATH [--dpi=N] [GoogleTest flags]\n");
    return 2;
  }
  if (gDpi == 0) {
    gDpi = WindowDriver::ScreenDpi();
  }
  // The program it starts reads the real product key, and "Change" may write it; the checks move the focus around.
  if (!DisposableProfile::IsDisposable()) {
    std::printf("skipped: %s\n", DisposableProfile::kNote);
    return DisposableProfile::kSkipExitCode;
  }
  return RUN_ALL_TESTS();
}
