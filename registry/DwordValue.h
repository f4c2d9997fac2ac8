#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// 32-bit registry values of keys named by full key paths ("HKEY_CURRENT_USER\...").
namespace Module1 {

// What a read gives: the number stored, the marker "Error" (key or value missing or unreadable), or nothing (the path
// names no key, so no registry call was made).
class DwordRead {
 public:
  enum class Kind { Nothing, Error, Number };

  static DwordRead Nothing() { return DwordRead(Kind::Nothing, 0); }
  static DwordRead Error() { return DwordRead(Kind::Error, 0); }
  static DwordRead Number(std::int32_t value) { return DwordRead(Kind::Number, value); }

  [[nodiscard]] Kind GetKind() const { return kind_; }
  [[nodiscard]] bool IsNumber() const { return kind_ == Kind::Number; }
  // The number read; 0 unless IsNumber().
  [[nodiscard]] std::int32_t Value() const { return value_; }
  // The result as text: the number in decimal, "Error", or the empty text for nothing.
  [[nodiscard]] std::wstring Text() const;

  friend bool operator==(const DwordRead&, const DwordRead&) = default;

 private:
  DwordRead(Kind kind, std::int32_t value) : kind_(kind), value_(value) {}
  Kind kind_;
  std::int32_t value_;
};

inline constexpr std::wstring_view kErrorMarker = L"Error";

// Reads value name of the key at path, at most 4 bytes whatever the stored type; shorter data reads as its bytes,
// little-endian, with the rest zero. Opens the key for reading only and closes it before returning.
[[nodiscard]] DwordRead ReadDwordValue(std::wstring path, const std::wstring& name);

// Stores value as REG_DWORD under name in the existing key at path; true only when it was stored. Never creates a key;
// creates the value if the key exists without it. Opens the key for writing and closes it before returning.
[[nodiscard]] bool WriteDwordValue(std::wstring path, const std::wstring& name, std::int32_t value);

}  // namespace Module1
