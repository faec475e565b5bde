#include "app/StoredMacroChange.h"

namespace n240qx {

Result<MacroWords::Done> ChangeStoredMacros(ConfiguratorState& state, const ProgramPaths& paths,
                                            std::span<const std::string> words) {
  // Refused before the store changes: the change could not be saved over macros never read.
  if (Status writable = state.stores.CheckWritable(paths.MacroFile()); !writable.ok()) {
    return writable.error();
  }
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
