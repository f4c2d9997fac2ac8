#pragma once
#include <windows.h>

#include "ui/UniqueOwner.h"

// A function of the program's own, so that its address is a constant for every compiler (an imported one's is not).
inline void DeleteFont(HFONT font) { DeleteObject(font); }

// Owns one GDI font and deletes it exactly once.
using UniqueFont = UniqueOwner<HFONT, &DeleteFont>;
