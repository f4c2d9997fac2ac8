// Odd and hostile registry content under the product key, seen through the whole window on wine's real registry:
// every account still listed, options that tell the truth, and nothing created or written that should not be.
#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "FormHarness.h"
#include "ScratchCurrentUser.h"
#include "registry/AnsiText.h"
#include "tests/driver/RegistrySeed.h"
#include "tests/support/CaseName.h"
#include "ui/Form1.h"
#include "ui/HostProduct.h"

namespace {

using namespace RegistrySeed;

const std::wstring kLongest = std::wstring(249, L'n') + L"@x.com";  // 255 characters, the registry's limit

class HostileContent : public testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(DeleteTree(kVendorKey)); }
  void TearDown() override { DeleteTree(kVendorKey); }

  static void SetRaw(std::wstring_view account, DWORD type, const std::vector<BYTE>& data) {
    ASSERT_TRUE(CreateKey(PreferencesKey(account)));
    ASSERT_TRUE(SetValue(PreferencesKey(account), kEnablePlugins, type, data.data(), static_cast<DWORD>(data.size())));
  }

  // Deletes a key from another process, as the host product or a user with regedit would.
  static void DeleteElsewhere(const std::wstring& path) {
    std::wstring command = L"reg.exe delete \"HKCU\\" + ScratchCurrentUser::OutsidePath(path) + L"\" /f";
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    ASSERT_TRUE(CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_NO_WINDOW, nullptr, nullptr,
                               &startup, &process));
    WaitForSingleObject(process.hProcess, 30000);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    ASSERT_FALSE(KeyExists(path));
  }
};

TEST_F(HostileContent, OddNamesAreListedInOrder) {
  CreateAccount(L"a@x.com", 1);
  CreateKey(AccountKey(L"NoAt"));
  CreateAccount(kLongest, 0);
  CreateAccount(L"@", 1);
  CreateAccount(L"sp ace@x.com", 1);
  CreateKey(AccountKey(L"classy@x.com"), L"Class");

  const std::vector<std::wstring> expected = AccountNames();
  FormHarness form;
  EXPECT_EQ(form.ListedAccounts(), expected);
  EXPECT_EQ(expected.size(), 5u);
}

// The ANSI registry functions take a subkey path of at most 260 characters: an account name of up to 222 characters
// fits in its Preferences path. A longer one may not open; it must then read as unknown and fail to change.
TEST_F(HostileContent, LongNamesWorkOrFailTruthfully) {
  const std::wstring fits = std::wstring(216, L'f') + L"@x.com";
  CreateAccount(fits, 0);
  CreateAccount(kLongest, 0);
  FormHarness form;
  const auto names = form.ListedAccounts();
  for (const auto& name : {fits, kLongest}) {
    const auto at = std::find(names.begin(), names.end(), name);
    ASSERT_NE(at, names.end());
    form.Choose(static_cast<int>(at - names.begin()));
    const std::wstring shown = form.SelectedOption();
    if (name == fits) {
      EXPECT_EQ(shown, L"No");
    }
    const Hive before = Snapshot(kVendorKey);
    form.ClickOption(true);
    const bool readable = shown == L"No";
    EXPECT_EQ(form.ClickChange(), std::vector<std::wstring>{readable ? Form1::kChanged : Form1::kNotChanged});
    EXPECT_EQ(ReadDword(PreferencesKey(name), kEnablePlugins), std::optional<DWORD>(readable ? 1 : 0));
    if (!readable) {
      EXPECT_EQ(Snapshot(kVendorKey), before);
    }
  }
}

// A letter outside ASCII that the ANSI code page holds (Windows-1252 "u with diaeresis", another byte in the OEM code
// page): the account is listed, read and changed under its own name, in both directions of the conversion.
TEST_F(HostileContent, NameInTheAnsiCodePageIsListedReadAndChanged) {
  if (GetACP() != 1252) {
    GTEST_SKIP() << "the name is written for Windows-1252";
  }
  const std::wstring name = L"j\u00fcrgen@x.example";
  CreateAccount(name, 1);
  FormHarness form;
  ASSERT_EQ(form.ListedAccounts(), std::vector<std::wstring>{name});
  form.Choose(0);
  EXPECT_EQ(form.SelectedOption(), L"Yes");
  form.ClickOption(false);
  EXPECT_EQ(form.ClickChange(), std::vector<std::wstring>{Form1::kChanged});
  EXPECT_EQ(ReadDword(PreferencesKey(name), kEnablePlugins), std::optional<DWORD>(0));
}

// Names outside the system's code page come back from the ANSI functions as the system converts them: a name with
// no look-alike as "?", one with a look-alike ("pawe\u0142" beside a real "pawel") as that look-alike. Either way
// the name is listed once, and only a key whose name is the shown text is ever read or changed.
struct CodePageCase {
  const char* what;
  const wchar_t* name;
  const wchar_t* shownAs;  // how this code page (Windows-1252) converts it
  bool lookAlikeExists;    // a real account under the shown name, plug-ins enabled
};

class HostileCodePage : public HostileContent, public testing::WithParamInterface<CodePageCase> {};

