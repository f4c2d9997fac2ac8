#pragma once
#include <windows.h>

#include <string>

#include "tests/driver/RegistrySeed.h"

// A private key under HKEY_CURRENT_USER for one test, deleted before and after. Tests create what they need with
// RegistrySeed's wide API (the program itself never creates keys).
class ScratchKey {
 public:
  ScratchKey() : path_(L"Software\\PluginSwitchTests\\" + std::to_wstring(GetCurrentProcessId())) {
    RegistrySeed::DeleteTree(path_);
    Create(L"");
  }
  ~ScratchKey() { RegistrySeed::DeleteTree(path_); }
  ScratchKey(const ScratchKey&) = delete;
  ScratchKey& operator=(const ScratchKey&) = delete;

  // Path below HKEY_CURRENT_USER, and the same as a full key path.
  const std::wstring& Path() const { return path_; }
  std::wstring FullPath(const std::wstring& sub = L"") const { return L"HKEY_CURRENT_USER\\" + Join(sub); }

  void Create(const std::wstring& sub, const wchar_t* className = nullptr) const {
    RegistrySeed::CreateKey(Join(sub), className);
  }
  void Set(const std::wstring& sub, const wchar_t* name, DWORD type, const void* data, DWORD size) const {
    Create(sub);
    RegistrySeed::SetValue(Join(sub), name, type, data, size);
  }
  bool Exists(const std::wstring& sub) const { return RegistrySeed::KeyExists(Join(sub)); }

 private:
  std::wstring Join(const std::wstring& sub) const { return sub.empty() ? path_ : path_ + L"\\" + sub; }
  std::wstring path_;
};
