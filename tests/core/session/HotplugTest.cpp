#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>

#include "core/session/SessionFixture.h"
#include "image/ImageField.h"
#include "keys/KeyTable.h"
#include "keys/KeymapStore.h"
#include "util/AtomicFile.h"

namespace n240qx::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

constexpr std::uint8_t kReadColourTable = 0x92;

class HotplugTest : public SessionFixture {};

TEST_F(HotplugTest, UnplugInTheMiddleOfAReadEndsItAndLeavesTheImageAsItWas) {
  ConnectAndRead();
  state->ImageForEditing().brightness() = 33;  // an edit not yet applied
  const auto image = state->image().bytes();
  const auto snapshot = state->snapshot().bytes();
  paced.SetBeforeFeature([this](std::span<const std::uint8_t> feature) {
    if (feature[1] == kReadColourTable && feature[3] == 2) {
      sim.Unplug();
    }
  });
  auto read = FullRead();
  ASSERT_TRUE(read);
  ASSERT_FALSE(read->ok());
  EXPECT_EQ(read->error().code, ErrorCode::kDisconnected);
  EXPECT_THAT(read->error().message, HasSubstr("ReadColourTable 2"));
  EXPECT_TRUE(state->image().bytes() == image);
  EXPECT_TRUE(state->snapshot().bytes() == snapshot);

  ASSERT_TRUE(PumpUntil([&] { return !connections.empty(); }));
  EXPECT_THAT(connections, ElementsAre(false));
  paced.SetBeforeFeature({});
  auto no_keyboard = FullRead();
  ASSERT_TRUE(no_keyboard && !no_keyboard->ok());
  EXPECT_EQ(no_keyboard->error().code, ErrorCode::kNotOpen);

  // Back again: the arrival re-reads the keyboard into image and snapshot.
  sim.Replug();
  ASSERT_TRUE(PumpUntil([&] { return !arrivals.empty(); }));
  EXPECT_THAT(connections, ElementsAre(false, true));
  EXPECT_TRUE(arrivals[0].first.device.ok()) << arrivals[0].first.device.error().message;
  EXPECT_TRUE(arrivals[0].first.store.ok());
  EXPECT_FALSE(arrivals[0].second);
  EXPECT_EQ(state->image().brightness(), sim.Memory().brightness);
  EXPECT_EQ(state->snapshot().brightness(), sim.Memory().brightness);
  const std::uint8_t game_mode = state->image().game_mode() ^ 1;
  state->ImageForEditing().game_mode() = game_mode;
  auto outcome = Apply();
  ASSERT_TRUE(outcome && outcome->status.ok()) << outcome->status.error().message;
  EXPECT_EQ(sim.Memory().game_mode, game_mode);
}

TEST_F(HotplugTest, AnArrivalSaysWhetherTheKeyboardCanBeHeardAgain) {
  ConnectAndRead();
  for (const bool refused : {true, false}) {
    SCOPED_TRACE(refused ? "event interface refused" : "event interface opened");
    const auto removals = std::ranges::count(connections, false);
    sim.Unplug();
    ASSERT_TRUE(PumpUntil([&] { return std::ranges::count(connections, false) > removals; }));
    arrivals.clear();
    arrivals_listening.clear();
    paced.RefuseEventOpens(refused);
    sim.Replug();
    ASSERT_TRUE(PumpUntil([&] { return !arrivals.empty(); }));
    EXPECT_TRUE(arrivals[0].first.device.ok()) << "the re-read itself worked";
    EXPECT_THAT(arrivals_listening, ElementsAre(!refused));
  }
}

TEST_F(HotplugTest, AnEventInterfaceThatCouldNotBeOpenedIsTriedAgainAtTheNextArrival) {
  ConnectAndRead();
  sim.Unplug();
  ASSERT_TRUE(PumpUntil([&] { return !connections.empty(); }));
  paced.RefuseEventOpens(true);
  sim.Replug();
  ASSERT_TRUE(PumpUntil([&] { return arrivals.size() == 1; }));
  paced.RefuseEventOpens(false);
  session->OnDeviceArrival();
  ASSERT_TRUE(PumpUntil([&] { return arrivals.size() == 2; }));
  EXPECT_THAT(arrivals_listening, ElementsAre(false, true));
  state->ImageForEditing().game_mode() ^= 1;
  auto outcome = Apply();
  ASSERT_TRUE(outcome && outcome->status.ok()) << outcome->status.error().message;
  EXPECT_EQ(sim.Memory().game_mode, state->image().game_mode());
}

