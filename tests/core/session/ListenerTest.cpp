#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/session/SessionFixture.h"

namespace n240qx::testing {
namespace {

using ::testing::ElementsAre;

class ListenerTest : public SessionFixture {
 protected:
  void SetUp() override { ConnectAndRead(); }
};

TEST_F(ListenerTest, ASpeedChangeOnTheKeyboardLandsInImageAndSnapshotAndIsNotSentBack) {
  ASSERT_NE(state->image().effect_speed(), 7);
  sim.SendLightingChange(3, 3);
  ASSERT_TRUE(PumpUntil([&] { return state->image().effect_speed() == 7; }));
  EXPECT_EQ(state->snapshot().effect_speed(), 7);
  EXPECT_TRUE(state->repaint().repaint_pending());

  auto outcome = Apply();
  ASSERT_TRUE(outcome && outcome->status.ok());
  EXPECT_THAT(CodesSent(), ElementsAre(0x18, 0x18));
}

TEST_F(ListenerTest, AnyOtherKindIsALaunchKeyPressCarryingByteTwo) {
  sim.SendEventReport(2, 0x15, 0);
  ASSERT_TRUE(PumpUntil([&] { return !launches.empty(); }));
  EXPECT_THAT(launches, ElementsAre(0x15));
  EXPECT_TRUE(state->image().bytes() == state->snapshot().bytes()) << "nothing else changed";
}

TEST_F(ListenerTest, AnAcknowledgementIsNeitherALaunchNorALightingChange) {
  const auto image = state->image().bytes();
  sim.SendEventReport(4, 0, 0);
  sim.SendEventReport(7, 0x21, 0);
  ASSERT_TRUE(PumpUntil([&] { return !launches.empty(); }));
  EXPECT_THAT(launches, ElementsAre(0x21));
  EXPECT_TRUE(state->image().bytes() == image);
  EXPECT_FALSE(state->repaint().repaint_pending());
}

TEST_F(ListenerTest, ArrivalWithTheCommandHandleOpenChangesNothing) {
  const auto image = state->image().bytes();
  const auto slept = clock.SleptMs();
  session->OnDeviceArrival();
  // The worker runs one thing at a time: once this answers, the arrival has been handled.
  auto connected = Await<Status>([&](auto done) { session->Connect(std::move(done)); });
  ASSERT_TRUE(connected && connected->ok());
  EXPECT_TRUE(wire.Entries().empty()) << "not one report on the wire";
  EXPECT_EQ(clock.SleptMs() - slept, 2000) << "only the settle pause";
  EXPECT_TRUE(arrivals.empty());
  EXPECT_TRUE(connections.empty());
  EXPECT_TRUE(state->image().bytes() == image);
}

TEST_F(ListenerTest, RemovalOfAnotherDeviceLeavesTheKeyboardsHandlesAlone) {
  session->OnDeviceRemoval();
  auto connected = Await<Status>([&](auto done) { session->Connect(std::move(done)); });
  ASSERT_TRUE(connected && connected->ok());
  EXPECT_TRUE(connections.empty());
  const std::uint8_t game_mode = state->image().game_mode() ^ 1;
  state->ImageForEditing().game_mode() = game_mode;
  auto outcome = Apply();
  ASSERT_TRUE(outcome && outcome->status.ok()) << outcome->status.error().message;
  EXPECT_EQ(sim.Memory().game_mode, game_mode);
}

}  // namespace
}  // namespace n240qx::testing
