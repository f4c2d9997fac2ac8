#pragma once
#include <windows.h>

#include "registry/UniqueOwner.h"

// The handles the driver opens: processes and threads, registry keys (with the plain API, not the program's seam, so
// seeding never goes through the code under test), windows.
using UniqueHandle = UniqueOwner<HANDLE, &::CloseHandle>;
using PlainKey = UniqueOwner<HKEY, &::RegCloseKey>;
using UniqueWindow = UniqueOwner<HWND, &::DestroyWindow>;
