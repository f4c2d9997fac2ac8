#include "tests/driver/WindowDriver.h"

#include <tlhelp32.h>

#include <algorithm>

#include <gtest/gtest.h>

namespace WindowDriver {

namespace {

constexpr wchar_t kPoison = L'\xdddd';  // fills read buffers so characters never written show

// Sends a message and waits for the answer, but never longer than the patience; a hung program answers 0.
LRESULT Send(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0) {
  DWORD_PTR result = 0;
  if (!SendMessageTimeoutW(window, message, wParam, lParam, SMTO_NORMAL, kPatienceMs, &result)) {
    return 0;
  }
  return static_cast<LRESULT>(result);
}

std::wstring ClassName(HWND window) {
  wchar_t name[64] = {};
  const int length = GetClassNameW(window, name, static_cast<int>(std::size(name)));
  return std::wstring(name, static_cast<size_t>(std::max(length, 0)));
}

bool SameClass(HWND window, const wchar_t* className) {
  return CompareStringOrdinal(ClassName(window).c_str(), -1, className, -1, TRUE) == CSTR_EQUAL;
}

struct TopLevelQuery {
  DWORD processId;
  const wchar_t* className;
  const wchar_t* title;
  HWND found;
};

BOOL CALLBACK MatchTopLevel(HWND window, LPARAM param) {
  auto& query = *reinterpret_cast<TopLevelQuery*>(param);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId == query.processId && IsWindowVisible(window) && SameClass(window, query.className) &&
      (query.title == nullptr || Text(window) == query.title)) {
    query.found = window;
    return FALSE;
  }
  return TRUE;
}

struct ChildQuery {
  const wchar_t* className;
  std::vector<HWND> found;
};

BOOL CALLBACK CollectVisibleOfClass(HWND window, LPARAM param) {
  auto& query = *reinterpret_cast<ChildQuery*>(param);
  if (IsWindowVisible(window) && SameClass(window, query.className)) {
    query.found.push_back(window);
  }
  return TRUE;
}

}  // namespace

bool WaitUntil(const std::function<bool()>& condition, DWORD timeoutMs) {
  const ULONGLONG deadline = GetTickCount64() + timeoutMs;
  while (!condition()) {
    if (GetTickCount64() >= deadline) {
      return false;
    }
    Sleep(10);
  }
  return true;
}

int ScreenDpi() {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  return dpi;
}

bool UnderWine() { return GetProcAddress(GetModuleHandleW(L"ntdll.dll"), "wine_get_version") != nullptr; }

std::wstring WinePath(std::string_view unixPath) {
  // Only a Unix path lies on wine's drive Z:; a Windows one (CMake's "C:/...") keeps its drive.
  std::wstring path = unixPath.substr(0, 1) == "/" ? L"Z:" : L"";
  for (const char c : unixPath) {
    path += c == '/' ? L'\\' : static_cast<wchar_t>(static_cast<unsigned char>(c));
  }
  return path;
}

Program::Program(const std::wstring& path) {
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  std::wstring commandLine = L"\"" + path + L"\"";
  if (CreateProcessW(path.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &info)) {
    process_ = UniqueHandle(info.hProcess);
    UniqueHandle thread(info.hThread);  // the window's thread is found from the window when needed
    processId_ = info.dwProcessId;
  }
}

Program::~Program() {
  if (Running()) {
    TerminateProcess(process_.Get(), 1);
    WaitForSingleObject(process_.Get(), kPatienceMs);
  }
}

bool Program::Running() const { return process_ && WaitForSingleObject(process_.Get(), 0) == WAIT_TIMEOUT; }

HWND Program::WaitForWindow(const wchar_t* className, const wchar_t* title) const {
  TopLevelQuery query{processId_, className, title, nullptr};
  WaitUntil([&] {
    EnumWindows(MatchTopLevel, reinterpret_cast<LPARAM>(&query));
    return query.found != nullptr || !Running();
  });
  return query.found;
}

std::wstring Program::LoadedModule(const wchar_t* fileName) const {
  HANDLE taken = CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, processId_);
  if (taken == INVALID_HANDLE_VALUE) {
    return {};
  }
  const UniqueHandle snapshot(taken);
  MODULEENTRY32W module{};
  module.dwSize = sizeof module;
  for (BOOL more = Module32FirstW(snapshot.Get(), &module); more; more = Module32NextW(snapshot.Get(), &module)) {
    if (CompareStringOrdinal(module.szModule, -1, fileName, -1, TRUE) == CSTR_EQUAL) {
      return module.szExePath;
    }
  }
  return {};
}

std::optional<DWORD> Program::WaitForExit(DWORD timeoutMs) const {
  DWORD code = 0;
  if (!process_ || WaitForSingleObject(process_.Get(), timeoutMs) != WAIT_OBJECT_0 ||
      !GetExitCodeProcess(process_.Get(), &code)) {
    return std::nullopt;
  }
  return code;
}

