#pragma once
#include <windows.h>

// The DPI a window is drawn at, and the system measures at that DPI. The per-monitor functions of Windows 8.1 and 10
// are looked up at run time, so the program still starts on Windows 7 and 8, where the system DPI is the only one.
namespace Dpi {

// Sent when the window moves to a monitor of another DPI (Windows 8.1 and later); wParam's high word is the new DPI,
// lParam the suggested window rectangle at that DPI.
inline constexpr UINT kDpiChangedMessage = 0x02E0;
// Sent before a move to a monitor of another DPI (Windows 10 1703 and later, per-monitor v2): wParam is the new DPI,
// lParam a SIZE to fill with the window's size there; returning TRUE makes the system use that size.
inline constexpr UINT kGetDpiScaledSizeMessage = 0x02E4;

// The DPI of the screen as the system reports it to this process.
int SystemDpi();

// The DPI of the monitor the window is on: GetDpiForWindow (Windows 10 1607 and later), MonitorDpi where Windows
// lacks it, the system DPI where it lacks both.
int WindowDpi(HWND window);

// The effective DPI of the monitor nearest the window (GetDpiForMonitor, Windows 8.1 and later), as this process's
// DPI awareness sees it; 0 where Windows has no such function.
int MonitorDpi(HWND window);

// GetSystemMetrics at dpi: GetSystemMetricsForDpi where Windows has it, the system DPI's figure scaled otherwise.
int SystemMetric(int index, int dpi);

// The size of a window of this style whose client area is client, with its frame as measured at dpi
// (AdjustWindowRectExForDpi); false where Windows cannot measure a frame at another DPI.
bool WindowSizeForClient(SIZE client, DWORD style, DWORD exStyle, int dpi, SIZE& window);

// The system's message font as the user has chosen it, scaled to dpi; false if the system gives none.
bool GetMessageFont(int dpi, LOGFONTW& font);

}  // namespace Dpi