TEST_F(HotplugTest, AKeyboardJustPluggedInIsLeftToSettleBeforeItIsOpened) {
  DeviceSessionOptions options = FastOptions();
  StartSession(options, false);
  const auto slept = clock.SleptMs();
  paced.SetBeforeFeature([&](std::span<const std::uint8_t>) {
    EXPECT_GE(clock.SleptMs() - slept, options.arrival_settle_ms) << "a command before the pause";
  });
  auto connected = Await<Status>([&](auto done) { session->ConnectAfterArrival(std::move(done)); });
  ASSERT_TRUE(connected && connected->ok());
  EXPECT_GE(clock.SleptMs() - slept, options.arrival_settle_ms);
  ASSERT_TRUE(FullRead());
}

TEST_F(HotplugTest, UnplugInTheMiddleOfAWriteKeepsWhatWasAcknowledged) {
  ConnectAndRead();
  const std::uint8_t game_mode = state->image().game_mode() ^ 1;
  state->ImageForEditing().game_mode() = game_mode;
  state->ImageForEditing().key_map()[12] = 0x07;
  paced.SetBeforeFeature([this](std::span<const std::uint8_t> feature) {
    if (feature[1] == 0x0D) {
      sim.Unplug();
    }
  });
  auto outcome = Apply();
  ASSERT_TRUE(outcome && !outcome->status.ok());
  EXPECT_EQ(outcome->status.error().code, ErrorCode::kDisconnected);
  EXPECT_THAT(outcome->status.error().message, HasSubstr("WriteKeyMap"));
  EXPECT_EQ(state->snapshot().game_mode(), game_mode) << "acknowledged before the unplug";
  EXPECT_NE(state->snapshot().key_map()[12], 0x07);
  EXPECT_EQ(state->image().key_map()[12], 0x07) << "the edit itself is kept";
}

TEST_F(HotplugTest, UnplugWhileWaitingForAnAcknowledgementEndsTheWaitAtOnce) {
  DeviceSessionOptions options = FastOptions();
  options.ack_timeout = std::chrono::seconds(10);
  StartSession(options);
  ConnectAndRead();
  // Every step up to the game mode is acknowledged; its acknowledgement is late, and the
  // keyboard goes while the write waits for it.
  paced.SetBeforeFeature([this](std::span<const std::uint8_t> feature) {
    if (feature[1] == 0x09) {
      sim.DelayAcknowledgements(std::chrono::seconds(30));
    }
  });
  paced.SetAfterFeature([this](std::span<const std::uint8_t> feature) {
    if (feature[1] == 0x09) {
      sim.Unplug();
    }
  });
  const std::uint8_t game_mode = state->image().game_mode() ^ 1;
  state->ImageForEditing().game_mode() = game_mode;
  const auto started = std::chrono::steady_clock::now();
  auto outcome = Apply();
  ASSERT_TRUE(outcome && !outcome->status.ok());
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::seconds(5));
  EXPECT_EQ(outcome->status.error().code, ErrorCode::kDisconnected);
  EXPECT_TRUE(outcome->acknowledged.empty());
  EXPECT_NE(state->snapshot().game_mode(), game_mode);
}

TEST_F(HotplugTest, AWriteAskedForBeforeAnArrivalsReReadSendsNothingStale) {
  StartSession(FastOptions(), false);
  ConnectAndRead();
  sim.Unplug();
  // Changed on another machine while it was away.
  SimulatedMemory changed = sim.Memory();
  const std::uint8_t brightness = changed.brightness == 9 ? 10 : 9;
  changed.brightness = brightness;
  sim.SetMemory(changed);
  sim.Replug();
  const std::uint8_t game_mode = changed.game_mode;
  state->ImageForEditing().game_mode() ^= 1;
  session->OnDeviceArrival();
  auto outcome = Apply();
  ASSERT_TRUE(outcome);
  EXPECT_FALSE(outcome->status.ok()) << "the write was built before the re-read";
  ASSERT_TRUE(PumpUntil([&] { return arrival_running.size() == 2; }));
  EXPECT_THAT(arrival_running, ElementsAre(true, false));
  EXPECT_EQ(sim.Memory().brightness, brightness);
  EXPECT_EQ(sim.Memory().game_mode, game_mode);
  EXPECT_EQ(state->image().brightness(), brightness);
  EXPECT_EQ(state->snapshot().brightness(), brightness);
}

