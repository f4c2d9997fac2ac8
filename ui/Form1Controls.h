#pragma once
#include <windows.h>

#include "registry/UniqueOwner.h"
#include "ui/Form1Layout.h"
#include "ui/UniqueFont.h"

// The plumbing of Form1's controls: where they stand, their font, their icon and the subclassing that keeps the
// push buttons out of the dialog manager's default-button handling.
namespace Form1Controls {

inline void DestroyIconHandle(HICON icon) { DestroyIcon(icon); }
// Owns one icon made by LoadImage without LR_SHARED and destroys it exactly once.
using UniqueIcon = UniqueOwner<HICON, &DestroyIconHandle>;

// Makes the combo box's open list ten of its rows high, with or without Common Controls 6; once its font is set and
// before SetComboFieldHeight, which keeps the list's height (resizing the combo box may reset its field's).
void SetDropDownRows(HWND combo);

// Gives the closed combo box the height the layout asks for: what the combo box adds to its field height
// (its edge and padding) is measured, not assumed.
void SetComboFieldHeight(HWND combo, int height);

// Resizes the window so that its client area has exactly this size, whatever its frame measures.
void SizeClientArea(HWND window, SIZE client);

// The caption font as a WM_SETFONT argument, or the stock GUI font where none could be made.
WPARAM FontParam(const UniqueFont& font);

// The program's icon at size pixels, or an empty owner where the program has none.
UniqueIcon LoadProgramIcon(HINSTANCE instance, int size);

// Keeps a push button out of the dialog manager's default-button handling, so that Enter never presses it.
void KeepFromDefaultButton(HWND button);

}  // namespace Form1Controls
