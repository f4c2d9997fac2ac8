#pragma once
#include <utility>

#include <windows.h>

// Owns one GDI font and deletes it exactly once.
class UniqueFont {
 public:
  UniqueFont() = default;
  explicit UniqueFont(HFONT font) : font_(font) {}
  UniqueFont(const UniqueFont&) = delete;
  UniqueFont& operator=(const UniqueFont&) = delete;
  UniqueFont(UniqueFont&& other) noexcept : font_(std::exchange(other.font_, nullptr)) {}
  UniqueFont& operator=(UniqueFont&& other) noexcept {
    if (this != &other) {
      Reset();
      font_ = std::exchange(other.font_, nullptr);
    }
    return *this;
  }
  ~UniqueFont() { Reset(); }

  HFONT Get() const { return font_; }
  void Reset() {
    if (font_ != nullptr) {
      DeleteObject(font_);
    }
    font_ = nullptr;
  }

 private:
  HFONT font_ = nullptr;
};

// The system's message font at dpi, as the user has chosen it; false if the system gives none.
inline bool GetMessageFont(int dpi, LOGFONTW& font) {
  NONCLIENTMETRICSW metrics{};
  metrics.cbSize = sizeof metrics;
  if (!SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
    return false;
  }
  // The metrics come at the system DPI; scale them to the window's.
  HDC screen = GetDC(nullptr);
  const int systemDpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  font = metrics.lfMessageFont;
  if (systemDpi > 0 && systemDpi != dpi) {
    font.lfHeight = MulDiv(font.lfHeight, dpi, systemDpi);
  }
  return true;
}
