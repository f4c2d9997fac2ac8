#include "ScratchCurrentUser.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
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

// Ends the run at once, as failed, where the scratch key cannot be had: no test may run on the real key, and a fatal
// failure in a test environment would only mark every test skipped.
void Require(LSTATUS status, const char* what) {
  if (status != ERROR_SUCCESS) {
    std::fprintf(stderr, "cannot %s a scratch HKEY_CURRENT_USER (status %ld)\n", what, static_cast<long>(status));
    std::exit(1);
  }
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

void RemoveStaleRuns(ULONGLONG now) {
  HKEY runs = nullptr;
  if (RegOpenKeyExW(HKEY_CURRENT_USER, kRunsKey, 0, KEY_ALL_ACCESS, &runs) != ERROR_SUCCESS) {
    return;
  }
  for (const std::wstring& name : StaleRuns(runs, now)) {
    RegDeleteTreeW(runs, name.c_str());
  }
  RegCloseKey(runs);
}

}  // namespace

std::wstring ScratchCurrentUser::path_;

void ScratchCurrentUser::SetUp() {
  const ULONGLONG now = Now();
  wchar_t name[32];
  std::swprintf(name, std::size(name), L"%016llx-%08x", now, static_cast<unsigned>(std::random_device()()));
  const std::wstring path = std::wstring(kRunsKey) + L"\\" + name;
  HKEY scratch = nullptr;
  LSTATUS created = ERROR_KEY_DELETED;
  // A run that ends deletes the runs key once it is empty, perhaps just as this one makes its key in it: again.
  for (int attempt = 0; attempt < 10 && (created == ERROR_KEY_DELETED || created == ERROR_FILE_NOT_FOUND); ++attempt) {
    created =
        RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &scratch, nullptr);
  }
  Require(created, "create");
  RemoveStaleRuns(now);  // the runs key stays while this run's key is in it
  // The system keeps its own reference to the key, so the handle may go at once.
  const LSTATUS redirected = RegOverridePredefKey(HKEY_CURRENT_USER, scratch);
  RegCloseKey(scratch);
  if (redirected != ERROR_SUCCESS) {
    RegDeleteTreeW(HKEY_CURRENT_USER, path.c_str());
  }
  Require(redirected, "redirect HKEY_CURRENT_USER to");
  path_ = path;
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
