#include "ui/Dpi.h"

namespace Dpi {

namespace {

using GetDpiForSystemFunction = UINT(WINAPI*)();
using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
using AdjustWindowRectExForDpiFunction = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
using SystemParametersInfoForDpiFunction = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);
// shcore's GetDpiForMonitor (Windows 8.1 and later); its MONITOR_DPI_TYPE is an enum, passed as an int.
using GetDpiForMonitorFunction = HRESULT(WINAPI*)(HMONITOR, int, UINT*, UINT*);
constexpr int kMdtEffectiveDpi = 0;  // MDT_EFFECTIVE_DPI: the DPI the system scales a monitor's windows for

// A user32 export that older Windows lacks, or nullptr there.
template <typename Function>
Function User32Function(const char* name) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (user32 == nullptr) {
    return nullptr;
  }
  // Through a plain function pointer type: FARPROC converts to any function pointer only by reinterpret_cast.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(user32, name)));
}

// shcore.dll's GetDpiForMonitor, or nullptr where Windows has none (before 8.1, which is also where LoadLibraryExW
// may not know the flag). Not loaded yet, it is loaded from System32 only, once: later calls find it and keep it.
// No static cache: a guarded local static would bring the C++ runtime's thread support into the program.
GetDpiForMonitorFunction ShcoreGetDpiForMonitor() {
  HMODULE shcore = GetModuleHandleW(L"shcore.dll");
  if (shcore == nullptr) {
    shcore = LoadLibraryExW(L"shcore.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  }
  if (shcore == nullptr) {
    return nullptr;
  }
  return reinterpret_cast<GetDpiForMonitorFunction>(
      reinterpret_cast<void (*)()>(GetProcAddress(shcore, "GetDpiForMonitor")));
}

}  // namespace

int SystemDpi() {
  const auto getDpiForSystem = User32Function<GetDpiForSystemFunction>("GetDpiForSystem");
  if (getDpiForSystem != nullptr) {
    const UINT dpi = getDpiForSystem();
    if (dpi > 0) {
      return static_cast<int>(dpi);
    }
  }
  HDC screen = GetDC(nullptr);
  const int dpi = screen != nullptr ? GetDeviceCaps(screen, LOGPIXELSY) : 0;
  if (screen != nullptr) {
    ReleaseDC(nullptr, screen);
  }
  return dpi > 0 ? dpi : 96;  // the DPI Windows assumes when it reports none
}

int WindowDpi(HWND window) {
  const auto getDpiForWindow = User32Function<GetDpiForWindowFunction>("GetDpiForWindow");
  if (getDpiForWindow != nullptr) {
    const UINT dpi = getDpiForWindow(window);
    if (dpi > 0) {
      return static_cast<int>(dpi);
    }
  }
  const int monitorDpi = MonitorDpi(window);
  return monitorDpi > 0 ? monitorDpi : SystemDpi();
}

int MonitorDpi(HWND window) {
  const auto getDpiForMonitor = ShcoreGetDpiForMonitor();
  UINT dpiX = 0;
  UINT dpiY = 0;
  if (getDpiForMonitor == nullptr ||
      FAILED(getDpiForMonitor(MonitorFromWindow(window, MONITOR_DEFAULTTONEAREST), kMdtEffectiveDpi, &dpiX, &dpiY))) {
    return 0;
  }
  return static_cast<int>(dpiY);  // the same as dpiX
}

int SystemMetric(int index, int dpi) {
  const auto getSystemMetricsForDpi = User32Function<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
  if (getSystemMetricsForDpi != nullptr) {
    return getSystemMetricsForDpi(index, static_cast<UINT>(dpi));
  }
  const int systemDpi = SystemDpi();
  const int metric = GetSystemMetrics(index);
  return systemDpi == dpi ? metric : MulDiv(metric, dpi, systemDpi);
}

bool WindowSizeForClient(SIZE client, DWORD style, DWORD exStyle, int dpi, SIZE& window) {
  const auto adjust = User32Function<AdjustWindowRectExForDpiFunction>("AdjustWindowRectExForDpi");
  RECT rect{0, 0, client.cx, client.cy};
  if (adjust == nullptr || !adjust(&rect, style, FALSE, exStyle, static_cast<UINT>(dpi))) {
    return false;
  }
  window = SIZE{rect.right - rect.left, rect.bottom - rect.top};
  return true;
}

bool GetMessageFont(int dpi, LOGFONTW& font) {
  const auto systemParametersInfoForDpi =
      User32Function<SystemParametersInfoForDpiFunction>("SystemParametersInfoForDpi");
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (systemParametersInfoForDpi != nullptr &&
      systemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, static_cast<UINT>(dpi))) {
    font = metrics.lfMessageFont;
    return true;
  }
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    return false;
  }
  // Without the per-DPI call the metrics come at the system DPI; scale them to the window's.
  font = metrics.lfMessageFont;
  const int systemDpi = SystemDpi();
  if (systemDpi != dpi) {
    font.lfHeight = MulDiv(font.lfHeight, dpi, systemDpi);
  }
  return true;
}

}  // namespace Dpi
