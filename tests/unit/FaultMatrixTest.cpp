// Every registry call failing with each status the registry can give, seen through the whole window: the list, the
// options and the message stay truthful, nothing is written that should not be, and every key opened is closed.
#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "FakeRegistry.h"
#include "FormHarness.h"
#include "ui/Form1.h"

namespace {

using Call = FakeRegistry::Call;

constexpr char kProduct[] = "HKCU\\Software\\Halvorn\\Brindlex";
const std::string kAlice = std::string(kProduct) + "\\alice@x.com\\Preferences";
const std::string kBob = std::string(kProduct) + "\\bob@y.org\\Preferences";

struct FaultCase {
  Call call;
  LSTATUS status;
};

std::string Name(const FaultCase& c) {
  static const char* const kCalls[] = {"Open", "Query", "Set", "Close", "Enum"};
  return std::string(kCalls[static_cast<int>(c.call)]) + "Fails" + std::to_string(c.status);
}

class FaultMatrix : public testing::TestWithParam<FaultCase> {};

TEST_P(FaultMatrix, WindowStaysTruthful) {
  const FaultCase c = GetParam();
  FakeRegistry fake;
  fake.SetDword(kAlice, "EnablePlugins", 1);
  fake.SetDword(kBob, "EnablePlugins", 0);
  fake.AddKey(std::string(kProduct) + "\\NotAnAccount");
  fake.inject = [c](Call call, int) { return call == c.call ? std::optional<LSTATUS>(c.status) : std::nullopt; };

  FormHarness form;
  // The list: complete, or empty when the product key cannot be opened or listed.
  const bool listed = c.call != Call::Open && c.call != Call::Enum;
  EXPECT_EQ(form.ListedAccounts(),
            (listed ? std::vector<std::wstring>{L"alice@x.com", L"bob@y.org"} : std::vector<std::wstring>{}));
  EXPECT_EQ(form.ComboText(), L"--> Emails <--");
  if (!listed) {
    EXPECT_EQ(form.ClickChange(), std::vector<std::wstring>{Form1::kNotChanged});
  } else {
    // The options: bob's stored 0 shows "No" only when it could be read; otherwise neither.
    form.Choose(1);
    const bool readable = c.call != Call::Query;
    EXPECT_EQ(form.SelectedOption(), readable ? L"No" : L"");
    // The message: success exactly when the value was stored, and the value then is what the options showed.
    form.ClickOption(true);
    const bool stored = c.call != Call::Set;
    EXPECT_EQ(form.ClickChange(), std::vector<std::wstring>{stored ? Form1::kChanged : Form1::kNotChanged});
    EXPECT_EQ(fake.FindValue(kBob, "EnablePlugins")->data[0], stored ? 1 : 0);
  }
  EXPECT_EQ(fake.FindValue(kAlice, "EnablePlugins")->data[0], 1);
  EXPECT_TRUE(fake.Balanced());
  EXPECT_EQ(fake.Count(Call::Close), fake.Opened());
}

std::vector<FaultCase> AllFaults() {
  std::vector<FaultCase> cases;
  for (Call call : {Call::Open, Call::Query, Call::Set, Call::Close, Call::Enum}) {
    for (LSTATUS status : {ERROR_FILE_NOT_FOUND, ERROR_ACCESS_DENIED, ERROR_INVALID_HANDLE, ERROR_MORE_DATA,
                           ERROR_KEY_DELETED, ERROR_NO_MORE_ITEMS}) {
      cases.push_back({call, status});
    }
  }
  return cases;
}

INSTANTIATE_TEST_SUITE_P(EveryCallEveryStatus, FaultMatrix, testing::ValuesIn(AllFaults()),
                         [](const testing::TestParamInfo<FaultCase>& row) { return Name(row.param); });

}  // namespace
