// KeyCollection: names kept in the order added, one per spelling that differs only in case, whichever way they come.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "registry/KeyCollection.h"
#include "tests/support/CaseName.h"

namespace {

struct AddCase {
  const char* what;
  bool byMove;  // names handed over as temporaries (as a listing does) or as named strings
};

class KeyCollectionAdd : public testing::TestWithParam<AddCase> {};

TEST_P(KeyCollectionAdd, KeepsOrderAndTheFirstSpellingOfEachName) {
  const std::vector<std::wstring> input = {L"b@y.org", L"Alice@X.com", L"ALICE@x.COM", L"c", L"B@Y.ORG", L""};
  const std::vector<bool> expectedAdded = {true, true, false, true, false, true};
  KeyCollection names;
  for (std::size_t i = 0; i < input.size(); ++i) {
    std::wstring name = input[i];
    const bool added = GetParam().byMove ? names.Add(std::move(name)) : names.Add(name);
    EXPECT_EQ(added, expectedAdded[i]) << i;
  }
  EXPECT_EQ(std::vector<std::wstring>(names.begin(), names.end()),
            (std::vector<std::wstring>{L"b@y.org", L"Alice@X.com", L"c", L""}));
  ASSERT_NE(names.Find(L"alice@x.com"), nullptr);
  EXPECT_EQ(*names.Find(L"alice@x.com"), L"Alice@X.com");
  EXPECT_TRUE(names.Contains(L"C"));
  EXPECT_FALSE(names.Contains(L"d"));
}

INSTANTIATE_TEST_SUITE_P(Ways, KeyCollectionAdd, testing::Values(AddCase{"Copied", false}, AddCase{"Moved", true}),
                         CaseName());

}  // namespace
