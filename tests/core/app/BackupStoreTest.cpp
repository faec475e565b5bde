#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>

#include "app/BackupBeforeWrite.h"
#include "app/BackupStore.h"
#include "config/DiskProfileFiles.h"
#include "device/RegionDiff.h"
#include "keys/KeymapStore.h"
#include "support/StateStores.h"
#include "support/TempDir.h"
#include "support/ValidProfile.h"

namespace n240qx {
namespace {

namespace fs = std::filesystem;
using std::chrono::milliseconds;

// 2026-12-08 12:41:47.123 UTC, and times after it.
BackupName::Time At(long long offset_ms) {
  return BackupName::Time(milliseconds(1796733707123LL + offset_ms));
}

class WriteFailingFiles : public DiskProfileFiles {
 public:
  bool fail_write = false;
  Status Write(const fs::path& file, std::span<const std::uint8_t> bytes) override {
    return fail_write ? Status(Error{ErrorCode::kIo, "no space left on device"})
                      : DiskProfileFiles::Write(file, bytes);
  }
};

class BackupStoreTest : public ::testing::Test {
 protected:
  // As after a write of a profile the keyboard takes: the lock folded in, all applied.
  BackupStoreTest() {
    state.UseStores(testing::StoresIn(dir.path()));
    EXPECT_TRUE(state.LoadProfile(testing::ValidProfile(kKeymapStoreSize, 0x10)).ok());
    state.ImageForEditing().ApplyWindowsKeyLock();
    state.CopyToSnapshots();
  }

  void Touch(const std::string& name, std::size_t size) {
    fs::create_directories(folder);
    std::ofstream(folder / name, std::ios::binary) << std::string(size, '\x01');
  }
  std::vector<BackupEntry> Listed() {
    auto listed = store.List();
    EXPECT_TRUE(listed.ok());
    return listed.ok() ? *listed : std::vector<BackupEntry>{};
  }

