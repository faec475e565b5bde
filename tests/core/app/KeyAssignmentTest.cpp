#include <gtest/gtest.h>

#include <fstream>
#include <tuple>
#include <vector>

#include "app/ConfiguratorState.h"
#include "app/KeyAssignment.h"
#include "keys/KeyTable.h"
#include "support/Hex.h"
#include "support/StateStores.h"
#include "support/TempDir.h"

namespace n240qx {
namespace {

using testing::Hex;

class RecordingLauncher : public Launcher {
 public:
  void Launch(const LaunchTarget& target) override { launched.push_back(target); }
  std::vector<LaunchTarget> launched;
};

class Assignment : public ::testing::Test {
 protected:
  static constexpr std::uint8_t kEsc = 0;  // slot 5, vk 0x1B
  static constexpr std::uint8_t kKey16 = 16;
  static constexpr std::uint8_t kFn = 100;  // slot 60, vk 0x5D
  static constexpr std::uint8_t kApp = 101;

  void SetUp() override {
    ResetKeySettings(image, actions);
    image.key_map()[4 * 5 + 2] = 0x29;
  }

  std::string EntryOf(std::uint8_t key) const {
    const auto slot = *KeyTable::SlotOf(key);
    return Hex(image.Field(image_field::KeyMapEntry(slot)));
  }
  void SetEntryOf(std::uint8_t key, std::array<std::uint8_t, 4> bytes) {
    const auto field = image.Field(image_field::KeyMapEntry(*KeyTable::SlotOf(key)));
    std::copy(bytes.begin(), bytes.end(), field.begin());
  }
  bool Enabled(std::uint8_t key) const { return image.KeyEnabled(*KeyTable::SlotOf(key)); }

  void Capture(std::uint8_t key, std::uint8_t kind, std::initializer_list<std::uint8_t> keys) {
    pending.current_key = key;
    pending.pending_kind = kind;
    pending.captured_keys = {};
    std::copy(keys.begin(), keys.end(), pending.captured_keys.begin());
    pending.captured_count = static_cast<int>(keys.size());
  }
  void Complete() {
    const Status done = assignment.CompleteKeyAssignment();
    ASSERT_TRUE(done.ok()) << done.error().message;
  }

