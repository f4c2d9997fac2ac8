#include "FakeRegistry.h"

#include <algorithm>
#include <cctype>
#include <cstring>
#include <sstream>
#include <utility>

struct FakeRegistry::Key {
  std::string name;
  std::string className;
  std::vector<std::unique_ptr<Key>> subkeys;  // in enumeration order
  std::map<std::string, Value> values;
  Key* parent = nullptr;

  Key* Child(const std::string& childName) const {
    for (const auto& subkey : subkeys) {
      if (_stricmp(subkey->name.c_str(), childName.c_str()) == 0) {
        return subkey.get();
      }
    }
    return nullptr;
  }

  Key* Add(const std::string& childName) {
    subkeys.push_back(std::make_unique<Key>());
    subkeys.back()->name = childName;
    subkeys.back()->parent = this;
    return subkeys.back().get();
  }
};

FakeRegistry* FakeRegistry::current_ = nullptr;

namespace {

constexpr const char* kRootNames[] = {"HKCR", "HKCU", "HKLM", "HKU", "HKPD", "HKCC", "HKDD"};

std::vector<std::string> SplitPath(const std::string& path) {
  std::vector<std::string> parts;
  std::string part;
  std::istringstream in(path);
  while (std::getline(in, part, '\\')) {
    parts.push_back(part);
  }
  return parts;
}

}  // namespace

FakeRegistry::FakeRegistry()
    : roots_(std::make_unique<Key>()), table_{&OpenKeyEx, &QueryValueEx, &SetValueEx, &CloseKey, &EnumKeyEx} {
  for (const char* root : kRootNames) {
    roots_->Add(root);
  }
  current_ = this;
  scope_ = std::make_unique<ScopedRegistryApi>(table_);
}

FakeRegistry::~FakeRegistry() {
  scope_.reset();
  current_ = nullptr;
}

void FakeRegistry::AddKey(const std::string& path) {
  Key* key = roots_.get();
  for (const std::string& part : SplitPath(path)) {
    Key* child = key->Child(part);
    key = child != nullptr ? child : key->Add(part);
  }
}

void FakeRegistry::SetValue(const std::string& path, const std::string& name, Value value) {
  AddKey(path);
  Find(path)->values[name] = std::move(value);
}

void FakeRegistry::SetDword(const std::string& path, const std::string& name, DWORD value) {
  Value dword{REG_DWORD, std::vector<BYTE>(4)};
  std::memcpy(dword.data.data(), &value, 4);
  SetValue(path, name, dword);
}

void FakeRegistry::SetClass(const std::string& path, const std::string& className) {
  AddKey(path);
  Find(path)->className = className;
}

const FakeRegistry::Value* FakeRegistry::FindValue(const std::string& path, const std::string& name) const {
  const Key* key = Find(path);
  if (key == nullptr) {
    return nullptr;
  }
  const auto it = key->values.find(name);
  return it == key->values.end() ? nullptr : &it->second;
}

testing::AssertionResult FakeRegistry::Balanced() const {
  if (!handles_.empty() || badCloses_ != 0) {
    return testing::AssertionFailure() << handles_.size() << " handle(s) left open, " << badCloses_ << " bad close(s)";
  }
  return testing::AssertionSuccess();
}

std::string FakeRegistry::Dump() const {
  std::ostringstream out;
  std::function<void(const Key&, const std::string&)> dump = [&](const Key& key, const std::string& path) {
    out << path << '\n';
    for (const auto& [name, value] : key.values) {
      out << "  " << name << " type " << value.type << " :";
      for (BYTE b : value.data) {
        out << ' ' << static_cast<int>(b);
      }
      out << '\n';
    }
    for (const auto& subkey : key.subkeys) {
      dump(*subkey, path + "\\" + subkey->name);
    }
  };
  for (const auto& root : roots_->subkeys) {
    dump(*root, root->name);
  }
  return out.str();
}

FakeRegistry::Key* FakeRegistry::Find(const std::string& path, Key* from) const {
  Key* key = from != nullptr ? from : roots_.get();
  for (const std::string& part : SplitPath(path)) {
    key = part.empty() ? nullptr : key->Child(part);  // two backslashes in a row name no key
    if (key == nullptr) {
      return nullptr;
    }
  }
  return key;
}

FakeRegistry::Key* FakeRegistry::Resolve(HKEY key) const {
  if (IsPredefinedKey(key)) {
    const auto index = static_cast<ULONG>(reinterpret_cast<ULONG_PTR>(key)) - 0x80000000u;
    return roots_->subkeys[index].get();
  }
  const auto it = handles_.find(key);
  return it == handles_.end() ? nullptr : it->second;
}

std::optional<LSTATUS> FakeRegistry::Injected(Call call) {
  const int before = counts_[static_cast<int>(call)]++;
  return inject ? inject(call, before) : std::nullopt;
}

