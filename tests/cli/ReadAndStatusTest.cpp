#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cctype>

#include "CliFixture.h"
#include "JsonValue.h"

namespace n240qx::testing {
namespace {

using ::testing::HasSubstr;

bool UpperHex(const std::string& text, std::size_t length) {
  if (text.size() != length) {
    return false;
  }
  for (const char c : text) {
    if (std::isxdigit(static_cast<unsigned char>(c)) == 0 ||
        std::islower(static_cast<unsigned char>(c)) != 0) {
      return false;
    }
  }
  return true;
}

void ExpectHexStrings(const JsonValue& array, std::size_t count, std::size_t length,
                      const char* what) {
  ASSERT_TRUE(array.IsArray()) << what;
  ASSERT_EQ(array.Items().size(), count) << what;
  for (const JsonValue& item : array.Items()) {
    ASSERT_TRUE(item.IsString()) << what;
    EXPECT_TRUE(UpperHex(item.String(), length)) << what << ": " << item.String();
  }
}

class ReadAndStatusTest : public CliFixture {};

TEST_F(ReadAndStatusTest, ReadJsonIsOneObjectOfEveryField) {
  const CliResult read = Run({"--json", "read"});
  ASSERT_EQ(read.exit_code, 0) << read.err;
  const auto json = ParseJson(read.out);
  ASSERT_TRUE(json && json->IsObject()) << read.out;
  const JsonValue& image = *json;
  EXPECT_EQ(image["format"].String(), "n240qx-profile");
  EXPECT_EQ(image["version"].Number(), 3);
  for (const char* name : {"report_rate", "response_time", "effect_speed", "brightness"}) {
    ASSERT_TRUE(image[name].IsNumber()) << name;
  }
  // By name, as text read prints them: Wave lights every colour.
  EXPECT_EQ(image["colour_choice"].String(), "multicolour");
  EXPECT_TRUE(image["light_direction"].IsString());
  EXPECT_FALSE(image["game_mode"].Bool()) << "on/off settings are booleans";
  EXPECT_FALSE(image["windows_key_lock"].Bool());
  EXPECT_EQ(image["brightness"].Number(), 50) << "the simulator's factory brightness";
  EXPECT_EQ(image["light_effect"].String(), "Wave") << "effects by the name set takes";
  ExpectHexStrings(image["colour_slots"], 7, 6, "colour_slots");
  EXPECT_EQ(image["colour_slots"][0].String(), "FF0000");
  ASSERT_EQ(image["keys"].Items().size(), 128U);
  for (const JsonValue& key : image["keys"].Items()) {
    EXPECT_TRUE(UpperHex(key["map"].String(), 8)) << key["map"].String();
    EXPECT_TRUE(key["enabled"].IsBool());
    ASSERT_EQ(key["colours"].Items().size(), 5U);
  }
  EXPECT_EQ(image["keys"][9]["key"].String(), "Q");
  EXPECT_EQ(image["keys"][9]["map"].String(), "00001400") << "Q's slot holds Q";
  EXPECT_TRUE(UpperHex(image["key_enable_mask_spare_bits"].String(), 42));
  ASSERT_EQ(image["macros"].Items().size(), 32U);
  ASSERT_EQ(image["key_actions"].Items().size(), 255U);
  ASSERT_EQ(image["unnamed_bytes"].Members().size(), 4U);
  EXPECT_EQ(image["firmware"]["major"].Number(), 1);
  EXPECT_EQ(image["firmware"]["minor"].Number(), 5);
  EXPECT_EQ(image.Members().size(), 18U) << "no field more, none less";
}

TEST_F(ReadAndStatusTest, RawReadNamesEveryFieldAndSavesAProfile) {
  const auto profile = dir / "saved.bin";
  const CliResult read = Run({"read", "--raw", "-o", profile.string()});
  ASSERT_EQ(read.exit_code, 0) << read.err;
  for (const char* name :
       {"firmware: 1.5", "report_rate: 3", "brightness: 50", "light_effect: 3 (Wave)",
        "colour_slots: FF0000", "key_enable_mask:", "key_map:", "key_colour_tables:", "macros:"}) {
    EXPECT_THAT(read.out, HasSubstr(name));
  }
  const auto bytes = ReadBytes(profile);
  ASSERT_EQ(bytes.size(), 206920U);
  EXPECT_EQ(bytes[7452], 50) << "brightness at its image offset";
  EXPECT_EQ(bytes[792 + 4 * 9 + 2], 0x14) << "Q's key map entry";
  // The key action table follows the image, each key's own code restored.
  EXPECT_EQ(bytes[10060 + 42 * 772], 0x51) << "key 42 is Q";
}

TEST_F(ReadAndStatusTest, StatusNamesKeyboardFirmwareAndTheShippedVersion) {
  const CliResult status = Run({"status"});
  ASSERT_EQ(status.exit_code, 0) << status.err;
  EXPECT_THAT(status.out, HasSubstr("keyboard: found (simulated)"));
  EXPECT_THAT(status.out, HasSubstr("firmware: 1.5"));
  EXPECT_THAT(status.out, HasSubstr("VER.bin"));

  const CliResult json_status = Run({"status", "--json"});
  ASSERT_EQ(json_status.exit_code, 0);
  const auto json = ParseJson(json_status.out);
  ASSERT_TRUE(json && json->IsObject()) << json_status.out;
  EXPECT_TRUE((*json)["keyboard"].Bool());
  EXPECT_EQ((*json)["firmware"]["major"].Number(), 1);
  EXPECT_TRUE((*json)["update_offered"].IsBool());
  EXPECT_THAT((*json)["version_file"].String(), HasSubstr("VER.bin"));
  EXPECT_TRUE(FeaturesSent().size() == 1) << "only the firmware read";
}

TEST_F(ReadAndStatusTest, AnUpdateIsOfferedWhenVerBinIsNewer) {
  const auto share_dir = data_dir / "share";
  std::filesystem::create_directories(share_dir);
  WriteBytes(share_dir / "VER.bin", {'V', 'E', 'R', ':', ' ', '2', '.', '0', ' ', ' ', ' ', ' '});
  const CliResult status = Run({"--json", "--share-dir", share_dir.string(), "status"});
  ASSERT_EQ(status.exit_code, 0) << status.err;
  const auto json = ParseJson(status.out);
  ASSERT_TRUE(json) << status.out;
  EXPECT_EQ((*json)["shipped_firmware"]["major"].Number(), 2);
  EXPECT_TRUE((*json)["update_offered"].Bool());
}

TEST_F(ReadAndStatusTest, WithoutAKeyboardTheExitStatusIsOne) {
  // No --simulate: the real HID devices of this machine, where the keyboard is not attached.
  const CliResult status = RunBare({"--data-dir", data_dir.string(), "status"});
  ASSERT_EQ(status.exit_code, 1) << status.out << status.err;
  EXPECT_THAT(status.out, HasSubstr("keyboard: not found"));
  const CliResult json = RunBare({"--json", "--data-dir", data_dir.string(), "status"});
  EXPECT_EQ(json.exit_code, 1);
  const auto result = ParseJson(json.out);
  ASSERT_TRUE(result) << "one JSON object, nothing else: " << json.out;
  EXPECT_FALSE((*result)["keyboard"].Bool());
  const CliResult read = RunBare({"--data-dir", data_dir.string(), "read"});
  EXPECT_EQ(read.exit_code, 1);
  EXPECT_TRUE(read.out.empty());
}

TEST_F(ReadAndStatusTest, TheSimulatedKeyboardKeepsItsMemoryInTheStateFile) {
  ASSERT_EQ(Run({"set", "brightness", "12"}).exit_code, 0);
  const auto json = ParseJson(Run({"--json", "read"}).out);
  ASSERT_TRUE(json);
  EXPECT_EQ((*json)["brightness"].Number(), 12);
}

TEST_F(ReadAndStatusTest, ADamagedStateFileIsRefusedWithStatusFour) {
  WriteBytes(state_file, std::vector<std::uint8_t>(100, 0x5A));
  const CliResult read = Run({"read"});
  EXPECT_EQ(read.exit_code, 4);
  EXPECT_FALSE(read.err.empty());
}

TEST_F(ReadAndStatusTest, UsageErrorsEndWithStatusTwo) {
  EXPECT_EQ(RunBare({}).exit_code, 2);
  EXPECT_EQ(Run({"dance"}).exit_code, 2);
  EXPECT_EQ(Run({"status", "now"}).exit_code, 2);
  EXPECT_EQ(Run({"read", "-x"}).exit_code, 2);
  EXPECT_EQ(RunBare({"--wire-log"}).exit_code, 2);
  const CliResult help = RunBare({"--help"});
  EXPECT_EQ(help.exit_code, 0);
  EXPECT_THAT(help.out, HasSubstr("assign KEY ACTION"));
  EXPECT_TRUE(FeaturesSent().empty());
}

}  // namespace
}  // namespace n240qx::testing
