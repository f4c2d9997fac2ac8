#pragma once
#include <string>
#include <string_view>

// Where the host product keeps its per-account settings, below HKEY_CURRENT_USER.
inline constexpr wchar_t ProductKeyPath[] = L"Software\\Halvorn\\Brindlex";
inline constexpr wchar_t kEnablePlugins[] = L"EnablePlugins";

// An account is a subkey of the product key whose name holds an "@" (an e-mail address).
inline bool IsAccountName(std::wstring_view name) { return name.find(L'@') != std::wstring_view::npos; }

// The full key path of account's "Preferences" key; the account text is inserted exactly as given.
inline std::wstring PreferencesPath(std::wstring_view account) {
  std::wstring path = L"HKEY_CURRENT_USER\\";
  path += ProductKeyPath;
  path += L'\\';
  path += account;
  path += L"\\Preferences";
  return path;
}
