// Load scaling: EnumRegistryKeys plus FillAccountList, the calls Form_Load makes, against a bare RegEnumKeyExA loop
// over the same key, at growing numbers of accounts (each with one other subkey mixed in). Checks that the combo box
// lists every account in the registry's order.
//
// Usage: LoadBench DATA_FILE [REPETITIONS]
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "BenchRegistry.h"
#include "BenchStats.h"
#include "registry/AnsiText.h"
#include "registry/RegistryRoutines.h"
#include "tests/support/DisposableProfile.h"
#include "ui/AccountList.h"
#include "ui/Form1Layout.h"
#include "ui/HostProduct.h"

namespace {

constexpr int kSizes[] = {10, 100, 1000, 10000};
// Each timed sample repeats the load until it has enumerated about this many subkeys, so small sizes are measurable.
constexpr int kSubkeysPerSample = 20000;

// A hidden window holding a combo box made as Form1 makes Combo1.
class ComboHost {
 public:
  ComboHost() {
    using namespace Form1Layout;
    WNDCLASSEXW windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = DefWindowProcW;
    windowClass.hInstance = GetModuleHandleW(nullptr);
    windowClass.lpszClassName = L"PluginSwitchLoadBench";
    RegisterClassExW(&windowClass);
    const SIZE client = ClientSize(96);
    window_ = CreateWindowExW(kWindowExStyle, windowClass.lpszClassName, kTitle, kWindowStyle, 0, 0, client.cx,
                              client.cy, nullptr, nullptr, windowClass.hInstance, nullptr);
    const ControlDef& def = *FindControl(kCombo1);
    const RECT rect = ControlRect(def, 96);
    combo_ = CreateWindowExW(0, def.className, def.text, def.style, rect.left, rect.top, rect.right - rect.left,
                             (rect.bottom - rect.top) * 11, window_, nullptr, windowClass.hInstance, nullptr);
  }
  ComboHost(const ComboHost&) = delete;
  ComboHost& operator=(const ComboHost&) = delete;
  ~ComboHost() {
    if (window_ != nullptr) {
      DestroyWindow(window_);
    }
  }
  HWND Combo() const { return combo_; }

 private:
  HWND window_ = nullptr;
  HWND combo_ = nullptr;
};

// The floor: every subkey name of HKEY_CURRENT_USER\path through RegEnumKeyExA, nothing kept.
int BareEnumeration(const std::string& path) {
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return -1;
  }
  int count = 0;
  char name[260];
  for (DWORD index = 0;; ++index) {
    DWORD length = sizeof name;
    const LSTATUS status = RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr);
    if (status == ERROR_NO_MORE_ITEMS) {
      break;
    }
    if (status == ERROR_SUCCESS) {
      ++count;
    }
  }
  RegCloseKey(key);
  return count;
}