  testing::TempDir dir;
  ConfigImage image;
  KeyActionTable actions;
  CustomisedKeyFlags customised;
  PendingAssignment pending;
  KeyNameTable names = BuildKeyNameTable();
  MacroStore macros;
  KeyAssignment assignment{
      image, actions, customised, pending, names, macros, dir.path() / "keymap.bin"};
};

TEST_F(Assignment, SingleOfTheKeysOwnCodeIsAReset) {
  actions[kEsc].data[0] = 0x41;
  actions[kEsc].count = 1;
  Capture(kEsc, 0, {0x1B});
  Complete();
  EXPECT_EQ(EntryOf(kEsc), "00 00 29 00");
  EXPECT_EQ(actions[kEsc].kind, 0);
  EXPECT_EQ(actions[kEsc].count, 0);
  EXPECT_EQ(actions[kEsc].data[0], 0);
  EXPECT_FALSE(customised.IsSet(kEsc));
}

TEST_F(Assignment, OwnCodeOnFnAndKey16GivesTheirFactoryEntries) {
  Capture(kFn, 0, {0x5D});
  Complete();
  EXPECT_EQ(EntryOf(kFn), "02 00 00 00") << "not App's 00 00 65 00";
  Capture(kKey16, 0, {0xE2});
  Complete();
  EXPECT_EQ(EntryOf(kKey16), "00 00 64 00") << "not 00 00 00 00";
}

TEST_F(Assignment, SingleOfMediaKeysBecomesConsumerEntries) {
  const std::pair<std::uint8_t, const char*> cases[] = {
      {0xB5, "03 00 83 01"}, {0xB3, "03 00 CD 00"}, {0xAF, "03 00 E9 00"}, {0xAE, "03 00 EA 00"}};
  for (const auto& [vk, expected] : cases) {
    Capture(kEsc, 0, {vk});
    Complete();
    EXPECT_EQ(EntryOf(kEsc), expected) << std::hex << int(vk);
    EXPECT_TRUE(customised.IsSet(kEsc));
    EXPECT_EQ(actions[kEsc].data[0], vk);
    EXPECT_EQ(actions[kEsc].count, 1);
  }
}

TEST_F(Assignment, SingleOfAnotherKeyAndOfAnUnknownCode) {
  SetEntryOf(kEsc, {0x04, 0x01, 0x02, 0x00});
  Capture(kEsc, 0, {'A'});
  Complete();
  EXPECT_EQ(EntryOf(kEsc), "00 00 04 00");
  Capture(kEsc, 0, {0x0C});
  Complete();
  EXPECT_EQ(EntryOf(kEsc), "00 00 00 00");
}

TEST_F(Assignment, CombineEncodesUpToThreeDeviceCodes) {
  Capture(kEsc, 1, {'C'});
  Complete();
  EXPECT_EQ(EntryOf(kEsc), "00 06 00 00");
  EXPECT_FALSE(customised.IsSet(kEsc)) << "one key is not a combination";

  Capture(kEsc, 1, {0xA2, 0xA4, 0x2E});
  Complete();
  EXPECT_EQ(EntryOf(kEsc), "00 E0 E2 4C");
  EXPECT_TRUE(customised.IsSet(kEsc));
  EXPECT_EQ(actions[kEsc].kind, 1);
  EXPECT_EQ(actions[kEsc].count, 3);
  EXPECT_EQ(Hex(std::span(actions[kEsc].data).first(4)), "A2 A4 2E 00");

  Capture(kEsc, 1, {0xA2, 0x0C, 0x2E});
  Complete();
  EXPECT_EQ(EntryOf(kEsc), "00 E0 00 4C") << "an unknown code leaves its place empty";
}

TEST_F(Assignment, FunctionMatchAndNoMatch) {
  pending.function_name = u"Windows security screen";
  Capture(kEsc, 3, {});
  Complete();
  EXPECT_EQ(EntryOf(kEsc), "00 E0 E2 4C");
  EXPECT_EQ(Hex(std::span(actions[kEsc].data).first(4)), "00 E0 E2 4C");
  EXPECT_EQ(actions[kEsc].kind, 3);

  pending.function_name = u"Windows Security Screen";
  Capture(kApp, 3, {});
  Complete();
  EXPECT_EQ(EntryOf(kApp), "00 00 00 00") << "entry left as it was";
  EXPECT_EQ(actions[kApp].kind, 3);
  EXPECT_TRUE(customised.IsSet(kApp));
}

TEST_F(Assignment, MacroStoresItsSlotAndRebuildsTheRecords) {
  ASSERT_TRUE(macros.entry(0).SetName(u"first").ok());
  macros.entry(0).repeat_count = 0x0102;
  macros.entry(0).device_events[0] = 0x77;
  pending.macro_index = 5;
  Capture(kEsc, 2, {});
  Complete();
  EXPECT_EQ(EntryOf(kEsc), "04 01 05 00");
  EXPECT_EQ(Hex(std::span(actions[kEsc].data).first(4)), "04 01 05 00");
  EXPECT_TRUE(customised.IsSet(kEsc));
  EXPECT_EQ(Hex(image.Field(image_field::MacroRecord(0)).first(3)), "01 02 77");
}

TEST_F(Assignment, MacroWithoutChoiceOrOutOfRange) {
  pending.macro_index = PendingAssignment::kNoMacro;
  Capture(kEsc, 2, {});
  Complete();
  EXPECT_EQ(EntryOf(kEsc), "00 00 29 00");
  EXPECT_EQ(Hex(std::span(actions[kEsc].data).first(4)), "04 01 FF 00");
  EXPECT_FALSE(customised.IsSet(kEsc));

  pending.macro_index = 32;
  const auto before = actions[kEsc];
  const Status refused = assignment.CompleteKeyAssignment();
  ASSERT_FALSE(refused.ok());
  EXPECT_EQ(refused.error().code, ErrorCode::kInvalidArgument);
  EXPECT_EQ(actions[kEsc], before);
  EXPECT_EQ(EntryOf(kEsc), "00 00 29 00");
}

TEST_F(Assignment, LaunchKindsStoreTheOwnCodeAndThePath) {
  for (std::uint8_t kind = 4; kind <= 7; ++kind) {
    pending.launch_path = u"/home/u/file" + std::u16string(1, u'0' + kind);
    Capture(kEsc, kind, {});
    Complete();
    EXPECT_EQ(EntryOf(kEsc), "0A 00 1B 00");
    EXPECT_EQ(actions[kEsc].kind, kind);
    EXPECT_EQ(actions[kEsc].key_vk, 0x1B);
    EXPECT_EQ(Hex(std::span(actions[kEsc].data).first(4)), "03 00 23 02");
    EXPECT_EQ(actions[kEsc].PathString(), pending.launch_path);
    EXPECT_TRUE(customised.IsSet(kEsc));
  }
}

TEST_F(Assignment, ResetKeepsTheKeyEnabledAndGivesTheFactoryEntry) {
  SetEntryOf(kFn, {0x0A, 0x00, 0x5D, 0x00});
  actions[kFn].kind = 5;
  Capture(kFn, 0, {});
  pending.captured_count = PendingAssignment::kResetCount;
  pending.key_enabled = false;  // the dialog's disable toggle was on
  Complete();
  EXPECT_EQ(EntryOf(kFn), "02 00 00 00");
  EXPECT_TRUE(Enabled(kFn));
  EXPECT_TRUE(pending.key_enabled);
  EXPECT_FALSE(customised.IsSet(kFn));
  EXPECT_EQ(actions[kFn].kind, 0);
}

TEST_F(Assignment, RestoreDefaultUsesTheFactoryEntry) {
  SetEntryOf(kKey16, {0x00, 0x00, 0x04, 0x00});
  Capture(kKey16, 8, {});
  Complete();
  EXPECT_EQ(EntryOf(kKey16), "00 00 64 00");
  EXPECT_TRUE(Enabled(kKey16));

  Capture(kApp, 8, {});
  Complete();
  EXPECT_EQ(EntryOf(kApp), "00 00 65 00");
}

TEST_F(Assignment, DisablingClearsTheBitAndMarksTheKey) {
  Capture(kEsc, 0xFF, {});
  pending.key_enabled = false;
  Complete();
  EXPECT_FALSE(Enabled(kEsc));
  EXPECT_TRUE(customised.IsSet(kEsc));
  EXPECT_EQ(EntryOf(kEsc), "00 00 29 00") << "no kind chosen: nothing else changes";
  pending.key_enabled = true;
  Complete();
  EXPECT_TRUE(Enabled(kEsc));
  EXPECT_FALSE(customised.IsSet(kEsc));
}

TEST_F(Assignment, KeyIndexOutsideTheTableChangesNothing) {
  Capture(108, 0, {'A'});
  const auto before = image.bytes();
  EXPECT_EQ(assignment.ApplyKeyAssignment().error().code, ErrorCode::kInvalidArgument);
  EXPECT_EQ(image.bytes(), before);
  EXPECT_EQ(actions[108], KeyActionEntry());
  EXPECT_FALSE(std::filesystem::exists(assignment.store_file()));
}

// The program state's completion saves keymap.bin after every assignment, unless the file is
// held unread; an assignment that names no key saves nothing.
TEST(AssignmentStore, EveryCompletedAssignmentRewritesTheStoreUnlessItIsHeld) {
  for (const auto& [held, key, saved] : {std::tuple{false, std::uint8_t{0}, true},
                                         {true, std::uint8_t{0}, false},
                                         {false, std::uint8_t{108}, false}}) {
    testing::TempDir dir;
    const auto file = dir.path() / "keymap.bin";
    ConfiguratorState state;
    state.UseStores(testing::StoresIn(dir.path()));
    if (held) {
      testing::HoldKeymapUnread(state);
    }
    state.PendingForEditing().current_key = key;
    state.PendingForEditing().pending_kind = 1;
    state.PendingForEditing().captured_keys = {0xA2, 'C'};
    state.PendingForEditing().captured_count = 2;
    EXPECT_EQ(state.CompleteKeyAssignment().ok(), saved) << held << " " << int{key};
    std::ifstream in(file, std::ios::binary);
    const std::vector<std::uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    ASSERT_EQ(bytes.size(), saved ? kKeymapStoreSize : 0U);
    if (saved) {
      EXPECT_EQ(Hex(std::span(bytes).subspan(792 + 4 * 5, 4)), "00 E0 06 00");
      EXPECT_EQ(bytes[10060 + 1], 1) << "kind of entry 0";
    }
  }
}

TEST_F(Assignment, WithoutAStoreFileTheAssignmentStaysInMemory) {
  KeyAssignment in_memory{image, actions, customised, pending, names, macros, {}};
  Capture(kEsc, 1, {0xA2, 'C'});
  ASSERT_TRUE(in_memory.CompleteKeyAssignment().ok());
  EXPECT_EQ(EntryOf(kEsc), "00 E0 06 00");
  EXPECT_TRUE(std::filesystem::is_empty(dir.path())) << "nothing saved anywhere";
}

TEST_F(Assignment, FnAndAppShareACodeAndFnsPathWins) {
  pending.launch_path = u"/music/fn.mp3";
  Capture(kApp, 4, {});
  Complete();
  pending.launch_path = u"/bin/fn-program";
  Capture(kFn, 5, {});
  Complete();
  RecordingLauncher launcher;
  EXPECT_TRUE(assignment.LaunchKeyAction(0x5D, launcher));
  ASSERT_EQ(launcher.launched.size(), 1u);
  EXPECT_EQ(launcher.launched[0].kind, AssignmentKind::kStartup);
  EXPECT_EQ(launcher.launched[0].directory, u"/bin");
  EXPECT_EQ(launcher.launched[0].file, u"fn-program");
}

TEST_F(Assignment, LaunchSplitsAtEitherSeparatorAndNeedsOne) {
  pending.launch_path = u"C:\\Music\\Song.mp3";
  Capture(kEsc, 4, {});
  Complete();
  RecordingLauncher launcher;
  EXPECT_TRUE(assignment.LaunchKeyAction(0x0100 | 0x1B, launcher)) << "only the low byte counts";
  ASSERT_EQ(launcher.launched.size(), 1u);
  EXPECT_EQ(launcher.launched[0].directory, u"C:\\Music");
  EXPECT_EQ(launcher.launched[0].file, u"Song.mp3");
  EXPECT_EQ(launcher.launched[0].path, u"C:\\Music\\Song.mp3");

  EXPECT_FALSE(assignment.LaunchKeyAction(0x41, launcher)) << "no launch entry carries 0x41";
  pending.launch_path = u"Song.mp3";
  Capture(kEsc, 4, {});
  Complete();
  EXPECT_FALSE(assignment.LaunchKeyAction(0x1B, launcher)) << "no separator, no file";
  pending.launch_path = u"/home/u/folder/";
  Capture(kEsc, 7, {});
  Complete();
  EXPECT_FALSE(assignment.LaunchKeyAction(0x1B, launcher)) << "empty file name";
  EXPECT_EQ(launcher.launched.size(), 1u);
}

TEST_F(Assignment, LoadBeforeTheDialogKeepsTheImage) {
  ASSERT_TRUE(SaveKeymapStore(assignment.store_file(), image, actions).ok());
  image.key_map()[0] = 0x99;
  actions[kEsc].kind = 6;  // an edit of a dialog that ended without OK
  const auto loaded = assignment.LoadKeymapStore(true);
  ASSERT_TRUE(loaded.ok());
  EXPECT_EQ(image.key_map()[0], 0x99);
  EXPECT_EQ(actions[kEsc].kind, 0);
}

}  // namespace
}  // namespace n240qx
