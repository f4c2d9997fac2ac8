#pragma once
#include <string>

#include <windows.h>

#include "registry/KeyCollection.h"

// Lists the subkeys of a registry key. Holds no state; every call stands alone.
class RegistryRoutines {
 public:
  // Names of the direct subkeys of KeyName below hkey (of hkey itself when KeyName is empty), in enumeration order.
  // Never fails loudly: a key that cannot be opened gives an empty collection. A subkey whose name or class does not
  // fit the buffers is skipped; any other failure ends the listing with what was gathered so far.
  [[nodiscard]] KeyCollection EnumRegistryKeys(HKEY hkey, const std::wstring& KeyName) const;

  // Cuts item before its first NUL, leaves the cut text in item and returns it.
  [[nodiscard]] std::wstring TrimNull(std::wstring& item) const;
};
