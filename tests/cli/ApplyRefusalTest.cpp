#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <random>

#include "CliFixture.h"

namespace n240qx::testing {
namespace {

using ::testing::HasSubstr;

class ApplyRefusalTest : public CliFixture {};

// Nothing of a refused profile may reach the keyboard or the key assignment store. Sizes and
// key assignment kinds are refused before the keyboard is read; a setting out of range only
// after it, since the keyboard may hold that very value.
TEST_F(ApplyRefusalTest, DamagedOrWrongSizedProfilesAreRefusedAndNothingIsSentOrStored) {
  const auto good = dir / "good.bin";
  ASSERT_EQ(Run({"set", "brightness", "20"}).exit_code, 0);
  ASSERT_EQ(Run({"read", "-o", good.string()}).exit_code, 0);
  const auto keymap_before = ReadBytes(data_dir / "keymap.bin");
  ASSERT_EQ(keymap_before.size(), 206920U);

  std::mt19937 random(14);
  std::vector<std::uint8_t> garbage(206920);
  for (auto& byte : garbage) {
    byte = static_cast<std::uint8_t>(random() | 0x80);
  }
  auto too_bright = ReadBytes(good);
  too_bright[7452] = 99;
  auto unknown_kind = ReadBytes(good);
  unknown_kind[10060 + 42 * 772 + 1] = 9;
  auto oversized = ReadBytes(good);
  oversized.push_back(0);
  const struct {
    const char* name;
    std::vector<std::uint8_t> bytes;
    std::vector<const char*> said;
    bool reads_keyboard;
  } kCases[] = {
      {"garbage.bin",
       garbage,
       {"report_rate is", "allowed 0-3", "brightness is", "game_mode is", "light_effect is"},
       false},
      {"bright.bin", too_bright, {"brightness is 99; allowed 0-50"}, true},
      {"kind.bin", unknown_kind, {"key_actions[42].kind is 9"}, false},
      {"empty.bin", {}, {"size is 0"}, false},
      {"long.bin", oversized, {"206921 bytes, longer than any profile"}, false},
  };
  for (const auto& refused : kCases) {
    WriteBytes(dir / refused.name, refused.bytes);
    const CliResult apply = Run({"apply", (dir / refused.name).string()});
    EXPECT_EQ(apply.exit_code, 4) << refused.name;
    EXPECT_TRUE(apply.out.empty()) << refused.name << ": " << apply.out;
    for (const char* text : refused.said) {
      EXPECT_THAT(apply.err, HasSubstr(text)) << refused.name;
    }
    EXPECT_TRUE(WriteFeaturesSent().empty()) << refused.name << ": nothing may be written";
    EXPECT_EQ(FeaturesSent().empty(), !refused.reads_keyboard) << refused.name;
    EXPECT_EQ(ReadBytes(data_dir / "keymap.bin"), keymap_before) << refused.name;
  }

  // A store written before any keyboard was read: blank settings, which are not applied.
  WriteBytes(dir / "blank.bin", std::vector<std::uint8_t>(206920, 0));
  const CliResult blank = Run({"apply", (dir / "blank.bin").string()});
  ASSERT_EQ(blank.exit_code, 0) << blank.err;
  EXPECT_THAT(blank.out, HasSubstr("key assignments only (its configuration is blank)"));
  EXPECT_EQ(ReadBytes(data_dir / "keymap.bin")[7452], 20) << "the keyboard's brightness stays";

  // The profile this program wrote goes through, byte for byte as it was read.
  const CliResult apply = Run({"apply", good.string()});
  ASSERT_EQ(apply.exit_code, 0) << apply.err;
  EXPECT_THAT(apply.out, HasSubstr("(206920 bytes): configuration and key assignments"));
}

}  // namespace
}  // namespace n240qx::testing
