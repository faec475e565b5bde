#include <iostream>

#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "config/ProfileCheck.h"
#include "keys/KeymapStore.h"
#include "util/AtomicFile.h"

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

}  // namespace

// A profile made by any program of the same layout: the image, then the key action table. It is
// checked whole before the keyboard is touched, so a refused file sends and stores nothing. A
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
  // One byte more than a profile, so that a longer file is seen as such.
  auto bytes = ReadFilePrefix(file, kKeymapStoreSize + 1);
  if (!bytes.ok()) {
    return session.Fail(ExitCode::kFileError, "cannot read the profile: " + bytes.error().message);
  }
  if (bytes->size() > kKeymapStoreSize) {
    // A device or pipe has no size to name.
    std::error_code unsized;
    const auto size = std::filesystem::file_size(file, unsized);
    return session.Fail(ExitCode::kFileError,
                        "refused " + file.string() + ", nothing was sent: it is " +
                            (unsized ? std::string() : std::to_string(size) + " bytes, ") +
                            "longer than any profile (" + std::to_string(kKeymapStoreSize) +
                            " bytes)");
  }
  if (const auto problems = CheckProfile(*bytes); !problems.empty()) {
    std::string message = "refused " + file.string() + ", nothing was sent:";
    for (const ProfileProblem& problem : problems) {
      message += "\n  " + problem.Text();
    }
    return session.Fail(ExitCode::kFileError, message);
  }
  if (ExitCode read = session.ReadKeyboard(true); read != ExitCode::kOk) {
    return read;
  }
  if (Status loaded = session.state().LoadProfile(*bytes); !loaded.ok()) {
    return session.Fail(ExitCode::kFileError, "cannot use the profile: " + loaded.error().message);
  }
  const bool blank = ProfileImageIsBlank(*bytes);
  // A dry run has printed what it would send; the change it did not make has no report.
  if (ExitCode written = session.WriteChanges(); written != ExitCode::kOk || session.dry_run()) {
    return written;
  }
  if (session.json()) {
    JsonWriter json;
    json.BeginObject();
    json.Key("applied");
    json.String(file.string());
    json.Key("bytes");
    json.Number(static_cast<std::int64_t>(bytes->size()));
    json.Key("holds");
    json.String(PartsHeld(bytes->size(), blank));
    json.EndObject();
    std::cout << json.text() << '\n';
  } else {
    std::cout << "applied " << file.string() << " (" << bytes->size()
              << " bytes): " << PartsHeld(bytes->size(), blank) << '\n';
  }
  return ExitCode::kOk;
}

}  // namespace n240qx
