#include <iostream>

#include "cli/Commands.h"
#include "cli/ImagePrinter.h"
#include "keys/KeymapStore.h"
#include "util/AtomicFile.h"

namespace n240qx {

ExitCode RunReadCommand(CliSession& session, const CliArguments& arguments) {
  std::optional<std::filesystem::path> profile;
  const auto& words = arguments.words;
  if (words.size() == 2 && words[0] == "-o") {
    profile = words[1];
  } else if (!words.empty()) {
    return session.Fail(ExitCode::kUsage, "read takes only -o FILE");
  }
  if (ExitCode read = session.ReadKeyboard(false); read != ExitCode::kOk) {
    return read;
  }
  const ConfiguratorState& state = session.state();
  if (session.json()) {
    std::cout << ImageJson(state.image, state.firmware) << '\n';
  } else {
    PrintImageText(state.image, state.firmware, std::cout);
  }
  if (profile) {
    Status saved = WriteFileAtomically(*profile, EncodeKeymapStore(state.image, state.key_actions));
    if (!saved.ok()) {
      return session.Fail(ExitCode::kFileError, saved.error().message);
    }
  }
  return ExitCode::kOk;
}

}  // namespace n240qx
