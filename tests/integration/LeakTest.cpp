// A thousand choose-and-change cycles on the real registry leave no kernel handle, USER object or GDI object behind.
#include <gtest/gtest.h>

#include <cstdio>
#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "FormHarness.h"
#include "tests/driver/RegistrySeed.h"
#include "tests/driver/WindowDriver.h"
#include "ui/Form1.h"
#include "ui/HostProduct.h"

namespace {

using namespace RegistrySeed;

// Kernel handles, USER objects and GDI objects as the system counts them: nothing where it reports none (a process
// with a window holds some of each), as wine does for the window objects.
struct Resources {
  std::optional<DWORD> handles;
  std::optional<DWORD> user;
  std::optional<DWORD> gdi;
  bool operator==(const Resources&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Resources& r) {
  const auto count = [&](const std::optional<DWORD>& n, const char* what) -> std::ostream& {
    return n ? out << *n << " " << what : out << what << " not reported by this system";
  };
  count(r.handles, "handles") << ", ";
  count(r.user, "USER objects") << ", ";
  return count(r.gdi, "GDI objects");
}

Resources Measure() {
  const auto reported = [](DWORD n) { return n > 0 ? std::optional<DWORD>(n) : std::nullopt; };
  DWORD handles = 0;
  GetProcessHandleCount(GetCurrentProcess(), &handles);
  return {reported(handles), reported(GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS)),
          reported(GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS))};
}

TEST(Leaks, ThousandChooseAndChangeCyclesKeepResourcesFlat) {
  ASSERT_TRUE(DeleteTree(kVendorKey));
  CreateAccount(L"a@x.com", 1);
  CreateAccount(L"b@x.com", 0);
  FormHarness form;
  auto cycle = [&form](int i) {
    form.Choose(i % 2);
    form.ClickOption(i % 3 == 0);
    return form.ClickChange();
  };
  ASSERT_EQ(cycle(0), std::vector<std::wstring>{Form1::kChanged});
  const Resources first = Measure();
  // Windows counts all three; the Windows job runs this test.
  if (!WindowDriver::UnderWine()) {
    ASSERT_TRUE(first.handles && first.user && first.gdi) << first;
  }
  int failures = 0;
  for (int i = 1; i < 1000; ++i) {
    failures += cycle(i) != std::vector<std::wstring>{Form1::kChanged};
  }
  EXPECT_EQ(failures, 0);
  EXPECT_EQ(Measure(), first);
  // The last cycle (i = 999) chose b@x.com and selected "Yes".
  EXPECT_EQ(ReadDword(PreferencesKey(L"b@x.com"), kEnablePlugins), std::optional<DWORD>(1));
  RecordProperty("resources", testing::PrintToString(first));
  std::printf("resources after the first cycle: %s\n", testing::PrintToString(first).c_str());
  DeleteTree(kVendorKey);
}

}  // namespace
