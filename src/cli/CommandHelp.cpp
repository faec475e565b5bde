#include "cli/CommandHelp.h"

#include <algorithm>
#include <cctype>

#include "cli/WrappedText.h"
#include "keys/FunctionTable.h"
#include "util/Utf8.h"

namespace n240qx {

namespace {

constexpr OptionHelp kDryRun = {
    "--dry-run", "check everything, print the reports the write would send, send nothing"};
constexpr OptionHelp kNoBackup = {"--no-backup",
                                  "send without the backup first (when none can be saved)"};
constexpr OptionHelp kAllowLaunch = {
    "--allow-launch", "take launch paths the profile adds or changes (they start programs)"};

constexpr CommandHelp kHelp[] = {
    {"status",
     "status",
     "is a keyboard there, its firmware, the shipped firmware",
     "Says whether a keyboard (or the simulator) answers, the firmware version it reports "
     "(unknown when it reports none), the version of VER.bin shipped with the updater and "
     "whether an update is offered. Nothing is written.",
     "n240qx-ctl status",
     {}},
    {"read",
     "read [--raw] [-o FILE|-]",
     "read the keyboard and print every setting by name",
     "With --json the whole profile is printed as JSON, which apply and profile import take "
     "back.",
     "n240qx-ctl read -o saved.bin",
     {{{"-o FILE",
        "also save what was read as a profile file; - writes it to standard output "
        "instead of the settings"},
       {"--raw", "print the configuration's bytes in hex, field by field, not the settings"}}}},
    {"apply",
     "apply FILE",
     "check a profile file (binary or JSON), then write it to the keyboard",
     "Every field is checked before the keyboard is touched; only what differs from what the "
     "keyboard holds is sent.",
     "n240qx-ctl apply saved.bin",
     {{kDryRun, kNoBackup, kAllowLaunch}}},
    {"set",
     "set NAME VALUE ...",
     "change settings by the names read prints (help set lists them)",
     "Names and values: light_effect NAME or code (as read prints it), effect_speed 0-9, "
     "brightness 0-50, colour_choice 1-8 or multicolour, light_direction left, right, top or "
     "bottom, colour_slot SLOT RRGGBB (SLOT 1-7), game_mode on|off, windows_key_lock on|off, "
     "report_rate 0-3, response_time 0-9; also as NAME=VALUE. Several settings in one set "
     "cost one keyboard write (about 2.6 s); several calls cost one each.",
     "n240qx-ctl set brightness 30 light_effect Radar light_direction top",
     {{kDryRun, kNoBackup}}},
    {"reset",
     "reset [--yes]",
     "restore the keyboard's factory settings",
     "On a terminal it asks first; elsewhere it needs --yes. The stored macros are kept.",
     "n240qx-ctl reset --yes",
     {{{"--yes", "reset without asking"}, kDryRun, kNoBackup}}},
    {"keys",
     "keys [--keyboard]",
     "every key with its stored assignment",
     "Each line: the key's name as the other commands take it, its label where that differs "
     "(LCtrl is labelled Ctrl), its index, whether it is enabled, and what it does.",
     "n240qx-ctl keys",
     {{{"--keyboard", "also read the keyboard and show what it holds beside the stored entry"}}}},
    {"assign",
     "assign KEY ACTION ...",
     "give a key another key, a combination, a function, a macro, a launch or a profile",
     "KEY: its name or label (Q, 1, Num1, LShift), #INDEX or 0xVK, as keys lists them. ACTION: "
     "single VK | combine VK VK [VK] | function NAME | macro N | play PATH | startup PATH | "
     "open-file PATH | open-folder PATH | profile NAME | next-profile | previous-profile | "
     "lights-toggle | default | disable | enable. The profile actions apply a profile of the "
     "library (profiles list) when the running window sees the key pressed; lights-toggle "
     "turns the lights off and on. VK is a key to send, "
     "named without its trailing space (LCtrl, Del, A, F5) or 0xNN. The function names are listed "
     "by "
     "n240qx-ctl help functions; the macro numbers by n240qx-ctl macros. Several KEY ACTION "
     "pairs in one assign (assign Q single A W single S) cost one keyboard write (about "
     "2.6 s); several calls cost one each.",
     "n240qx-ctl assign Q combine LCtrl LAlt Del",
     {{kDryRun, kNoBackup}}},
    {"macros", "macros", "the stored macros", "", "n240qx-ctl macros", {}},
    {"macro",
     "macro show|new|set|delete|rename|loop ...",
     "show, make, change, delete, rename or repeat a stored macro",
     "macro show N | new NAME EVENT... | set N EVENT... | delete N | rename N NAME | loop N "
     "COUNT (the macro plays COUNT times, 1-999). Events as "
     "macro show lists them: \"LCtrl dn\", \"50 ms\", \"C up\". The keyboard gets the macros "
     "with the next write (assign, apply).",
     "n240qx-ctl macro new Copy \"LCtrl dn\" \"C dn\" \"50 ms\" \"C up\" \"LCtrl up\"",
     {}},
    {"profile",
     "profile list|import|export|rename ...",
     "the profile kept in Configure/: list, import, export or rename it",
     "profile list | import FILE | export FILE | rename OLD NEW. export saves the "
     "configuration keymap.bin holds; import checks FILE (binary or JSON) and loads it, and "
     "the keyboard receives it with the next write; rename gives the kept profile OLD (as list "
     "shows it) the name NEW.",
     "n240qx-ctl profile export ~/race.bin",
     {{kAllowLaunch}}},
    {"profiles",
     "profiles list|save|show|apply|delete|rename ...",
     "the named profiles of the library in profiles/",
     "profiles list | save NAME | show NAME | apply NAME | delete NAME | rename OLD NEW. save "
     "reads the keyboard and keeps what it holds as profiles/NAME.json (the JSON of read "
     "--json); apply writes only what differs from the keyboard, checked as apply checks a "
     "file; show prints the profile's JSON. A NAME is a file name: no /, no control "
     "characters, not starting with a dot.",
     "n240qx-ctl profiles save race",
     {{kDryRun, kNoBackup, kAllowLaunch}}},
    {"backups",
     "backups",
     "the backups made before each write, newest first",
     "Each line: its number N, the time, what the write that followed changed.",
     "n240qx-ctl backups",
     {}},
    {"restore",
     "restore N|FILE",
     "write backup N (1 = newest) or the backup named FILE back to the keyboard",
     "Only the difference is sent, after a backup of its own. The numbers shift by one after "
     "every write; the file name stays.",
     "n240qx-ctl restore 1",
     {{kDryRun, kNoBackup, kAllowLaunch}}},
    {"diagnose",
     "diagnose [WIRELOG]",
     "what a bug report needs: session, nodes, permissions, timing",
     "Prints, writing nothing: the program's version, the desktop session, the keyboard's "
     "hidraw nodes with their interfaces and collections and whether each can be opened, the "
     "udev rule (and the commands that install it), the firmware and how long a full read "
     "takes against the pauses it must make, the data folder and each store in it, and the last "
     "lines of WIRELOG, a file "
     "--wire-log wrote. With --json as one object.",
     "n240qx-ctl diagnose",
     {}},
    {"rules",
     "rules list|add|remove|default ...",
     "the rules that pick a profile when a program or window is in front",
     "rules list | add PROFILE (--process NAME | --window-class CLASS | --window-title TEXT) | "
     "remove N | default PROFILE. The first rule that holds picks its profile of the library "
     "(profiles list) for the window to load; the default profile comes back when none "
     "holds. A process NAME is a program's file name (game.exe also finds a Wine or Proton "
     "game); a CLASS is either part of the window's WM_CLASS (or its Wayland app id); a TEXT is "
     "any part of the window's title. Letters compare in any case. The rules are kept in "
     "rules.json in the data folder.",
     "n240qx-ctl rules add race --process game.exe",
     {{{"--process NAME", "a running program by its file name, with or without .exe"},
       {"--window-class CLASS", "the active window's class"},
       {"--window-title TEXT", "a part of the active window's title"}}}},
    {"help",
     "help [COMMAND]",
     "this text, or one command's",
     "help functions lists the function names assign takes.",
     "n240qx-ctl help assign",
     {}},
};

constexpr OptionHelp kGlobalOptions[] = {
    {"--simulate[=STATE]", "use the keyboard simulator; STATE keeps its memory between runs"},
    {"--wire-log FILE", "record every report to and from the keyboard in FILE"},
    {"--data-dir DIR", "folder of keymap.bin, MacroDefine.bin, Configure/ and backups/"},
    {"--share-dir DIR", "folder of VER.bin (default: ../share/n240qx from the program)"},
    {"--json", "print one JSON result instead of text"},
    {"--direct", "open the keyboard here even while the window runs (see README)"},
    {"--dry-run", "apply, set, assign, reset, restore: print what they would send; send nothing"},
    {"-h, --help", "this text; after a command, that command's"},
    {"--version", "the program's version"},
};

// Where the meaning of an option, or the summary of a command, begins.
constexpr std::size_t kOptionColumn = 22;
constexpr std::size_t kCommandColumn = 28;

constexpr std::string_view kExitStatus =
    "Exit status: 0 done, 1 no keyboard, 2 usage error, 3 the keyboard failed, did not "
    "acknowledge or was busy with another program, 4 a file could not be read or written, or "
    "was refused, 5 the keyboard is attached but may not be opened (the udev rule is missing), "
    "6 the keyboard took the change but keymap.bin could not record it.";

std::string OptionLines(std::span<const OptionHelp> options) {
  std::string text;
  for (const OptionHelp& option : options) {
    if (!option.option.empty()) {
      text += HangingText("  " + std::string(option.option), option.meaning, kOptionColumn);
    }
  }
  return text;
}

}  // namespace

const CommandHelp* FindCommandHelp(std::string_view name) {
  const auto* found = std::find_if(std::begin(kHelp), std::end(kHelp),
                                   [&](const CommandHelp& help) { return help.name == name; });
  return found == std::end(kHelp) ? nullptr : found;
}

std::string UsageText(std::span<const std::string_view> commands) {
  std::string text =
      "usage: n240qx-ctl [OPTIONS] COMMAND [ARGS]\n\nOptions (anywhere on the "
      "line):\n" +
      OptionLines(kGlobalOptions) + "\nCommands:\n";
  std::string examples;
  for (const std::string_view name : commands) {
    const CommandHelp* help = FindCommandHelp(name);
    if (help == nullptr) {
      text += "  " + std::string(name) + '\n';
      continue;
    }
    text += HangingText("  " + std::string(help->synopsis), help->summary, kCommandColumn);
    examples += "  " + std::string(help->example) + "\n";
  }
  return text + "\nExamples:\n" + examples + "\n" + WrappedText(kExitStatus, 0);
}

std::string CommandUsage(const CommandHelp& help) {
  std::string text = "usage: n240qx-ctl [OPTIONS] " + std::string(help.synopsis) + "\n\n" +
                     WrappedText(help.summary, 0);
  if (!help.options.front().option.empty()) {
    text += "\nOptions:\n" + OptionLines(help.options);
  }
  if (!help.details.empty()) {
    text += "\n" + WrappedText(help.details, 0);
  }
  return text + "\nExample:\n  " + std::string(help.example) + "\n";
}

std::string FunctionsUsage() {
  std::string names;
  for (const FunctionRow& row : FunctionTable::Rows()) {
    names += (names.empty() ? "\"" : ", \"") + Utf8FromUtf16(row.name) + "\"";
  }
  return "The functions assign KEY function NAME takes (letters in any case):\n\n" +
         WrappedText(names, 2) + "\nExample:\n  n240qx-ctl assign F5 function \"Volume Up\"\n";
}

bool LooksLikeOption(std::string_view word) {
  return word.size() > 1 && word[0] == '-' &&
         std::isdigit(static_cast<unsigned char>(word[1])) == 0;
}

bool TakesOption(const CommandHelp& help, std::string_view word) {
  return std::any_of(help.options.begin(), help.options.end(), [&](const OptionHelp& option) {
    return !option.option.empty() && option.option.substr(0, option.option.find(' ')) == word;
  });
}

}  // namespace n240qx
