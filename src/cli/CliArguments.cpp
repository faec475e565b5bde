#include "cli/CliArguments.h"

namespace n240qx {

namespace {

constexpr std::string_view kUsage = R"(usage: n240qx-ctl [options] COMMAND [ARGS]

Options (anywhere on the line):
  --simulate[=STATE]  use the built-in keyboard simulator; STATE keeps its memory between runs
  --wire-log FILE     record every report to and from the keyboard in FILE
  --data-dir DIR      folder of keymap.bin, MacroDefine.bin and Configure/
  --share-dir DIR     folder of VER.bin (default: ../share/n240qx from the program)
  --json              print JSON instead of text
  --help              this text

Commands:
  status                    keyboard found, its firmware, the shipped firmware, update offered
  read [-o FILE]            read the keyboard and print every setting; -o saves a profile file
  apply FILE                write a profile file's settings to the keyboard
  set NAME VALUE ...        change settings: effect, speed, brightness, colour-choice,
                            direction, colour SLOT RRGGBB, game-mode, win-lock, report-rate,
                            response-time
  reset [--yes]             restore the keyboard's factory settings
  keys                      every key with its assignment
  assign KEY ACTION         KEY: index, label or 0xNN; ACTION: single VK | combine VK VK [VK] |
                            function NAME | macro N | play PATH | startup PATH |
                            open-file PATH | open-folder PATH | default | disable | enable
  macros                    the stored macros
  macro show N              the events of stored macro N

Exit status: 0 done, 1 no keyboard, 2 usage error, 3 the keyboard failed or did not
acknowledge or was busy with another program, 4 a file could not be read or written, 5 the
keyboard is attached but may not be opened (the udev rule is missing).
)";

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
    if (options_end || word.size() < 2 || word.substr(0, 2) != "--") {
      positional.emplace_back(word);
    } else if (word == "--") {
      options_end = true;
    } else if (word == "--json") {
      parsed.json = true;
    } else if (word == "--help") {
      parsed.help = true;
    } else if (word == "--simulate") {
      parsed.simulate = true;
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
    }
  }
  if (!positional.empty()) {
    parsed.command = positional.front();
    parsed.words.assign(positional.begin() + 1, positional.end());
  }
  if (parsed.state_file && parsed.state_file->empty()) {
    return Usage("--simulate= needs a file name after the '='");
  }
  return parsed;
}

std::string_view UsageText() {
  return kUsage;
}

}  // namespace n240qx
