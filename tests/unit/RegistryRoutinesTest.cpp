#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <vector>

#include "FakeRegistry.h"
#include "registry/RegistryRoutines.h"
#include "tests/support/CaseName.h"

namespace {

using Call = FakeRegistry::Call;

constexpr char kProduct[] = "HKCU\\Software\\Halvorn\\Brindlex";

std::vector<std::wstring> Names(const KeyCollection& names) { return {names.begin(), names.end()}; }

// One listing of the product key with three subkeys, a status injected on one enumeration step.
struct ListingCase {
  const char* what;
  int failingStep;  // enumeration call that fails (-1: none)
  LSTATUS status;
  bool failsFromThenOn;
  std::vector<std::wstring> expected;
  int enumCalls;
};

class RegistryRoutinesListing : public testing::TestWithParam<ListingCase> {};

TEST_P(RegistryRoutinesListing, GivesNamesInOrderAndClosesTheKey) {
  const ListingCase& c = GetParam();
  FakeRegistry fake;
  for (const char* name : {"b@y.org", "NoAt", "a@x.com"}) {
    fake.AddKey(std::string(kProduct) + "\\" + name);
  }
  fake.inject = [&c](Call call, int n) -> std::optional<LSTATUS> {
    if (call == Call::Enum && (n == c.failingStep || (c.failsFromThenOn && c.failingStep >= 0 && n > c.failingStep))) {
      return c.status;
    }
    return std::nullopt;
  };
  const KeyCollection names = RegistryRoutines().EnumRegistryKeys(HKEY_CURRENT_USER, L"Software\\Halvorn\\Brindlex");
  EXPECT_EQ(Names(names), c.expected);
  EXPECT_EQ(fake.Count(Call::Enum), c.enumCalls);
  EXPECT_EQ(fake.Count(Call::Open), 1);
  EXPECT_EQ(fake.Count(Call::Close), 1);
  EXPECT_EQ(fake.accessRequested, std::vector<REGSAM>{0x20019});
  EXPECT_TRUE(fake.Balanced());
}

INSTANTIATE_TEST_SUITE_P(
    Statuses, RegistryRoutinesListing,
    testing::Values(ListingCase{"plain", -1, 0, false, {L"b@y.org", L"NoAt", L"a@x.com"}, 4},
                    ListingCase{"moreDataSkipsOne", 1, ERROR_MORE_DATA, false, {L"b@y.org", L"a@x.com"}, 4},
                    ListingCase{"earlyNoMoreItems", 1, ERROR_NO_MORE_ITEMS, false, {L"b@y.org"}, 2},
                    ListingCase{"accessDeniedEnds", 2, ERROR_ACCESS_DENIED, false, {L"b@y.org", L"NoAt"}, 3},
                    ListingCase{"keyDeletedForever", 1, ERROR_KEY_DELETED, true, {L"b@y.org"}, 2},
                    ListingCase{"invalidHandleForever", 0, ERROR_INVALID_HANDLE, true, {}, 1}),
    CaseName());

// The fixed name buffer and no class buffer: one too small for a class name would make the step fail.
TEST(RegistryRoutines, CallsEnumerationWithTheFixedNameBufferAndNoClassBuffer) {
  FakeRegistry fake;
  fake.AddKey("HKCU\\K\\one");
  static_cast<void>(RegistryRoutines().EnumRegistryKeys(HKEY_CURRENT_USER, L"K"));
  EXPECT_EQ(fake.enumNameSizes, (std::vector<DWORD>{260, 260}));
  EXPECT_EQ(fake.enumClassSizes, std::vector<DWORD>{});
}

TEST(RegistryRoutines, ListsASubkeyWithAClassAndSkipsOneWhoseNameDoesNotFit) {
  FakeRegistry fake;
  fake.AddKey("HKCU\\K\\a@x.com");
  fake.SetClass("HKCU\\K\\classy@x.com", "SomeClass");
  fake.AddKey("HKCU\\K\\" + std::string(260, 'n'));
  fake.AddKey("HKCU\\K\\" + std::string(259, 'm'));
  fake.AddKey("HKCU\\K\\b@y.org");
  const auto names = Names(RegistryRoutines().EnumRegistryKeys(HKEY_CURRENT_USER, L"K"));
  EXPECT_EQ(names, (std::vector<std::wstring>{L"a@x.com", L"classy@x.com", std::wstring(259, L'm'), L"b@y.org"}));
  EXPECT_TRUE(fake.Balanced());
}

TEST(RegistryRoutines, EmptyKeyNameListsTheRootWithoutOpeningOrClosingIt) {
  FakeRegistry fake;
  fake.AddKey("HKCU\\Software");
  fake.AddKey("HKCU\\Environment");
  const auto names = Names(RegistryRoutines().EnumRegistryKeys(HKEY_CURRENT_USER, L""));
  EXPECT_EQ(names, (std::vector<std::wstring>{L"Software", L"Environment"}));
  EXPECT_EQ(fake.Count(Call::Open), 0);
  EXPECT_EQ(fake.Count(Call::Close), 0);
}

struct TrimCase {
  std::wstring item;
  std::wstring expected;
};

class RegistryRoutinesTrimNull : public testing::TestWithParam<TrimCase> {};

TEST_P(RegistryRoutinesTrimNull, CutsAtTheFirstNulAndWritesBack) {
  std::wstring item = GetParam().item;
  EXPECT_EQ(RegistryRoutines().TrimNull(item), GetParam().expected);
  EXPECT_EQ(item, GetParam().expected);
}

INSTANTIATE_TEST_SUITE_P(Texts, RegistryRoutinesTrimNull,
                         testing::Values(TrimCase{std::wstring(L"abc\0def", 7), L"abc"}, TrimCase{L"abc", L"abc"},
                                         TrimCase{std::wstring(L"\0abc", 4), L""}, TrimCase{L"", L""},
                                         TrimCase{std::wstring(L"a\0\0", 3), L"a"},
                                         // Far past the 16-bit position limit: still cut exactly.
                                         TrimCase{std::wstring(40000, L'x') + std::wstring(1, L'\0') + L"tail",
                                                  std::wstring(40000, L'x')}));

}  // namespace
