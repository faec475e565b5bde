#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "CliFixture.h"
#include "JsonValue.h"

namespace n240qx::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

class ChangeCommandsTest : public CliFixture {
 protected:
  JsonValue ReadJson() {
    const CliResult read = Run({"--json", "read"});
    EXPECT_EQ(read.exit_code, 0) << read.err;
    auto json = ParseJson(read.out);
    EXPECT_TRUE(json) << read.out;
    return json ? *json : JsonValue{};
  }
};

TEST_F(ChangeCommandsTest, SetSendsOnlyWhatChanged) {
  const CliResult set = Run({"set", "brightness", "20", "speed", "3"});
  ASSERT_EQ(set.exit_code, 0) << set.err;
  // Speed 3 goes out as 10 - 3; brightness only in the closing frame.
  EXPECT_THAT(WriteFeaturesSent(),
              ElementsAre("18 01 00 00 00 00 00 E6", "08 01 03 07 00 08 01 E3",
                          "08 02 03 07 14 08 01 CE", "18 00 00 00 00 00 00 E7"));
  const JsonValue image = ReadJson();
  EXPECT_EQ(image["brightness"].Number(), 20);
  EXPECT_EQ(image["effect_speed"].Number(), 3);

  ASSERT_EQ(Run({"set", "brightness", "20"}).exit_code, 0);
  EXPECT_TRUE(WriteFeaturesSent().empty()) << "the keyboard holds it already";
}

TEST_F(ChangeCommandsTest, SetTakesEveryNameOfItsList) {
  const CliResult set = Run({"set", "effect", "Static", "colour-choice", "3", "direction", "top",
                             "colour", "2", "a0b1c2", "game-mode", "on", "win-lock", "on",
                             "report-rate", "1", "response-time", "6"});
  ASSERT_EQ(set.exit_code, 0) << set.err;
  EXPECT_THAT(WriteFeaturesSent(), ::testing::Contains(HasSubstr("09 01 00 00 00 00 00 F5")));
  const JsonValue image = ReadJson();
  EXPECT_TRUE(image["game_mode"].Bool()) << "a later read's mode select leaves it alone";
  EXPECT_EQ(image["light_effect"].String(), "Static");
  EXPECT_EQ(image["colour_choice"].Number(), 3);
  EXPECT_EQ(image["light_direction"].String(), "top") << "by name since version 2";
  EXPECT_EQ(image["colour_slots"][1].String(), "A0B1C2");
  EXPECT_TRUE(image["windows_key_lock"].Bool()) << "read back from the mask";
  EXPECT_EQ(image["report_rate"].Number(), 1);
  EXPECT_EQ(image["response_time"].Number(), 6);
  ASSERT_EQ(Run({"set", "effect", "51", "game-mode", "off"}).exit_code, 0);
  const JsonValue after = ReadJson();
  EXPECT_EQ(after["light_effect"].String(), "Lighting Profile 1");
  EXPECT_FALSE(after["game_mode"].Bool());
}

TEST_F(ChangeCommandsTest, BadValuesAreRefusedNamingWhatIsAllowedAndNothingIsSent) {
  const struct {
    std::vector<std::string> words;
    const char* allowed;
  } kCases[] = {
      {{"set", "brightness", "51"}, "0-50"},
      {{"set", "speed", "-1"}, "0-9"},
      {{"set", "colour-choice", "0"}, "1-8"},
      {{"set", "direction", "up"}, "left, right, top or bottom"},
      {{"set", "game-mode", "yes"}, "on or off"},
      {{"set", "effect", "Disco"}, "Radar (13)"},
      {{"set", "effect", "7"}, "Static (1)"},
      {{"set", "colour", "8", "FF0000"}, "1-7"},
      {{"set", "colour", "1", "FF00"}, "RRGGBB"},
      {{"set", "volume", "3"}, "response-time"},
      {{"set", "brightness"}, "needs a value"},
      {{"set", "brightness", "20", "speed", "12"}, "0-9"},
  };
  for (const auto& refused : kCases) {
    const CliResult result = Run(refused.words);
    EXPECT_EQ(result.exit_code, 2) << refused.words[1];
    EXPECT_THAT(result.err, HasSubstr(refused.allowed)) << refused.words[1];
    EXPECT_TRUE(FeaturesSent().empty()) << refused.words[1] << ": nothing may be sent";
  }
  EXPECT_EQ(ReadJson()["brightness"].Number(), 50) << "the first half of a refused set is not made";
}

