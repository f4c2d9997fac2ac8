// Start-up and memory of PluginSwitch.exe against the floor window, measured from outside: each program is started
// with CreateProcess and timed until it first waits for input, its window shown, filled and painted; the window is
// then checked to be visible with the expected number of items in its combo box. Private bytes and USER and GDI
// objects are read at that moment. The floors of the program's steps (FloorWindow.cpp), measured in the same turns,
// show where its start-up goes beyond Form1's controls.
//
// Usage: StartupBench PROGRAM FLOOR BARE_FLOOR CONTROLS_FLOOR REPETITIONS STOCK_FONT ICONS SUBCLASS FILL FOCUS
#include <windows.h>

#include <psapi.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <iterator>
#include <string>
#include <vector>

#include "BenchRegistry.h"
#include "BenchStats.h"
#include "registry/UniqueOwner.h"
#include "tests/support/DisposableProfile.h"
#include "ui/HostProduct.h"

namespace {

constexpr int kAccounts = 5;
constexpr double kStartTimeout = 30;  // seconds

// Owns a kernel handle and closes it once.
using BenchHandle = UniqueOwner<HANDLE, &::CloseHandle>;

struct LoadedWindow {
  DWORD processId;
  LRESULT expectedItems;
  HWND found;
};

// The visible top-level window of the process whose combo box holds the expected number of items.
BOOL CALLBACK FindLoadedWindow(HWND window, LPARAM param) {
  auto* wanted = reinterpret_cast<LoadedWindow*>(param);
  DWORD processId = 0;
  GetWindowThreadProcessId(window, &processId);
  if (processId != wanted->processId || !IsWindowVisible(window)) {
    return TRUE;
  }
  HWND combo = FindWindowExW(window, nullptr, L"ComboBox", nullptr);
  DWORD_PTR items = 0;
  if (combo != nullptr && SendMessageTimeoutW(combo, CB_GETCOUNT, 0, 0, SMTO_ABORTIFHUNG, 1000, &items) != 0 &&
      static_cast<LRESULT>(items) == wanted->expectedItems) {
    wanted->found = window;
    return FALSE;
  }
  return TRUE;
}

struct Launch {
  bool ok = false;
  bool windowLate = false;  // the window was not ready when the program first waited for input
  double seconds = 0;
  double privateBytes = 0;
  bool privateFromPagefile = false;
  double userObjects = 0;
  double gdiObjects = 0;
};

Launch Run(const std::wstring& program, LRESULT expectedItems) {
  Launch result;
  std::wstring commandLine = L"\"" + program + L"\"";
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION info{};
  const double start = Now();
  if (!CreateProcessW(program.c_str(), commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup,
                      &info)) {
    std::fprintf(stderr, "cannot start %ls (error %lu)\n", program.c_str(), GetLastError());
    return result;
  }
  const BenchHandle process(info.hProcess);
  const BenchHandle thread(info.hThread);
  // Waiting rather than polling: a poll's calls into the window system would slow the program it measures, and the
  // more so the more calls the program makes itself.
  WaitForInputIdle(process.Get(), static_cast<DWORD>(kStartTimeout * 1000));
  result.seconds = Now() - start;
  LoadedWindow wanted{info.dwProcessId, expectedItems, nullptr};
  EnumWindows(FindLoadedWindow, reinterpret_cast<LPARAM>(&wanted));
  // Should the process wait for input before its window is ready, the time runs until the window is found.
  result.windowLate = wanted.found == nullptr;
  while (wanted.found == nullptr && Now() - start < kStartTimeout &&
         WaitForSingleObject(process.Get(), 0) == WAIT_TIMEOUT) {
    Sleep(1);
    EnumWindows(FindLoadedWindow, reinterpret_cast<LPARAM>(&wanted));
    result.seconds = Now() - start;
  }

  if (wanted.found != nullptr) {
    const BenchHandle outside(OpenProcess(PROCESS_QUERY_INFORMATION | PROCESS_VM_READ, FALSE, info.dwProcessId));
    PROCESS_MEMORY_COUNTERS_EX memory{};
    memory.cb = sizeof memory;
    if (outside.Get() != nullptr &&
        GetProcessMemoryInfo(outside.Get(), reinterpret_cast<PROCESS_MEMORY_COUNTERS*>(&memory), sizeof memory)) {
      // Microsoft documents both fields as the commit charge; wine fills only PagefileUsage.
      result.privateFromPagefile = memory.PrivateUsage == 0;
      result.privateBytes = static_cast<double>(memory.PrivateUsage != 0 ? memory.PrivateUsage : memory.PagefileUsage);
      result.userObjects = GetGuiResources(outside.Get(), GR_USEROBJECTS);
      result.gdiObjects = GetGuiResources(outside.Get(), GR_GDIOBJECTS);
      result.ok = true;
    }
    PostMessageW(wanted.found, WM_CLOSE, 0, 0);
  } else {
    std::fprintf(stderr, "%ls: no visible window with %d item(s) within %.0f s\n", program.c_str(),
                 static_cast<int>(expectedItems), kStartTimeout);
  }
  if (WaitForSingleObject(process.Get(), 10000) != WAIT_OBJECT_0) {
    TerminateProcess(process.Get(), 1);
    WaitForSingleObject(process.Get(), 5000);
    result.ok = false;
  }
  return result;
}

// The programs measured, in the order of the command line; the step floors after CONTROLS_FLOOR add one step each.
enum Subject { kProgram, kFloor, kBareFloor, kControls, kStockFont, kIcons, kSubclass, kFill, kFocus, kSubjects };
// The steps beyond Form1's controls, each against the floor before it, then what of the program is left.
struct Step {
  const char* name;
  Subject with;
  Subject without;
};
constexpr Step kSteps[] = {
    {"caption font, already in Form1's controls", kControls, kStockFont},
    {"icons", kIcons, kControls},
    {"subclassing of the push buttons and Combo1's field", kSubclass, kIcons},
    {"list fill, 5 accounts", kFill, kSubclass},
    {"focus on activation and the dialog manager's keys", kFocus, kFill},
    {"the rest of the program", kProgram, kFocus},
};

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (RefuseUnlessDisposable("StartupBench")) {
    return DisposableProfile::kSkipExitCode;
  }
  constexpr int kArguments = 1 + kSubjects + 1;
  if (argc < kArguments) {
    std::fprintf(stderr,
                 "usage: StartupBench PROGRAM FLOOR BARE_FLOOR CONTROLS_FLOOR REPETITIONS STOCK_FONT ICONS SUBCLASS "
                 "FILL FOCUS\n");
    return 2;
  }
  constexpr int kPrograms = kSubjects;
  std::wstring programs[kPrograms];
  LRESULT items[kPrograms] = {};
  for (int which = 0; which < kPrograms; ++which) {
    programs[which] = argv[which < 4 ? 1 + which : 2 + which];
    items[which] = which == kProgram || which >= kFill ? kAccounts : 0;
  }
  const int repetitions = std::max(1, _wtoi(argv[5]));

