#include "app/StoredMacroChange.h"

namespace n240qx {

Result<MacroWords::Done> ChangeStoredMacros(ConfiguratorState& state, const ProgramPaths& paths,
                                            std::span<const std::string> words) {
  auto done = MacroWords::Change(state.stored_macros, state.key_names, words);
  if (!done.ok()) {
    return done;
  }
  if (Status committed = state.CommitMacros(paths.KeymapFile(), paths.MacroFile());
      !committed.ok()) {
    return committed.error();
  }
  return done;
}

}  // namespace n240qx
