#pragma once
#include <windows.h>

#include "ui/UniqueOwner.h"

// The handles the driver opens: processes and threads, registry keys (with the plain API, not the program's seam),
// windows.
using UniqueHandle = UniqueOwner<HANDLE, &::CloseHandle>;
using UniqueKey = UniqueOwner<HKEY, &::RegCloseKey>;
using UniqueWindow = UniqueOwner<HWND, &::DestroyWindow>;