  std::vector<std::wstring> names = SampleNames(kAccounts, false);
  names.emplace_back(L"Updates");  // a subkey that is not an account
  if (!SeedSubkeys(ProductKeyPath, names, true)) {
    std::fprintf(stderr, "cannot seed the product key\n");
    return 1;
  }

  const auto start = [&](int which) { return Run(programs[which], items[which]); };
  // One untimed start of each first: the first start under a fresh wine server loads what the later ones share.
  bool ok = true;
  for (int which = 0; which < kPrograms; ++which) {
    ok = start(which).ok && ok;
  }
  bool privateFromPagefile = false;
  int late = 0;
  // All in turns, each repetition in another order.
  std::vector<double> seconds[kPrograms], privateBytes[kPrograms], userObjects[kPrograms], gdiObjects[kPrograms];
  for (int i = 0; i < repetitions; ++i) {
    for (int k = 0; k < kPrograms; ++k) {
      const int which = (i + k) % kPrograms;
      const Launch launch = start(which);
      ok = ok && launch.ok;
      late += launch.windowLate ? 1 : 0;
      privateFromPagefile = privateFromPagefile || launch.privateFromPagefile;
      seconds[which].push_back(launch.seconds);
      privateBytes[which].push_back(launch.privateBytes);
      userObjects[which].push_back(launch.userObjects);
      gdiObjects[which].push_back(launch.gdiObjects);
    }
  }
  DeleteUserKey(ProductKeyPath);

