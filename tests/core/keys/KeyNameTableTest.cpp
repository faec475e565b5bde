#include <gtest/gtest.h>

#include "keys/KeyNameTable.h"

namespace n240qx {
namespace {

class KeyNames : public ::testing::Test {
 protected:
  KeyNameTable names = BuildKeyNameTable();
};

TEST_F(KeyNames, GeneratedRangesAndTheirNames) {
  EXPECT_EQ(names.DeviceCodeOf('A'), 0x04);
  EXPECT_EQ(names.DeviceCodeOf('Z'), 0x1D);
  EXPECT_EQ(names.KeyNameOf('Q'), u"Q ");
  EXPECT_EQ(names.DeviceCodeOf('1'), 0x1E);
  EXPECT_EQ(names.DeviceCodeOf('9'), 0x26);
  EXPECT_EQ(names.DeviceCodeOf('0'), 0x27);
  EXPECT_EQ(names.DeviceCodeOf(0x70), 0x3A);
  EXPECT_EQ(names.DeviceCodeOf(0x7B), 0x45);
  EXPECT_EQ(names.KeyNameOf(0x70), u"F1 ");
  EXPECT_EQ(names.KeyNameOf(0x7B), u"F12 ");
}

TEST_F(KeyNames, ZeroHasNoTrailingSpaceButOneDoes) {
  EXPECT_EQ(names.KeyNameOf('0'), u"0");
  EXPECT_EQ(names.KeyNameOf('1'), u"1 ");
  EXPECT_EQ(names.KeyNameOf(0xF0), u"MsLB");
  EXPECT_EQ(names.KeyNameOf(0xB3), u"Play/Pause");
  EXPECT_EQ(names.KeyNameOf(0xA2), u"LCtrl ");
  EXPECT_EQ(names.KeyNameOf(0xDC), u"\\ ");
}

TEST_F(KeyNames, UnnamedCodesHaveNoDeviceCodeAndNoName) {
  for (const std::uint8_t vk : {0x00, 0x0C, 0x2F, 0xE2, 0xF3, 0xFF}) {
    EXPECT_EQ(names.Entry(vk).vk, vk);
    if (vk == 0xF3) {
      EXPECT_EQ(names.DeviceCodeOf(vk), 0xF3) << "mouse codes keep their code, without a name";
    } else {
      EXPECT_EQ(names.DeviceCodeOf(vk), 0) << std::hex << int(vk);
    }
    EXPECT_TRUE(names.KeyNameOf(vk).empty()) << std::hex << int(vk);
  }
}

TEST_F(KeyNames, MediaKeysCarryTheLowByteOfTheirConsumerUsage) {
  EXPECT_EQ(names.DeviceCodeOf(0xAE), 0xEA);
  EXPECT_EQ(names.DeviceCodeOf(0xAF), 0xE9);
  EXPECT_EQ(names.DeviceCodeOf(0xB3), 0xCD);
  EXPECT_EQ(names.DeviceCodeOf(0xB5), 0x83);
}

TEST_F(KeyNames, SharedNamesKeepDistinctDeviceCodes) {
  EXPECT_EQ(names.KeyNameOf(0x0D), names.KeyNameOf(0x6C));
  EXPECT_EQ(names.DeviceCodeOf(0x0D), 0x28);
  EXPECT_EQ(names.DeviceCodeOf(0x6C), 0x58);
  EXPECT_EQ(names.KeyNameOf(0xBE), names.KeyNameOf(0x6E));
  EXPECT_NE(names.DeviceCodeOf(0xBE), names.DeviceCodeOf(0x6E));
}

TEST_F(KeyNames, SecondBuildGivesTheSameTable) {
  KeyNameTable again = names;
  again.Entry(0x41).name = u"changed";
  BuildKeyNameTable(again);
  EXPECT_EQ(again, names);
  EXPECT_NE(KeyNameTable(), names);
}

TEST_F(KeyNames, TypedNamesAndCodes) {
  const std::pair<const char*, int> cases[] = {
      {"LCtrl", 0xA2}, {"Del", 0x2E},   {"A", 0x41},     {"a", 0x41},         {"F5", 0x74},
      {"0", 0x30},     {"1", 0x31},     {"Enter", 0x0D}, {".", 0xBE},         {"/", 0xBF},
      {"-", 0xBD},     {"*", 0x6A},     {"0-num", 0x60}, {"Volume UP", 0xAF}, {"Play/Pause", 0xB3},
      {"MsLB", 0xF0},  {" Del ", 0x2E}, {"0x6C", 0x6C},  {"0XfF", 0xFF},      {"0x0", 0x00},
  };
  for (const auto& [typed, vk] : cases) {
    const auto found = names.VirtualKeyOfName(typed);
    ASSERT_TRUE(found.ok()) << typed << ": " << found.error().message;
    EXPECT_EQ(*found, vk) << typed;
  }
  for (const char* bad : {"", "Nope", "0x100", "0x", "0xG1", "Del  x"}) {
    const auto found = names.VirtualKeyOfName(bad);
    ASSERT_FALSE(found.ok()) << bad;
    EXPECT_EQ(found.error().code, ErrorCode::kInvalidArgument);
  }
}

}  // namespace
}  // namespace n240qx
