#include "registry/RegistryApi.h"

namespace {

// const, not constexpr: the address of a DLL import is known only once the loader has bound it.
const RegistryApi kAdvapi32{
    &::RegOpenKeyExA, &::RegQueryValueExA, &::RegSetValueExA, &::RegCloseKey, &::RegEnumKeyExA,
};

const RegistryApi* g_api = &kAdvapi32;

}  // namespace

const RegistryApi& Registry() { return *g_api; }

ScopedRegistryApi::ScopedRegistryApi(const RegistryApi& api) : previous_(g_api) { g_api = &api; }

ScopedRegistryApi::~ScopedRegistryApi() { g_api = previous_; }

bool IsPredefinedKey(HKEY key) {
  // Predefined handles are the sign-extended values 0x80000000 to 0x80000006.
  const auto value = static_cast<ULONG>(reinterpret_cast<ULONG_PTR>(key));
  const auto extended = reinterpret_cast<ULONG_PTR>(key);
  return value >= 0x80000000u && value <= 0x80000006u &&
         extended == static_cast<ULONG_PTR>(static_cast<LONG_PTR>(static_cast<LONG>(value)));
}
