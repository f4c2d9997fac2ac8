#include "ScratchCurrentUser.h"

#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cwchar>
#include <random>

#include "tests/driver/RegistrySeed.h"

namespace {

// Below the real HKEY_CURRENT_USER: one subkey a run, named by its creation time (FILETIME, in hex) and a random part.
const std::wstring kRunsKey = L"Software\\PluginSwitchTests";
constexpr ULONGLONG kDay = 24ULL * 60 * 60 * 10'000'000;  // in FILETIME's 100 ns

// Ends the run at once, as failed, where the scratch key cannot be had: no test may run on the real key, and a fatal
// failure in a test environment would only mark every test skipped.
void Require(LSTATUS status, const char* what) {
  if (status != ERROR_SUCCESS) {
    std::fprintf(stderr, "cannot %s a scratch HKEY_CURRENT_USER (status %ld)\n", what, static_cast<long>(status));
    std::exit(1);
  }
}

}  // namespace

std::wstring ScratchCurrentUser::path_;

void ScratchCurrentUser::SetUp() {
  FILETIME time{};
  GetSystemTimeAsFileTime(&time);
  const ULONGLONG now = (static_cast<ULONGLONG>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  wchar_t name[32];
  std::swprintf(name, std::size(name), L"%016llx-%08x", now, static_cast<unsigned>(std::random_device()()));
  const std::wstring path = kRunsKey + L"\\" + name;
  HKEY scratch = nullptr;
  LSTATUS created = ERROR_KEY_DELETED;
  // A run that ends deletes the runs key once it is empty, perhaps just as this one makes its key in it: again.
  for (int attempt = 0; attempt < 10 && (created == ERROR_KEY_DELETED || created == ERROR_FILE_NOT_FOUND); ++attempt) {
    created =
        RegCreateKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &scratch, nullptr);
  }
  Require(created, "create");
  // Runs that began more than a day ago have crashed and left their keys; the runs key stays while this one's is in it.
  for (const std::wstring& run : RegistrySeed::SubkeyNames(kRunsKey)) {
    wchar_t* end = nullptr;
    if (std::wcstoull(run.c_str(), &end, 16) + kDay < now && end == run.c_str() + 16 && *end == L'-') {
      RegistrySeed::DeleteTree(kRunsKey + L"\\" + run);
    }
  }
  // The system keeps its own reference to the key, so the handle may go at once.
  const LSTATUS redirected = RegOverridePredefKey(HKEY_CURRENT_USER, scratch);
  RegCloseKey(scratch);
  if (redirected != ERROR_SUCCESS) {
    RegistrySeed::DeleteTree(path);
  }
  Require(redirected, "redirect HKEY_CURRENT_USER to");
  path_ = path;
}

void ScratchCurrentUser::TearDown() {
  if (path_.empty()) {
    return;
  }
  EXPECT_EQ(RegOverridePredefKey(HKEY_CURRENT_USER, nullptr), ERROR_SUCCESS);
  EXPECT_TRUE(RegistrySeed::DeleteTree(path_));
  RegDeleteKeyW(HKEY_CURRENT_USER, kRunsKey.c_str());  // fails, as it should, while another run has its key there
  path_.clear();
}

std::wstring ScratchCurrentUser::OutsidePath(const std::wstring& path) {
  return path_.empty() ? path : path_ + L"\\" + path;
}
