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
[[nodiscard]] const RegistryApi& Registry();

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

// Access rights and statuses the program uses, by the SDK's names; the numbers are the ones a reader matches with the
// calls.
inline constexpr REGSAM kKeyRead = KEY_READ;
static_assert(KEY_READ == 0x20019);
inline constexpr REGSAM kKeyWrite = KEY_WRITE;
static_assert(KEY_WRITE == 0x20006);
inline constexpr LSTATUS kStatusSuccess = ERROR_SUCCESS;
static_assert(ERROR_SUCCESS == 0);
inline constexpr LSTATUS kStatusNoMoreItems = ERROR_NO_MORE_ITEMS;
static_assert(ERROR_NO_MORE_ITEMS == 259);
inline constexpr LSTATUS kStatusMoreData = ERROR_MORE_DATA;
static_assert(ERROR_MORE_DATA == 234);
static_assert(REG_DWORD == 4);

// True for the predefined root handles HKEY_CLASSES_ROOT to HKEY_DYN_DATA, which are never closed.
[[nodiscard]] bool IsPredefinedKey(HKEY key);
