#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// Key paths: one text naming a registry key, "<root name>\<subkey path>". Pure text functions: no registry call and
// no Windows header, so they build and can be checked on any host.
namespace Module1 {

// Predefined root handle values; 0 means that a text names no key.
inline constexpr std::uint32_t kNoKey = 0;
inline constexpr std::uint32_t kHkeyClassesRoot = 0x80000000u;
inline constexpr std::uint32_t kHkeyCurrentUser = 0x80000001u;
inline constexpr std::uint32_t kHkeyLocalMachine = 0x80000002u;
inline constexpr std::uint32_t kHkeyUsers = 0x80000003u;
inline constexpr std::uint32_t kHkeyPerformanceData = 0x80000004u;
inline constexpr std::uint32_t kHkeyCurrentConfig = 0x80000005u;
inline constexpr std::uint32_t kHkeyDynData = 0x80000006u;

// The handle value of one of the seven root names, compared exactly (case-sensitive); kNoKey for any other text.
[[nodiscard]] std::uint32_t RootKeyFromName(std::wstring_view name);

// Splits a key path into its root handle value and the subkey path below it, which replaces path. A path that does not
// start with "HKEY_" or ends in a backslash is not well formed: root becomes kNoKey and path is left as it was.
// An unknown root name also gives kNoKey, with path cut as usual.
void SplitKeyPath(std::wstring& path, std::uint32_t& root);

}  // namespace Module1
