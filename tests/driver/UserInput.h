#pragma once
#include <initializer_list>
#include <optional>
#include <string>
#include <string_view>

#include <windows.h>

// Real keyboard and mouse input (SendInput), delivered to whatever window is in front, as a person's would be. Input
// the system does not take in full fails the running test.
namespace UserInput {

// Brings window to the front and waits until it is the foreground window; false if it never becomes so.
bool BringToFront(HWND window);

// Presses and releases one key, by virtual-key code.
void PressKey(WORD key);
// Presses the keys in order and releases them in reverse, as for Ctrl+V ({VK_CONTROL, 'V'}).
void PressChord(std::initializer_list<WORD> keys);
// Types each character as a Unicode keystroke, whatever the keyboard layout.
void TypeText(std::wstring_view text);

// Moves the mouse to a point on the screen and clicks the left button there.
void ClickAt(POINT screen);
// Clicks the centre of a window.
void ClickCentre(HWND window);
// Moves the mouse to a point on the screen and clicks the right button there.
void RightClickAt(POINT screen);
// Two left clicks at a point, sent at once so they make a double click.
void DoubleClickAt(POINT screen);
// Moves the mouse to a point and turns the wheel by notches: positive away from the user, negative towards.
void WheelAt(POINT screen, int notches);
// Presses the left button at from, moves the mouse to to in small steps with the button down, and releases it there.
void DragFromTo(POINT from, POINT to);

// Puts text on the clipboard, as a copy elsewhere would; false if the clipboard refused it.
bool PutOnClipboard(std::wstring_view text);
// The text on the clipboard, or nothing when it holds no text.
std::optional<std::wstring> ClipboardText();

}  // namespace UserInput
