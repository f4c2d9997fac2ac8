#pragma once
#include <utility>

#include "registry/RegistryApi.h"

// Owns one registry key opened through the seam and closes it exactly once. A predefined root handed back by an
// open (as wine does for an empty subkey path) is not the program's to close and is left alone.
class UniqueKey {
 public:
  UniqueKey() = default;
  explicit UniqueKey(HKEY key) : key_(key) {}
  UniqueKey(const UniqueKey&) = delete;
  UniqueKey& operator=(const UniqueKey&) = delete;
  UniqueKey(UniqueKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
  UniqueKey& operator=(UniqueKey&& other) noexcept {
    if (this != &other) {
      Reset();
      key_ = std::exchange(other.key_, nullptr);
    }
    return *this;
  }
  ~UniqueKey() { Reset(); }

  HKEY Get() const { return key_; }
  void Reset() {
    if (key_ != nullptr && !IsPredefinedKey(key_)) {
      Registry().CloseKey(key_);
    }
    key_ = nullptr;
  }

 private:
  HKEY key_ = nullptr;
};

// Opens subkey below root with the given access. On failure the returned key is empty and the status is non-zero.
inline LSTATUS OpenKey(HKEY root, const char* subkey, REGSAM access, UniqueKey& key) {
  HKEY opened = nullptr;
  const LSTATUS status = Registry().OpenKeyEx(root, subkey, 0, access, &opened);
  // A failed open leaves nothing to close, whatever it wrote into the handle.
  key = status == kStatusSuccess ? UniqueKey(opened) : UniqueKey();
  return status;
}
