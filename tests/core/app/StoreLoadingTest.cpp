#include <gtest/gtest.h>

#include <filesystem>

#include "app/ConfiguratorState.h"
#include "app/KeyAssignment.h"
#include "keys/KeymapStore.h"
#include "macros/MacroStoreFile.h"
#include "support/StateStores.h"
#include "support/TempDir.h"
#include "util/AtomicFile.h"

namespace n240qx {
namespace {

constexpr std::size_t kQ = 30;  // a key index with an assignment in the stored keymap.bin
constexpr std::uint8_t kCombineKind = 1;

struct Damage {
  const char* name;
  bool keymap_unreadable;
};

ConfiguratorState StateWithStores(const std::filesystem::path& keymap,
                                  const std::filesystem::path& macro_file) {
  ConfiguratorState state;
  state.UseStores(StorePaths::Saved(keymap, macro_file));
  return state;
}

std::string DamageName(const ::testing::TestParamInfo<Damage>& damage) {
  return damage.param.name;
}

class StoreLoading : public ::testing::TestWithParam<Damage> {
 protected:
  void SetUp() override {
    ConfigImage image;
    KeyActionTable actions;
    actions[kQ].kind = kCombineKind;
    ASSERT_TRUE(SaveKeymapStore(keymap, image, actions).ok());
    MacroStore macros;
    macros.entry(0).name[0] = u'M';
    ASSERT_TRUE(SaveMacroStore(macro_file, macros).ok());
    // A folder where the file should be: it exists but can never be read.
    const auto& damaged = GetParam().keymap_unreadable ? keymap : macro_file;
    std::filesystem::remove(damaged);
    std::filesystem::create_directory(damaged);
  }

