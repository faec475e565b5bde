#pragma once

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/SharedOptions.h"
#include "util/Result.h"

namespace n240qx {

// The command line: the global options (anywhere on the line, until "--"), the command word
// and the command's own words in order.
struct CliArguments : SharedOptions {
  // Where VER.bin is looked for instead of the installed share folder.
  std::optional<std::filesystem::path> share_dir;
  bool json = false;
  // --direct: the keyboard is opened by the tool itself even while the window runs.
  bool direct = false;
  // --dry-run: a command that writes shows what it would send and sends nothing. It is also
  // among command_options, so that a command that does not write refuses it.
  bool dry_run = false;
  // --no-backup: a write goes ahead without the backup before it (which may be what cannot be
  // saved). --allow-launch: a profile or backup may bring launch paths of its own. Both are
  // among command_options as --dry-run is.
  bool no_backup = false;
  bool allow_launch = false;
  std::string command;
  std::vector<std::string> words;
  // The words starting with "-" that are no global option, before any "--": the command's
  // options ("--yes", "-o"), or mistakes to be named as such.
  std::vector<std::string> command_options;
  // "--simulate st": the word after a --simulate without "=", for a hint when it is no command.
  std::optional<std::string> word_after_bare_simulate;
};

// kInvalidArgument, naming the option, for an unknown option or one missing its value.
Result<CliArguments> ParseCliArguments(std::span<const std::string_view> arguments);

}  // namespace n240qx
