#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "registry/UniqueOwner.h"

// A registry key that a benchmark created or opened, closed once with the bare RegCloseKey: the floors bypass the
// program's registry seam.
using BenchKey = UniqueOwner<HKEY, &::RegCloseKey>;

// Benchmarks replace the host product's real key: on a profile that is not disposable they must write nothing. True,
// after saying why on stderr, where the benchmark must end at once with DisposableProfile::kSkipExitCode.
bool RefuseUnlessDisposable(const char* benchmark);

// Creates (or opens) HKEY_CURRENT_USER\path; empty on failure.
BenchKey CreateUserKey(const std::wstring& path);

// Removes HKEY_CURRENT_USER\path with everything below it; true if it is gone.
bool DeleteUserKey(const std::wstring& path);

// count account names ("user00000@example.com", ...) and, if mixed, as many other names that sort between them
// ("user00000.cache", ...), in the registry's order.
std::vector<std::wstring> SampleNames(int count, bool mixed);

// Replaces HKEY_CURRENT_USER\path by a key with exactly these subkeys; with preferences, each account also gets
// "Preferences" holding EnablePlugins = 1. False if any key could not be made.
bool SeedSubkeys(const std::wstring& path, const std::vector<std::wstring>& names, bool preferences);
