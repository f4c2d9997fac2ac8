// A thousand choose-and-change cycles on wine's real registry leave no handle, window object or GDI object behind.
#include <gtest/gtest.h>

#include <optional>
#include <ostream>
#include <string>
#include <vector>

#include "FormHarness.h"
#include "tests/driver/RegistrySeed.h"
#include "ui/Form1.h"
#include "ui/HostProduct.h"

namespace {

using namespace RegistrySeed;

struct Resources {
  DWORD handles = 0;
  DWORD user = 0;
  DWORD gdi = 0;
  bool operator==(const Resources&) const = default;
};

std::ostream& operator<<(std::ostream& out, const Resources& r) {
  return out << r.handles << " handles, " << r.user << " USER objects, " << r.gdi << " GDI objects";
}

Resources Measure() {
  Resources r;
  GetProcessHandleCount(GetCurrentProcess(), &r.handles);
  r.user = GetGuiResources(GetCurrentProcess(), GR_USEROBJECTS);
  r.gdi = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
  return r;
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
  int failures = 0;
  for (int i = 1; i < 1000; ++i) {
    failures += cycle(i) != std::vector<std::wstring>{Form1::kChanged};
  }
  EXPECT_EQ(failures, 0);
  EXPECT_EQ(Measure(), first);
  // The last cycle (i = 999) chose b@x.com and selected "Yes".
  EXPECT_EQ(ReadDword(PreferencesKey(L"b@x.com"), kEnablePlugins), std::optional<DWORD>(1));
  RecordProperty("resources", testing::PrintToString(first));
  DeleteTree(kVendorKey);
}

}  // namespace
