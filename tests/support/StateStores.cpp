#include "support/StateStores.h"

#include <gtest/gtest.h>

namespace n240qx::testing {

StorePaths StoresIn(const std::filesystem::path& folder) {
  return StorePaths::Saved(folder / "keymap.bin", folder / "MacroDefine.bin");
}

void HoldKeymapUnread(ConfiguratorState& state) {
  const std::filesystem::path& keymap = state.store_paths().keymap_file();
  // A folder where the file should be exists but can never be read.
  std::filesystem::create_directory(keymap);
  EXPECT_FALSE(state.LoadFiles(false).ok());
  std::filesystem::remove(keymap);
  EXPECT_TRUE(state.stores().Held(keymap));
}

}  // namespace n240qx::testing
