// Fuzzes Module1's key path resolution natively (libFuzzer with AddressSanitizer and UndefinedBehaviorSanitizer) and
// checks its invariants on every input.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "registry/KeyPath.h"

namespace {

void Check(bool condition) {
  if (!condition) {
    std::abort();  // libFuzzer saves the input that broke an invariant
  }
}

bool IsRootValue(std::uint32_t root) { return root == Module1::kNoKey || (root >= 0x80000000u && root <= 0x80000006u); }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  // Two bytes a UTF-16 unit, so every text the program can hold is reachable.
  std::wstring original;
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    original.push_back(static_cast<wchar_t>(data[i] | data[i + 1] << 8));
  }

  const std::uint32_t named = Module1::RootKeyFromName(original);
  Check(IsRootValue(named));

  std::wstring path = original;
  std::uint32_t root = 0xdddddddd;
  Module1::SplitKeyPath(path, root);
  Check(IsRootValue(root));

  const bool wellFormed = original.compare(0, 5, L"HKEY_") == 0 && original.size() >= 5 && original.back() != L'\\';
  if (!wellFormed) {
    Check(root == Module1::kNoKey && path == original);
    return 0;
  }
  const auto backslash = original.find(L'\\');
  if (backslash == std::wstring::npos) {
    Check(root == named && path.empty());
  } else {
    Check(path == original.substr(backslash + 1));
    Check(root == Module1::RootKeyFromName(original.substr(0, backslash)));
  }
  return 0;
}
