#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/session/SessionFixture.h"
#include "sim/FileLock.h"
#include "sim/SimulatorStateFile.h"

namespace n240qx::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::HasSubstr;

// Two programs on one simulated keyboard: this session, and the test standing in for the
// other program through the shared state file and its lock.
class DeviceLockTest : public SessionFixture {
 protected:
  void SetUp() override {
    sim.PersistTo(state_file);
    ConnectAndRead();
  }

  std::filesystem::path state_file = dir.path() / "state.bin";
};

TEST_F(DeviceLockTest, NothingIsSentWhileAnotherProgramHoldsTheKeyboardAndTheWaitIsBounded) {
  auto other = FileLock::TryLock(state_file.string() + ".lock");
  ASSERT_TRUE(other.ok() && *other != nullptr);
  state->image.game_mode() ^= 1;
  auto refused = Apply();
  ASSERT_TRUE(refused && !refused->status.ok());
  EXPECT_EQ(refused->status.error().code, ErrorCode::kTimeout);
  EXPECT_THAT(refused->status.error().message, HasSubstr("busy with another program"));
  EXPECT_TRUE(FeaturesSent().empty());
  ASSERT_TRUE(PumpUntil([&] { return waiting_for_keyboard.size() == 2; }));
  EXPECT_THAT(waiting_for_keyboard, ElementsAre(true, false));

  other->reset();
  auto written = Apply();
  ASSERT_TRUE(written && written->status.ok()) << written->status.error().message;
  EXPECT_EQ(sim.Memory().game_mode, state->image.game_mode());
}

TEST_F(DeviceLockTest, EachSequenceStartsFromTheSharedStateFileAndLeavesItSaved) {
  SimulatedMemory changed = sim.Memory();
  changed.brightness = changed.brightness == 9 ? 10 : 9;
  ASSERT_TRUE(SaveSimulatorState(state_file, changed).ok()) << "by the other program";
  auto read = FullRead();
  ASSERT_TRUE(read && read->ok());
  EXPECT_EQ((*read)->image.brightness(), changed.brightness);

  state->ApplyFullRead(**read);
  state->image.game_mode() ^= 1;
  auto written = Apply();
  ASSERT_TRUE(written && written->status.ok());
  auto saved = LoadSimulatorState(state_file);
  ASSERT_TRUE(saved.ok());
  EXPECT_EQ(saved->game_mode, state->image.game_mode());
  EXPECT_EQ(saved->brightness, changed.brightness);
}

}  // namespace
}  // namespace n240qx::testing