TEST_P(HostileCodePage, NameIsListedOnceAndOnlyTheShownAccountChanges) {
  const CodePageCase& row = GetParam();
  if (FromAnsi(ToAnsi(row.name)) != row.shownAs) {
    GTEST_SKIP() << "this code page converts the name otherwise";
  }
  CreateAccount(row.name, std::nullopt);  // Preferences without a value: unreadable, and any write would show
  if (row.lookAlikeExists) {
    CreateAccount(row.shownAs, 1);
  }
  const Hive before = Snapshot(kVendorKey);
  FormHarness form;
  ASSERT_EQ(form.ListedAccounts(), std::vector<std::wstring>{row.shownAs});
  form.Choose(0);
  EXPECT_EQ(form.SelectedOption(), row.lookAlikeExists ? L"Yes" : L"");
  form.ClickOption(false);
  EXPECT_EQ(form.ClickChange(), std::vector<std::wstring>{row.lookAlikeExists ? Form1::kChanged : Form1::kNotChanged});
  EXPECT_EQ(ReadDword(PreferencesKey(row.name), kEnablePlugins), std::nullopt);
  if (row.lookAlikeExists) {
    EXPECT_EQ(ReadDword(PreferencesKey(row.shownAs), kEnablePlugins), std::optional<DWORD>(0));
  } else {
    EXPECT_EQ(Snapshot(kVendorKey), before);
  }
}

INSTANTIATE_TEST_SUITE_P(Names, HostileCodePage,
                         testing::Values(CodePageCase{"NoLookAlike", L"\u0416\u4e2d@x.com", L"??@x.com", false},
                                         CodePageCase{"LookAlikeOfARealAccount", L"pawe\u0142@x.com", L"pawel@x.com",
                                                      true}),
                         CaseName());

TEST_F(HostileContent, TenThousandSubkeysListEveryAccount) {
  for (int i = 0; i < 5000; ++i) {
    CreateKey(AccountKey(L"user" + std::to_wstring(i) + L"@x.com"));
    CreateKey(AccountKey(L"other" + std::to_wstring(i)));
  }
  const std::vector<std::wstring> expected = AccountNames();
  FormHarness form;
  EXPECT_EQ(expected.size(), 5000u);
  EXPECT_EQ(form.ListedAccounts(), expected);
}

// Keys that vanish between choosing an account and pressing "Change".
struct VanishingCase {
  const char* what;
  std::wstring (*deleted)(std::wstring_view account);
};

class HostileVanishing : public HostileContent, public testing::WithParamInterface<VanishingCase> {};

TEST_P(HostileVanishing, ChangeFailsAndCreatesNothing) {
  CreateAccount(L"a@x.com", 1);
  CreateAccount(L"b@x.com", 0);
  FormHarness form;
  form.Choose(0);
  EXPECT_EQ(form.SelectedOption(), L"Yes");
  DeleteElsewhere(GetParam().deleted(L"a@x.com"));
  const Hive before = Snapshot(kVendorKey);
  form.ClickOption(false);
  EXPECT_EQ(form.ClickChange(), std::vector<std::wstring>{Form1::kNotChanged});
  EXPECT_EQ(Snapshot(kVendorKey), before);
}

INSTANTIATE_TEST_SUITE_P(
    Keys, HostileVanishing,
    testing::Values(VanishingCase{"Preferences", [](std::wstring_view a) { return PreferencesKey(a); }},
                    VanishingCase{"Account", [](std::wstring_view a) { return AccountKey(a); }},
                    VanishingCase{"ProductKey", [](std::wstring_view) { return std::wstring(ProductKeyPath); }}),
    CaseName());

// Stored data of every type and size: at most 4 bytes read as a little-endian number, anything longer unreadable;
// "Change" then stores a REG_DWORD.
struct StoredCase {
  const char* what;
  DWORD type;
  std::vector<BYTE> data;
  const wchar_t* shown;
};

class HostileValues : public HostileContent, public testing::WithParamInterface<StoredCase> {};

TEST_P(HostileValues, ShowWhatWasStoredAndChangeToADword) {
  SetRaw(L"a@x.com", GetParam().type, GetParam().data);
  FormHarness form;
  form.Choose(0);
  EXPECT_EQ(form.SelectedOption(), GetParam().shown);
  form.ClickOption(false);
  EXPECT_EQ(form.ClickChange(), std::vector<std::wstring>{Form1::kChanged});
  EXPECT_EQ(ReadDword(PreferencesKey(L"a@x.com"), kEnablePlugins), std::optional<DWORD>(0));
}

INSTANTIATE_TEST_SUITE_P(
    Data, HostileValues,
    testing::Values(StoredCase{"NoneEmpty", REG_NONE, {}, L"No"}, StoredCase{"BinaryTwo", REG_BINARY, {0, 1}, L"Yes"},
                    StoredCase{"BinaryThreeZero", REG_BINARY, {0, 0, 0}, L"No"},
                    StoredCase{"DwordFive", REG_DWORD, {5, 0, 0, 0}, L"Yes"},
                    StoredCase{"BigEndianOne", REG_DWORD_BIG_ENDIAN, {0, 0, 0, 1}, L"Yes"},
                    StoredCase{"QwordEight", REG_QWORD, {0, 0, 0, 0, 0, 0, 0, 0}, L""},
                    StoredCase{"StringZero", REG_SZ, {'0', 0, 0, 0}, L"Yes"},  // the character "0", not the number
                    // The ANSI query converts strings: five characters and a NUL no longer fit in 4 bytes.
                    StoredCase{"ExpandStringLong", REG_EXPAND_SZ, {'1', 0, '2', 0, '3', 0, '4', 0, '5', 0, 0, 0}, L""},
                    StoredCase{"MultiStringEmpty", REG_MULTI_SZ, {0, 0}, L"No"}),
    CaseName());

}  // namespace
