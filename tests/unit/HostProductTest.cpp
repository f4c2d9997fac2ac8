#include <gtest/gtest.h>

#include "ui/HostProduct.h"

namespace {

TEST(HostProduct, AccountsAreNamesWithAnAt) {
  for (const wchar_t* name : {L"a@x.com", L"@", L"@start", L"end@", L"two@@x"}) {
    EXPECT_TRUE(IsAccountName(name)) << name;
  }
  for (const wchar_t* name : {L"", L"NoAt", L"at(x.com", L"\uff20fullwidth"}) {
    EXPECT_FALSE(IsAccountName(name)) << name;
  }
}

TEST(HostProduct, PreferencesPathInsertsTheTextUnchanged) {
  EXPECT_EQ(PreferencesPath(L"a@x.com"), L"HKEY_CURRENT_USER\\Software\\Halvorn\\Brindlex\\a@x.com\\Preferences");
  EXPECT_EQ(PreferencesPath(L" --> Emails <-- "),
            L"HKEY_CURRENT_USER\\Software\\Halvorn\\Brindlex\\ --> Emails <-- \\Preferences");
}

}  // namespace