// The subkey names in the registry's order, for the check.
std::vector<std::wstring> RegistryOrder(const std::string& path) {
  std::vector<std::wstring> names;
  HKEY key = nullptr;
  if (RegOpenKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
    return names;
  }
  char name[260];
  for (DWORD index = 0;; ++index) {
    DWORD length = sizeof name;
    if (RegEnumKeyExA(key, index, name, &length, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
      break;
    }
    names.push_back(FromAnsi(std::string_view(name, length)));
  }
  RegCloseKey(key);
  return names;
}

std::wstring ItemText(HWND combo, int index) {
  const auto length = SendMessageW(combo, CB_GETLBTEXTLEN, static_cast<WPARAM>(index), 0);
  if (length < 0) {
    return L"<none>";
  }
  std::wstring text(static_cast<std::size_t>(length) + 1, L'\0');
  text.resize(static_cast<std::size_t>(
      SendMessageW(combo, CB_GETLBTEXT, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(text.data()))));
  return text;
}

// How many of the accounts the combo box lists at the right place, one after another from the first.
int ListedInOrder(HWND combo, const std::vector<std::wstring>& registryOrder) {
  int index = 0;
  for (const std::wstring& name : registryOrder) {
    if (IsAccountName(name)) {
      if (ItemText(combo, index) != name) {
        break;
      }
      ++index;
    }
  }
  return SendMessageW(combo, CB_GETCOUNT, 0, 0) == index ? index : -1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  if (RefuseUnlessDisposable("LoadBench")) {
    return DisposableProfile::kSkipExitCode;
  }
  if (argc < 2) {
    std::fprintf(stderr, "usage: LoadBench DATA_FILE [REPETITIONS]\n");
    return 2;
  }
  const int repetitions = argc > 2 ? std::max(1, _wtoi(argv[2])) : 11;
  FILE* data = nullptr;
  if (_wfopen_s(&data, argv[1], L"w") != 0 || data == nullptr) {
    std::fprintf(stderr, "cannot write %ls\n", argv[1]);
    return 1;
  }
  std::fprintf(data, "# accounts  program_ms median min max  floor_ms median min max\n");

  const ComboHost host;
  const std::string path = ToAnsi(ProductKeyPath);
  const RegistryRoutines routines;
  bool ok = true;
  Paired perAccount1000;
  Paired perAccount10000;
  for (const int accounts : kSizes) {
    if (!SeedSubkeys(ProductKeyPath, SampleNames(accounts, true), false)) {
      std::fprintf(stderr, "cannot seed %d accounts\n", accounts);
      return 1;
    }
    const int loads = std::max(1, kSubkeysPerSample / (2 * accounts));
    Paired pair;
    MeasureInTurns(repetitions, pair, [&](bool isProgram) {
      double total = 0;
      for (int i = 0; i < loads; ++i) {
        if (isProgram) {
          SendMessageW(host.Combo(), CB_RESETCONTENT, 0, 0);
          const double start = Now();
          FillAccountList(host.Combo(), routines.EnumRegistryKeys(HKEY_CURRENT_USER, ProductKeyPath));
          total += Now() - start;
        } else {
          const double start = Now();
          ok = BareEnumeration(path) == 2 * accounts && ok;
          total += Now() - start;
        }
      }
      return total / loads;
    });

    const int listed = ListedInOrder(host.Combo(), RegistryOrder(path));
    ok = ok && listed == accounts;
    char what[64];
    std::snprintf(what, sizeof what, "Load, %d accounts (+%d others)", accounts, accounts);
    PrintRow(what, pair, 1e3, "ms", 1.25);
    std::printf("- %d accounts: the list holds %d of %d accounts%s (%d load(s) per sample).\n", accounts,
                listed < 0 ? static_cast<int>(SendMessageW(host.Combo(), CB_GETCOUNT, 0, 0)) : listed, accounts,
                listed == accounts ? ", every one in the registry's order" : ", NOT all in the registry's order",
                loads);
    const Spread program = SpreadOf(pair.program);
    const Spread floor = SpreadOf(pair.floor);
    std::fprintf(data, "%d %.6f %.6f %.6f %.6f %.6f %.6f\n", accounts, program.median * 1e3, program.min * 1e3,
                 program.max * 1e3, floor.median * 1e3, floor.min * 1e3, floor.max * 1e3);
    for (std::size_t i = 0; i < pair.program.size(); ++i) {
      if (accounts == 1000) {
        perAccount1000.Add(pair.program[i] / accounts, pair.floor[i] / accounts);
      } else if (accounts == 10000) {
        perAccount10000.Add(pair.program[i] / accounts, pair.floor[i] / accounts);
      }
    }
  }
  std::fclose(data);
  DeleteUserKey(ProductKeyPath);

  // Time per account at 10,000 against 1,000, the repetitions taken in the same order.
  Paired growth;
  for (std::size_t i = 0; i < perAccount10000.program.size() && i < perAccount1000.program.size(); ++i) {
    growth.Add(perAccount10000.program[i], perAccount1000.program[i]);
  }
  PrintRow("Load time per account, program: 10,000 against 1,000", growth, 1e6, "us at 10,000", "us at 1,000", 1.5);
  Paired floorGrowth;
  for (std::size_t i = 0; i < perAccount10000.floor.size() && i < perAccount1000.floor.size(); ++i) {
    floorGrowth.Add(perAccount10000.floor[i], perAccount1000.floor[i]);
  }
  PrintRow("Load time per account, floor: 10,000 against 1,000", floorGrowth, 1e6, "us at 10,000", "us at 1,000", 0);
  std::printf("- Load: %d samples at each size, program and floor in turns.\n", repetitions);
  return ok ? 0 : 1;
}