  testing::TempDir dir;
  fs::path folder = dir.path() / "backups";
  WriteFailingFiles files;
  BackupStore store{folder, files};
  ConfiguratorState state;
};

TEST(BackupName, FormatsSortablyAndParsesBack) {
  BackupName name{At(0), 2, {}};
  name.summary.lighting = true;
  name.summary.keys = 3;
  name.summary.game_mode = true;
  EXPECT_EQ(name.Format(), "20261208-124147-123-2_lighting+game-mode+3-keys.bin");
  const auto parsed = BackupName::Parse(name.Format());
  ASSERT_TRUE(parsed);
  EXPECT_EQ(parsed->time, name.time);
  EXPECT_EQ(parsed->sequence, 2U);
  EXPECT_EQ(parsed->summary, name.summary);
  for (const char* foreign :
       {"notes.txt", "20261208-124147-123-0_lighting.txt", "20261308-124147-123-0_lighting.bin",
        "20261208-124147-123-0_paint.bin", "20261208-124147-123-_lighting.bin",
        "20261208-124147-123-0_0-keys.bin", "2026120-124147-123-0_lighting.bin"}) {
    EXPECT_FALSE(BackupName::Parse(foreign)) << foreign;
  }
}

TEST_F(BackupStoreTest, KeepsTheLastTwentyAndLeavesForeignFilesAlone) {
  Touch("notes.txt", 3);
  Touch("20200101-000000-000-0_paint.bin", 3);
  ChangeSummary summary;
  summary.lighting = true;
  for (int i = 0; i < 21; ++i) {
    ASSERT_TRUE(store.Save(testing::ValidProfile(kKeymapStoreSize, 0x10), summary, At(i)).ok());
  }
  const auto listed = Listed();
  ASSERT_EQ(listed.size(), BackupStore::kKept);
  EXPECT_EQ(listed.front().name.time, At(20));
  EXPECT_EQ(listed.back().name.time, At(1)) << "the first save is the one removed";
  EXPECT_TRUE(fs::exists(folder / "notes.txt"));
  EXPECT_TRUE(fs::exists(folder / "20200101-000000-000-0_paint.bin"));
}

TEST_F(BackupStoreTest, ListsNewestFirstNumberedFromOneAndMarksDamagedFiles) {
  ChangeSummary summary;
  summary.macros = true;
  // Three in the same millisecond stay apart and in order.
  for (std::uint8_t fill : {1, 2, 3}) {
    ASSERT_TRUE(store.Save(testing::ValidProfile(kKeymapStoreSize, fill), summary, At(0)).ok());
  }
  Touch("20261208-124147-000-0_lighting.bin", 100);  // older, and cut short
  const auto listed = Listed();
  ASSERT_EQ(listed.size(), 4U);
  for (std::size_t i = 0; i < listed.size(); ++i) {
    EXPECT_EQ(listed[i].number, i + 1);
    EXPECT_EQ(listed[i].damaged, i == 3) << i;
  }
  EXPECT_EQ(listed[0].name.sequence, 2U);
  auto newest = store.Load(1);
  ASSERT_TRUE(newest.ok());
  EXPECT_EQ(*newest, testing::ValidProfile(kKeymapStoreSize, 3));

  struct Refused {
    std::size_t number;
    ErrorCode code;
  };
  for (const Refused refused :
       {Refused{0, ErrorCode::kInvalidArgument}, Refused{5, ErrorCode::kInvalidArgument},
        Refused{4, ErrorCode::kBadData}}) {
    const auto loaded = store.Load(refused.number);
    ASSERT_FALSE(loaded.ok()) << refused.number;
    EXPECT_EQ(loaded.error().code, refused.code) << loaded.error().message;
  }
  EXPECT_TRUE(fs::exists(folder / "20261208-124147-000-0_lighting.bin"));
}

// The clock may go back (or jump ahead) between writes; the newest backup stays number 1, is
// found by its file name too, and the oldest is the one removed.
TEST_F(BackupStoreTest, TheSequenceNotTheClockOrdersBackups) {
  ChangeSummary summary;
  summary.lighting = true;
  const long long kDay = 86'400'000;
  const long long kClock[] = {0, -kDay, 5 * kDay, -30 * kDay};
  for (std::uint8_t i = 0; i < 4; ++i) {
    ASSERT_TRUE(
        store.Save(testing::ValidProfile(kKeymapStoreSize, i), summary, At(kClock[i])).ok());
  }
  const auto listed = Listed();
  ASSERT_EQ(listed.size(), 4U);
  for (std::size_t number = 1; number <= 4; ++number) {
    const auto found = store.Find(listed[number - 1].file.filename().string());
    ASSERT_TRUE(found.ok()) << number;
    EXPECT_EQ(found->number, number);
    const auto bytes = store.Load(*found);
    ASSERT_TRUE(bytes.ok()) << number;
    EXPECT_EQ(*bytes,
              testing::ValidProfile(kKeymapStoreSize, static_cast<std::uint8_t>(4 - number)))
        << "backup " << number << " is the " << number << ". newest save";
  }
  EXPECT_EQ(store.Find("notes.bin").error().code, ErrorCode::kInvalidArgument);
  for (int i = 0; i < 17; ++i) {
    ASSERT_TRUE(store.Save(testing::ValidProfile(kKeymapStoreSize, 9), summary, At(-kDay)).ok());
  }
  EXPECT_FALSE(fs::exists(listed[3].file))
      << "the first save goes, though two later ones have earlier clocks";
  EXPECT_TRUE(fs::exists(listed[2].file));
}

TEST_F(BackupStoreTest, NothingToSendMakesNoBackup) {
  const auto brightness = state.image().brightness();
  state.ImageForEditing().brightness() = brightness + 1;
  state.ImageForEditing().brightness() = brightness;
  ASSERT_TRUE(BackUpBeforeWrite(state, store, At(0)).ok());
  EXPECT_TRUE(Listed().empty());
  EXPECT_FALSE(fs::exists(folder));
}

TEST_F(BackupStoreTest, AFailedSaveNamesTheFileAndStopsTheWrite) {
  state.ImageForEditing().game_mode() ^= 1;
  files.fail_write = true;
  const auto saved = BackUpBeforeWrite(state, store, At(0));
  ASSERT_FALSE(saved.ok());
  EXPECT_NE(saved.error().message.find((folder / "20261208-124147-123-0_game-mode.bin").string()),
            std::string::npos)
      << saved.error().message;
  EXPECT_NE(saved.error().message.find("nothing was sent"), std::string::npos);
}

// The backup holds what the keyboard held before the write; loading it back after the write
// differs from the keyboard in what the write changed and nowhere else.
TEST_F(BackupStoreTest, RestoreDiffersOnlyInWhatTheWriteChanged) {
  state.ImageForEditing().brightness() = state.snapshot().brightness() == 2 ? 3 : 2;
  state.ImageForEditing().Field(image_field::ColourTable(3))[7] = 0x40;
  const KeyActionEntry before = state.key_actions()[12];
  state.KeyActionsForEditing()[12].kind ^= 1;
  ASSERT_TRUE(BackUpBeforeWrite(state, store, At(0)).ok());
  WriteOutcome written{Status::Ok(), state.image(), {}, {}, 0};
  ASSERT_TRUE(state.FinishWrite(written).store.ok());

  const auto backup = store.Load(1);
  ASSERT_TRUE(backup.ok());
  ASSERT_TRUE(state.LoadProfile(*backup).ok());
  RegionDiff diff = RegionDiff::Compare(state.image(), state.snapshot());
  EXPECT_TRUE(diff.lighting && diff.colour_tables[3]);
  diff.lighting = diff.colour_tables[3] = false;
  EXPECT_FALSE(diff.Any());
  EXPECT_EQ(state.key_actions()[12], before);
  EXPECT_NE(state.key_actions_snapshot()[12], before);
  EXPECT_EQ(Listed().front().name.summary.Words(Texts()), "lighting, key colours, 1 key");
}

TEST_F(BackupStoreTest, AFailedWriteKeepsItsBackup) {
  state.ImageForEditing().report_rate() ^= 1;
  ASSERT_TRUE(BackUpBeforeWrite(state, store, At(0)).ok());
  const WriteOutcome failed{Error{ErrorCode::kDisconnected, "unplugged"}, state.image(), {}, {}, 0};
  EXPECT_FALSE(state.FinishWrite(failed).device.ok());
  // The failed write left the edit unapplied: the next try backs up again, beside the first.
  ASSERT_TRUE(BackUpBeforeWrite(state, store, At(1)).ok());
  const auto listed = Listed();
  ASSERT_EQ(listed.size(), 2U);
  EXPECT_FALSE(listed[1].damaged);
  EXPECT_TRUE(listed[1].name.summary.report_rate);
}

// A write that sent nothing (refused, failed at its first report, read again instead) leaves
// no backup behind; one that sent anything keeps it, whatever became of it.
TEST_F(BackupStoreTest, AWriteThatSentNothingDropsItsBackup) {
  const struct {
    const char* write;
    std::vector<std::string> sent;
    bool kept;
  } kWrites[] = {
      {"refused before its first report", {}, false},
      {"failed after its first report", {"WriteBracket (open)"}, true},
  };
  for (const auto& write : kWrites) {
    state.ImageForEditing().game_mode() ^= 1;
    const auto saved = BackUpBeforeWrite(state, store, At(0));
    ASSERT_TRUE(saved.ok() && !saved->empty()) << write.write;
    const WriteOutcome outcome{Error{ErrorCode::kIo, "failed"}, state.image(), write.sent, {}, 0};
    DropBackupOfUnsentWrite(*saved, outcome);
    EXPECT_EQ(fs::exists(*saved), write.kept) << write.write;
    state.ImageForEditing().game_mode() ^= 1;
  }
  EXPECT_EQ(Listed().size(), 1U);
}

TEST_F(BackupStoreTest, FactoryResetIsAlwaysBackedUp) {
  ASSERT_TRUE(BackUpBeforeFactoryReset(state, store, At(0)).ok());
  const auto listed = Listed();
  ASSERT_EQ(listed.size(), 1U);
  EXPECT_EQ(listed[0].name.summary, ChangeSummary::FactoryReset());
}

}  // namespace
}  // namespace n240qx
