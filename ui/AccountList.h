#pragma once
#include <windows.h>

#include "registry/KeyCollection.h"

// Adds the accounts among names (see IsAccountName) to the end of combo's list, in the order held; other names are
// left out. Returns how many were added.
int FillAccountList(HWND combo, const KeyCollection& names);
