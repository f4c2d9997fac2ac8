#include "registry/RegistryApi.h"

#include <algorithm>
#include <iterator>

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
  const HKEY roots[] = {HKEY_CLASSES_ROOT,     HKEY_CURRENT_USER,   HKEY_LOCAL_MACHINE, HKEY_USERS,
                        HKEY_PERFORMANCE_DATA, HKEY_CURRENT_CONFIG, HKEY_DYN_DATA};
  return std::find(std::begin(roots), std::end(roots), key) != std::end(roots);
}
