#include "registry/DwordValue.h"

#include <charconv>
#include <iterator>

#include "registry/AnsiText.h"
#include "registry/KeyPath.h"
#include "registry/UniqueKey.h"

namespace Module1 {

namespace {

// Predefined handles are sign-extended 32-bit values, also in a 64-bit process.
HKEY HandleFromRoot(std::uint32_t root) {
  return reinterpret_cast<HKEY>(static_cast<ULONG_PTR>(static_cast<LONG_PTR>(static_cast<LONG>(root))));
}

}  // namespace

std::wstring DwordRead::Text() const {
  switch (kind_) {
    case Kind::Number: {
      // std::to_wstring would bring in the C library's whole wide printf.
      char digits[12];
      char* const end = std::to_chars(std::begin(digits), std::end(digits), value_).ptr;
      return std::wstring(std::begin(digits), end);
    }
    case Kind::Error:
      return std::wstring(kErrorMarker);
    case Kind::Nothing:
      break;
  }
  return {};
}

DwordRead ReadDwordValue(std::wstring path, const std::wstring& name) {
  std::uint32_t root = kNoKey;
  SplitKeyPath(path, root);
  if (root == kNoKey) {
    return DwordRead::Nothing();
  }
  UniqueKey key;
  if (OpenKey(HandleFromRoot(root), ToAnsi(path).c_str(), kKeyRead, key) != kStatusSuccess) {
    return DwordRead::Error();
  }
  // Zeroed first, so data shorter than 4 bytes reads the same on every run.
  BYTE data[4] = {0, 0, 0, 0};
  DWORD size = sizeof data;
  DWORD type = 0;
  const LSTATUS status = Registry().QueryValueEx(key.Get(), ToAnsi(name).c_str(), nullptr, &type, data, &size);
  key.Reset();
  if (status != kStatusSuccess) {
    return DwordRead::Error();
  }
  const auto bits = static_cast<std::uint32_t>(data[0]) | static_cast<std::uint32_t>(data[1]) << 8 |
                    static_cast<std::uint32_t>(data[2]) << 16 | static_cast<std::uint32_t>(data[3]) << 24;
  return DwordRead::Number(static_cast<std::int32_t>(bits));
}

bool WriteDwordValue(std::wstring path, const std::wstring& name, std::int32_t value) {
  std::uint32_t root = kNoKey;
  SplitKeyPath(path, root);
  if (root == kNoKey) {
    return false;
  }
  UniqueKey key;
  if (OpenKey(HandleFromRoot(root), ToAnsi(path).c_str(), kKeyWrite, key) != kStatusSuccess) {
    return false;
  }
  const auto bits = static_cast<std::uint32_t>(value);
  const BYTE data[4] = {static_cast<BYTE>(bits), static_cast<BYTE>(bits >> 8), static_cast<BYTE>(bits >> 16),
                        static_cast<BYTE>(bits >> 24)};
  return Registry().SetValueEx(key.Get(), ToAnsi(name).c_str(), 0, REG_DWORD, data, sizeof data) == kStatusSuccess;
}

}  // namespace Module1
