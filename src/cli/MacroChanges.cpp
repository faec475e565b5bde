#include "cli/MacroChanges.h"

#include <iostream>

#include "cli/JsonWriter.h"

namespace n240qx {

ExitCode RunMacroChange(CliSession& session, std::span<const std::string> words) {
  if (ExitCode loaded = session.LoadFiles(true); loaded != ExitCode::kOk) {
    return loaded;
  }
  auto done = session.ChangeMacros(words);
  if (!done.ok()) {
    // The window's refusal (a dialog open, unapplied edits) ends as its refused writes do.
    const Error& error = done.error();
    return session.Fail(error.code == ErrorCode::kNotOpen ? ExitCodeForDeviceError(error)
                                                          : ExitCodeForFileEdit(error),
                        error.message);
  }
  for (const std::string& warning : done->warnings) {
    std::cerr << "n240qx-ctl: warning: " << warning << '\n';
  }
  if (session.json()) {
    JsonWriter json;
    json.BeginObject();
    json.Key("done");
    json.String(done->line);
    json.Key("macros");
    json.Number(static_cast<std::int64_t>(session.state().stored_macros().UsedCount()));
    json.EndObject();
    std::cout << json.text() << '\n';
  } else {
    std::cout << done->line << '\n';
  }
  return ExitCode::kOk;
}

}  // namespace n240qx
