#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "app/ConfiguratorState.h"
#include "keys/KeymapStore.h"
#include "support/StateStores.h"
#include "support/TempDir.h"
#include "util/AtomicFile.h"

namespace n240qx {
namespace {

using testing::TempDir;

// What follows each sequence, as the window and the command-line tool both apply it.
class SequenceEndTest : public ::testing::Test {
 protected:
  SequenceEndTest() {
    state.UseStores(testing::StoresIn(dir.path()));
    state.KeyActionsForEditing()[5].kind = 2;  // an unapplied assignment
    state.ImageForEditing().windows_key_lock() = 1;
    state.ImageForEditing().key_enable_mask()[4] = 0x00;
    state.ImageForEditing().brightness() = 3;
  }

  bool KeymapMatchesImage() const {
    auto bytes = ReadFilePrefix(keymap(), kKeymapStoreSize);
    return bytes.ok() && *bytes == EncodeKeymapStore(state.image(), state.key_actions());
  }
  std::filesystem::path keymap() const { return dir.path() / "keymap.bin"; }

  TempDir dir;
  ConfiguratorState state;
};

TEST_F(SequenceEndTest, FactoryResetLeavesNothingToSendAndSavesTheStore) {
  DeviceRead read;
  read.image.brightness() = 4;
  const SequenceEnd end = state.FinishFactoryReset(read);
  ASSERT_TRUE(end.device.ok() && end.store.ok());

  EXPECT_TRUE(
      std::ranges::all_of(state.image().key_enable_mask(), [](auto b) { return b == 0xFF; }));
  EXPECT_EQ(state.image().windows_key_lock(), 0) << "a lock left on must not survive the reset";
  EXPECT_EQ(state.image().brightness(), 4);
  EXPECT_EQ(state.image().bytes(), state.snapshot().bytes());
  ConfigImage next_write = state.image();
  next_write.ApplyWindowsKeyLock();
  EXPECT_TRUE(next_write.FieldEquals(state.snapshot(), image_field::kKeyEnableMask));
  EXPECT_EQ(state.key_actions()[5].kind, 0);
  EXPECT_EQ(state.key_actions_snapshot()[5].kind, 0);
  EXPECT_TRUE(KeymapMatchesImage());
}

TEST_F(SequenceEndTest, FailuresKeepEveryEditAndTheStore) {
  const Error unplugged{ErrorCode::kDisconnected, "The keyboard was unplugged."};
  WriteOutcome failed_write;
  failed_write.status = unplugged;
  failed_write.written = state.image();
  const Result<DeviceRead> failed_read = unplugged;

  const SequenceEnd ends[] = {state.FinishWrite(failed_write),
                              state.FinishFactoryReset(failed_read),
                              state.FinishArrival(failed_read, true, true)};
  for (const SequenceEnd& end : ends) {
    EXPECT_EQ(end.device.error().code, ErrorCode::kDisconnected);
    EXPECT_TRUE(end.store.ok());
  }
  EXPECT_EQ(state.image().brightness(), 3);
  EXPECT_EQ(state.snapshot().brightness(), 0);
  EXPECT_EQ(state.key_actions()[5].kind, 2);
  EXPECT_EQ(state.key_actions_snapshot()[5].kind, 0);
  EXPECT_FALSE(std::filesystem::exists(keymap())) << "the store keeps what the keyboard holds";
}

TEST_F(SequenceEndTest, SuccessfulWriteMakesTheSnapshotsWhatWasWrittenAndSavesTheStore) {
  state.ImageForEditing().key_enable_mask()[1] = 0x3F;
  WriteOutcome outcome;
  outcome.status = Status::Ok();
  outcome.written = state.image();
  outcome.written.ApplyWindowsKeyLock();
  const SequenceEnd end = state.FinishWrite(outcome);
  ASSERT_TRUE(end.device.ok() && end.store.ok());
  EXPECT_EQ(state.image().key_enable_mask()[1], 0x3E) << "the lock folded into the mask";
  EXPECT_EQ(state.image().bytes(), state.snapshot().bytes());
  EXPECT_EQ(state.key_actions_snapshot()[5].kind, 2);
  EXPECT_TRUE(KeymapMatchesImage());
}

TEST_F(SequenceEndTest, RevertAndRefreshMarkKeysAndSaveTheStore) {
  state.ImageForEditing().key_enable_mask()[4] = 0xFF;
  ASSERT_TRUE(state.RevertKeySettings().ok());
  EXPECT_EQ(state.key_actions()[5].kind, 0) << "the assignment was never applied";
  EXPECT_TRUE(KeymapMatchesImage());

  state.ImageForEditing().key_enable_mask()[0] = 0xFE;  // the first slot's key disabled
  ASSERT_TRUE(state.Refresh().ok());
  CustomisedKeyFlags none;
  EXPECT_NE(state.customised(), none);
  EXPECT_TRUE(KeymapMatchesImage());
}

}  // namespace
}  // namespace n240qx
