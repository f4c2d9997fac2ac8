#pragma once
#include <windows.h>

// The DPI a window is drawn at, and the system measures at that DPI. The per-monitor functions of Windows 10 are
// looked up at run time, so the program still starts on Windows 7 and 8, where the system DPI is the only one.
namespace Dpi {

// Sent when the window moves to a monitor of another DPI (Windows 8.1 and later); wParam's high word is the new DPI,
// lParam the suggested window rectangle at that DPI.
inline constexpr UINT kDpiChangedMessage = 0x02E0;

// The DPI of the screen as the system reports it to this process.
int SystemDpi();

// The DPI of the monitor the window is on (GetDpiForWindow), or the system DPI where Windows lacks it.
int WindowDpi(HWND window);

// The system's message font as the user has chosen it, scaled to dpi; false if the system gives none.
bool GetMessageFont(int dpi, LOGFONTW& font);

}  // namespace Dpi