std::wstring Text(HWND window) {
  const auto length = Send(window, WM_GETTEXTLENGTH);
  std::wstring text(static_cast<size_t>(std::max<LRESULT>(length, 0)) + 1, kPoison);
  const auto copied = Send(window, WM_GETTEXT, text.size(), reinterpret_cast<LPARAM>(text.data()));
  text.resize(static_cast<size_t>(std::clamp<LRESULT>(copied, 0, length)));
  return text;
}

std::vector<std::wstring> ComboItems(HWND combo) {
  std::vector<std::wstring> items;
  const auto count = Send(combo, CB_GETCOUNT);
  for (LRESULT i = 0; i < count; ++i) {
    const auto length = Send(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(i));
    std::wstring item(static_cast<size_t>(std::max<LRESULT>(length, 0)) + 1, kPoison);
    const auto copied = Send(combo, CB_GETLBTEXT, static_cast<WPARAM>(i), reinterpret_cast<LPARAM>(item.data()));
    item.resize(static_cast<size_t>(std::clamp<LRESULT>(copied, 0, length)));
    items.push_back(item);
  }
  return items;
}

LRESULT ComboSelection(HWND combo) { return Send(combo, CB_GETCURSEL); }

bool ComboDroppedDown(HWND combo) { return Send(combo, CB_GETDROPPEDSTATE) != FALSE; }

HWND ComboEdit(HWND combo) { return FindWindowExW(combo, nullptr, L"Edit", nullptr); }

POINT ComboArrowPoint(HWND combo) {
  RECT rect{};
  GetWindowRect(combo, &rect);
  return POINT{rect.right - GetSystemMetrics(SM_CXEDGE) - GetSystemMetrics(SM_CXVSCROLL) / 2,
               (rect.top + rect.bottom) / 2};
}

std::optional<POINT> ListItemCentre(HWND list, LRESULT index) {
  const RECT client = ClientRect(list);
  const auto height = Send(list, LB_GETITEMHEIGHT, static_cast<WPARAM>(index));
  const auto row = index - Send(list, LB_GETTOPINDEX);
  POINT centre{client.right / 2, static_cast<LONG>(row * height + height / 2)};
  if (height <= 0 || row < 0 || centre.y >= client.bottom) {
    return std::nullopt;
  }
  ClientToScreen(list, &centre);
  return centre;
}

bool IsChecked(HWND button) { return Send(button, BM_GETCHECK) == BST_CHECKED; }

HWND Focus(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof info;
  return GetGUIThreadInfo(GetWindowThreadProcessId(window, nullptr), &info) ? info.hwndFocus : nullptr;
}

int FocusedControlId(HWND window) {
  HWND control = Focus(window);
  while (control != nullptr && GetAncestor(control, GA_PARENT) != window) {
    control = GetAncestor(control, GA_PARENT);
    if (control == GetDesktopWindow()) {
      return 0;
    }
  }
  return control != nullptr ? GetDlgCtrlID(control) : 0;
}

RECT RectInParent(HWND control) {
  RECT rect{};
  GetWindowRect(control, &rect);
  MapWindowPoints(nullptr, GetAncestor(control, GA_PARENT), reinterpret_cast<POINT*>(&rect), 2);
  return rect;
}

RECT ClientRect(HWND window) {
  RECT rect{};
  GetClientRect(window, &rect);
  return rect;
}

POINT ScreenCentre(HWND window) {
  RECT rect{};
  EXPECT_TRUE(GetWindowRect(window, &rect)) << "no window to aim the mouse at";  // a click at 0,0 would hit nothing
  return POINT{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

HWND FindThreadWindow(HWND window, const wchar_t* className) {
  const std::vector<HWND> found = ThreadWindows(window, className);
  return found.empty() ? nullptr : found.front();
}

std::vector<HWND> ThreadWindows(HWND window, const wchar_t* className) {
  ChildQuery query{className, {}};
  EnumThreadWindows(GetWindowThreadProcessId(window, nullptr), CollectVisibleOfClass, reinterpret_cast<LPARAM>(&query));
  return query.found;
}

HWND WaitForThreadWindow(HWND window, const wchar_t* className) {
  HWND found = nullptr;
  WaitUntil([&] { return (found = FindThreadWindow(window, className)) != nullptr; });
  return found;
}

MessageBoxView ReadMessageBox(HWND box) {
  ChildQuery buttons{L"Button", {}};
  EnumChildWindows(box, CollectVisibleOfClass, reinterpret_cast<LPARAM>(&buttons));
  return MessageBoxView{Text(box), Text(GetDlgItem(box, 0xFFFF)), buttons.found, GetWindow(box, GW_OWNER)};
}

}  // namespace WindowDriver
