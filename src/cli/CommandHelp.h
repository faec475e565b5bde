#pragma once

#include <array>
#include <span>
#include <string>
#include <string_view>

namespace n240qx {

// What --help and `help COMMAND` say about one command, and the options it takes.
struct CommandHelp {
  std::string_view name;
  std::string_view synopsis;  // "read [--raw] [-o FILE|-]"
  std::string_view summary;
  std::string_view example;
  std::array<std::string_view, 3> options;  // the words starting with "-" it accepts
};

// nullptr for a command without help of its own.
const CommandHelp* FindCommandHelp(std::string_view name);

// The whole usage: global options, every command of `commands` one per line, an example of
// each, the exit statuses.
std::string UsageText(std::span<const std::string_view> commands);
// One command's usage, its options one per line, and its example.
std::string CommandUsage(const CommandHelp& help);

// Whether `word` is one of `help`'s options ("-o", "--raw"). A word that is not an option at
// all ("-1", "-", text) is never refused by this.
bool LooksLikeOption(std::string_view word);
bool TakesOption(const CommandHelp& help, std::string_view word);

}  // namespace n240qx
