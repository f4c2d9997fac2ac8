#include "registry/KeyCollection.h"

#include <windows.h>

#include <utility>

namespace {

// Folds case the way the registry compares key names (the system's upper-case mapping).
std::wstring Fold(const std::wstring& name) {
  std::wstring folded = name;
  if (!folded.empty()) {
    CharUpperBuffW(folded.data(), static_cast<DWORD>(folded.size()));
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
