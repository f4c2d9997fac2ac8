#include <gtest/gtest.h>

#include <cstdint>
#include <string>

#include "registry/KeyPath.h"

namespace {

using namespace Module1;

struct SplitCase {
  std::wstring path;
  std::uint32_t root;
  std::wstring rest;
};

class SplitKeyPathTest : public testing::TestWithParam<SplitCase> {};

TEST_P(SplitKeyPathTest, GivesRootAndSubkeyPath) {
  std::wstring path = GetParam().path;
  std::uint32_t root = 0xdddddddd;
  SplitKeyPath(path, root);
  EXPECT_EQ(root, GetParam().root);
  EXPECT_EQ(path, GetParam().rest);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, SplitKeyPathTest,
    testing::Values(SplitCase{L"HKEY_CURRENT_USER\\Software\\Halvorn\\Brindlex", kHkeyCurrentUser,
                              L"Software\\Halvorn\\Brindlex"},
                    SplitCase{L"HKEY_LOCAL_MACHINE", kHkeyLocalMachine, L""},
                    SplitCase{L"HKEY_CURRENT_USER\\", kNoKey, L"HKEY_CURRENT_USER\\"},
                    SplitCase{L"HKEY_CURRENT_USER\\a\\", kNoKey, L"HKEY_CURRENT_USER\\a\\"},
                    SplitCase{L"hkey_current_user\\Software", kNoKey, L"hkey_current_user\\Software"},
                    SplitCase{L"HKEY_current_user\\Software", kNoKey, L"Software"},
                    SplitCase{L"HKEY_LOCAL\\Software", kNoKey, L"Software"},
                    SplitCase{L"HKEY_CURRENT_USER\\\\Software", kHkeyCurrentUser, L"\\Software"},
                    SplitCase{L"SOFTWARE\\x", kNoKey, L"SOFTWARE\\x"},
                    SplitCase{L" HKEY_CURRENT_USER\\x", kNoKey, L" HKEY_CURRENT_USER\\x"},
                    SplitCase{L"HKEY", kNoKey, L"HKEY"}, SplitCase{L"HKEY_", kNoKey, L""}, SplitCase{L"", kNoKey, L""},
                    SplitCase{L"\\", kNoKey, L"\\"},
                    SplitCase{L"HKEY_USERS\\.DEFAULT\\a b\\@x", kHkeyUsers, L".DEFAULT\\a b\\@x"},
                    SplitCase{L"HKEY_CURRENT_USER\\Software\\Halvorn\\Brindlex\\--> Emails <--\\Preferences",
                              kHkeyCurrentUser, L"Software\\Halvorn\\Brindlex\\--> Emails <--\\Preferences"}));

struct RootCase {
  std::wstring name;
  std::uint32_t value;
};

class RootKeyFromNameTest : public testing::TestWithParam<RootCase> {};

TEST_P(RootKeyFromNameTest, MapsExactNamesOnly) {
  EXPECT_EQ(RootKeyFromName(GetParam().name), GetParam().value);
  // A root name alone is a well-formed path addressing the root itself.
  std::wstring path = GetParam().name;
  std::uint32_t root = 0xdddddddd;
  SplitKeyPath(path, root);
  if (GetParam().value != kNoKey) {
    EXPECT_EQ(root, GetParam().value);
    EXPECT_EQ(path, L"");
  }
}

INSTANTIATE_TEST_SUITE_P(
    Names, RootKeyFromNameTest,
    testing::Values(RootCase{L"HKEY_CLASSES_ROOT", 0x80000000u}, RootCase{L"HKEY_CURRENT_USER", 0x80000001u},
                    RootCase{L"HKEY_LOCAL_MACHINE", 0x80000002u}, RootCase{L"HKEY_USERS", 0x80000003u},
                    RootCase{L"HKEY_PERFORMANCE_DATA", 0x80000004u}, RootCase{L"HKEY_CURRENT_CONFIG", 0x80000005u},
                    RootCase{L"HKEY_DYN_DATA", 0x80000006u}, RootCase{L"HKEY_CURRENT_USER ", kNoKey},
                    RootCase{L"HKCU", kNoKey}, RootCase{L"Hkey_Users", kNoKey}, RootCase{L"", kNoKey},
                    RootCase{std::wstring(L"HKEY_USERS\0", 11), kNoKey}));

}  // namespace
