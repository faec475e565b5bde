#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/session/SessionFixture.h"
#include "image/ImageField.h"

namespace n240qx::testing {
namespace {

using ::testing::HasSubstr;

class ReadTest : public SessionFixture {
 protected:
  void SetUp() override {
    StartSession();
    auto connected = Await<Status>([&](auto done) { session->Connect(std::move(done)); });
    ASSERT_TRUE(connected && connected->ok());
  }
};

TEST_F(ReadTest, AFullReadBringsEveryRegionAndTheFirmwareVersionAndObservesItsPauses) {
  SimulatedMemory memory = SimulatedMemory::Factory();
  memory.firmware_major = 2;
  memory.firmware_minor = 3;
  memory.response_time = 4;
  memory.effect_speed = 2;
  memory.macros[192 * 31 + 5] = 0x66;
  memory.colour_tables[512 * 4 + 9] = 0x77;
  memory.key_enable_mask[1] = 0x3E;
  sim.SetMemory(memory);
  const auto slept = clock.SleptMs();
  auto read = FullRead();
  ASSERT_TRUE(read && read->ok()) << (read ? read->error().message : "hang");
  EXPECT_EQ(clock.SleptMs() - slept, 2609);
  state->ApplyFullRead(**read);
  EXPECT_EQ(state->firmware(), (FirmwareVersion{2, 3}));
  EXPECT_EQ(state->image().response_time(), 3);
  EXPECT_EQ(state->image().effect_speed(), 8);
  EXPECT_EQ(state->image().Field(image_field::MacroRecord(31))[5], 0x66);
  EXPECT_EQ(state->image().Field(image_field::ColourTable(4))[9], 0x77);
  EXPECT_EQ(state->image().windows_key_lock(), 1);
  EXPECT_TRUE(state->image().bytes() == state->snapshot().bytes());
  ASSERT_FALSE(progress.empty());
  EXPECT_EQ(progress.back(), (SequenceProgress{SequenceKind::kFullRead, 52, 52}));
}

TEST_F(ReadTest, ReservedBytesAndHostOnlyDataSurviveARead) {
  state->ImageForEditing().bytes()[3] = 0xAB;
  state->ImageForEditing().bytes()[image_field::kImageSize - 1] = 0xCD;
  state->KeyActionsForEditing()[40].kind = 5;
  auto read = FullRead();
  ASSERT_TRUE(read && read->ok());
  state->ApplyFullRead(**read);
  EXPECT_EQ(state->image().bytes()[3], 0xAB);
  EXPECT_EQ(state->image().bytes()[image_field::kImageSize - 1], 0xCD);
  EXPECT_EQ(state->key_actions()[40].kind, 5);
  EXPECT_NE(state->key_actions_snapshot()[40].kind, 5) << "the full read leaves that snapshot";
}

TEST_F(ReadTest, AReadThatFailsNamesTheCommandAndChangesNothing) {
  state->ImageForEditing().brightness() = 44;
  const auto image = state->image().bytes();
  sim.FailTransfers(TransferKind::kDataIn, 1);
  auto read = FullRead();
  ASSERT_TRUE(read && !read->ok());
  EXPECT_EQ(read->error().code, ErrorCode::kIo);
  EXPECT_THAT(read->error().message, HasSubstr("ReadKeyMap"));
  EXPECT_TRUE(state->image().bytes() == image);
}

TEST_F(ReadTest, AKeyboardThatStopsAnsweringEndsTheReadWithATimeout) {
  sim.StopAnswering();
  auto read = FullRead();
  ASSERT_TRUE(read && !read->ok());
  EXPECT_EQ(read->error().code, ErrorCode::kTimeout);
  EXPECT_THAT(read->error().message, HasSubstr("ReadFirmwareVersion"));
}

TEST_F(ReadTest, TheFirmwareReadAloneSendsOneCommand) {
  sim.SetFirmwareVersion(1, 4);
  auto version = Await<Result<FirmwareVersion>>([&](auto done) { session->ReadFirmware(done); });
  ASSERT_TRUE(version && version->ok());
  EXPECT_EQ(**version, (FirmwareVersion{1, 4}));
  EXPECT_EQ(CodesSent(), std::vector<std::uint8_t>{0x80});
}

TEST(SessionWithoutKeyboard, ConnectSaysSoAndEverySequenceRefuses) {
  // No fixture session here: the simulator starts unplugged.
  SimulatedLink sim;
  sim.Unplug();
  VirtualClock clock;
  QueueDispatcher dispatcher;
  ConfiguratorState state;
  ConfiguratorSessionEvents events(state);
  DeviceSession session(sim, clock, dispatcher, events);
  std::optional<Status> connected;
  session.Connect([&](Status status) { connected = status; });
  std::optional<WriteOutcome> written;
  session.WriteChanges(state.image(), state.snapshot(),
                       [&](WriteOutcome outcome) { written = outcome; });
  while (!connected || !written) {
    ASSERT_TRUE(dispatcher.RunOne(kHangLimit));
  }
  ASSERT_FALSE(connected->ok());
  EXPECT_EQ(connected->error().code, ErrorCode::kNotFound);
  ASSERT_FALSE(written->status.ok());
  EXPECT_EQ(written->status.error().code, ErrorCode::kNotOpen);
}

TEST(SessionWithoutKeyboard, AKeyboardInUpdateModeIsNamedAsSuch) {
  SimulatedLink sim;
  sim.EnterUpdateMode();
  VirtualClock clock;
  QueueDispatcher dispatcher;
  ConfiguratorState state;
  ConfiguratorSessionEvents events(state);
  DeviceSession session(sim, clock, dispatcher, events);
  std::optional<Status> connected;
  session.Connect([&](Status status) { connected = status; });
  while (!connected) {
    ASSERT_TRUE(dispatcher.RunOne(kHangLimit));
  }
  ASSERT_FALSE(connected->ok());
  EXPECT_THAT(connected->error().message, HasSubstr("firmware-update mode"));
}

TEST(SessionWithoutKeyboard, ANodeClosedToThisUserNamesTheUdevRule) {
  SimulatedLink sim;
  sim.SetPermissionDenied(true);
  VirtualClock clock;
  QueueDispatcher dispatcher;
  ConfiguratorState state;
  ConfiguratorSessionEvents events(state);
  DeviceSession session(sim, clock, dispatcher, events);
  std::optional<Status> connected;
  session.Connect([&](Status status) { connected = status; });
  while (!connected) {
    ASSERT_TRUE(dispatcher.RunOne(kHangLimit));
  }
  ASSERT_FALSE(connected->ok());
  EXPECT_EQ(connected->error().code, ErrorCode::kPermissionDenied);
  EXPECT_THAT(connected->error().message, HasSubstr("udev rule"));
}

}  // namespace
}  // namespace n240qx::testing
