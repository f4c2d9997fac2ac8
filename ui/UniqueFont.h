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

