#include <gtest/gtest.h>

#include <functional>

#include "app/KeyboardBusWrites.h"
#include "config/DiskProfileFiles.h"
#include "config/ProfileJson.h"
#include "keys/KeyLookup.h"
#include "keys/KeymapStore.h"
#include "support/TempDir.h"
#include "support/ValidProfile.h"

namespace n240qx {
namespace {

using Made = Result<KeyboardBusWrites::Change>;

// A state as after a read of a keyboard, with a library and a backups folder beside it.
class KeyboardBusWritesTest : public ::testing::Test {
 public:
  KeyboardBusWritesTest() {
    EXPECT_TRUE(state.LoadProfile(testing::ValidProfile(kKeymapStoreSize, 0x10)).ok());
    state.ImageForEditing().ApplyWindowsKeyLock();
    state.CopyToSnapshots();
  }

  // `change` made on the state: its status, the state changed only when it succeeds.
  Status Make(const Made& made) {
    EXPECT_TRUE(made.ok()) << made.error().message;
    return made.ok() ? (*made)(state) : made.error();
  }
  Status SaveBackup(std::uint8_t fill) {
    const auto saved = backups.Save(testing::ValidProfile(kKeymapStoreSize, fill), {}, {});
    return saved.ok() ? Status::Ok() : saved.error();
  }

