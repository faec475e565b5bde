#include "app/SettingChanges.h"
#include "cli/ChangeReport.h"
#include "cli/Commands.h"
#include "cli/SettingsView.h"

namespace n240qx {

ExitCode RunSetCommand(CliSession& session, const CliArguments& arguments) {
  auto changes = ParseSettingChanges(arguments.words);
  if (!changes.ok()) {
    return session.Fail(ExitCode::kUsage, changes.error().message);
  }
  if (ExitCode read = session.ReadKeyboard(true); read != ExitCode::kOk) {
    return read;
  }
  const auto before = ShownSettings(session.state().image());
  for (const SettingChange& change : *changes) {
    change(session.state().ImageForEditing());
  }
  const auto after = ShownSettings(session.state().image());
  // A dry run has printed what it would send; the change it did not make has no report.
  if (ExitCode written = session.WriteChanges(); written != ExitCode::kOk || session.dry_run()) {
    return written;
  }
  ChangeReport report;
  report.AddSettings(before, after);
  report.Print(session.json());
  return ExitCode::kOk;
}

}  // namespace n240qx
