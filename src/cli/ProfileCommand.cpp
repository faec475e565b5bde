#include <algorithm>
#include <iostream>

#include "app/ProfileTransfer.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "cli/LaunchPathCheck.h"
#include "config/DiskProfileFiles.h"
#include "config/ProfileStore.h"
#include "util/EscapedText.h"

namespace n240qx {

namespace {

ExitCode ExitCodeFor(const Error& error) {
  return error.code == ErrorCode::kInvalidArgument ? ExitCode::kUsage : ExitCode::kFileError;
}

ExitCode ListProfiles(CliSession& session, ProfileStore& store) {
  auto profiles = store.List();
  if (!profiles.ok()) {
    return session.Fail(ExitCode::kFileError, profiles.error().message);
  }
  if (session.json()) {
    JsonWriter json;
    json.BeginArray();
    for (const ProfileEntry& profile : *profiles) {
      json.BeginObject();
      json.Key("name");
      json.String(profile.name);
      json.Key("file");
      json.String(profile.file.string());
      json.EndObject();
    }
    json.EndArray();
    std::cout << json.text() << '\n';
  } else if (profiles->empty()) {
    std::cout << "no profile kept in " << store.folder().string() << '\n';
  } else {
    for (const ProfileEntry& profile : *profiles) {
      std::cout << EscapedText(profile.name) << '\n';
    }
  }
  return ExitCode::kOk;
}

ExitCode Transferred(CliSession& session, bool import, const std::filesystem::path& file,
                     const std::string& kept) {
  if (!session.json()) {
    std::cout << (import ? "imported " : "exported ") << file.string() << "; kept as profile "
              << EscapedText(kept) << '\n';
  }
  return ExitCode::kOk;
}

// While the window runs, its own state takes the profile, so that its next save of keymap.bin
// keeps it; launch paths from elsewhere only its Import dialog takes.
ExitCode ImportThroughWindow(CliSession& session, const std::filesystem::path& file) {
  const auto kept = session.ImportProfile(file);
  if (!kept.ok()) {
    return session.Fail(kept.error().code == ErrorCode::kNotOpen
                            ? ExitCodeForDeviceError(kept.error())
                            : ExitCodeFor(kept.error()),
                        kept.error().message);
  }
  return Transferred(session, true, file, *kept);
}

ExitCode Transfer(CliSession& session, ProfileStore& store, bool import,
                  const std::filesystem::path& file) {
  if (import && session.through_window()) {
    return ImportThroughWindow(session, file);
  }
  std::error_code ignored;
  if (!import && !std::filesystem::exists(session.paths().KeymapFile(), ignored)) {
    return session.Fail(ExitCode::kFileError, "there is no configuration to export: " +
                                                  session.paths().KeymapFile().string() +
                                                  " does not exist");
  }
  // Import makes the data folder and its files as the window's first start would.
  if (ExitCode loaded = session.LoadFiles(import); loaded != ExitCode::kOk) {
    return loaded;
  }
  ProfileTransfer transfer(session.state(), store, session.own_files());
  transfer.ApproveLaunchesWith([&session](const auto&) { return session.allow_launch(); });
  const ProfileOutcome outcome = import ? transfer.Import(file) : transfer.Export(file);
  if (!outcome.status.ok()) {
    const Error failed = TransferFailure(outcome, import);
    const std::string_view hint =
        outcome.declined_launches.empty() ? std::string_view() : kAllowLaunchHint;
    return session.Fail(ExitCodeFor(failed), failed.message + std::string(hint));
  }
  return Transferred(session, import, file, outcome.kept->name);
}

// As the window's list renames: the kept profile by the name `profile list` shows.
ExitCode RenameProfile(CliSession& session, ProfileStore& store, const std::string& old_name,
                       const std::string& new_name) {
  auto profiles = store.List();
  if (!profiles.ok()) {
    return session.Fail(ExitCode::kFileError, profiles.error().message);
  }
  const auto found =
      std::find_if(profiles->begin(), profiles->end(),
                   [&](const ProfileEntry& entry) { return entry.name == old_name; });
  if (found == profiles->end()) {
    std::string kept;
    for (const ProfileEntry& profile : *profiles) {
      kept += (kept.empty() ? "" : ", ") + EscapedText(profile.name);
    }
    return session.Fail(ExitCode::kUsage, "there is no profile \"" + EscapedText(old_name) +
                                              "\" (kept: " + (kept.empty() ? "none" : kept) + ")");
  }
  ProfileTransfer transfer(session.state(), store);
  const ProfileOutcome outcome = transfer.Rename(*found, new_name);
  if (!outcome.status.ok()) {
    return session.Fail(ExitCodeFor(outcome.status.error()),
                        "the profile was not renamed: " + outcome.status.error().message);
  }
  if (session.json()) {
    JsonWriter json;
    json.BeginObject();
    json.Key("renamed");
    json.String(found->name);
    json.Key("name");
    json.String(outcome.kept->name);
    json.EndObject();
    std::cout << json.text() << '\n';
  } else {
    std::cout << "renamed profile " << EscapedText(found->name) << " to "
              << EscapedText(outcome.kept->name) << '\n';
  }
  return ExitCode::kOk;
}

}  // namespace

// The profiles folder of the data folder and the configuration keymap.bin holds, as the
// window's profile dialog sees them. The keyboard is not touched: apply sends a profile.
ExitCode RunProfileCommand(CliSession& session, const CliArguments& arguments) {
  const auto& words = arguments.words;
  DiskProfileFiles files;
  ProfileStore store(session.paths().ProfilesFolder(), files);
  if (words.size() == 1 && words[0] == "list") {
    return ListProfiles(session, store);
  }
  if (words.size() == 2 && (words[0] == "import" || words[0] == "export")) {
    return Transfer(session, store, words[0] == "import", words[1]);
  }
  if (words.size() == 3 && words[0] == "rename") {
    return RenameProfile(session, store, words[1], words[2]);
  }
  return session.Fail(ExitCode::kUsage,
                      "use: profile list | profile import FILE | profile "
                      "export FILE | profile rename OLD NEW");
}

}  // namespace n240qx
