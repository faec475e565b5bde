#include <gtest/gtest.h>

#include "app/LibraryProfileLoad.h"
#include "config/ProfileJson.h"
#include "keys/KeymapStore.h"
#include "support/TempDir.h"
#include "support/ValidProfile.h"

namespace n240qx {
namespace {

TEST(LibraryProfileLoad, TakesAStoredProfileAndLeavesTheStateAloneForAnythingElse) {
  testing::TempDir folder;
  const ProfileLibrary library(folder.path() / "profiles");
  ConfiguratorState stored;
  ASSERT_TRUE(stored.LoadProfile(testing::ValidProfile(kKeymapStoreSize, 1)).ok());
  stored.ImageForEditing().brightness() = 3;
  stored.ImageForEditing().light_effect() = 2;
  ASSERT_TRUE(library
                  .Save("bright", profile_json::ToText({stored.image(), stored.key_actions(),
                                                        stored.stored_macros(), stored.key_names(),
                                                        std::nullopt}))
                  .ok());
  ASSERT_TRUE(library.Save("broken", "{\"format\": \"n240qx-profile\"").ok());
  const struct {
    const char* name;
    std::optional<ErrorCode> refused;
    const char* german;  // what a German window says
  } kCases[] = {
      {"bright", std::nullopt, ""},
      {"missing", ErrorCode::kNotFound, "kein Profil \"missing\" in "},
      {"broken", ErrorCode::kBadData, "Zeile 1, Spalte 28: "},
      {"../keymap", ErrorCode::kInvalidArgument,
       "\"../keymap\" kann kein Profil benennen: ein Name, kein Pfad"},
  };
  for (const auto& c : kCases) {
    ConfiguratorState state;
    state.ImageForEditing().brightness() = 1;
    const auto before = state.image().bytes();
    const Status loaded = LoadLibraryProfile(state, library, c.name);
    ASSERT_EQ(loaded.ok(), !c.refused)
        << c.name << ": " << (loaded.ok() ? "" : loaded.error().message);
    if (c.refused) {
      EXPECT_EQ(loaded.error().code, *c.refused) << c.name << ": " << loaded.error().message;
      EXPECT_EQ(state.image().bytes(), before) << c.name;
      const Status german = LoadLibraryProfile(state, library, c.name, Language::kGerman);
      EXPECT_NE(german.error().message.find(c.german), std::string::npos) << german.error().message;
    } else {
      EXPECT_EQ(state.image().brightness(), 3);
      EXPECT_EQ(state.image().light_effect(), 2);
    }
  }
  const Status broken = LoadLibraryProfile(stored, library, "broken");
  EXPECT_NE(broken.error().message.find(library.FileOf("broken").string()), std::string::npos)
      << broken.error().message;
}

}  // namespace
}  // namespace n240qx
