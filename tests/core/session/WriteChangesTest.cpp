#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/session/SessionFixture.h"
#include "image/ImageField.h"
#include "lighting/KeyboardLightingChange.h"
#include "support/Hex.h"

namespace n240qx::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

constexpr std::uint8_t kBracket = 0x18;
constexpr std::uint8_t kLighting = 0x08;
constexpr std::uint8_t kGameMode = 0x09;
constexpr std::uint8_t kReportRate = 0x01;
constexpr std::uint8_t kKeyMap = 0x0D;
constexpr std::uint8_t kMask = 0x0E;
constexpr std::uint8_t kColourSlot = 0x14;

class WriteChangesTest : public SessionFixture {
 protected:
  void SetUp() override { ConnectAndRead(); }
};

TEST_F(WriteChangesTest, NothingChangedSendsOnlyTheTwoBrackets) {
  auto outcome = Apply();
  ASSERT_TRUE(outcome);
  ASSERT_TRUE(outcome->status.ok()) << outcome->status.error().message;
  EXPECT_THAT(FeaturesSent(), ElementsAre(ElementsAre(0, kBracket, 1, 0, 0, 0, 0, 0, 0xE6),
                                          ElementsAre(0, kBracket, 0, 0, 0, 0, 0, 0, 0xE7)));
  EXPECT_EQ(outcome->acknowledgements_waited, 0);
  EXPECT_EQ(progress.back(), (SequenceProgress{SequenceKind::kWrite, 2, 2}));
}

TEST_F(WriteChangesTest, OneLightingByteSendsTheTwoFramesAndWaitsOnce) {
  state->ImageForEditing().brightness() = 20;
  auto outcome = Apply();
  ASSERT_TRUE(outcome && outcome->status.ok());
  const auto sent = FeaturesSent();
  ASSERT_THAT(CodesSent(), ElementsAre(kBracket, kLighting, kLighting, kBracket));
  EXPECT_EQ(sent[1][2], 1) << "opening frame first";
  EXPECT_EQ(sent[1][5], 0) << "the opening frame keeps the keys dark: " << Hex(sent[1]);
  EXPECT_EQ(sent[2][2], 2);
  EXPECT_EQ(sent[2][5], 20) << Hex(sent[2]);
  EXPECT_EQ(outcome->acknowledgements_waited, 1);
  EXPECT_EQ(state->snapshot().brightness(), 20);
  EXPECT_EQ(sim.Memory().brightness, 20);
}

TEST_F(WriteChangesTest, ColourSlotsAloneSendTheLightingFramesAndSevenSlots) {
  state->ImageForEditing().Field(image_field::ColourSlot(3))[1] = 0x42;
  auto outcome = Apply();
  ASSERT_TRUE(outcome && outcome->status.ok());
  std::vector<std::uint8_t> expected = {kBracket, kLighting};
  expected.insert(expected.end(), 7, kColourSlot);
  expected.insert(expected.end(), {kLighting, kBracket});
  EXPECT_THAT(CodesSent(), ElementsAreArray(expected));
  const auto sent = FeaturesSent();
  for (std::uint8_t slot = 0; slot < 7; ++slot) {
    EXPECT_EQ(sent[2 + slot][3], slot) << Hex(sent[2 + slot]);
  }
  EXPECT_EQ(outcome->acknowledgements_waited, 2);
  EXPECT_EQ(sim.Memory().colour_slots[3 * 3 + 1], 0x42);
  EXPECT_TRUE(state->image().bytes() == state->snapshot().bytes());
}

TEST_F(WriteChangesTest, RegionsGoInTheKeyboardsOrderEachAcknowledged) {
  const std::uint8_t game_mode = state->image().game_mode() ^ 1;
  state->ImageForEditing().game_mode() = game_mode;
  state->ImageForEditing().report_rate() = 1;
  state->ImageForEditing().key_map()[4 * 20 + 2] = 0x05;
  state->ImageForEditing().SetKeyEnabled(30, false);
  auto outcome = Apply();
  ASSERT_TRUE(outcome && outcome->status.ok()) << outcome->status.error().message;
  EXPECT_THAT(CodesSent(), ElementsAre(kBracket, kLighting, kGameMode, kReportRate, kKeyMap, kMask,
                                       kLighting, kBracket));
  EXPECT_EQ(outcome->acknowledgements_waited, 5);
  const auto memory = sim.Memory();
  EXPECT_EQ(memory.game_mode, game_mode);
  EXPECT_EQ(memory.key_map[4 * 20 + 2], 0x05);
  EXPECT_EQ(memory.key_enable_mask[5] & 0x01, 0);
  EXPECT_THAT(CodesSent(), ::testing::Contains(kMask));
  wire.Clear();
  auto again = Apply();
  ASSERT_TRUE(again && again->status.ok());
  EXPECT_THAT(CodesSent(), ElementsAre(kBracket, kBracket)) << "a second write finds nothing";
}

TEST_F(WriteChangesTest, AWindowsKeyLockTakenFromAFileIsFoldedIntoTheMaskSent) {
  state->ImageForEditing().windows_key_lock() = 1;
  state->ImageForEditing().key_enable_mask()[1] = 0x3F;
  auto outcome = Apply();
  ASSERT_TRUE(outcome && outcome->status.ok());
  EXPECT_EQ(sim.Memory().key_enable_mask[1], 0x3E);
  EXPECT_EQ(state->image().key_enable_mask()[1], 0x3E);
  EXPECT_EQ(state->snapshot().key_enable_mask()[1], 0x3E);
}

