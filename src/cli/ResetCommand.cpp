#include <unistd.h>

#include <iostream>
#include <string>

#include "app/TextId.h"
#include "app/Texts.h"
#include "cli/Commands.h"

namespace n240qx {

namespace {

// Asks on the terminal, in the program's own words; anything but yes keeps the settings.
bool ConfirmOnTerminal() {
  std::cerr << Texts().Get(TextId::kFactoryResetQuestion) << " [y/N] " << std::flush;
  std::string answer;
  if (!std::getline(std::cin, answer)) {
    return false;
  }
  return answer == "y" || answer == "Y" || answer == "yes";
}

}  // namespace

ExitCode RunResetCommand(CliSession& session, const CliArguments& arguments) {
  const auto& words = arguments.words;
  const bool confirmed_by_option = words.size() == 1 && words[0] == "--yes";
  if (!words.empty() && !confirmed_by_option) {
    return session.Fail(ExitCode::kUsage, "reset takes only --yes");
  }
  // A dry run loses nothing, so there is nothing to confirm.
  if (!confirmed_by_option && !arguments.dry_run) {
    if (::isatty(STDIN_FILENO) != 1) {
      return session.Fail(ExitCode::kUsage,
                          "reset restores every factory setting; confirm it with --yes");
    }
    if (!ConfirmOnTerminal()) {
      return session.Fail(ExitCode::kUsage, "reset cancelled; nothing was sent");
    }
  }
  if (ExitCode loaded = session.LoadFiles(true); loaded != ExitCode::kOk) {
    return loaded;
  }
  if (ExitCode connected = session.Connect(); connected != ExitCode::kOk) {
    return connected;
  }
  if (ExitCode reset = session.FactoryReset(); reset != ExitCode::kOk || session.dry_run()) {
    return reset;
  }
  // The reset clears the keyboard, not MacroDefine.bin: say so, so nobody re-records them.
  std::cout << (session.json() ? "{\"factory_settings_restored\":true,\"stored_macros_kept\":true}"
                               : "factory settings restored; kept: the stored macros "
                                 "(n240qx-ctl macros lists them)")
            << '\n';
  return ExitCode::kOk;
}

}  // namespace n240qx
