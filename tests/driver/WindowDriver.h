#pragma once
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <windows.h>

#include "tests/driver/UniqueHandles.h"

// Drives the program's window from another process, as a person would, and reads the window back.
namespace WindowDriver {

// How long a wait lasts before it gives up: generous for slow machines, since waits end as soon as they are met.
inline constexpr DWORD kPatienceMs = 20000;

// Polls condition until it holds or timeoutMs passes; returns whether it held.
bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs = kPatienceMs);

// Whether this process runs under wine, whose ntdll exports wine_get_version.
bool UnderWine();

// The screen's DPI in this session, as GDI gives it to a program aware of DPI.
int ScreenDpi();

// The name wine gives a Unix path on its drive Z:; a Windows path as it is, with backslashes.
std::wstring WinePath(std::string_view unixPath);

// One run of a program, started from outside. Ended with TerminateProcess on destruction if still running.
class Program {
 public:
  // Starts the program at path (a Windows path); Started() tells whether it did.
  explicit Program(const std::wstring& path);
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;
  ~Program();

  bool Started() const { return static_cast<bool>(process_); }
  bool Running() const;
  // The program's visible top-level window of this class and title, or nullptr if none shows within the wait.
  HWND WaitForWindow(const wchar_t* className, const wchar_t* title) const;
  // The full path of the module of this file name (say "comctl32.dll") the program has loaded, or "" if none.
  std::wstring LoadedModule(const wchar_t* fileName) const;
  // The exit code once the process has ended, or nothing if it still runs after timeoutMs.
  std::optional<DWORD> WaitForExit(DWORD timeoutMs = kPatienceMs) const;

 private:
  UniqueHandle process_;
  DWORD processId_ = 0;
};

// A window's text, read with WM_GETTEXT.
std::wstring Text(HWND window);

// The items of a combo box's list, in list order.
std::vector<std::wstring> ComboItems(HWND combo);
// The index of the combo box's chosen item, or CB_ERR.
LRESULT ComboSelection(HWND combo);
bool ComboDroppedDown(HWND combo);
// The combo box's edit field (its child of class "Edit"), or nullptr.
HWND ComboEdit(HWND combo);
// Where a person clicks to open a drop-down combo box's list: the middle of its arrow button, on the screen.
POINT ComboArrowPoint(HWND combo);
// The centre of a list box's item on the screen, or nothing when the item is scrolled out of sight.
std::optional<POINT> ListItemCentre(HWND list, LRESULT index);

bool IsChecked(HWND button);

// The window with the keyboard focus on window's thread, or nullptr.
HWND Focus(HWND window);
// The ID of window's child control that holds the focus (or whose child does), or 0 if the focus is elsewhere.
int FocusedControlId(HWND window);

// A control's rectangle in its parent's client coordinates.
RECT RectInParent(HWND control);
RECT ClientRect(HWND window);
// The centre of a window, in screen coordinates.
POINT ScreenCentre(HWND window);

// The visible top-level window of this class on window's thread (a message box is "#32770"), or nullptr.
HWND FindThreadWindow(HWND window, const wchar_t* className);
// The visible top-level window of this class on window's thread once one shows, or nullptr after the wait.
HWND WaitForThreadWindow(HWND window, const wchar_t* className);
// Every visible top-level window of this class on window's thread, to tell one message box from two.
std::vector<HWND> ThreadWindows(HWND window, const wchar_t* className);

// What a message box shows.
struct MessageBoxView {
  std::wstring title;
  std::wstring text;
  std::vector<HWND> buttons;  // visible buttons, in child order
  HWND owner = nullptr;
};
MessageBoxView ReadMessageBox(HWND box);

}  // namespace WindowDriver
