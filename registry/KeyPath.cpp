#include "registry/KeyPath.h"

#include <array>
#include <utility>

namespace Module1 {

namespace {

// In the order names are compared.
constexpr std::array<std::pair<std::wstring_view, std::uint32_t>, 7> kRootNames{{
    {L"HKEY_CLASSES_ROOT", kHkeyClassesRoot},
    {L"HKEY_CURRENT_USER", kHkeyCurrentUser},
    {L"HKEY_LOCAL_MACHINE", kHkeyLocalMachine},
    {L"HKEY_USERS", kHkeyUsers},
    {L"HKEY_PERFORMANCE_DATA", kHkeyPerformanceData},
    {L"HKEY_CURRENT_CONFIG", kHkeyCurrentConfig},
    {L"HKEY_DYN_DATA", kHkeyDynData},
}};

}  // namespace

std::uint32_t RootKeyFromName(std::wstring_view name) {
  for (const auto& [rootName, value] : kRootNames) {
    if (name == rootName) {
      return value;
    }
  }
  return kNoKey;
}

void SplitKeyPath(std::wstring& path, std::uint32_t& root) {
  const std::wstring_view text = path;
  if (!text.starts_with(L"HKEY_") || text.ends_with(L'\\')) {
    root = kNoKey;
    return;
  }
  const auto backslash = text.find(L'\\');
  if (backslash == std::wstring_view::npos) {
    root = RootKeyFromName(text);  // a root name alone addresses the root key itself
    path.clear();
    return;
  }
  root = RootKeyFromName(text.substr(0, backslash));
  path.erase(0, backslash + 1);
}

}  // namespace Module1
