#include "registry/RegistryRoutines.h"

#include <algorithm>
#include <climits>
#include <iterator>
#include <string_view>

#include "registry/AnsiText.h"
#include "registry/UniqueKey.h"

namespace {

constexpr DWORD kNameBufferSize = 260;

// A run of subkeys that do not fit the buffer this long is not a real key's content but a registry that answers
// "more data" for every index; stop rather than walk two billion indexes.
constexpr int kMaxSkippedInARow = 65536;

}  // namespace

KeyCollection RegistryRoutines::EnumRegistryKeys(HKEY hkey, const std::wstring& KeyName) const {
  KeyCollection names;
  UniqueKey opened;
  HKEY listed = hkey;
  if (!KeyName.empty()) {
    if (OpenKey(hkey, ToAnsi(KeyName).c_str(), kKeyRead, opened) != kStatusSuccess) {
      return names;
    }
    listed = opened.Get();
  }

  // The index is a 32-bit signed counter; it cannot pass its maximum, so the loop always ends.
  int skippedInARow = 0;
  for (LONG index = 0; index < LONG_MAX; ++index) {
    char name[kNameBufferSize];
    std::fill(std::begin(name), std::end(name), ' ');
    DWORD nameLength = kNameBufferSize;
    FILETIME lastWrite{};
    // No class buffer: RegEnumKeyEx is documented to answer ERROR_MORE_DATA for a class name that does not fit its
    // buffer, and the account would not be listed.
    const LSTATUS status = Registry().EnumKeyEx(listed, static_cast<DWORD>(index), name, &nameLength, nullptr, nullptr,
                                                nullptr, &lastWrite);
    if (status == kStatusNoMoreItems) {
      break;
    }
    if (status == kStatusMoreData) {
      // A name too long for the buffer: skip it so the subkeys after it still show.
      if (++skippedInARow == kMaxSkippedInARow) {
        break;
      }
      continue;
    }
    if (status != kStatusSuccess) {
      break;  // access lost or the key deleted: keep what was gathered
    }
    skippedInARow = 0;
    const std::string_view text(name, kNameBufferSize);
    names.Add(FromAnsi(text.substr(0, text.find('\0'))));
  }
  return names;
}

std::wstring RegistryRoutines::TrimNull(std::wstring& item) const {
  const auto nul = item.find(L'\0');
  if (nul != std::wstring::npos) {
    item.erase(nul);
  }
  return item;
}
