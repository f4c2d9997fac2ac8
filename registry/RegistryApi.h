#pragma once
#include <windows.h>

// The five ANSI registry entry points the program uses. Everything reaches the registry through this one table so
// that tests can count calls and inject failures; the program binds it to advapi32 and never creates a key.
struct RegistryApi {
  decltype(&::RegOpenKeyExA) OpenKeyEx;
  decltype(&::RegQueryValueExA) QueryValueEx;
  decltype(&::RegSetValueExA) SetValueEx;
  decltype(&::RegCloseKey) CloseKey;
  decltype(&::RegEnumKeyExA) EnumKeyEx;
};

// The table in force: advapi32's functions unless a ScopedRegistryApi has replaced it.
const RegistryApi& Registry();

// Installs another table for its lifetime and restores the previous one afterwards (tests only).
class ScopedRegistryApi {
 public:
  explicit ScopedRegistryApi(const RegistryApi& api);
  ~ScopedRegistryApi();
  ScopedRegistryApi(const ScopedRegistryApi&) = delete;
  ScopedRegistryApi& operator=(const ScopedRegistryApi&) = delete;

 private:
  const RegistryApi* previous_;
};

// Access rights the program asks for, as plain numbers so a reader can match them with the calls.
inline constexpr REGSAM kKeyRead = 0x20019;   // KEY_READ
inline constexpr REGSAM kKeyWrite = 0x20006;  // KEY_WRITE
inline constexpr LSTATUS kStatusSuccess = 0;
inline constexpr LSTATUS kStatusNoMoreItems = 259;  // ERROR_NO_MORE_ITEMS
inline constexpr LSTATUS kStatusMoreData = 234;     // ERROR_MORE_DATA

// True for the predefined root handles HKEY_CLASSES_ROOT to HKEY_DYN_DATA, which are never closed.
bool IsPredefinedKey(HKEY key);
