// Whether this profile is one that tests and benchmarks may write freely. A user's own profile never is: there they
// write nothing the user keeps, change no desktop setting, and say why.
#pragma once
#include <windows.h>

namespace DisposableProfile {

// Set to 1 by the scripts for the wine prefixes they make, and by hand on a throwaway machine (a CI runner, a VM).
inline constexpr wchar_t kVariable[] = L"PLUGINSWITCH_DISPOSABLE_PROFILE";
// The one line a skipped test or a refusing program prints.
inline constexpr char kNote[] =
    "not a disposable profile: this writes the host product's real key or the desktop's settings, so it runs only "
    "where PLUGINSWITCH_DISPOSABLE_PROFILE=1 says the profile may be thrown away";
// The exit code of a program that refused to run for that reason: CTest's SKIP_RETURN_CODE for the drivers.
inline constexpr int kSkipExitCode = 77;

inline bool IsDisposable() {
  wchar_t value[2] = {};
  return GetEnvironmentVariableW(kVariable, value, 2) == 1 && value[0] == L'1';
}

}  // namespace DisposableProfile
