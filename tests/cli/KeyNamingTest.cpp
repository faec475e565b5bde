#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "CliFixture.h"

namespace n240qx::testing {
namespace {

using ::testing::HasSubstr;

class KeyNamingTest : public CliFixture {};

TEST_F(KeyNamingTest, ADigitNamesTheKeyLabelledWithItAndAnIndexNeedsAHash) {
  const CliResult assign = Run({"assign", "1", "single", "A"});
  ASSERT_EQ(assign.exit_code, 0) << assign.err;
  const auto keymap = ReadBytes(data_dir / "keymap.bin");
  ASSERT_EQ(keymap.size(), 206920U);
  // The key labelled 1 is key index 21 in switch slot 10; F1 (index 1, slot 17) stays itself.
  EXPECT_EQ(keymap[792 + 4 * 10 + 2], 0x04) << "the 1 key sends A";
  EXPECT_EQ(keymap[792 + 4 * 17 + 2], 0x3A) << "F1 untouched";
  EXPECT_EQ(keymap[10060 + 21 * 772 + 2], 0x41) << "captured on the 1 key's entry";
}

// Every refusal here happens before the keyboard is read: nothing is sent, nothing is stored.
TEST_F(KeyNamingTest, AmbiguousKeysAndCodesWithoutADeviceCodeAreRefused) {
  const struct {
    std::vector<std::string> words;
    const char* said;
  } kCases[] = {
      {{"assign", "/", "single", "A"}, "say Num/ (#38) or #88 (0xBF)"},
      {{"assign", "Shift", "single", "A"}, "LShift (#78) or RShift (#89)"},
      {{"assign", "Enter", "single", "A"}, "#54 (0x0D) or NumEnter (#94)"},
      {{"assign", "0x5D", "single", "A"}, "Fn (#100) or App (#101)"},
      {{"assign", "42", "single", "A"}, "a key index is written #42"},
      {{"assign", "E", "single", "0xFF"}, "\"0xFF\" has no code on the keyboard"},
      {{"assign", "E", "single", "0x07"}, "\"0x07\" has no code on the keyboard"},
      {{"assign", "E", "single", "0xE9"}, "\"0xE9\" has no code on the keyboard"},
      {{"assign", "E", "combine", "LCtrl", "0xE2"}, "\"0xE2\" has no code"},
  };
  for (const auto& refused : kCases) {
    const CliResult result = Run(refused.words);
    EXPECT_EQ(result.exit_code, 2) << refused.words[1];
    EXPECT_THAT(result.err, HasSubstr(refused.said)) << refused.words[1];
    EXPECT_TRUE(FeaturesSent().empty()) << refused.words[1] << ": nothing may be sent";
    EXPECT_FALSE(std::filesystem::exists(data_dir / "keymap.bin")) << refused.words[1];
  }
}

}  // namespace
}  // namespace n240qx::testing
