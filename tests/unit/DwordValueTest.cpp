#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "FakeRegistry.h"
#include "registry/DwordValue.h"
#include "tests/support/CaseName.h"

namespace {

using namespace Module1;
using Call = FakeRegistry::Call;

constexpr char kKey[] = "HKCU\\Software\\Halvorn\\Brindlex\\a@x.com\\Preferences";
constexpr wchar_t kPath[] = L"HKEY_CURRENT_USER\\Software\\Halvorn\\Brindlex\\a@x.com\\Preferences";

TEST(DwordRead, SaysWhichKindItIs) {
  EXPECT_EQ(DwordRead::Number(-1).Text(), L"-1");
  EXPECT_EQ(DwordRead::Error().Text(), L"Error");
  EXPECT_EQ(DwordRead::Nothing().Text(), L"");
  EXPECT_FALSE(DwordRead::Error().IsNumber());
  EXPECT_NE(DwordRead::Number(0), DwordRead::Nothing());
}

// Reads of stored data through the fake: the type is ignored and at most 4 bytes are asked for.
struct ReadCase {
  const char* what;
  DWORD type;
  std::vector<BYTE> data;
  DwordRead expected;
};

class ReadDwordValueData : public testing::TestWithParam<ReadCase> {};

TEST_P(ReadDwordValueData, ReadsAtMostFourBytes) {
  FakeRegistry fake;
  fake.SetValue(kKey, "EnablePlugins", {GetParam().type, GetParam().data});
  EXPECT_EQ(ReadDwordValue(kPath, L"EnablePlugins"), GetParam().expected);
  EXPECT_EQ(fake.accessRequested, std::vector<REGSAM>{0x20019});
  EXPECT_EQ(fake.querySizes, std::vector<DWORD>{4});
  EXPECT_EQ(fake.Count(Call::Close), 1);
  EXPECT_TRUE(fake.Balanced());
}

INSTANTIATE_TEST_SUITE_P(
    Data, ReadDwordValueData,
    testing::Values(ReadCase{"one", REG_DWORD, {1, 0, 0, 0}, DwordRead::Number(1)},
                    ReadCase{"zero", REG_DWORD, {0, 0, 0, 0}, DwordRead::Number(0)},
                    ReadCase{"allOnes", REG_DWORD, {0xff, 0xff, 0xff, 0xff}, DwordRead::Number(-1)},
                    ReadCase{"littleEndian", REG_DWORD, {0x78, 0x56, 0x34, 0x12}, DwordRead::Number(0x12345678)},
                    ReadCase{"binaryTwoBytes", REG_BINARY, {0x34, 0x12}, DwordRead::Number(0x1234)},
                    ReadCase{"empty", REG_BINARY, {}, DwordRead::Number(0)},
                    ReadCase{"eightBytes", REG_QWORD, {1, 0, 0, 0, 0, 0, 0, 0}, DwordRead::Error()},
                    ReadCase{"string", REG_SZ, {'1', 0}, DwordRead::Number('1')}),
    CaseName());

TEST(WriteDwordValue, StoresFourLittleEndianBytesAsRegDword) {
  FakeRegistry fake;
  fake.AddKey(kKey);
  EXPECT_TRUE(WriteDwordValue(kPath, L"EnablePlugins", -2));
  const auto* value = fake.FindValue(kKey, "EnablePlugins");
  ASSERT_NE(value, nullptr);
  EXPECT_EQ(value->type, static_cast<DWORD>(REG_DWORD));
  EXPECT_EQ(value->data, (std::vector<BYTE>{0xfe, 0xff, 0xff, 0xff}));
  EXPECT_EQ(fake.accessRequested, std::vector<REGSAM>{0x20006});
  EXPECT_EQ(fake.setSizes, std::vector<DWORD>{4});
  EXPECT_EQ(ReadDwordValue(kPath, L"EnablePlugins"), DwordRead::Number(-2));
  EXPECT_TRUE(fake.Balanced());
}

TEST(WriteDwordValue, NeverCreatesAKey) {
  FakeRegistry fake;
  fake.AddKey("HKCU\\Software\\Halvorn\\Brindlex\\a@x.com");
  const std::string before = fake.Dump();
  EXPECT_FALSE(WriteDwordValue(kPath, L"EnablePlugins", 1));
  EXPECT_EQ(ReadDwordValue(kPath, L"EnablePlugins"), DwordRead::Error());
  EXPECT_EQ(fake.Dump(), before);
  EXPECT_EQ(fake.Count(Call::Set), 0);
}

TEST(DwordValue, PathsThatNameNoKeyMakeNoRegistryCall) {
  for (const wchar_t* path : {L"HKEY_LOCAL\\Software", L"hkey_current_user\\Software", L"HKEY_CURRENT_USER\\x\\",
                              L"Software\\Halvorn", L""}) {
    FakeRegistry fake;
    EXPECT_EQ(ReadDwordValue(path, L"EnablePlugins"), DwordRead::Nothing()) << path;
    EXPECT_FALSE(WriteDwordValue(path, L"EnablePlugins", 1)) << path;
    EXPECT_EQ(fake.Count(Call::Open) + fake.Count(Call::Query) + fake.Count(Call::Set), 0) << path;
  }
}

// The root's own handle, handed back (wine) or new (Windows): only a new one is closed.
TEST(DwordValue, RootAloneOpensTheRootAndLeavesThePredefinedHandleOpen) {
  for (const bool rootForEmptyPath : {true, false}) {
    FakeRegistry fake;
    fake.rootForEmptyPath = rootForEmptyPath;
    fake.SetDword("HKLM", "V", 7);
    EXPECT_EQ(ReadDwordValue(L"HKEY_LOCAL_MACHINE", L"V"), DwordRead::Number(7));
    EXPECT_EQ(fake.subkeysOpened, std::vector<std::string>{""});
    EXPECT_TRUE(fake.Balanced()) << rootForEmptyPath;
  }
}

}  // namespace
