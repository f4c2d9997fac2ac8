#include "tests/driver/RegistrySeed.h"

#include <algorithm>
#include <cwchar>

#include "tests/driver/UniqueHandles.h"
#include "ui/HostProduct.h"

namespace RegistrySeed {

namespace {

constexpr DWORD kMaxName = 256;  // a key name holds at most 255 characters

PlainKey OpenKey(const std::wstring& path, REGSAM access) {
  PlainKey key;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, access, key.Put()) != ERROR_SUCCESS) {
    key.Reset();
  }
  return key;
}

// Calls visit(name, type, data, size) for each value of the key, in the registry's order.
template <typename Visit>
void ForEachValue(HKEY key, Visit visit) {
  DWORD maxName = 0;
  DWORD maxData = 0;
  if (RegQueryInfoKeyW(key, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &maxName, &maxData, nullptr,
                       nullptr) != ERROR_SUCCESS) {
    return;
  }
  std::vector<wchar_t> name(maxName + 1);
  std::vector<BYTE> data(maxData + 1);
  for (DWORD index = 0;;) {
    DWORD nameLength = static_cast<DWORD>(name.size());
    DWORD dataSize = static_cast<DWORD>(data.size());
    DWORD type = 0;
    const LSTATUS status = RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type, data.data(), &dataSize);
    if (status == ERROR_MORE_DATA) {  // the value grew since the sizes were read: read it again
      name.resize(name.size() * 2);
      data.resize(std::max<size_t>(data.size() * 2, dataSize));
      continue;
    }
    if (status != ERROR_SUCCESS) {
      return;
    }
    visit(std::wstring(name.data(), nameLength), type, data.data(), dataSize);
    ++index;
  }
}

// The names of the key's subkeys, in the registry's order.
std::vector<std::wstring> NamesOf(HKEY key) {
  std::vector<std::wstring> names;
  for (DWORD index = 0;; ++index) {
    wchar_t name[kMaxName];
    DWORD length = kMaxName;
    if (RegEnumKeyExW(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
      return names;
    }
    names.emplace_back(name, length);
  }
}

void Snapshot(HKEY key, const std::wstring& path, const std::function<bool(const std::wstring&)>& skip, Hive& hive) {
  Values& values = hive[path];
  ForEachValue(key, [&](const std::wstring& name, DWORD type, const BYTE* data, DWORD size) {
    values[name] = ValueText(type, data, size);
  });
  for (const std::wstring& child : NamesOf(key)) {
    const std::wstring subpath = path.empty() ? child : path + L"\\" + child;
    if (skip && skip(subpath)) {
      continue;
    }
    PlainKey subkey;
    if (RegOpenKeyExW(key, child.c_str(), 0, KEY_READ, subkey.Put()) == ERROR_SUCCESS) {
      Snapshot(subkey.Get(), subpath, skip, hive);
    } else {
      hive[subpath];  // listed but not readable: it shows, without values
    }
  }
}

}  // namespace

std::wstring ValueText(DWORD type, const void* data, DWORD size) {
  std::wstring text = L"type " + std::to_wstring(type) + L":";
  for (DWORD i = 0; i < size; ++i) {
    wchar_t hex[4];
    std::swprintf(hex, std::size(hex), L" %02x", static_cast<const BYTE*>(data)[i]);
    text += hex;
  }
  return text;
}

std::wstring AccountKey(std::wstring_view name) {
  std::wstring path = ProductKeyPath;
  path += L'\\';
  path += name;
  return path;
}

std::wstring PreferencesKey(std::wstring_view name) { return AccountKey(name) + L"\\Preferences"; }

bool DeleteTree(const std::wstring& path) {
  RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
  return !KeyExists(path);
}

bool CreateKey(const std::wstring& path, const wchar_t* className) {
  PlainKey key;
  return RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, const_cast<wchar_t*>(className), REG_OPTION_NON_VOLATILE,
                         KEY_WRITE, nullptr, key.Put(), nullptr) == ERROR_SUCCESS;
}

bool KeyExists(const std::wstring& path) { return static_cast<bool>(OpenKey(path, KEY_READ)); }

bool CreateAccount(std::wstring_view name, std::optional<DWORD> value) {
  const std::wstring path = PreferencesKey(name);
  return CreateKey(path) && (!value || SetDword(path, kEnablePlugins, *value));
}

bool SetValue(const std::wstring& path, const wchar_t* name, DWORD type, const void* data, DWORD size) {
  const PlainKey key = OpenKey(path, KEY_SET_VALUE);
  return key && RegSetValueExW(key.Get(), name, 0, type, static_cast<const BYTE*>(data), size) == ERROR_SUCCESS;
}

bool SetDword(const std::wstring& path, const wchar_t* name, DWORD value) {
  return SetValue(path, name, REG_DWORD, &value, sizeof value);
}

bool SetString(const std::wstring& path, const wchar_t* name, std::wstring_view text) {
  const std::wstring terminated(text);
  const auto size = static_cast<DWORD>((terminated.size() + 1) * sizeof(wchar_t));
  return SetValue(path, name, REG_SZ, terminated.c_str(), size);
}

std::optional<DWORD> ReadDword(const std::wstring& path, const wchar_t* name) {
  DWORD value = 0;
  DWORD size = sizeof value;
  if (RegGetValueW(HKEY_CURRENT_USER, path.c_str(), name, RRF_RT_REG_DWORD, nullptr, &value, &size) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  return value;
}

std::vector<std::wstring> SubkeyNames(const std::wstring& path) {
  const PlainKey key = OpenKey(path, KEY_ENUMERATE_SUB_KEYS);
  return key ? NamesOf(key.Get()) : std::vector<std::wstring>();
}

std::vector<std::wstring> AccountNames() {
  std::vector<std::wstring> names = SubkeyNames(ProductKeyPath);
  std::erase_if(names, [](const std::wstring& name) { return !IsAccountName(name); });
  return names;
}

Hive Snapshot(const std::wstring& path, const std::function<bool(const std::wstring& path)>& skip) {
  Hive hive;
  if (path.empty()) {
    Snapshot(HKEY_CURRENT_USER, path, skip, hive);
  } else if (const PlainKey key = OpenKey(path, KEY_READ)) {
    Snapshot(key.Get(), path, skip, hive);
  }
  return hive;
}

}  // namespace RegistrySeed
