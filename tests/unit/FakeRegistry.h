#pragma once
#include <gtest/gtest.h>
#include <windows.h>

#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "registry/RegistryApi.h"

// An in-memory registry behind the program's registry seam. It counts every call, checks that every handle it hands
// out is closed exactly once, and lets a test replace the status of any call.
class FakeRegistry {
 public:
  enum class Call { Open, Query, Set, Close, Enum };

  struct Value {
    DWORD type = REG_DWORD;
    std::vector<BYTE> data;
  };

  FakeRegistry();
  ~FakeRegistry();
  FakeRegistry(const FakeRegistry&) = delete;
  FakeRegistry& operator=(const FakeRegistry&) = delete;

  // Keys are named "HKCU\a\b" (roots: HKCR, HKCU, HKLM, HKU, HKPD, HKCC, HKDD); parents are created as needed.
  void AddKey(const std::string& path);
  void SetValue(const std::string& path, const std::string& name, Value value);
  void SetDword(const std::string& path, const std::string& name, DWORD value);
  void SetClass(const std::string& path, const std::string& className);
  const Value* FindValue(const std::string& path, const std::string& name) const;
  // Keys and values as one text, to prove that nothing changed.
  std::string Dump() const;

  // Called before each call with its kind and how many calls of that kind came before it; a non-empty result is
  // returned instead of carrying the call out.
  std::function<std::optional<LSTATUS>(Call, int)> inject;
  // An open of a predefined root with an empty subkey path hands back the root itself, as wine does; false: a new
  // handle to it, which the caller must close, as Windows documents.
  bool rootForEmptyPath = true;

  int Count(Call call) const { return counts_[static_cast<int>(call)]; }
  // Handles handed out by successful opens.
  int Opened() const { return opened_; }
  // Every handle handed out was closed, exactly once, and no other handle was closed.
  testing::AssertionResult Balanced() const;
  std::vector<REGSAM> accessRequested;
  std::vector<std::string> subkeysOpened;
  std::vector<DWORD> setSizes;
  std::vector<DWORD> querySizes;     // data size offered by each query
  std::vector<DWORD> enumNameSizes;  // name buffer size offered by each enumeration step
  // Class buffer size offered by each enumeration step that offers one.
  std::vector<DWORD> enumClassSizes;

 private:
  struct Key;
  // The key at path below from (the roots when null), or null where a part names no key.
  Key* Find(const std::string& path, Key* from = nullptr) const;
  Key* Resolve(HKEY key) const;
  std::optional<LSTATUS> Injected(Call call);
  // Counts the call and gives the status injected for it, or else finds the key's node: ERROR_INVALID_HANDLE if none.
  std::optional<LSTATUS> Enter(Call call, HKEY key, Key*& node);

  static LSTATUS APIENTRY OpenKeyEx(HKEY key, LPCSTR subkey, DWORD options, REGSAM access, PHKEY result);
  static LSTATUS APIENTRY QueryValueEx(HKEY key, LPCSTR name, LPDWORD reserved, LPDWORD type, LPBYTE data,
                                       LPDWORD size);
  static LSTATUS APIENTRY SetValueEx(HKEY key, LPCSTR name, DWORD reserved, DWORD type, const BYTE* data, DWORD size);
  static LSTATUS APIENTRY CloseKey(HKEY key);
  static LSTATUS APIENTRY EnumKeyEx(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD reserved,
                                    LPSTR className, LPDWORD classSize, PFILETIME lastWrite);

  std::unique_ptr<Key> roots_;
  std::map<HKEY, Key*> handles_;
  ULONG_PTR nextHandle_ = 0x1000;
  int counts_[5] = {};
  int badCloses_ = 0;
  int opened_ = 0;
  RegistryApi table_;
  std::unique_ptr<ScopedRegistryApi> scope_;
  static FakeRegistry* current_;
};
