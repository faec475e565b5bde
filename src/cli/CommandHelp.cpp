#include "cli/CommandHelp.h"

#include <algorithm>
#include <cctype>

namespace n240qx {

namespace {

constexpr CommandHelp kHelp[] = {
    {"status",
     "status",
     "is a keyboard there, its firmware, the shipped firmware",
     "n240qx-ctl status",
     {}},
    {"read",
     "read [--raw] [-o FILE|-]",
     "read the keyboard and print every setting; -o saves a profile, - to stdout; with --json "
     "the whole profile, which apply and profile import take back",
     "n240qx-ctl read -o saved.bin",
     {"-o", "--raw"}},
    {"apply",
     "apply FILE",
     "check a profile file (binary, or JSON from read --json), then write its settings to the "
     "keyboard",
     "n240qx-ctl apply saved.bin",
     {"--dry-run"}},
    {"set",
     "set NAME VALUE ...",
     "change settings: report_rate, response_time, light_effect, effect_speed, brightness, "
     "colour_choice, light_direction, colour_slot SLOT RRGGBB, game_mode, windows_key_lock",
     "n240qx-ctl set brightness 30 light_effect Radar light_direction top",
     {"--dry-run"}},
    {"reset",
     "reset [--yes]",
     "restore the keyboard's factory settings",
     "n240qx-ctl reset --yes",
     {"--yes", "--dry-run"}},
    {"keys",
     "keys [--keyboard]",
     "every key with its stored assignment; --keyboard also reads what the keyboard holds",
     "n240qx-ctl keys",
     {"--keyboard"}},
    {"assign",
     "assign KEY ACTION",
     "KEY: name or label (Q, 1, Num1, LShift), #INDEX or 0xVK; ACTION: single VK | combine VK "
     "VK [VK] | function NAME | macro N | play PATH | startup PATH | open-file PATH | "
     "open-folder PATH | default | disable | enable",
     "n240qx-ctl assign Q combine LCtrl LAlt Del",
     {"--dry-run"}},
    {"macros", "macros", "the stored macros", "n240qx-ctl macros", {}},
    {"macro",
     "macro show|new|set|delete|rename ...",
     "macro show N | new NAME EVENT... | set N EVENT... | delete N | rename N NAME; events as "
     "the event list shows them: \"LCtrl dn\", \"50 ms\", \"C up\"",
     "n240qx-ctl macro new Copy \"LCtrl dn\" \"C dn\" \"50 ms\" \"C up\" \"LCtrl up\"",
     {}},
    {"profile",
     "profile list|import|export FILE",
     "the profile kept in Configure/; export the configuration keymap.bin holds to FILE, or "
     "check FILE (binary or JSON) and import it (the keyboard receives it with the next write)",
     "n240qx-ctl profile export ~/race.bin",
     {}},
    {"backups",
     "backups",
     "the backups made before each write, newest first: N, time, what the write changed",
     "n240qx-ctl backups",
     {}},
    {"restore",
     "restore N|FILE",
     "write backup N (1 = newest) or the backup named FILE back to the keyboard; only the "
     "difference is sent. The numbers shift by one after every write; the file name stays",
     "n240qx-ctl restore 1",
     {"--dry-run"}},
    {"help", "help [COMMAND]", "this text, or one command's", "n240qx-ctl help assign", {}},
};

constexpr std::string_view kOptions = R"(Options (anywhere on the line):
  --simulate[=STATE]  use the keyboard simulator; STATE keeps its memory between runs
  --wire-log FILE     record every report to and from the keyboard in FILE
  --data-dir DIR      folder of keymap.bin, MacroDefine.bin, Configure/ and backups/
  --share-dir DIR     folder of VER.bin (default: ../share/n240qx from the program)
  --json              print one JSON result instead of text
  --dry-run           apply, set, assign, reset, restore: print what they would send; send nothing
  -h, --help          this text; after a command, that command's
  --version           the program's version
)";

constexpr std::string_view kExitStatus =
    "Exit status: 0 done, 1 no keyboard, 2 usage error, 3 the keyboard failed, did not\n"
    "acknowledge or was busy with another program, 4 a file could not be read or written, or\n"
    "was refused, 5 the keyboard is attached but may not be opened (the udev rule is missing),\n"
    "6 the keyboard took the change but keymap.bin could not record it.\n";

}  // namespace

const CommandHelp* FindCommandHelp(std::string_view name) {
  const auto* found = std::find_if(std::begin(kHelp), std::end(kHelp),
                                   [&](const CommandHelp& help) { return help.name == name; });
  return found == std::end(kHelp) ? nullptr : found;
}

std::string UsageText(std::span<const std::string_view> commands) {
  std::string text = "usage: n240qx-ctl [OPTIONS] COMMAND [ARGS]\n\n";
  text += kOptions;
  text += "\nCommands:\n";
  std::size_t width = 0;
  for (const std::string_view name : commands) {
    const CommandHelp* help = FindCommandHelp(name);
    width = std::max(width, help ? help->synopsis.size() : name.size());
  }
  std::string examples;
  for (const std::string_view name : commands) {
    const CommandHelp* help = FindCommandHelp(name);
    const std::string_view synopsis = help ? help->synopsis : name;
    text += "  " + std::string(synopsis);
    if (help) {
      text += std::string(width - synopsis.size() + 2, ' ') + std::string(help->summary);
      examples += "  " + std::string(help->example) + "\n";
    }
    text += '\n';
  }
  return text + "\nExamples:\n" + examples + "\n" + std::string(kExitStatus);
}

std::string CommandUsage(const CommandHelp& help) {
  std::string text = "usage: n240qx-ctl [OPTIONS] " + std::string(help.synopsis) + "\n\n" +
                     std::string(help.summary) + "\n";
  for (const std::string_view option : help.options) {
    if (!option.empty()) {
      text += "  " + std::string(option) + "\n";
    }
  }
  return text + "\nExample:\n  " + std::string(help.example) + "\n";
}

bool LooksLikeOption(std::string_view word) {
  return word.size() > 1 && word[0] == '-' &&
         std::isdigit(static_cast<unsigned char>(word[1])) == 0;
}

bool TakesOption(const CommandHelp& help, std::string_view word) {
  return std::find(help.options.begin(), help.options.end(), word) != help.options.end();
}

}  // namespace n240qx
