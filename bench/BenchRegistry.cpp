#include "BenchRegistry.h"

#include <cstdio>
#include <cwchar>

#include "tests/support/DisposableProfile.h"
#include "ui/HostProduct.h"

bool RefuseUnlessDisposable(const char* benchmark) {
  if (DisposableProfile::IsDisposable()) {
    return false;
  }
  std::fprintf(stderr, "%s: nothing measured, %s\n", benchmark, DisposableProfile::kNote);
  return true;
}

BenchKey CreateUserKey(const std::wstring& path) {
  HKEY key = nullptr;
  if (RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr) !=
      ERROR_SUCCESS) {
    return BenchKey();
  }
  return BenchKey(key);
}

bool DeleteUserKey(const std::wstring& path) {
  // With a subkey named, the key itself goes too.
  const LSTATUS status = RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
  return status == ERROR_SUCCESS || status == ERROR_FILE_NOT_FOUND;
}

std::vector<std::wstring> SampleNames(int count, bool mixed) {
  std::vector<std::wstring> names;
  for (int i = 0; i < count; ++i) {
    wchar_t name[64];
    if (mixed) {
      std::swprintf(name, 64, L"user%05d.cache", i);  // '.' sorts before '@'
      names.emplace_back(name);
    }
    std::swprintf(name, 64, L"user%05d@example.com", i);
    names.emplace_back(name);
  }
  return names;
}

bool SeedSubkeys(const std::wstring& path, const std::vector<std::wstring>& names, bool preferences) {
  if (!DeleteUserKey(path)) {
    return false;
  }
  const BenchKey parent = CreateUserKey(path);
  if (parent.Get() == nullptr) {
    return false;
  }
  for (const std::wstring& name : names) {
    HKEY created = nullptr;
    if (RegCreateKeyExW(parent.Get(), name.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &created, nullptr) !=
        ERROR_SUCCESS) {
      return false;
    }
    const BenchKey child(created);
    if (preferences && IsAccountName(name)) {
      const BenchKey prefs = CreateUserKey(path + L"\\" + name + L"\\Preferences");
      const DWORD enabled = 1;
      if (prefs.Get() == nullptr ||
          RegSetValueExW(prefs.Get(), kEnablePlugins, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&enabled),
                         sizeof enabled) != ERROR_SUCCESS) {
        return false;
      }
    }
  }
  return true;
}