std::optional<LSTATUS> FakeRegistry::Enter(Call call, HKEY key, Key*& node) {
  if (auto status = Injected(call)) {
    return status;
  }
  node = Resolve(key);
  return node == nullptr ? std::optional<LSTATUS>(ERROR_INVALID_HANDLE) : std::nullopt;
}

LSTATUS APIENTRY FakeRegistry::OpenKeyEx(HKEY key, LPCSTR subkey, DWORD, REGSAM access, PHKEY result) {
  FakeRegistry& self = *current_;
  self.accessRequested.push_back(access);
  self.subkeysOpened.emplace_back(subkey != nullptr ? subkey : "");
  *result = reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(0xdddd));  // poison: a failed open must not be used
  Key* node = nullptr;
  if (auto status = self.Enter(Call::Open, key, node)) {
    return *status;
  }
  if ((subkey == nullptr || *subkey == '\0') && IsPredefinedKey(key) && self.rootForEmptyPath) {
    *result = key;  // not the caller's to close
    return ERROR_SUCCESS;
  }
  node = subkey != nullptr ? self.Find(subkey, node) : node;
  if (node == nullptr) {
    return ERROR_FILE_NOT_FOUND;
  }
  const auto handle = reinterpret_cast<HKEY>(self.nextHandle_ += 4);
  self.handles_[handle] = node;
  ++self.opened_;
  *result = handle;
  return ERROR_SUCCESS;
}

LSTATUS APIENTRY FakeRegistry::QueryValueEx(HKEY key, LPCSTR name, LPDWORD, LPDWORD type, LPBYTE data, LPDWORD size) {
  FakeRegistry& self = *current_;
  self.querySizes.push_back(size != nullptr ? *size : 0);
  Key* node = nullptr;
  if (auto status = self.Enter(Call::Query, key, node)) {
    return *status;
  }
  const auto it = node->values.find(name != nullptr ? name : "");
  if (it == node->values.end()) {
    return ERROR_FILE_NOT_FOUND;
  }
  const Value& value = it->second;
  if (type != nullptr) {
    *type = value.type;
  }
  const auto needed = static_cast<DWORD>(value.data.size());
  if (data != nullptr && *size < needed) {
    *size = needed;
    return ERROR_MORE_DATA;
  }
  if (data != nullptr) {
    std::copy(value.data.begin(), value.data.end(), data);
  }
  *size = needed;
  return ERROR_SUCCESS;
}

LSTATUS APIENTRY FakeRegistry::SetValueEx(HKEY key, LPCSTR name, DWORD, DWORD type, const BYTE* data, DWORD size) {
  FakeRegistry& self = *current_;
  self.setSizes.push_back(size);
  Key* node = nullptr;
  if (auto status = self.Enter(Call::Set, key, node)) {
    return *status;
  }
  node->values[name != nullptr ? name : ""] = Value{type, std::vector<BYTE>(data, data + size)};
  return ERROR_SUCCESS;
}

LSTATUS APIENTRY FakeRegistry::CloseKey(HKEY key) {
  FakeRegistry& self = *current_;
  const auto injected = self.Injected(Call::Close);
  if (self.handles_.erase(key) == 0) {
    ++self.badCloses_;  // a predefined root, a handle never opened, or one closed twice
    return ERROR_INVALID_HANDLE;
  }
  return injected.value_or(ERROR_SUCCESS);  // a failed close still gives the handle up: nothing could be retried
}

LSTATUS APIENTRY FakeRegistry::EnumKeyEx(HKEY key, DWORD index, LPSTR name, LPDWORD nameSize, LPDWORD, LPSTR className,
                                         LPDWORD classSize, PFILETIME) {
  FakeRegistry& self = *current_;
  self.enumNameSizes.push_back(*nameSize);
  if (className != nullptr || classSize != nullptr) {
    self.enumClassSizes.push_back(classSize != nullptr ? *classSize : 0);
  }
  Key* node = nullptr;
  if (auto status = self.Enter(Call::Enum, key, node)) {
    return *status;
  }
  if (index >= node->subkeys.size()) {
    return ERROR_NO_MORE_ITEMS;
  }
  const Key& subkey = *node->subkeys[index];
  // As the system does: the sizes count characters without the NUL, and a name or class that does not fit fails.
  if (subkey.name.size() >= *nameSize ||
      (className != nullptr && classSize != nullptr && subkey.className.size() >= *classSize)) {
    return ERROR_MORE_DATA;
  }
  std::memcpy(name, subkey.name.c_str(), subkey.name.size() + 1);
  *nameSize = static_cast<DWORD>(subkey.name.size());
  if (className != nullptr && classSize != nullptr) {
    std::memcpy(className, subkey.className.c_str(), subkey.className.size() + 1);
    *classSize = static_cast<DWORD>(subkey.className.size());
  }
  return ERROR_SUCCESS;
}
