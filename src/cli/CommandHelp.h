#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace n240qx {

// One option a command takes, and what it does in words.
struct OptionHelp {
  std::string_view option;  // "-o FILE"; its first word is what the command line carries
  std::string_view meaning;
};

// What --help and `help COMMAND` say about one command, and the options it takes.
struct CommandHelp {
  std::string_view name;
  std::string_view synopsis;  // "read [--raw] [-o FILE|-]"
  std::string_view summary;   // its line in the list of commands
  std::string_view details;   // what `help COMMAND` adds: ranges, forms, where names are listed
  std::string_view example;
  std::array<OptionHelp, 3> options;
};

// nullptr for a command without help of its own.
const CommandHelp* FindCommandHelp(std::string_view name);

// The whole usage: global options, every command of `commands` with its summary, an example
// of each, the exit statuses; no line wider than a terminal.
std::string UsageText(std::span<const std::string_view> commands);
// One command's usage, its options each with its meaning, the details and its example.
std::string CommandUsage(const CommandHelp& help);
// `help functions`: the names `assign KEY function NAME` takes.
std::string FunctionsUsage();

// Whether `word` is one of `help`'s options ("-o", "--raw"). A word that is not an option at
// all ("-1", "-", text) is never refused by this.
bool LooksLikeOption(std::string_view word);
bool TakesOption(const CommandHelp& help, std::string_view word);

}  // namespace n240qx
