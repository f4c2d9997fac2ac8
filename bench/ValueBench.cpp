// Choose and Change: ReadDwordValue and WriteDwordValue on an account's "Preferences" key against the bare ANSI
// calls they make (open, query or set, close), in process.
//
// Usage: ValueBench [REPETITIONS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "BenchRegistry.h"
#include "BenchStats.h"
#include "registry/AnsiText.h"
#include "registry/DwordValue.h"
#include "tests/support/DisposableProfile.h"
#include "ui/HostProduct.h"

namespace {

constexpr int kCallsPerSample = 2000;
constexpr wchar_t kAccount[] = L"user00000@example.com";

DWORD BareRead(const char* subkey, const char* name) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, subkey, 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return 0xffffffff;
  }
  DWORD value = 0;
  DWORD size = sizeof value;
  DWORD type = 0;
  const LSTATUS status = RegQueryValueExA(key, name, nullptr, &type, reinterpret_cast<BYTE*>(&value), &size);
  RegCloseKey(key);
  return status == ERROR_SUCCESS ? value : 0xffffffff;
}

bool BareWrite(const char* subkey, const char* name, DWORD value) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, subkey, 0, KEY_WRITE, &key) != ERROR_SUCCESS) {
    return false;
  }
  const LSTATUS status = RegSetValueExA(key, name, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&value), sizeof value);
  RegCloseKey(key);
  return status == ERROR_SUCCESS;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (RefuseUnlessDisposable("ValueBench")) {
    return DisposableProfile::kSkipExitCode;
  }
  const int repetitions = argc > 1 ? std::max(1, _wtoi(argv[1])) : 11;
  if (!SeedSubkeys(ProductKeyPath, SampleNames(1, false), true)) {
    std::fprintf(stderr, "cannot seed the account\n");
    return 1;
  }
  const std::wstring path = PreferencesPath(kAccount);
  const std::string subkey = ToAnsi(std::wstring(ProductKeyPath) + L"\\" + kAccount + L"\\Preferences");
  const std::string name = ToAnsi(kEnablePlugins);

  bool ok = true;
  Paired choose;
  MeasureInTurns(repetitions, choose, [&](bool isProgram) {
    const double start = Now();
    for (int i = 0; i < kCallsPerSample; ++i) {
      if (isProgram) {
        ok = Module1::ReadDwordValue(path, kEnablePlugins) == Module1::DwordRead::Number(1) && ok;
      } else {
        ok = BareRead(subkey.c_str(), name.c_str()) == 1 && ok;
      }
    }
    return (Now() - start) / kCallsPerSample;
  });

  Paired change;
  MeasureInTurns(repetitions, change, [&](bool isProgram) {
    const double start = Now();
    for (int i = 0; i < kCallsPerSample; ++i) {
      // Alternates 1 and 0 and ends on 1, so that every read above and below sees 1.
      const int value = i % 2 == 0 ? 0 : 1;
      if (isProgram) {
        ok = Module1::WriteDwordValue(path, kEnablePlugins, value) && ok;
      } else {
        ok = BareWrite(subkey.c_str(), name.c_str(), static_cast<DWORD>(value)) && ok;
      }
    }
    return (Now() - start) / kCallsPerSample;
  });
  ok = ok && Module1::ReadDwordValue(path, kEnablePlugins) == Module1::DwordRead::Number(1);
  DeleteUserKey(ProductKeyPath);

  PrintRow("Choose: ReadDwordValue", choose, 1e6, "us", 1.10);
  PrintRow("Change: WriteDwordValue", change, 1e6, "us", 1.10);
  std::printf(
      "- Choose and Change: %d samples of %d calls each, program and floor in turns; every read gave 1 and "
      "every write succeeded: %s.\n",
      repetitions, kCallsPerSample, ok ? "yes" : "NO");
  return ok ? 0 : 1;
}
