// The registry routines against the real registry of the test's wine prefix.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ScratchKey.h"
#include "registry/DwordValue.h"
#include "registry/RegistryRoutines.h"
#include "tests/support/CaseName.h"

namespace {

using namespace Module1;

std::vector<std::wstring> List(const ScratchKey& scratch, const std::wstring& sub = L"") {
  const KeyCollection names = RegistryRoutines().EnumRegistryKeys(
      HKEY_CURRENT_USER, sub.empty() ? scratch.Path() : scratch.Path() + L"\\" + sub);
  return {names.begin(), names.end()};
}

// The names the system itself lists, in its order (the wide API, no buffer limits).
std::vector<std::wstring> SystemOrder(const ScratchKey& scratch) {
  std::vector<std::wstring> names;
  HKEY key = nullptr;
  RegOpenKeyExW(HKEY_CURRENT_USER, scratch.Path().c_str(), 0, KEY_READ, &key);
  wchar_t name[512];
  for (DWORD i = 0;; ++i) {
    DWORD size = 512;
    if (RegEnumKeyExW(key, i, name, &size, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
      break;
    }
    names.emplace_back(name, size);
  }
  RegCloseKey(key);
  return names;
}

// The text a name becomes on its way through the ANSI code page: unrepresentable characters turn into "?".
bool Representable(const std::wstring& name) {
  BOOL usedDefault = FALSE;
  WideCharToMultiByte(CP_ACP, 0, name.c_str(), -1, nullptr, 0, nullptr, &usedDefault);
  return !usedDefault;
}

TEST(RegistryRoutinesOnWine, ListsSubkeysInTheSystemsOrder) {
  ScratchKey scratch;
  for (const wchar_t* name : {L"b@y.org", L"NoAt", L"a@x.com", L"@lead", L"with space@x.com"}) {
    scratch.Create(name);
  }
  EXPECT_EQ(List(scratch), SystemOrder(scratch));
  EXPECT_EQ(List(scratch).size(), 5u);
}

TEST(RegistryRoutinesOnWine, EmptyAndMissingKeysGiveNothing) {
  ScratchKey scratch;
  EXPECT_TRUE(List(scratch).empty());
  EXPECT_TRUE(List(scratch, L"Missing").empty());
}

TEST(RegistryRoutinesOnWine, ListsTheSubkeyWithAClassName) {
  ScratchKey scratch;
  scratch.Create(L"a@x.com");
  scratch.Create(L"b@x.com", L"SomeClass");
  scratch.Create(L"c@x.com");
  EXPECT_EQ(List(scratch), (std::vector<std::wstring>{L"a@x.com", L"b@x.com", L"c@x.com"}));
}

TEST(RegistryRoutinesOnWine, LongNamesAreListed) {
  ScratchKey scratch;
  const std::wstring longest = std::wstring(249, L'x') + L"@x.com";  // 255 characters, the registry's limit
  scratch.Create(longest);
  EXPECT_EQ(List(scratch), std::vector<std::wstring>{longest});
}

TEST(RegistryRoutinesOnWine, NamesComeBackThroughTheAnsiCodePage) {
  ScratchKey scratch;
  const std::vector<std::wstring> names{L"j\u00fcrgen@x.de", L"\u0416\u0435\u043d\u044f@x.ru", L"\u6771@x.jp"};
  for (const auto& name : names) {
    scratch.Create(name);
  }
  std::vector<std::wstring> expected;
  for (const auto& name : SystemOrder(scratch)) {
    std::wstring converted = name;
    if (!Representable(name)) {
      for (wchar_t& c : converted) {
        c = Representable(std::wstring(1, c)) ? c : L'?';
      }
    }
    expected.push_back(converted);
  }
  EXPECT_EQ(List(scratch), expected);
}

TEST(RegistryRoutinesOnWine, EmptyKeyNameListsTheCurrentUserRoot) {
  ASSERT_TRUE(RegistrySeed::CreateKey(L"Software"));  // the run's own HKEY_CURRENT_USER starts empty
  const KeyCollection names = RegistryRoutines().EnumRegistryKeys(HKEY_CURRENT_USER, L"");
  EXPECT_TRUE(names.Contains(L"software"));
  // The predefined root is still usable afterwards: it was not closed.
  EXPECT_FALSE(RegistryRoutines().EnumRegistryKeys(HKEY_CURRENT_USER, L"").Empty());
}

struct StoredCase {
  const char* what;
  DWORD type;
  std::vector<BYTE> data;
  DwordRead expected;
};

class DwordValueOnWine : public testing::TestWithParam<StoredCase> {};

TEST_P(DwordValueOnWine, ReadsStoredData) {
  ScratchKey scratch;
  const auto& c = GetParam();
  scratch.Set(L"Preferences", L"EnablePlugins", c.type, c.data.data(), static_cast<DWORD>(c.data.size()));
  EXPECT_EQ(ReadDwordValue(scratch.FullPath(L"Preferences"), L"EnablePlugins"), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Data, DwordValueOnWine,
    testing::Values(StoredCase{"one", REG_DWORD, {1, 0, 0, 0}, DwordRead::Number(1)},
                    StoredCase{"zero", REG_DWORD, {0, 0, 0, 0}, DwordRead::Number(0)},
                    StoredCase{"allOnes", REG_DWORD, {0xff, 0xff, 0xff, 0xff}, DwordRead::Number(-1)},
                    StoredCase{"eightBytes", REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0}, DwordRead::Error()},
                    StoredCase{"twoBytes", REG_BINARY, {0x34, 0x12}, DwordRead::Number(0x1234)},
                    StoredCase{"threeBytes", REG_BINARY, {1, 2, 3}, DwordRead::Number(0x030201)},
                    StoredCase{"noBytes", REG_BINARY, {}, DwordRead::Number(0)},
                    // "1" as a wide string is 4 bytes: '1', 0, NUL, NUL.
                    StoredCase{"string", REG_SZ, {'1', 0, 0, 0}, DwordRead::Number('1')}),
    CaseName());

TEST(DwordValueOnWine, MissingKeyIsNeitherReadNorCreated) {
  ScratchKey scratch;
  const std::wstring path = scratch.FullPath(L"Missing\\Preferences");
  EXPECT_EQ(ReadDwordValue(path, L"EnablePlugins"), DwordRead::Error());
  EXPECT_FALSE(WriteDwordValue(path, L"EnablePlugins", 1));
  EXPECT_FALSE(scratch.Exists(L"Missing"));
}

TEST(DwordValueOnWine, MissingValueIsCreatedByTheWrite) {
  ScratchKey scratch;
  scratch.Create(L"Preferences");
  const std::wstring path = scratch.FullPath(L"Preferences");
  EXPECT_EQ(ReadDwordValue(path, L"EnablePlugins"), DwordRead::Error());
  for (const std::int32_t value : {1, 0, -1}) {
    EXPECT_TRUE(WriteDwordValue(path, L"EnablePlugins", value));
    EXPECT_EQ(ReadDwordValue(path, L"EnablePlugins"), DwordRead::Number(value));
  }
  DWORD type = 0;
  DWORD size = 0;
  RegGetValueW(HKEY_CURRENT_USER, (scratch.Path() + L"\\Preferences").c_str(), L"EnablePlugins", RRF_RT_ANY, &type,
               nullptr, &size);
  EXPECT_EQ(type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(size, 4u);
}

TEST(DwordValueOnWine, PathsThatNameNoKeyGiveNothing) {
  ScratchKey scratch;
  scratch.Set(L"Preferences", L"EnablePlugins", REG_DWORD, "\1\0\0\0", 4);
  const std::wstring good = scratch.FullPath(L"Preferences");
  for (const std::wstring& path :
       {L"hkey_current_user" + good.substr(17), L"HKEY_CU" + good.substr(17), good + L"\\"}) {
    EXPECT_EQ(ReadDwordValue(path, L"EnablePlugins"), DwordRead::Nothing()) << path;
    EXPECT_FALSE(WriteDwordValue(path, L"EnablePlugins", 0)) << path;
  }
  EXPECT_EQ(ReadDwordValue(good, L"EnablePlugins"), DwordRead::Number(1));
}

}  // namespace
