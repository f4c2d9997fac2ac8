#include "ScratchCurrentUser.h"

#include <windows.h>

#include <cwchar>
#include <random>
#include <vector>

namespace {

// Below the real HKEY_CURRENT_USER: one subkey a run, named by its creation time and a random part.
constexpr wchar_t kRunsKey[] = L"Software\\PluginSwitchTests";
// FILETIME counts 100 ns: one day.
constexpr ULONGLONG kDay = 24ULL * 60 * 60 * 10'000'000;

ULONGLONG Now() {
  FILETIME now{};
  GetSystemTimeAsFileTime(&now);
  return (static_cast<ULONGLONG>(now.dwHighDateTime) << 32) | now.dwLowDateTime;
}

// The names of the scratch keys of runs that began more than a day ago, which no live run still uses.
std::vector<std::wstring> StaleRuns(HKEY runs, ULONGLONG now) {
  std::vector<std::wstring> stale;
  for (DWORD index = 0;; ++index) {
    wchar_t name[256];
    DWORD length = 256;
    if (RegEnumKeyExW(runs, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
      break;
    }
    wchar_t* end = nullptr;
    const ULONGLONG created = std::wcstoull(name, &end, 16);
    if (end == name + 16 && *end == L'-' && created + kDay < now) {
      stale.emplace_back(name, length);
    }
  }
  return stale;
}

}  // namespace

std::wstring ScratchCurrentUser::path_;

void ScratchCurrentUser::SetUp() {
  const ULONGLONG now = Now();
  HKEY runs = nullptr;
  ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, kRunsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &runs, nullptr),
            ERROR_SUCCESS);
  for (const std::wstring& name : StaleRuns(runs, now)) {
    RegDeleteTreeW(runs, name.c_str());
  }
  wchar_t name[32];
  std::swprintf(name, std::size(name), L"%016llx-%08x", now, static_cast<unsigned>(std::random_device()()));
  HKEY scratch = nullptr;
  const LSTATUS created = RegCreateKeyExW(runs, name, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &scratch, nullptr);
  RegCloseKey(runs);
  ASSERT_EQ(created, ERROR_SUCCESS);
  path_ = std::wstring(kRunsKey) + L"\\" + name;
  // The system keeps its own reference to the key, so the handle may go at once.
  const LSTATUS redirected = RegOverridePredefKey(HKEY_CURRENT_USER, scratch);
  RegCloseKey(scratch);
  ASSERT_EQ(redirected, ERROR_SUCCESS) << "HKEY_CURRENT_USER could not be redirected to a scratch key";
}

void ScratchCurrentUser::TearDown() {
  if (path_.empty()) {
    return;
  }
  EXPECT_EQ(RegOverridePredefKey(HKEY_CURRENT_USER, nullptr), ERROR_SUCCESS);
  // With a subkey named, the key itself goes too.
  EXPECT_EQ(RegDeleteTreeW(HKEY_CURRENT_USER, path_.c_str()), ERROR_SUCCESS);
  RegDeleteKeyW(HKEY_CURRENT_USER, kRunsKey);  // fails, as it should, while another run has its key there
  path_.clear();
}

std::wstring ScratchCurrentUser::OutsidePath(const std::wstring& path) {
  return path_.empty() ? path : path_ + L"\\" + path;
}