  testing::TempDir dir;
  ProfileLibrary library{dir.path() / "profiles"};
  DiskProfileFiles files;
  BackupStore backups{dir.path() / "backups", files};
  ConfiguratorState state;
};

struct RefusalCase {
  const char* name;
  std::function<Made(KeyboardBusWritesTest&)> make;
  ErrorCode code;
  const char* reason;  // part of the message
};

void PrintTo(const RefusalCase& refusal, std::ostream* out) {
  *out << refusal.name;
}

class KeyboardBusRefusal : public KeyboardBusWritesTest,
                           public ::testing::WithParamInterface<RefusalCase> {};

// Refused as the tool's command of the same name refuses it, before or while the change is made;
// a refusal while it is made may leave the state for the window to restore, never a write.
TEST_P(KeyboardBusRefusal, NamesTheMistakeAsTheToolDoes) {
  const RefusalCase& c = GetParam();
  const Made made = c.make(*this);
  const Status status = made.ok() ? (*made)(state) : Status(made.error());
  ASSERT_FALSE(status.ok());
  EXPECT_EQ(status.error().code, c.code) << status.error().message;
  EXPECT_NE(status.error().message.find(c.reason), std::string::npos) << status.error().message;
}

Made Profile(KeyboardBusWritesTest& t, std::vector<std::uint8_t> bytes) {
  return KeyboardBusWrites::Profile(t.state.key_names(), std::move(bytes), "the profile");
}

Made Assign(KeyboardBusWritesTest& t, std::vector<std::string> words) {
  return KeyboardBusWrites::Assign(t.state.key_names(), words);
}

INSTANTIATE_TEST_SUITE_P(
    Cases, KeyboardBusRefusal,
    ::testing::Values(
        RefusalCase{"short_binary",
                    [](auto& w) { return Profile(w, std::vector<std::uint8_t>(10, 1)); },
                    ErrorCode::kBadData, "refused the profile, nothing was sent"},
        RefusalCase{
            "too_long",
            [](auto& w) { return Profile(w, std::vector<std::uint8_t>(kKeymapStoreSize + 1)); },
            ErrorCode::kBadData, "longer than any profile"},
        RefusalCase{"broken_json",
                    [](auto& w) {
                      const std::string text = "{\"brightness\":";
                      return Profile(w, std::vector<std::uint8_t>(text.begin(), text.end()));
                    },
                    ErrorCode::kBadData, "refused the profile"},
        RefusalCase{
            "launch_paths_of_a_profile",
            [](auto& w) { return Profile(w, testing::ValidProfile(kKeymapStoreSize, 0x14)); },
            ErrorCode::kBadData, "start programs"},
        RefusalCase{"no_such_stored_profile",
                    [](auto& w) {
                      return KeyboardBusWrites::StoredProfile(w.state.key_names(), w.library,
                                                              "race");
                    },
                    ErrorCode::kNotFound, "race"},
        RefusalCase{"bad_profile_name",
                    [](auto& w) {
                      return KeyboardBusWrites::StoredProfile(w.state.key_names(), w.library,
                                                              "../x");
                    },
                    ErrorCode::kInvalidArgument, ""},
        RefusalCase{"key_without_action", [](auto& w) { return Assign(w, {"Q"}); },
                    ErrorCode::kInvalidArgument, "KEY ACTION"},
        RefusalCase{"key_twice",
                    [](auto& w) {
                      return Assign(w, {"Q", "disable", "Q", "enable"});
                    },
                    ErrorCode::kInvalidArgument, "assigned twice"},
        RefusalCase{"macro_not_stored",
                    [](auto& w) {
                      return Assign(w, {"Q", "macro", "5"});
                    },
                    ErrorCode::kInvalidArgument, "no stored macro 5"},
        RefusalCase{"no_backup", [](auto& w) { return KeyboardBusWrites::Restore(w.backups, "3"); },
                    ErrorCode::kInvalidArgument, "there is no backup"},
        RefusalCase{"backup_by_path",
                    [](auto& w) { return KeyboardBusWrites::Restore(w.backups, "a/b"); },
                    ErrorCode::kInvalidArgument, "number or file name"}),
    [](const auto& param_info) { return std::string(param_info.param.name); });

TEST_F(KeyboardBusWritesTest, AProfileFromTheLibraryIsLoadedWhole) {
  ConfiguratorState other;
  ASSERT_TRUE(other.LoadProfile(testing::ValidProfile(kKeymapStoreSize, 0x21)).ok());
  ASSERT_TRUE(library
                  .Save("race", profile_json::ToText({other.image(), other.key_actions(),
                                                      other.stored_macros(), other.key_names(),
                                                      std::nullopt}))
                  .ok());
  ASSERT_NE(state.image().brightness(), other.image().brightness());
  ASSERT_TRUE(Make(KeyboardBusWrites::StoredProfile(state.key_names(), library, "race")).ok());
  EXPECT_EQ(state.image().brightness(), other.image().brightness());
  EXPECT_EQ(state.image().report_rate(), other.image().report_rate());
}

TEST_F(KeyboardBusWritesTest, AssignChangesEveryKeyNamed) {
  const auto row = [&](const char* name) { return *KeyLookup(state.key_names()).Find(name); };
  state.ImageForEditing().SetKeyEnabled(row("F1")->slot, true);
  ASSERT_TRUE(Make(Assign(*this, {"F1", "disable", "F2", "single", "A"})).ok());
  EXPECT_FALSE(state.image().KeyEnabled(row("F1")->slot));
  EXPECT_FALSE(
      state.image().FieldEquals(state.snapshot(), image_field::KeyMapEntry(row("F2")->slot)));
  EXPECT_TRUE(
      state.image().FieldEquals(state.snapshot(), image_field::KeyMapEntry(row("F3")->slot)));
}

TEST_F(KeyboardBusWritesTest, ABackupIsChosenByNumberOrFileNameNewestFirst) {
  ASSERT_TRUE(SaveBackup(0x20).ok());
  ASSERT_TRUE(SaveBackup(0x30).ok());
  const auto names = KeyboardBusWrites::BackupNames(backups);
  ASSERT_TRUE(names.ok());
  ASSERT_EQ(names->size(), 2u);
  const std::vector<std::uint8_t> newest = testing::ValidProfile(kKeymapStoreSize, 0x30);
  for (const std::string& word : {std::string("1"), names->front()}) {
    ASSERT_TRUE(Make(KeyboardBusWrites::Restore(backups, word)).ok()) << word;
    EXPECT_EQ(EncodeKeymapStore(state.image(), state.key_actions()), newest) << word;
  }
}

}  // namespace
}  // namespace n240qx
