#pragma once
#include "registry/RegistryApi.h"
#include "registry/UniqueOwner.h"

// Closes a key through the seam. A predefined root handed back by an open (as wine does for an empty subkey path) is
// not the program's to close and is left alone.
inline void CloseOwnedKey(HKEY key) {
  if (!IsPredefinedKey(key)) {
    static_cast<void>(Registry().CloseKey(key));
  }
}

// Owns one registry key opened through the seam and closes it exactly once.
using UniqueKey = UniqueOwner<HKEY, &CloseOwnedKey>;

// Opens subkey below root with the given access. On failure the returned key is empty and the status is non-zero.
[[nodiscard]] inline LSTATUS OpenKey(HKEY root, const char* subkey, REGSAM access, UniqueKey& key) {
  HKEY opened = nullptr;
  const LSTATUS status = Registry().OpenKeyEx(root, subkey, 0, access, &opened);
  // A failed open leaves nothing to close, whatever it wrote into the handle.
  key = status == kStatusSuccess ? UniqueKey(opened) : UniqueKey();
  return status;
}
