#pragma once
#include <cstddef>
#include <string>
#include <unordered_map>
#include <vector>

// Names in the order they were added, each also found by itself as a key that ignores letter case.
class KeyCollection {
 public:
  // Adds name at the end; returns false and adds nothing if a name equal but for case is already held.
  bool Add(const std::wstring& name);
  bool Add(std::wstring&& name);  // the same, taking the name over instead of copying it
  // The held name equal to name but for case, or nullptr.
  const std::wstring* Find(const std::wstring& name) const;
  bool Contains(const std::wstring& name) const { return Find(name) != nullptr; }
  void Reserve(std::size_t count);

  std::size_t Count() const { return names_.size(); }
  bool Empty() const { return names_.empty(); }
  const std::wstring& operator[](std::size_t i) const { return names_[i]; }
  auto begin() const { return names_.begin(); }
  auto end() const { return names_.end(); }

 private:
  std::vector<std::wstring> names_;
  std::unordered_map<std::wstring, std::size_t> index_;  // folded name -> position in names_
};
