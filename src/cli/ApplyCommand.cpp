#include <iostream>

#include "cli/Commands.h"
#include "keys/KeymapStore.h"
#include "util/AtomicFile.h"

namespace n240qx {

// A profile made by any program of the same layout: the image, then the key action table. A
// short file fills what it holds; the keyboard's values stay in the rest.
ExitCode RunApplyCommand(CliSession& session, const CliArguments& arguments) {
  if (arguments.words.size() != 1) {
    return session.Fail(ExitCode::kUsage, "apply takes one profile file");
  }
  const std::filesystem::path file = arguments.words[0];
  std::error_code ignored;
  if (std::filesystem::is_directory(file, ignored)) {
    return session.Fail(ExitCode::kFileError, file.string() + " is a folder, not a profile file");
  }
  auto bytes = ReadFilePrefix(file, kKeymapStoreSize);
  if (!bytes.ok()) {
    return session.Fail(ExitCode::kFileError, "cannot read the profile: " + bytes.error().message);
  }
  if (ExitCode read = session.ReadKeyboard(true); read != ExitCode::kOk) {
    return read;
  }
  if (Status loaded = session.state().LoadProfile(*bytes); !loaded.ok()) {
    return session.Fail(ExitCode::kFileError, "cannot use the profile: " + loaded.error().message);
  }
  if (ExitCode written = session.WriteChanges(); written != ExitCode::kOk) {
    return written;
  }
  if (!session.json()) {
    std::cout << "applied " << file.string() << " (" << bytes->size() << " bytes)\n";
  }
  return ExitCode::kOk;
}

}  // namespace n240qx
