#pragma once
#include <windows.h>

#include "registry/UniqueOwner.h"

// Functions of the program's own, so that their addresses are constants for every compiler (an imported one's is not).
inline void DeleteFont(HFONT font) { DeleteObject(font); }
inline void DeleteMemoryDc(HDC dc) { DeleteDC(dc); }

// Owns one GDI font and deletes it exactly once.
using UniqueFont = UniqueOwner<HFONT, &DeleteFont>;
// Owns one memory device context (CreateCompatibleDC) and deletes it exactly once.
using UniqueDc = UniqueOwner<HDC, &DeleteMemoryDc>;
