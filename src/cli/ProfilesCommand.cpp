#include <iostream>

#include "app/ProfileLibrary.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "config/ProfileJson.h"
#include "util/AtomicFile.h"
#include "util/EscapedText.h"
#include "util/JsonParser.h"

namespace n240qx {

namespace {

ExitCode Failed(CliSession& session, const Status& status) {
  return session.Fail(ExitCodeForFileEdit(status.error()), status.error().message);
}

// One line a name, as a script reads them; a name never holds a line break.
ExitCode List(CliSession& session, const ProfileLibrary& library) {
  const auto names = library.Names();
  if (!names.ok()) {
    return Failed(session, names.error());
  }
  if (session.json()) {
    JsonWriter json;
    json.BeginArray();
    for (const std::string& name : *names) {
      json.String(name);
    }
    json.EndArray();
    std::cout << json.text() << '\n';
  } else if (names->empty()) {
    std::cout << "no profiles in " << library.folder().string() << '\n';
  } else {
    for (const std::string& name : *names) {
      std::cout << EscapedText(name) << '\n';
    }
  }
  return ExitCode::kOk;
}

// What the keyboard holds now, read as `read --json` reads it.
ExitCode Save(CliSession& session, const ProfileLibrary& library, const std::string& name) {
  if (Status valid = ProfileLibrary::CheckName(name); !valid.ok()) {
    return Failed(session, valid);
  }
  if (ExitCode read = session.ReadKeyboard(false); read != ExitCode::kOk) {
    return read;
  }
  const ConfiguratorState& state = session.state();
  const std::string text =
      profile_json::ToText({state.image(), state.key_actions(), state.stored_macros(),
                            state.key_names(), state.firmware()});
  if (Status saved = library.Save(name, text + '\n'); !saved.ok()) {
    return Failed(session, saved);
  }
  if (!session.json()) {
    std::cout << "saved profile " << name << " to " << library.FileOf(name).string() << '\n';
  }
  return ExitCode::kOk;
}

// The stored JSON as it is, once it has been read as a profile: a damaged file is named, not
// printed.
ExitCode Show(CliSession& session, const ProfileLibrary& library, const std::string& name) {
  if (Status existing = library.CheckExisting(name); !existing.ok()) {
    return Failed(session, existing);
  }
  auto bytes = ReadFilePrefix(library.FileOf(name), JsonParser::kMaxSize + 1);
  if (!bytes.ok()) {
    return Failed(session, bytes.error());
  }
  if (auto profile = profile_json::ProfileBytes(session.state().key_names(), *bytes);
      !profile.ok() || !profile_json::LooksLikeJson(*bytes)) {
    return session.Fail(ExitCode::kFileError,
                        library.FileOf(name).string() + " is no profile" +
                            (profile.ok() ? std::string() : ": " + profile.error().message));
  }
  std::cout << std::string(bytes->begin(), bytes->end());
  return ExitCode::kOk;
}

ExitCode Apply(CliSession& session, const ProfileLibrary& library, const CliArguments& arguments,
               const std::string& name) {
  if (Status existing = library.CheckExisting(name); !existing.ok()) {
    return Failed(session, existing);
  }
  // The same checks, the same difference written and the same report as for any profile file.
  CliArguments as_file = arguments;
  as_file.words = {library.FileOf(name).string()};
  return RunApplyCommand(session, as_file);
}

ExitCode Done(CliSession& session, const Status& status, const std::string& what) {
  if (!status.ok()) {
    return Failed(session, status);
  }
  if (!session.json()) {
    std::cout << what << '\n';
  }
  return ExitCode::kOk;
}

}  // namespace

// The named profiles of the data folder's library. Only save reads the keyboard and only apply
// writes to it; list, show, delete and rename touch the folder alone.
ExitCode RunProfilesCommand(CliSession& session, const CliArguments& arguments) {
  const auto& words = arguments.words;
  const ProfileLibrary library(session.paths().LibraryFolder());
  const std::string verb = words.empty() ? std::string() : words[0];
  if (words.size() == 1 && verb == "list") {
    return List(session, library);
  }
  if (words.size() == 2 && verb == "save") {
    return Save(session, library, words[1]);
  }
  if (words.size() == 2 && verb == "show") {
    return Show(session, library, words[1]);
  }
  if (words.size() == 2 && verb == "apply") {
    return Apply(session, library, arguments, words[1]);
  }
  if (words.size() == 2 && verb == "delete") {
    return Done(session, library.Delete(words[1]), "deleted profile " + words[1]);
  }
  if (words.size() == 3 && verb == "rename") {
    return Done(session, library.Rename(words[1], words[2]),
                "renamed profile " + words[1] + " to " + words[2]);
  }
  return session.Fail(ExitCode::kUsage,
                      "use: profiles list | save NAME | show NAME | apply NAME | delete NAME | "
                      "rename OLD NEW");
}

}  // namespace n240qx