TEST_F(HotplugTest, AKeyboardBackFromFirmwareUpdateIsResetToFactorySettings) {
  SimulatedMemory changed = SimulatedMemory::Factory();
  changed.brightness = 7;
  changed.key_enable_mask[3] = 0x2F;
  changed.macros[5] = 0x44;
  sim.SetMemory(changed);
  ConnectAndRead();
  state->KeyActionsForEditing()[12].kind = 3;
  state->KeyActionsForEditing()[12].data[0] = 0x03;
  state->CopyToSnapshots();
  ASSERT_TRUE(state->Refresh().ok());
  ASSERT_TRUE(state->customised().IsSet(12));

  sim.EnterUpdateMode();
  ASSERT_TRUE(PumpUntil([&] { return !connections.empty(); }));
  EXPECT_THAT(connections, ElementsAre(false));
  // Once this answers, the arrival in update mode has been handled: the worker runs in order.
  auto closed = Await<Result<FirmwareVersion>>([&](auto done) { session->ReadFirmware(done); });
  ASSERT_TRUE(closed && !closed->ok());
  EXPECT_TRUE(arrivals.empty()) << "nothing to read in update mode";
  sim.LeaveUpdateMode();
  ASSERT_TRUE(PumpUntil([&] { return !arrivals.empty(); }));
  ASSERT_TRUE(arrivals[0].first.device.ok()) << arrivals[0].first.device.error().message;
  ASSERT_TRUE(arrivals[0].first.store.ok());
  EXPECT_TRUE(arrivals[0].second) << "the reset after an update ran";
  EXPECT_THAT(CodesSent(), ::testing::Contains(0x13));

  SimulatedMemory factory = SimulatedMemory::Factory();
  // SelectModeOne carries 0x09 with 1, which the keyboard also takes as game mode.
  factory.game_mode = sim.Memory().game_mode;
  EXPECT_TRUE(sim.Memory() == factory);
  EXPECT_EQ(state->image().brightness(), factory.brightness);
  for (const std::uint8_t byte : state->image().key_enable_mask()) {
    EXPECT_EQ(byte, 0xFF);
  }
  EXPECT_EQ(state->key_actions()[12].kind, 0);
  EXPECT_EQ(state->key_actions()[12].data[0], 0);
  EXPECT_EQ(state->key_actions()[12].key_vk, KeyTable::VirtualKeyOf(12).value_or(0));
  EXPECT_FALSE(state->customised().IsSet(12));
  EXPECT_TRUE(state->image().bytes() == state->snapshot().bytes());
  EXPECT_TRUE(state->key_actions() == state->key_actions_snapshot());
  auto stored = ReadFilePrefix(dir.path() / "keymap.bin", kKeymapStoreSize + 1);
  ASSERT_TRUE(stored.ok());
  EXPECT_EQ(stored->size(), kKeymapStoreSize);
  EXPECT_TRUE(*stored == EncodeKeymapStore(state->image(), state->key_actions()));

  // The flag is spent: the next plug-in is an ordinary one.
  wire.Clear();
  sim.Unplug();
  sim.Replug();
  ASSERT_TRUE(PumpUntil([&] { return arrivals.size() == 2; }));
  EXPECT_FALSE(arrivals[1].second);
  EXPECT_THAT(CodesSent(), ::testing::Not(::testing::Contains(0x13)));
}

TEST_F(HotplugTest, FactoryResetThenTheNextApplySendsNoMask) {
  SimulatedMemory locked = SimulatedMemory::Factory();
  locked.key_enable_mask[1] = 0x3E;  // the Windows key locked
  locked.key_enable_mask[7] = 0x1B;  // and two keys disabled
  sim.SetMemory(locked);
  ConnectAndRead();
  ASSERT_EQ(state->image().windows_key_lock(), 1);

  auto reset = Await<Result<DeviceRead>>([&](auto done) { session->FactoryReset(done); });
  ASSERT_TRUE(reset && reset->ok()) << (reset ? reset->error().message : "hang");
  ASSERT_TRUE(state->ApplyFactoryReset(**reset).ok());
  EXPECT_EQ(CodesSent().front(), 0x13);
  EXPECT_EQ(progress.back(), (SequenceProgress{SequenceKind::kFactoryReset, 52, 52}));

  wire.Clear();
  auto outcome = Apply();
  ASSERT_TRUE(outcome && outcome->status.ok());
  EXPECT_THAT(CodesSent(), ElementsAre(0x18, 0x18));
}

}  // namespace
}  // namespace n240qx::testing
