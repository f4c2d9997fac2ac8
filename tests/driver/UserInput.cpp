#include "tests/driver/UserInput.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <iterator>
#include <vector>

#include <gtest/gtest.h>

#include "tests/driver/UniqueHandles.h"
#include "tests/driver/WindowDriver.h"

namespace UserInput {

namespace {

// Keys sent with the extended-key flag, as Microsoft documents them: the right Ctrl and Alt, and the editing and arrow
// keys in the clusters left of the numeric keypad.
bool IsExtendedKey(WORD key) {
  constexpr WORD kExtended[] = {VK_INSERT, VK_DELETE, VK_HOME, VK_END,  VK_PRIOR,    VK_NEXT,
                                VK_LEFT,   VK_RIGHT,  VK_UP,   VK_DOWN, VK_RCONTROL, VK_RMENU};
  return std::find(std::begin(kExtended), std::end(kExtended), key) != std::end(kExtended);
}

INPUT Keystroke(WORD key, bool release) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = key;
  input.ki.wScan = static_cast<WORD>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = (release ? KEYEVENTF_KEYUP : 0) | (IsExtendedKey(key) ? KEYEVENTF_EXTENDEDKEY : 0);
  return input;
}

// Input another thread blocks (or a desktop that refuses it) is lost; a test must not read that as "nothing happened".
void Send(std::vector<INPUT>& inputs) {
  const UINT sent = SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT));
  EXPECT_EQ(sent, inputs.size()) << "SendInput inserted " << sent << " of " << inputs.size() << " events, error "
                                 << GetLastError();
}

// Absolute mouse coordinates run 0..65535 over the primary screen; round up so the pixel maps back to itself.
LONG Normalise(LONG pixel, int screenSize) {
  return static_cast<LONG>((pixel * 65536LL + screenSize - 1) / screenSize);
}

// The mouse at a point on the screen, doing action there (a button or the wheel, with data for the wheel).
INPUT MouseAt(POINT screen, DWORD action, DWORD data = 0) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  input.mi.dx = Normalise(screen.x, GetSystemMetrics(SM_CXSCREEN));
  input.mi.dy = Normalise(screen.y, GetSystemMetrics(SM_CYSCREEN));
  input.mi.mouseData = data;
  input.mi.dwFlags = MOUSEEVENTF_ABSOLUTE | MOUSEEVENTF_MOVE | action;
  return input;
}

// Moves the mouse to a point and presses and releases a button there, clicks times.
void Clicks(POINT screen, DWORD down, DWORD up, int clicks) {
  std::vector<INPUT> inputs{MouseAt(screen, MOUSEEVENTF_MOVE)};
  for (int click = 0; click < clicks; ++click) {
    inputs.push_back(MouseAt(screen, down));
    inputs.push_back(MouseAt(screen, up));
  }
  Send(inputs);
}

}  // namespace

bool BringToFront(HWND window) {
  return WindowDriver::WaitUntil([&] {
    if (GetForegroundWindow() == window) {
      return true;
    }
    SetForegroundWindow(window);
    return false;
  });
}

void PressKey(WORD key) { PressChord({key}); }

void PressChord(std::initializer_list<WORD> keys) {
  std::vector<INPUT> inputs;
  for (const WORD key : keys) {
    inputs.push_back(Keystroke(key, false));
  }
  for (auto key = std::rbegin(keys); key != std::rend(keys); ++key) {
    inputs.push_back(Keystroke(*key, true));
  }
  Send(inputs);
}

void TypeText(std::wstring_view text) {
  std::vector<INPUT> inputs;
  for (const wchar_t c : text) {
    for (const DWORD release : {DWORD{0}, DWORD{KEYEVENTF_KEYUP}}) {
      INPUT input{};
      input.type = INPUT_KEYBOARD;
      input.ki.wScan = c;
      input.ki.dwFlags = KEYEVENTF_UNICODE | release;
      inputs.push_back(input);
    }
  }
  Send(inputs);
}

void ClickAt(POINT screen) { Clicks(screen, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 1); }

void ClickCentre(HWND window) { ClickAt(WindowDriver::ScreenCentre(window)); }

void RightClickAt(POINT screen) { Clicks(screen, MOUSEEVENTF_RIGHTDOWN, MOUSEEVENTF_RIGHTUP, 1); }

void DoubleClickAt(POINT screen) { Clicks(screen, MOUSEEVENTF_LEFTDOWN, MOUSEEVENTF_LEFTUP, 2); }

void WheelAt(POINT screen, int notches) {
  std::vector<INPUT> inputs{MouseAt(screen, MOUSEEVENTF_MOVE)};
  for (int notch = 0; notch < std::abs(notches); ++notch) {
    inputs.push_back(MouseAt(screen, MOUSEEVENTF_WHEEL, static_cast<DWORD>(notches > 0 ? WHEEL_DELTA : -WHEEL_DELTA)));
  }
  Send(inputs);
}

void DragFromTo(POINT from, POINT to) {
  // Steps well past the drag threshold, so the receiver sees a drag and not a click.
  constexpr int kSteps = 10;
  std::vector<INPUT> inputs{MouseAt(from, MOUSEEVENTF_MOVE), MouseAt(from, MOUSEEVENTF_LEFTDOWN)};
  for (int step = 1; step <= kSteps; ++step) {
    const POINT at{from.x + (to.x - from.x) * step / kSteps, from.y + (to.y - from.y) * step / kSteps};
    inputs.push_back(MouseAt(at, MOUSEEVENTF_MOVE));
  }
  inputs.push_back(MouseAt(to, MOUSEEVENTF_LEFTUP));
  Send(inputs);
}

bool PutOnClipboard(std::wstring_view text) {
  // The clipboard needs an owner window; a message-only one is enough.
  UniqueWindow owner(CreateWindowExW(0, L"STATIC", L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr, nullptr, nullptr));
  if (!owner || !OpenClipboard(owner.Get())) {
    return false;
  }
  bool stored = false;
  const size_t bytes = (text.size() + 1) * sizeof(wchar_t);
  if (EmptyClipboard()) {
    if (HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes)) {
      std::memcpy(GlobalLock(memory), text.data(), text.size() * sizeof(wchar_t));
      GlobalUnlock(memory);
      stored = SetClipboardData(CF_UNICODETEXT, memory) != nullptr;
      if (!stored) {
        GlobalFree(memory);  // the clipboard takes the memory only when it accepts it
      }
    }
  }
  CloseClipboard();
  return stored;
}

std::optional<std::wstring> ClipboardText() {
  std::optional<std::wstring> text;
  if (!OpenClipboard(nullptr)) {
    return text;
  }
  if (HANDLE memory = GetClipboardData(CF_UNICODETEXT)) {
    if (const auto* chars = static_cast<const wchar_t*>(GlobalLock(memory))) {
      text = std::wstring(chars);
      GlobalUnlock(memory);
    }
  }
  CloseClipboard();
  return text;
}

}  // namespace UserInput