TEST_F(WriteChangesTest, ADroppedAcknowledgementEndsTheWriteAndTheNextWriteResends) {
  const std::uint8_t game_mode = state->image().game_mode() ^ 1;
  state->ImageForEditing().game_mode() = game_mode;
  const auto before = state->snapshot().bytes();
  // The bracket's acknowledgement and the opening frame's: the first wait finds none.
  sim.DropAcknowledgements(2);
  auto failed = Apply();
  ASSERT_TRUE(failed);
  ASSERT_FALSE(failed->status.ok());
  EXPECT_EQ(failed->status.error().code, ErrorCode::kTimeout);
  EXPECT_THAT(failed->status.error().message, ::testing::HasSubstr("opening frame"));
  EXPECT_TRUE(failed->acknowledged.empty());
  EXPECT_TRUE(state->snapshot().bytes() == before) << "nothing was acknowledged";
  // The keyboard is not left dark inside an open bracket.
  EXPECT_THAT(CodesSent(), ElementsAre(kBracket, kLighting, kLighting, kBracket));
  EXPECT_EQ(sim.Memory().brightness, state->image().brightness());

  wire.Clear();
  auto retried = Apply();
  ASSERT_TRUE(retried && retried->status.ok()) << retried->status.error().message;
  EXPECT_THAT(CodesSent(), ElementsAre(kBracket, kLighting, kGameMode, kLighting, kBracket));
  EXPECT_EQ(sim.Memory().game_mode, game_mode);
}

TEST_F(WriteChangesTest, OnlyAcknowledgedRegionsReachTheSnapshot) {
  const std::uint8_t game_mode = state->image().game_mode() ^ 1;
  state->ImageForEditing().game_mode() = game_mode;
  state->ImageForEditing().report_rate() = 0;
  state->ImageForEditing().key_map()[8] = 0x07;
  // From the report rate on, the keyboard acknowledges nothing.
  paced.SetBeforeFeature([this](std::span<const std::uint8_t> feature) {
    if (feature[1] == kReportRate) {
      sim.DropAcknowledgements(kEveryTime);
    }
  });
  auto failed = Apply();
  ASSERT_TRUE(failed && !failed->status.ok());
  EXPECT_EQ(failed->status.error().code, ErrorCode::kTimeout);
  EXPECT_THAT(failed->status.error().message, ::testing::HasSubstr("WriteReportRate"));
  ASSERT_EQ(failed->acknowledged.size(), 1U);
  EXPECT_EQ(failed->acknowledged[0].name, "game mode");
  EXPECT_EQ(state->snapshot().game_mode(), game_mode);
  EXPECT_NE(state->snapshot().report_rate(), 0) << "not acknowledged: kept old";
  EXPECT_NE(state->snapshot().key_map()[8], 0x07) << "never sent: kept old";

  paced.SetBeforeFeature({});
  sim.ClearFaults();
  wire.Clear();
  auto retried = Apply();
  ASSERT_TRUE(retried && retried->status.ok());
  EXPECT_THAT(CodesSent(),
              ElementsAre(kBracket, kLighting, kReportRate, kKeyMap, kLighting, kBracket));
}

TEST_F(WriteChangesTest, LightingChangedOnTheKeyboardMidWriteIsWhatTheClosingFrameCarries) {
  state->ImageForEditing().game_mode() ^= 1;
  const std::uint8_t brightness = state->image().brightness() == 7 ? 8 : 7;
  paced.SetBeforeFeature([&](std::span<const std::uint8_t> feature) {
    if (feature[1] == kGameMode) {
      sim.SendLightingChange(KeyboardLightingChange::kBrightness, brightness);
      sim.SendLightingChange(KeyboardLightingChange::kSpeed, 3);
    }
  });
  auto outcome = Apply();
  ASSERT_TRUE(outcome && outcome->status.ok()) << outcome->status.error().message;
  const auto sent = FeaturesSent();
  ASSERT_GE(sent.size(), 2U);
  const auto& closing = sent[sent.size() - 2];
  ASSERT_EQ(closing[1], kLighting);
  EXPECT_EQ(closing[5], brightness) << Hex(closing);
  EXPECT_EQ(closing[4], 3) << "speed as the keyboard counts it: " << Hex(closing);
  EXPECT_EQ(sim.Memory().brightness, brightness);
  EXPECT_EQ(state->image().brightness(), brightness);
  EXPECT_EQ(state->image().effect_speed(), 7);
  EXPECT_TRUE(state->image().FieldEquals(state->snapshot(), image_field::kLighting));
}

TEST_F(WriteChangesTest, AWriteWithTheKeyboardGoneSendsNothing) {
  const std::uint8_t game_mode = state->image().game_mode() ^ 1;
  state->ImageForEditing().game_mode() = game_mode;
  sim.Unplug();
  auto outcome = Apply();
  ASSERT_TRUE(outcome && !outcome->status.ok());
  EXPECT_TRUE(CodesSent().empty());
  EXPECT_NE(state->snapshot().game_mode(), game_mode);
}

}  // namespace
}  // namespace n240qx::testing
