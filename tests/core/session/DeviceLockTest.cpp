#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <functional>

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

  // Another program's write, as the tool makes one: under the lock, counted beside it.
  void WriteAsAnotherProgram(const std::function<void(SimulatedMemory&)>& change) {
    auto other = FileLock::TryLock(state_file.string() + ".lock");
    ASSERT_TRUE(other.ok() && *other != nullptr);
    auto memory = LoadSimulatorState(state_file);
    ASSERT_TRUE(memory.ok());
    change(*memory);
    ASSERT_TRUE(SaveSimulatorState(state_file, *memory).ok());
    (*other)->CountWrite();
  }

  // The window's Apply: the write of changes knowing the write count of its last read.
  std::optional<WriteOutcome> ApplyKnowingWrites() {
    return Await<WriteOutcome>([&](auto done) {
      session->WriteChanges(state->image(), state->snapshot(), std::move(done),
                            state->keyboard_writes());
    });
  }

  std::filesystem::path state_file = dir.path() / "state.bin";
};

TEST_F(DeviceLockTest, NothingIsSentWhileAnotherProgramHoldsTheKeyboardAndTheWaitIsBounded) {
  auto other = FileLock::TryLock(state_file.string() + ".lock");
  ASSERT_TRUE(other.ok() && *other != nullptr);
  state->ImageForEditing().game_mode() ^= 1;
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
  EXPECT_EQ(sim.Memory().game_mode, state->image().game_mode());
}

TEST_F(DeviceLockTest, EachSequenceStartsFromTheSharedStateFileAndLeavesItSaved) {
  SimulatedMemory changed = sim.Memory();
  changed.brightness = changed.brightness == 9 ? 10 : 9;
  ASSERT_TRUE(SaveSimulatorState(state_file, changed).ok()) << "by the other program";
  auto read = FullRead();
  ASSERT_TRUE(read && read->ok());
  EXPECT_EQ((*read)->image.brightness(), changed.brightness);

  state->ApplyFullRead(**read);
  state->ImageForEditing().game_mode() ^= 1;
  auto written = Apply();
  ASSERT_TRUE(written && written->status.ok());
  auto saved = LoadSimulatorState(state_file);
  ASSERT_TRUE(saved.ok());
  EXPECT_EQ(saved->game_mode, state->image().game_mode());
  EXPECT_EQ(saved->brightness, changed.brightness);
}

TEST_F(DeviceLockTest, AWriteAfterAnotherProgramsWriteReadsAgainAndSendsNoWrite) {
  const std::uint8_t other_brightness = state->image().brightness() == 9 ? 10 : 9;
  WriteAsAnotherProgram([&](SimulatedMemory& memory) { memory.brightness = other_brightness; });
  state->ImageForEditing().game_mode() ^= 1;
  const std::uint8_t mine = state->image().game_mode();

  auto refused = ApplyKnowingWrites();
  ASSERT_TRUE(refused && refused->reread);
  EXPECT_FALSE(refused->status.ok());
  EXPECT_NE(sim.Memory().game_mode, mine) << "nothing was written";
  EXPECT_EQ(refused->reread->image.brightness(), other_brightness);
  EXPECT_EQ(refused->reread->write_count, state->keyboard_writes() + 1);

  state->RebaseOnReread(*refused->reread);
  auto written = ApplyKnowingWrites();
  ASSERT_TRUE(written && written->status.ok() && !written->reread);
  EXPECT_EQ(sim.Memory().game_mode, mine);
  EXPECT_EQ(sim.Memory().brightness, other_brightness) << "the other program's change stays";
  EXPECT_EQ(written->write_count, refused->reread->write_count + 1) << "this write is counted";
}

}  // namespace
}  // namespace n240qx::testing