TEST_F(ChangeCommandsTest, AssignACombinationShowsInTheKeyMapAndTheKeyList) {
  const CliResult assign = Run({"assign", "Q", "combine", "LCtrl", "LAlt", "Del"});
  ASSERT_EQ(assign.exit_code, 0) << assign.err;
  EXPECT_THAT(WriteFeaturesSent(), ::testing::Contains(HasSubstr("0D 00 00 08 00 00 00")))
      << "the key map is written";
  const JsonValue image = ReadJson();
  EXPECT_EQ(image["keys"][9]["map"].String(), "00E0E24C");

  const auto keymap = ReadBytes(data_dir / "keymap.bin");
  ASSERT_EQ(keymap.size(), 206920U);
  const std::size_t entry = 10060 + 42 * 772;
  EXPECT_EQ(keymap[entry + 1], 1) << "kind Combine";
  EXPECT_EQ(keymap[entry + 2], 0xA2) << "LCtrl captured first";
  EXPECT_EQ(keymap[entry + 257], 3) << "three keys";

  const CliResult keys = Run({"keys", "--json"});
  ASSERT_EQ(keys.exit_code, 0) << keys.err;
  const auto result = ParseJson(keys.out);
  ASSERT_TRUE(result && result->IsObject()) << keys.out;
  const auto list = std::optional<JsonValue>((*result)["keys"]);
  ASSERT_TRUE(list && list->IsArray());
  ASSERT_EQ(list->Items().size(), 108U);
  const JsonValue& q = (*list)[42];
  EXPECT_EQ(q["label"].String(), "Q");
  EXPECT_EQ(q["slot"].Number(), 9);
  EXPECT_EQ(q["key_map"].String(), "00E0E24C");
  EXPECT_EQ(q["kind"].String(), "combine");
  EXPECT_TRUE(q["enabled"].Bool());
  EXPECT_EQ((*list)[0]["label"].String(), "Esc");
}

TEST_F(ChangeCommandsTest, AssignTakesEveryActionAndDefaultUndoesThem) {
  ASSERT_EQ(Run({"assign", "0x51", "single", "F5"}).exit_code, 0);
  EXPECT_EQ(ReadJson()["keys"][9]["map"].String(), "00003E00");
  ASSERT_EQ(Run({"assign", "#42", "function", "Volume Up"}).exit_code, 0);
  EXPECT_EQ(ReadJson()["keys"][9]["map"].String(), "0300E900");
  ASSERT_EQ(Run({"assign", "q", "open-folder", "/tmp"}).exit_code, 0);
  EXPECT_EQ(ReadJson()["keys"][9]["map"].String(), "0A005100");
  const auto result = ParseJson(Run({"keys", "--json"}).out);
  ASSERT_TRUE(result);
  const auto keys = std::optional<JsonValue>((*result)["keys"]);
  EXPECT_EQ((*keys)[42]["kind"].String(), "open-folder");
  EXPECT_EQ((*keys)[42]["path"].String(), "/tmp");

  ASSERT_EQ(Run({"assign", "Q", "disable"}).exit_code, 0);
  const JsonValue disabled = ReadJson();
  EXPECT_FALSE(disabled["keys"][9]["enabled"].Bool());
  ASSERT_EQ(Run({"assign", "Q", "default"}).exit_code, 0);
  const JsonValue restored = ReadJson();
  EXPECT_EQ(restored["keys"][9]["map"].String(), "00001400");
  EXPECT_TRUE(restored["keys"][9]["enabled"].Bool());
}

