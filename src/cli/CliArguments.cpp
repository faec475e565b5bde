#include "cli/CliArguments.h"

#include <algorithm>

namespace n240qx {

namespace {

// The options that change how a write goes: never among a command's words.
bool* WriteFlag(CliArguments& parsed, std::string_view word) {
  if (word == "--dry-run") {
    return &parsed.dry_run;
  }
  if (word == "--no-backup") {
    return &parsed.no_backup;
  }
  return word == "--allow-launch" ? &parsed.allow_launch : nullptr;
}

}  // namespace

Result<CliArguments> ParseCliArguments(std::span<const std::string_view> arguments) {
  CliArguments parsed;
  std::vector<std::string> positional;
  bool options_end = false;
  for (std::size_t at = 0; at < arguments.size(); ++at) {
    const std::string_view word = arguments[at];
    if (options_end || word.size() < 2 || word[0] != '-' || (word[1] != '-' && word != "-h")) {
      positional.emplace_back(word);
      if (!options_end && word.size() > 1 && word[0] == '-') {
        parsed.command_options.emplace_back(word);
      }
    } else if (word == "--") {
      options_end = true;
    } else if (word == "--json") {
      parsed.json = true;
    } else if (word == "--direct") {
      parsed.direct = true;
    } else if (bool* flag = WriteFlag(parsed, word)) {
      *flag = true;
      parsed.command_options.emplace_back(word);
    } else if (auto shared = parsed.Take(arguments, at)) {
      if (!shared->ok()) {
        return shared->error();
      }
      if (word == "--simulate" && at + 1 < arguments.size()) {
        parsed.word_after_bare_simulate = std::string(arguments[at + 1]);
      }
    } else if (auto share_dir = OptionValue(arguments, at, "--share-dir")) {
      if (!share_dir->ok()) {
        return share_dir->error();
      }
      parsed.share_dir = std::string(**share_dir);
    } else {
      // Left for the command: "reset --yes".
      positional.emplace_back(word);
      parsed.command_options.emplace_back(word);
    }
  }
  // The command is the first word that is no option, so "--bogus status" is named as an
  // unknown option of status.
  const auto command = std::find_if(positional.begin(), positional.end(), [](const auto& word) {
    return word.size() < 2 || word[0] != '-';
  });
  if (command != positional.end()) {
    parsed.command = *command;
    positional.erase(command);
    parsed.words = std::move(positional);
  }
  return parsed;
}

}  // namespace n240qx
