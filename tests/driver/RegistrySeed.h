#pragma once
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include <windows.h>

// Prepares and reads back the registry the program reads, from the test's own process. Keys are named by paths below
// HKEY_CURRENT_USER.
namespace RegistrySeed {

// The vendor's key, above the product key: deleting it leaves no trace of a test.
inline constexpr wchar_t kVendorKey[] = L"Software\\Halvorn";

// The key of the product's subkey name (an account or not), and that subkey's "Preferences" key.
std::wstring AccountKey(std::wstring_view name);
std::wstring PreferencesKey(std::wstring_view name);

// Deletes the key with all it holds; true when it no longer exists.
bool DeleteTree(const std::wstring& path);
// Creates the key (of class className, if given) and any missing parents; true when it exists afterwards.
bool CreateKey(const std::wstring& path, const wchar_t* className = nullptr);
bool KeyExists(const std::wstring& path);

// Product subkey name with a "Preferences" key holding EnablePlugins = value, or no EnablePlugins when value is empty.
bool CreateAccount(std::wstring_view name, std::optional<DWORD> value);

// Sets the value name of an existing key to type and data; SetDword and SetString for the common types.
bool SetValue(const std::wstring& path, const wchar_t* name, DWORD type, const void* data, DWORD size);
bool SetDword(const std::wstring& path, const wchar_t* name, DWORD value);
bool SetString(const std::wstring& path, const wchar_t* name, std::wstring_view text);

// The REG_DWORD value name of the key, or nothing when the key or value is missing or of another type.
std::optional<DWORD> ReadDword(const std::wstring& path, const wchar_t* name);

// The names of the key's direct subkeys, in the order RegEnumKeyExW gives them.
std::vector<std::wstring> SubkeyNames(const std::wstring& path);
// The product's subkeys that are accounts, in that order: what Combo1 lists.
std::vector<std::wstring> AccountNames();

// The key at path ("" for HKEY_CURRENT_USER itself) and every key below it, each by its path with its values by name,
// a value shown as its type and data bytes; empty if the key does not exist. Sorted, so two snapshots compare
// whatever order the registry lists things in. Leaves out every key for which skip(path) holds, with all below it.
using Values = std::map<std::wstring, std::wstring>;
using Hive = std::map<std::wstring, Values>;
Hive Snapshot(const std::wstring& path, const std::function<bool(const std::wstring& path)>& skip = nullptr);
// How a snapshot shows a value of this type and data, e.g. ValueText(REG_DWORD, &one, 4) == L"type 4: 01 00 00 00".
std::wstring ValueText(DWORD type, const void* data, DWORD size);

}  // namespace RegistrySeed