TEST_F(ChangeCommandsTest, AssignRefusesWhatItDoesNotKnowAndSendsNothing) {
  const struct {
    std::vector<std::string> words;
    const char* message;
  } kCases[] = {
      {{"assign", "NoSuchKey", "single", "A"}, "unknown key"},
      {{"assign", "108", "single", "A"}, "unknown key"},
      {{"assign", "Q", "single", "Hyper"}, "unknown key name"},
      {{"assign", "Q", "combine", "LCtrl"}, "two or three"},
      {{"assign", "Q", "function", "Make", "Coffee"}, "unknown function"},
      {{"assign", "Q", "macro", "0"}, "no stored macro"},
      {{"assign", "Q", "macro", "40"}, "0-31"},
      {{"assign", "Q", "juggle"}, "unknown action"},
      {{"assign", "Q"}, "KEY ACTION"},
  };
  for (const auto& refused : kCases) {
    const CliResult result = Run(refused.words);
    EXPECT_EQ(result.exit_code, 2) << refused.message;
    EXPECT_THAT(result.err, HasSubstr(refused.message));
    EXPECT_TRUE(FeaturesSent().empty()) << refused.message << ": nothing may be sent";
  }
  EXPECT_EQ(ReadJson()["keys"][9]["map"].String(), "00001400");
}

TEST_F(ChangeCommandsTest, ResetNeedsConfirmationAndThenRestoresFactorySettings) {
  ASSERT_EQ(Run({"set", "brightness", "5", "game-mode", "off"}).exit_code, 0);
  ASSERT_EQ(Run({"assign", "Q", "disable"}).exit_code, 0);
  const CliResult refused = Run({"reset"});
  EXPECT_EQ(refused.exit_code, 2);
  EXPECT_THAT(refused.err, HasSubstr("--yes"));
  EXPECT_TRUE(FeaturesSent().empty());

  const CliResult reset = Run({"reset", "--yes"});
  ASSERT_EQ(reset.exit_code, 0) << reset.err;
  ASSERT_FALSE(FeaturesSent().empty());
  EXPECT_EQ(FeaturesSent().front(), "13 FF 00 00 00 00 00 ED");
  const JsonValue image = ReadJson();
  EXPECT_EQ(image["brightness"].Number(), 50);
  for (std::size_t slot = 0; slot < 126; ++slot) {
    EXPECT_TRUE(image["keys"][slot]["enabled"].Bool()) << slot;
  }
  std::string spare_bits;
  for (int byte = 0; byte < 21; ++byte) {
    spare_bits += "C0";
  }
  EXPECT_EQ(image["key_enable_mask_spare_bits"].String(), spare_bits) << "every mask byte FF";
  // The host's key settings went with it, so the next write has nothing to send.
  ASSERT_EQ(Run({"set", "brightness", "50"}).exit_code, 0);
  EXPECT_TRUE(WriteFeaturesSent().empty());
}

TEST_F(ChangeCommandsTest, ApplyWritesAProfileAndAShortOneFillsWhatItHolds) {
  const auto profile = dir / "bright.bin";
  ASSERT_EQ(Run({"read", "-o", profile.string()}).exit_code, 0);
  ASSERT_EQ(Run({"set", "brightness", "9", "report-rate", "0"}).exit_code, 0);
  const CliResult apply = Run({"apply", profile.string()});
  ASSERT_EQ(apply.exit_code, 0) << apply.err;
  JsonValue image = ReadJson();
  EXPECT_EQ(image["brightness"].Number(), 50);
  EXPECT_EQ(image["report_rate"].Number(), 3);

  // Only the image part: the keyboard's brightness from the file, the key action table kept.
  auto bytes = ReadBytes(profile);
  bytes.resize(10060);
  bytes[7452] = 33;
  const auto short_profile = dir / "short.bin";
  WriteBytes(short_profile, bytes);
  const CliResult short_apply = Run({"apply", short_profile.string()});
  ASSERT_EQ(short_apply.exit_code, 0) << short_apply.err;
  EXPECT_THAT(short_apply.out, HasSubstr("configuration only, no key assignments"));
  EXPECT_EQ(ReadJson()["brightness"].Number(), 33);

  const CliResult missing = Run({"apply", (dir / "none.bin").string()});
  EXPECT_EQ(missing.exit_code, 4);
  EXPECT_TRUE(FeaturesSent().empty());
  EXPECT_EQ(Run({"apply", dir.string()}).exit_code, 4) << "a folder is no profile";
}

}  // namespace
}  // namespace n240qx::testing
