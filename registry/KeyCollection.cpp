#include "registry/KeyCollection.h"

#include <windows.h>

#include <utility>

namespace {

// Folds case the way the registry compares key names: the system's ordinal upper-case mapping (no linguistic
// rules), as CompareStringOrdinal with bIgnoreCase compares.
std::wstring Fold(const std::wstring& name) {
  std::wstring folded = name;
  const int length = static_cast<int>(name.size());
  if (length > 0 && LCMapStringEx(LOCALE_NAME_INVARIANT, LCMAP_UPPERCASE, name.data(), length, folded.data(), length,
                                  nullptr, nullptr, 0) != length) {
    folded = name;
  }
  return folded;
}

}  // namespace

bool KeyCollection::Add(const std::wstring& name) { return Add(std::wstring(name)); }

bool KeyCollection::Add(std::wstring&& name) {
  const auto [it, added] = index_.try_emplace(Fold(name), names_.size());
  if (added) {
    names_.push_back(std::move(name));
  }
  return added;
}

const std::wstring* KeyCollection::Find(const std::wstring& name) const {
  const auto it = index_.find(Fold(name));
  return it == index_.end() ? nullptr : &names_[it->second];
}

void KeyCollection::Reserve(std::size_t count) {
  names_.reserve(count);
  index_.reserve(count);
}
