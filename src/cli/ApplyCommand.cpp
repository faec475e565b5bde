#include <iostream>

#include "cli/Commands.h"
#include "cli/LaunchPathCheck.h"
#include "config/ProfileCheck.h"
#include "config/ProfileToApply.h"
#include "device/WriteSequence.h"
#include "keys/KeymapStore.h"
#include "util/JsonWriter.h"

namespace n240qx {

namespace {

// What a file of this size holds, in the order of the layout: the image, then one key's
// assignment after another.
std::string PartsHeld(std::size_t size, bool blank_image) {
  if (blank_image) {
    return size > image_field::kImageSize ? "key assignments only (its configuration is blank)"
                                          : "nothing (its configuration is blank)";
  }
  if (size < image_field::kImageSize) {
    return "part of the configuration only, no key assignments";
  }
  if (size == image_field::kImageSize) {
    return "configuration only, no key assignments";
  }
  if (size < kKeymapStoreSize) {
    const std::size_t entries = (size - image_field::kImageSize) / KeyActionEntry::kSize;
    return "configuration and the key assignments of the first " + std::to_string(entries) +
           " of " + std::to_string(KeyActionTable::kEntryCount) + " entries";
  }
  return "configuration and key assignments";
}

// "applied" only when something changed; a profile the keyboard holds already says so, as
// `set` does, so that a script does not take a refused-looking run for a write.
void PrintApplied(bool as_json, const std::filesystem::path& file,
                  const std::vector<std::uint8_t>& bytes, bool blank, bool changed) {
  const std::string holds = PartsHeld(bytes.size(), blank);
  if (as_json) {
    JsonWriter json;
    json.BeginObject();
    json.Key("applied");
    json.String(file.string());
    json.Key("changed");
    json.Bool(changed);
    json.Key("bytes");
    json.Number(static_cast<std::int64_t>(bytes.size()));
    json.Key("holds");
    json.String(holds);
    json.EndObject();
    std::cout << json.text() << '\n';
  } else if (changed) {
    std::cout << "applied " << file.string() << " (" << bytes.size() << " bytes): " << holds
              << '\n';
  } else {
    // A JSON profile's own size, not that of the layout it was read into.
    std::error_code unsized;
    const auto size = std::filesystem::file_size(file, unsized);
    std::cout << "nothing changed: the keyboard holds these values already; " << file.string()
              << " (" << (unsized ? bytes.size() : size) << " bytes): " << holds << '\n';
  }
}

}  // namespace

// A profile made by any program of the same layout (the image, then the key action table), or
// the JSON that read --json prints. It is checked whole before the keyboard is touched, so a
// refused file sends and stores nothing. A short binary file fills what it holds; the keyboard's
// values stay in the rest.
ExitCode RunApplyCommand(CliSession& session, const CliArguments& arguments) {
  if (arguments.words.size() != 1) {
    return session.Fail(ExitCode::kUsage, "apply takes one profile file");
  }
  const std::filesystem::path file = arguments.words[0];
  std::error_code ignored;
  if (std::filesystem::is_directory(file, ignored)) {
    return session.Fail(ExitCode::kFileError, file.string() + " is a folder, not a profile file");
  }
  const auto bytes = ReadProfileToApply(session.state().key_names(), file);
  if (!bytes.ok()) {
    return session.Fail(ExitCode::kFileError, bytes.error().message);
  }
  if (ExitCode read = session.ReadKeyboard(true); read != ExitCode::kOk) {
    return read;
  }
  const KeyActionTable before = session.state().key_actions();
  if (Status loaded = session.state().LoadProfile(*bytes); !loaded.ok()) {
    return session.Fail(ExitCode::kFileError,
                        RefusedProfile(file, ": " + loaded.error().message).message);
  }
  if (ExitCode launches = CheckLoadedLaunchPaths(session, before, file.string());
      launches != ExitCode::kOk) {
    return launches;
  }
  const bool blank = ProfileImageIsBlank(*bytes);
  const ConfiguratorState& state = session.state();
  const bool changed = WriteSequence::Changes(state.image(), state.snapshot()).Any() ||
                       state.key_actions() != state.key_actions_snapshot();
  // A dry run has printed what it would send; the change it did not make has no report.
  if (ExitCode written = session.WriteChanges(); written != ExitCode::kOk || session.dry_run()) {
    return written;
  }
  PrintApplied(session.json(), file, *bytes, blank, changed);
  return ExitCode::kOk;
}

}  // namespace n240qx