#pragma once
#include <windows.h>

#include <string>
#include <utility>
#include <vector>

// Owns a registry key that a benchmark created or opened, and closes it once.
class BenchKey {
 public:
  BenchKey() = default;
  explicit BenchKey(HKEY key) : key_(key) {}
  BenchKey(const BenchKey&) = delete;
  BenchKey& operator=(const BenchKey&) = delete;
  BenchKey(BenchKey&& other) noexcept : key_(std::exchange(other.key_, nullptr)) {}
  BenchKey& operator=(BenchKey&& other) noexcept {
    std::swap(key_, other.key_);
    return *this;
  }
  ~BenchKey() {
    if (key_ != nullptr) {
      RegCloseKey(key_);
    }
  }
  HKEY Get() const { return key_; }

 private:
  HKEY key_ = nullptr;
};

// Creates (or opens) HKEY_CURRENT_USER\path; empty on failure.
BenchKey CreateUserKey(const std::wstring& path);

// Removes HKEY_CURRENT_USER\path with everything below it; true if it is gone.
bool DeleteUserKey(const std::wstring& path);

// count account names ("user00000@example.com", ...) and, if mixed, as many other names that sort between them
// ("user00000.cache", ...), in the registry's order.
std::vector<std::wstring> SampleNames(int count, bool mixed);

// Replaces HKEY_CURRENT_USER\path by a key with exactly these subkeys; with preferences, each account also gets
// "Preferences" holding EnablePlugins = 1. False if any key could not be made.
bool SeedSubkeys(const std::wstring& path, const std::vector<std::wstring>& names, bool preferences);