  testing::TempDir dir;
  std::filesystem::path keymap = dir.path() / "keymap.bin";
  std::filesystem::path macro_file = dir.path() / "MacroDefine.bin";
  ConfiguratorState state = StateWithStores(keymap, macro_file);
};

TEST_P(StoreLoading, TheOtherStoreStillLoadsAndTheUnreadableOneIsNamedAndNeverWritten) {
  const bool keymap_bad = GetParam().keymap_unreadable;
  const Status loaded = state.LoadFiles(true);
  ASSERT_FALSE(loaded.ok());
  const auto& damaged = keymap_bad ? keymap : macro_file;
  EXPECT_NE(loaded.error().message.find(damaged.string()), std::string::npos)
      << loaded.error().message;
  EXPECT_TRUE(state.stores().Held(damaged));
  EXPECT_EQ(state.key_actions()[kQ].kind == kCombineKind, !keymap_bad);
  EXPECT_EQ(state.stored_macros().entry(0).name[0] == u'M', keymap_bad);

  KeyAssignment assignment = state.BindKeyAssignment();
  EXPECT_EQ(state.SaveKeymapStore().ok(), !keymap_bad);
  EXPECT_EQ(assignment.LoadKeymapStore(true).ok(), !keymap_bad);
  EXPECT_FALSE(state.CommitMacros().ok()) << "either store is held";
  EXPECT_TRUE(std::filesystem::is_directory(damaged)) << "the damaged store was replaced";
  auto on_disk = ReadFilePrefix(keymap, kKeymapStoreSize);
  if (!keymap_bad) {
    ASSERT_TRUE(on_disk.ok());
    ConfigImage image;
    KeyActionTable actions;
    DecodeKeymapStore(*on_disk, false, image, actions);
    EXPECT_EQ(actions[kQ].kind, kCombineKind) << "the assignment was lost";
  }
}

TEST_P(StoreLoading, TheReasonTheHeldLineAndLaterRefusalsAreWordedInTheLoadsLanguage) {
  const auto& damaged = GetParam().keymap_unreadable ? keymap : macro_file;
  struct Wording {
    Language language;
    const char* before_name;
    const char* after_name;
  };
  for (const Wording& wording :
       {Wording{Language::kEnglish, "; ", " is kept as it is"},
        Wording{Language::kGerman, "; die Datei ", " bleibt unver\u00E4ndert"}}) {
    const Status loaded = state.LoadFiles(true, wording.language);
    ASSERT_FALSE(loaded.ok());
    const std::string& message = loaded.error().message;
    const std::string reason = ReadFilePrefix(damaged, 1, wording.language).error().message;
    EXPECT_TRUE(message.starts_with(reason)) << message;
    EXPECT_NE(message.find(wording.before_name + damaged.filename().string() + wording.after_name),
              std::string::npos)
        << message;
    const Status refused = state.CommitMacros();
    ASSERT_FALSE(refused.ok());
    EXPECT_EQ(refused.error().message, message);
  }
}

INSTANTIATE_TEST_SUITE_P(Damages, StoreLoading,
                         ::testing::Values(Damage{"MacroFileUnreadable", false},
                                           Damage{"KeymapUnreadable", true}),
                         DamageName);

TEST(StoreGuard, AFactoryResetReplacesAHeldKeymapOnPurpose) {
  testing::TempDir dir;
  const auto keymap = dir.path() / "keymap.bin";
  ConfiguratorState state = StateWithStores(keymap, dir.path() / "MacroDefine.bin");
  testing::HoldKeymapUnread(state);
  ASSERT_FALSE(state.stores().CheckWritable(keymap).ok());
  ASSERT_TRUE(state.ApplyFactoryReset(DeviceRead{}).ok());
  EXPECT_FALSE(state.stores().Held(keymap));
  EXPECT_EQ(std::filesystem::file_size(keymap), kKeymapStoreSize);
}

// The window shows a failed save as it shows a failed load, in its language.
TEST(StoreSaving, AFailedSaveIsWordedInTheLoadsLanguage) {
  for (const Language language : {Language::kEnglish, Language::kGerman}) {
    testing::TempDir dir;
    const auto keymap = dir.path() / "keymap.bin";
    ConfiguratorState state = StateWithStores(keymap, dir.path() / "MacroDefine.bin");
    ASSERT_TRUE(state.LoadFiles(true, language).ok());
    std::filesystem::remove(keymap);
    std::filesystem::create_directories(keymap / "in the way");
    const Status saved = state.SaveKeymapStore();
    ASSERT_FALSE(saved.ok());
    const std::vector<std::uint8_t> none;
    EXPECT_EQ(saved.error().message, WriteFileAtomically(keymap, none, language).error().message);
  }
}

TEST(StoreSizeNote, AStoreOfTheWrongSizeIsNamedInTheLoadsLanguage) {
  struct Case {
    Language language;
    std::size_t size;
    const char* taken;
  };
  for (const Case& c :
       {Case{Language::kEnglish, kKeymapStoreSize - 1, "only the bytes it holds were taken"},
        Case{Language::kGerman, kKeymapStoreSize - 1,
             "nur die vorhandenen Bytes wurden \u00FCbernommen"},
        Case{Language::kGerman, kKeymapStoreSize + 3,
             "die Bytes \u00FCber das Format hinaus wurden nicht beachtet"}}) {
    testing::TempDir dir;
    const auto keymap = dir.path() / "keymap.bin";
    ConfiguratorState state = StateWithStores(keymap, dir.path() / "MacroDefine.bin");
    ASSERT_TRUE(SaveKeymapStore(keymap, ConfigImage{}, KeyActionTable{}).ok());
    std::filesystem::resize_file(keymap, c.size);
    ASSERT_TRUE(state.LoadFiles(true, c.language).ok());
    const std::string& note = state.StoreSizeNotes();
    SCOPED_TRACE(note);
    EXPECT_NE(note.find(std::to_string(c.size)), std::string::npos);
    EXPECT_NE(note.find(std::to_string(kKeymapStoreSize)), std::string::npos);
    EXPECT_TRUE(note.ends_with(c.taken));
  }
}

}  // namespace
}  // namespace n240qx
