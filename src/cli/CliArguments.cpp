#include "cli/CliArguments.h"

#include <algorithm>

namespace n240qx {

namespace {

Error Usage(std::string message) {
  return Error{ErrorCode::kInvalidArgument, std::move(message)};
}

// "--name=value" or "--name value"; `at` moves past what was taken.
Result<std::string> OptionValue(std::span<const std::string_view> arguments, std::size_t& at,
                                std::string_view name) {
  const std::string_view word = arguments[at];
  if (word.size() > name.size() && word[name.size()] == '=') {
    return std::string(word.substr(name.size() + 1));
  }
  if (at + 1 >= arguments.size()) {
    return Usage(std::string(name) + " needs a value");
  }
  ++at;
  return std::string(arguments[at]);
}

bool Is(std::string_view word, std::string_view name) {
  return word == name || (word.size() > name.size() && word.substr(0, name.size()) == name &&
                          word[name.size()] == '=');
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
    } else if (word == "--dry-run") {
      parsed.dry_run = true;
      parsed.command_options.emplace_back(word);
    } else if (word == "--help" || word == "-h") {
      parsed.help = true;
    } else if (word == "--version") {
      parsed.version = true;
    } else if (word == "--simulate") {
      parsed.simulate = true;
      if (at + 1 < arguments.size()) {
        parsed.word_after_bare_simulate = std::string(arguments[at + 1]);
      }
    } else if (word.starts_with("--simulate=")) {
      parsed.simulate = true;
      parsed.state_file = std::string(word.substr(11));
    } else if (Is(word, "--wire-log") || Is(word, "--data-dir") || Is(word, "--share-dir")) {
      const std::string_view name = Is(word, "--wire-log")   ? "--wire-log"
                                    : Is(word, "--data-dir") ? "--data-dir"
                                                             : "--share-dir";
      auto value = OptionValue(arguments, at, name);
      if (!value.ok()) {
        return value.error();
      }
      if (name == "--wire-log") {
        parsed.wire_log = *value;
      } else if (name == "--data-dir") {
        parsed.data_dir = *value;
      } else {
        parsed.share_dir = *value;
      }
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
  if (parsed.state_file && parsed.state_file->empty()) {
    return Usage("--simulate= needs a file name after the '='");
  }
  return parsed;
}

}  // namespace n240qx
