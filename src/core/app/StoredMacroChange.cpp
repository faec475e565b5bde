#include "app/StoredMacroChange.h"

namespace n240qx {

Result<MacroWords::Done> ChangeStoredMacros(ConfiguratorState& state,
                                            std::span<const std::string> words) {
  // Refused before the store changes: the change could not be saved over macros never read.
  if (Status writable = state.stores().CheckWritable(state.store_paths().macro_file());
      !writable.ok()) {
    return writable.error();
  }
  MacroStore edited = state.stored_macros();
  auto done = MacroWords::Change(edited, state.key_names(), words);
  if (!done.ok()) {
    return done;
  }
  state.TakeMacroEdits(edited);
  if (Status committed = state.CommitMacros(); !committed.ok()) {
    return committed.error();
  }
  return done;
}

}  // namespace n240qx