  const auto against = [](const std::vector<double>* samples, int floor, int measured = 0) {
    return Paired{samples[measured], samples[floor]};
  };
  PrintRow("Start-up against Form1's controls alone, 5 accounts", against(seconds, kControls), 1e3, "ms", 1.10);
  PrintRow("Start-up against the one-combo floor (context)", against(seconds, kFloor), 1e3, "ms", 0);
  PrintRow("Private bytes after load, 5 accounts", against(privateBytes, 1), 1.0 / 1024, "KiB", 1.2);
  const bool guiCounted = SpreadOf(userObjects[1]).max > 0 || SpreadOf(gdiObjects[1]).max > 0;
  PrintRow("USER objects after load", against(userObjects, 1), 1, "", guiCounted ? 1.2 : 0);
  PrintRow("GDI objects after load", against(gdiObjects, 1), 1, "", guiCounted ? 1.2 : 0);
  PrintRow("Start-up against the floor without the manifest (context)", against(seconds, 2), 1e3, "ms", 0);
  PrintRow("Private bytes against the floor without the manifest (context)", against(privateBytes, 2), 1.0 / 1024,
           "KiB", 0);
  PrintRow("Start-up of Form1's controls alone against the one-combo floor (context)",
           against(seconds, kFloor, kControls), 1e3, "ms", 0);
  for (const Step& step : kSteps) {
    const std::string what = std::string("Start-up step: ") + step.name + " (context)";
    PrintRow(what.c_str(), against(seconds, step.without, step.with), 1e3, "ms", 0);
  }
  std::printf(
      "- The floor is the same window built with the program's manifest, so that its combo box is the same "
      "Common Controls 6 control the program shows; without the manifest the system's own controls are "
      "shown and the common controls are not loaded at all.\n");
  std::printf(
      "- Form1's controls alone: a window with every control of Form1 in place, in its caption font and "
      "with Combo1's field at its height and its list ten rows high, but without icons, accounts, focus or handlers; "
      "what the window's "
      "definition costs before the program does anything of its own.\n");
  std::printf("- Start-up beyond Form1's controls, step by step (median of the differences within each turn):");
  for (const Step& step : kSteps) {
    std::vector<double> differences;
    for (int i = 0; i < repetitions; ++i) {
      differences.push_back(seconds[step.with][i] - seconds[step.without][i]);
    }
    std::printf(" %s %+.1f ms%s", step.name, SpreadOf(differences).median * 1e3,
                &step == std::end(kSteps) - 1 ? ".\n" : ";");
  }
  if (privateFromPagefile) {
    std::printf(
        "- PrivateUsage read 0 (wine leaves it empty), so private bytes are PagefileUsage, the same commit "
        "charge on Windows.\n");
  }
  if (!guiCounted) {
    std::printf(
        "- GetGuiResources gave 0 USER and 0 GDI objects for both programs (wine does not count them), so "
        "those rows carry no verdict.\n");
  }
  std::printf(
      "- Start-up and memory: %d starts of each, the program and the eight floors in turns, after one untimed "
      "start of each; each timed until the process first waits for input, its window then checked for "
      "visibility and items (%d of %d were late and timed until found).\n",
      repetitions, late, kPrograms * repetitions);
  if (!ok) {
    std::printf("- Some starts failed (see the log); their figures are not to be trusted.\n");
  }
  return ok ? 0 : 1;
}
