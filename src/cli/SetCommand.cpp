#include <iostream>

#include "cli/Commands.h"
#include "cli/SettingChanges.h"

namespace n240qx {

ExitCode RunSetCommand(CliSession& session, const CliArguments& arguments) {
  auto changes = ParseSettingChanges(arguments.words);
  if (!changes.ok()) {
    return session.Fail(ExitCode::kUsage, changes.error().message);
  }
  if (ExitCode read = session.ReadKeyboard(true); read != ExitCode::kOk) {
    return read;
  }
  for (const SettingChange& change : *changes) {
    change(session.state().image);
  }
  return session.WriteChanges();
}

}  // namespace n240qx
