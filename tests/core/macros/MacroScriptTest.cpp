#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "macros/MacroEventList.h"
#include "macros/MacroScript.h"

namespace n240qx {
namespace {

using ::testing::ElementsAreArray;
using ::testing::HasSubstr;

class MacroScriptTest : public ::testing::Test {
 protected:
  KeyNameTable names = BuildKeyNameTable();
};

TEST_F(MacroScriptTest, EventsAreEncodedInBothBuffersAndListBackAsTyped) {
  const std::vector<std::string> typed = {"LCtrl dn", "C dn",     "50 ms",   "C up",
                                          "300 ms",   "LCtrl up", "MsLB dn", "MsLB up"};
  const auto script = ParseMacroScript(typed, names);
  ASSERT_TRUE(script.ok()) << script.error().message;
  EXPECT_TRUE(script->has_delay);
  const std::uint8_t key_events[] = {0x01, 0xA2, 0x01, 0x43, 0xB2, 0x43, 0xFF,
                                     0xA2, 0x01, 0x2C, 0x01, 0xF0, 0x81, 0xF0};
  const std::uint8_t device_events[] = {0x01, 0xE0, 0x01, 0x06, 0xB2, 0x06, 0xFF,
                                        0xE0, 0x01, 0x2C, 0x01, 0xF0, 0x81, 0xF0};
  EXPECT_THAT(std::span(script->buffers.key_events).first(14), ElementsAreArray(key_events));
  EXPECT_THAT(std::span(script->buffers.device_events).first(14), ElementsAreArray(device_events));
  EXPECT_EQ(script->buffers.key_events[14], 0) << "the rest stays zero";

  const auto lines = BuildEventLines(script->buffers.key_events, [&](std::uint8_t vk) {
    std::u16string name = names.KeyNameOf(vk);
    while (!name.empty() && name.back() == u' ') {
      name.pop_back();
    }
    return name;
  });
  std::vector<std::string> shown;
  for (const auto& line : lines) {
    shown.emplace_back(line.begin(), line.end());
  }
  EXPECT_EQ(shown, typed);
}

TEST_F(MacroScriptTest, LinesBreakingAStoreRuleAreRefusedByName) {
  const struct {
    std::vector<std::string> lines;
    const char* said;
  } kCases[] = {
      {{"50 ms", "A dn"}, "first event of a macro runs without delay"},
      {{"A dn", "0 ms", "A up"}, "a delay is 1-60000 ms"},
      {{"A dn", "60001 ms", "A up"}, "a delay is 1-60000 ms"},
      {{"A dn", "5 ms", "6 ms", "A up"}, "two delays in a row"},
      {{"A dn", "5 ms"}, "must be followed by a key line"},
      {{"A down"}, "is no event"},
      {{"Hyper dn"}, "unknown key name"},
      {{"0xFF dn"}, "no code on the keyboard"},
      {std::vector<std::string>(96, "A dn"), "no longer fit"},
  };
  for (const auto& refused : kCases) {
    const auto script = ParseMacroScript(refused.lines, names);
    ASSERT_FALSE(script.ok()) << refused.said;
    EXPECT_THAT(script.error().message, HasSubstr(refused.said));
  }
  EXPECT_TRUE(ParseMacroScript(std::vector<std::string>(95, "A dn"), names).ok())
      << "95 two-byte events fill the buffer exactly";
  const auto empty = ParseMacroScript({}, names);
  ASSERT_TRUE(empty.ok());
  EXPECT_EQ(empty->buffers, MacroBuffers{});
  EXPECT_FALSE(empty->has_delay);
}

}  // namespace
}  // namespace n240qx
