#include <cstdio>
#include <iostream>

#include "cli/CommandHelp.h"
#include "cli/Commands.h"
#include "cli/ImagePrinter.h"
#include "cli/SettingsView.h"
#include "config/ProfileJson.h"
#include "keys/KeymapStore.h"
#include "util/AtomicFile.h"

namespace n240qx {

namespace {

struct ReadOptions {
  std::optional<std::string> profile;  // "-" is standard output
  bool raw = false;
};

Result<ReadOptions> ParseReadOptions(const std::vector<std::string>& words, bool json) {
  ReadOptions options;
  for (std::size_t at = 0; at < words.size(); ++at) {
    if (words[at] == "--raw") {
      options.raw = true;
    } else if (words[at] == "-o" && (at + 1 == words.size() || LooksLikeOption(words[at + 1]))) {
      // "read -o --raw" would save a profile named --raw; ./--raw still names such a file.
      return Error{ErrorCode::kInvalidArgument, "-o needs a FILE (- for stdout)"};
    } else if (words[at] == "-o" && !options.profile) {
      options.profile = words[++at];
    } else {
      return Error{ErrorCode::kInvalidArgument, "read takes only --raw and -o FILE (- for stdout)"};
    }
  }
  if (options.raw && json) {
    return Error{ErrorCode::kInvalidArgument,
                 "--raw has no JSON form: read --json already holds every byte"};
  }
  return options;
}

bool WriteToStandardOutput(const std::vector<std::uint8_t>& bytes) {
  std::cout.flush();
  return std::fwrite(bytes.data(), 1, bytes.size(), stdout) == bytes.size() &&
         std::fflush(stdout) == 0;
}

}  // namespace

// The output file is checked before the keyboard is read: a read takes seconds, and its result
// should not be lost to a path that was never writable.
ExitCode RunReadCommand(CliSession& session, const CliArguments& arguments) {
  const auto options = ParseReadOptions(arguments.words, arguments.json);
  if (!options.ok()) {
    return session.Fail(ExitCode::kUsage, options.error().message);
  }
  const bool to_stdout = options->profile == "-";
  if (options->profile && !to_stdout) {
    if (Status own = session.own_files().CheckNotOwn(*options->profile); !own.ok()) {
      return session.Fail(ExitCode::kUsage, own.error().message);
    }
    if (Status writable = CheckReplaceable(*options->profile); !writable.ok()) {
      return session.Fail(ExitCode::kFileError,
                          "cannot save the profile there: " + writable.error().message);
    }
  }
  if (ExitCode read = session.ReadKeyboard(false); read != ExitCode::kOk) {
    return read;
  }
  const ConfiguratorState& state = session.state();
  const auto profile = EncodeKeymapStore(state.image(), state.key_actions());
  if (to_stdout) {
    return WriteToStandardOutput(profile)
               ? ExitCode::kOk
               : session.Fail(ExitCode::kFileError, "cannot write the profile to stdout");
  }
  if (session.json()) {
    // The whole profile, in the form apply and profile import take back.
    std::cout << profile_json::ToText({state.image(), state.key_actions(), state.stored_macros(),
                                       state.key_names(), state.firmware()})
              << '\n';
  } else if (options->raw) {
    PrintImageText(state.image(), state.firmware(), std::cout);
  } else {
    PrintSettingsText(state, std::cout);
  }
  if (options->profile) {
    if (Status saved = WriteFileAtomically(*options->profile, profile); !saved.ok()) {
      return session.Fail(ExitCode::kFileError, saved.error().message);
    }
    // Beside JSON on stdout it would break what a script parses.
    (session.json() ? std::cerr : std::cout) << "saved to " << *options->profile << '\n';
  }
  return ExitCode::kOk;
}

}  // namespace n240qx
