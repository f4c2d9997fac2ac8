#include "ui/Dpi.h"

namespace Dpi {

namespace {

using GetDpiForSystemFunction = UINT(WINAPI*)();
using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using SystemParametersInfoForDpiFunction = BOOL(WINAPI*)(UINT, UINT, PVOID, UINT, UINT);

// A user32 export that older Windows lacks, or nullptr there. Looked up on each use rather than kept in a static:
// the lookup is cheap, and a function-local static's thread-safe guard starts the threading runtime at start-up.
template <typename Function>
Function User32Function(const char* name) {
  HMODULE user32 = GetModuleHandleW(L"user32.dll");
  if (user32 == nullptr) {
    return nullptr;
  }
  // Through a plain function pointer type: FARPROC converts to any function pointer only by reinterpret_cast.
  return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(user32, name)));
}

}  // namespace

int SystemDpi() {
  // Asked directly where Windows can (10 and later): reading it from the screen's device context costs a device
  // context, which some systems answer from another process.
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
  return SystemDpi();
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
