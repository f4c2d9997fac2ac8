#include "registry/AnsiText.h"

#include <windows.h>

#include <climits>

std::string ToAnsi(std::wstring_view text) {
  if (text.empty() || text.size() > INT_MAX) {
    return {};
  }
  const int wide = static_cast<int>(text.size());
  const int size = WideCharToMultiByte(CP_ACP, 0, text.data(), wide, nullptr, 0, nullptr, nullptr);
  std::string result(static_cast<size_t>(size), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), wide, result.data(), size, nullptr, nullptr);
  return result;
}

std::wstring FromAnsi(std::string_view text) {
  if (text.empty() || text.size() > INT_MAX) {
    return {};
  }
  const int narrow = static_cast<int>(text.size());
  const int size = MultiByteToWideChar(CP_ACP, 0, text.data(), narrow, nullptr, 0);
  std::wstring result(static_cast<size_t>(size), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), narrow, result.data(), size);
  return result;
}
