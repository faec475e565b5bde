#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <fstream>

#include "CliFixture.h"
#include "sim/SimulatorStateFile.h"

namespace n240qx::testing {
namespace {

using ::testing::HasSubstr;

constexpr std::size_t kEffectSpeed = 7451;
constexpr std::size_t kLightDirection = 7454;

// A keyboard reporting direction 0 and device speed 0 (speed 10 in the image): values its
// controls never offer, which everything read from it must still carry back.
class ReportedValuesTest : public CliFixture {
 protected:
  ReportedValuesTest() {
    SimulatedMemory memory = SimulatedMemory::Factory();
    memory.light_direction = 0;
    memory.effect_speed = 0;
    WriteBytes(state_file, EncodeSimulatorState(memory));
  }
};

TEST_F(ReportedValuesTest, WhatTheKeyboardReportedRoundTripsAndOutOfRangeIsStillRefused) {
  const auto binary = dir / "read.bin";
  const auto json = dir / "read.json";
  ASSERT_EQ(Run({"read", "-o", binary.string()}).exit_code, 0);
  const auto read = ReadBytes(binary);
  ASSERT_EQ(read[kLightDirection], 0);
  ASSERT_EQ(read[kEffectSpeed], 10);
  const CliResult printed = Run({"read", "--json"});
  ASSERT_EQ(printed.exit_code, 0) << printed.err;
  std::ofstream(json) << printed.out;
  ASSERT_EQ(Run({"set", "brightness", "20"}).exit_code, 0) << "backs up the reported values";

  const struct {
    std::vector<std::string> words;
    const char* said;
  } kRoundTrips[] = {
      {{"apply", binary.string()}, "applied"},
      {{"restore", "1"}, "restored"},
      {{"apply", json.string()}, "applied"},
  };
  for (const auto& trip : kRoundTrips) {
    ASSERT_EQ(Run({"set", "brightness", "30"}).exit_code, 0);
    const CliResult result = Run(trip.words);
    EXPECT_EQ(result.exit_code, 0) << trip.words[0] << ": " << result.err;
    EXPECT_THAT(result.out, HasSubstr(trip.said)) << trip.words[0];
    const auto held = ReadBytes(data_dir / "keymap.bin");
    EXPECT_EQ(held[kLightDirection], 0) << trip.words[0];
    EXPECT_EQ(held[kEffectSpeed], 10) << trip.words[0];
  }

  for (const std::uint8_t direction : {5, 0xFF}) {
    auto outside = read;
    outside[kLightDirection] = direction;
    WriteBytes(dir / "outside.bin", outside);
    const CliResult refused = Run({"apply", (dir / "outside.bin").string()});
    EXPECT_EQ(refused.exit_code, 4) << int{direction};
    EXPECT_THAT(refused.err, HasSubstr("light_direction is " + std::to_string(direction)));
    EXPECT_TRUE(WriteFeaturesSent().empty()) << int{direction} << ": nothing may be written";
  }
}

}  // namespace
}  // namespace n240qx::testing
