#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "config/ProfileCheck.h"
#include "keys/KeymapStore.h"

namespace n240qx {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// A keymap.bin as this program writes it after reading a keyboard fresh from the factory.
std::vector<std::uint8_t> FactoryProfile() {
  ConfigImage image;
  image.report_rate() = 3;
  image.response_time() = 0;
  image.light_effect() = 3;
  image.effect_speed() = 5;
  image.brightness() = 50;
  image.colour_choice() = 8;
  image.light_direction() = 1;
  KeyActionTable table;
  ResetKeySettings(image, table);
  return EncodeKeymapStore(image, table);
}

constexpr std::size_t kKindOfKey42 = 10060 + 42 * 772 + 1;

TEST(ProfileCheck, AFactoryProfileAndEveryEdgeOfEveryRangeAreAccepted) {
  EXPECT_THAT(CheckProfile(FactoryProfile()), IsEmpty());
  const struct {
    std::size_t offset;
    std::uint8_t value;
  } kEdges[] = {{11, 0},    {7449, 9},         {7450, 1},           {7450, 55}, {7451, 9},
                {7452, 50}, {7453, 1},         {7453, 8},           {7454, 4},  {7476, 1},
                {7498, 1},  {kKindOfKey42, 7}, {kKindOfKey42, 255}, {0, 0xFF},  {10059, 0xFF}};
  for (const auto& edge : kEdges) {
    auto profile = FactoryProfile();
    profile[edge.offset] = edge.value;
    EXPECT_THAT(CheckProfile(profile), IsEmpty()) << edge.offset << " = " << int{edge.value};
  }
}

TEST(ProfileCheck, EachFieldOutOfRangeIsNamedWithValueAndRange) {
  const struct {
    std::size_t offset;
    std::uint8_t value;
    const char* text;
  } kCases[] = {
      {11, 4, "report_rate is 4; allowed 0-3"},
      {7449, 10, "response_time is 10; allowed 0-9"},
      {7450, 7,
       "light_effect is 7; allowed one of 1, 2, 3, 4, 5, 6, 8, 10, 11, 12, 13, 51, 52, "
       "53, 54, 55"},
      {7451, 10, "effect_speed is 10; allowed 0-9"},
      {7452, 99, "brightness is 99; allowed 0-50"},
      {7453, 0, "colour_choice is 0; allowed 1-8"},
      {7453, 9, "colour_choice is 9; allowed 1-8"},
      {7454, 5, "light_direction is 5; allowed 1-4"},
      {7476, 2, "game_mode is 2; allowed 0-1"},
      {7498, 231, "windows_key_lock is 231; allowed 0-1"},
      {kKindOfKey42, 8, "key_actions[42].kind is 8; allowed 0-7 or 255"},
      {10060 + 254 * 772 + 1, 0x80, "key_actions[254].kind is 128; allowed 0-7 or 255"},
  };
  for (const auto& bad : kCases) {
    auto profile = FactoryProfile();
    profile[bad.offset] = bad.value;
    const auto problems = CheckProfile(profile);
    ASSERT_EQ(problems.size(), 1U) << bad.text;
    EXPECT_EQ(problems[0].Text(), bad.text);
  }
}

TEST(ProfileCheck, EveryBadFieldIsListedNotOnlyTheFirst) {
  auto profile = FactoryProfile();
  profile[11] = 58;
  profile[7452] = 239;
  profile[7476] = 231;
  const auto problems = CheckProfile(profile);
  std::vector<std::string> fields;
  for (const auto& problem : problems) {
    fields.push_back(problem.field);
  }
  EXPECT_THAT(fields, ElementsAre("report_rate", "brightness", "game_mode"));
}

TEST(ProfileCheck, AShortFileIsCheckedAsFarAsItGoesAndTheSizeIsBounded) {
  auto profile = FactoryProfile();
  profile[7452] = 99;
  profile[kKindOfKey42] = 9;
  const struct {
    std::size_t size;
    std::vector<std::string> fields;
  } kCases[] = {
      {7000, {}},  // only report_rate is reached, and it is fine
      {10060, {"brightness"}},
      {kKindOfKey42, {"brightness"}},
      {kKindOfKey42 + 1, {"brightness", "key_actions[42].kind"}},
      {0, {"size"}},
  };
  for (const auto& cut : kCases) {
    const auto problems = CheckProfile(std::span(profile).first(cut.size));
    std::vector<std::string> fields;
    for (const auto& problem : problems) {
      fields.push_back(problem.field);
    }
    EXPECT_EQ(fields, cut.fields) << cut.size;
  }
  profile.push_back(0);
  const auto oversized = CheckProfile(profile);
  ASSERT_EQ(oversized.size(), 1U);
  EXPECT_EQ(oversized[0].Text(), "size is 206921; allowed 1-206920 bytes");
}

TEST(ProfileCheck, ABlankImageIsNoSettingsButItsKeyAssignmentsAreChecked) {
  std::vector<std::uint8_t> blank(206920, 0);
  EXPECT_TRUE(ProfileImageIsBlank(blank));
  EXPECT_THAT(CheckProfile(blank), IsEmpty()) << "written before any keyboard was read";
  blank[kKindOfKey42] = 9;
  ASSERT_EQ(CheckProfile(blank).size(), 1U);
  EXPECT_EQ(CheckProfile(blank)[0].field, "key_actions[42].kind");
  blank[1304] = 0x01;  // a macro record built before the first read
  EXPECT_TRUE(ProfileImageIsBlank(blank));
  blank[7452] = 5;
  EXPECT_FALSE(ProfileImageIsBlank(blank)) << "a brightness is a setting";
  EXPECT_EQ(CheckProfile(blank).size(), 4U) << "effect, colour choice, direction and the kind";
  EXPECT_FALSE(ProfileImageIsBlank(std::span(blank).first(7450))) << "the effect is not reached";
}

// What the keyboard reported goes back unrefused; any other value out of range is still refused,
// even beside a reported one, and a reported image does not excuse a key assignment kind.
TEST(ProfileCheck, ValuesTheKeyboardReportedAreTakenWhateverTheirRange) {
  auto reported = FactoryProfile();
  reported[7454] = 0;   // direction
  reported[7451] = 10;  // speed
  reported[7450] = 7;   // effect
  reported[kKindOfKey42] = 9;
  const struct {
    std::size_t offset;
    std::uint8_t value;
    std::vector<std::string> fields;
  } kCases[] = {
      {7454, 0, {}},
      {7451, 10, {}},
      {7450, 7, {}},
      {7454, 5, {"light_direction"}},
      {7451, 11, {"effect_speed"}},
      {7452, 99, {"brightness"}},
      {kKindOfKey42, 9, {"key_actions[42].kind"}},
  };
  const std::span<const std::uint8_t> images[] = {reported};
  for (const auto& item : kCases) {
    auto profile = FactoryProfile();
    profile[item.offset] = item.value;
    std::vector<std::string> fields;
    for (const auto& problem : CheckProfile(profile, images)) {
      fields.push_back(problem.field);
    }
    EXPECT_EQ(fields, item.fields) << item.offset << " = " << int{item.value};
    EXPECT_EQ(CheckProfile(profile).size(), 1U) << "refused without the report: " << item.offset;
  }
}

}  // namespace
}  // namespace n240qx
