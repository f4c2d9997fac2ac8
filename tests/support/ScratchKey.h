#pragma once
#include <windows.h>

#include <string>

// A private key under HKEY_CURRENT_USER for one test, deleted before and after. Tests create what they need with
// the wide API (the program itself never creates keys).
class ScratchKey {
 public:
  ScratchKey() : path_(L"Software\\PluginSwitchTests\\" + std::to_wstring(GetCurrentProcessId())) {
    RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str());
    Create(L"");
  }
  ~ScratchKey() { RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str()); }
  ScratchKey(const ScratchKey&) = delete;
  ScratchKey& operator=(const ScratchKey&) = delete;

  // Path below HKEY_CURRENT_USER, and the same as a full key path.
  const std::wstring& Path() const { return path_; }
  std::wstring FullPath(const std::wstring& sub = L"") const {
    return L"HKEY_CURRENT_USER\\" + path_ + (sub.empty() ? L"" : L"\\" + sub);
  }

  void Create(const std::wstring& sub, const wchar_t* className = nullptr) const {
    HKEY key = nullptr;
    if (RegCreateKeyExW(HKEY_CURRENT_USER, Join(sub).c_str(), 0, const_cast<wchar_t*>(className), 0, KEY_ALL_ACCESS,
                        nullptr, &key, nullptr) == ERROR_SUCCESS) {
      RegCloseKey(key);
    }
  }
  void Set(const std::wstring& sub, const wchar_t* name, DWORD type, const void* data, DWORD size) const {
    Create(sub);
    RegSetKeyValueW(HKEY_CURRENT_USER, Join(sub).c_str(), name, type, data, size);
  }
  bool Exists(const std::wstring& sub) const {
    HKEY key = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, Join(sub).c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
      return false;
    }
    RegCloseKey(key);
    return true;
  }

 private:
  std::wstring Join(const std::wstring& sub) const { return sub.empty() ? path_ : path_ + L"\\" + sub; }
  std::wstring path_;
};
