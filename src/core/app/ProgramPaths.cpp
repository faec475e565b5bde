#include "app/ProgramPaths.h"

#include <cstdlib>

namespace n240qx {

namespace {

constexpr const char* kFolderName = "n240qx";

std::optional<std::string> Environment(const char* name) {
  const char* value = std::getenv(name);  // NOLINT(concurrency-mt-unsafe): read at start-up
  if (value == nullptr) {
    return std::nullopt;
  }
  return std::string(value);
}

bool Usable(const std::optional<std::string>& value) {
  return value && !value->empty();
}

std::optional<std::filesystem::path> UserDataFolder(const ProgramPathInputs& inputs) {
  if (Usable(inputs.xdg_data_home)) {
    const std::filesystem::path xdg(*inputs.xdg_data_home);
    if (xdg.is_absolute()) {
      return xdg / kFolderName;
    }
  }
  if (Usable(inputs.home)) {
    return std::filesystem::path(*inputs.home) / ".local" / "share" / kFolderName;
  }
  return std::nullopt;
}

}  // namespace

Result<ProgramPaths> ProgramPaths::Resolve(const ProgramPathInputs& inputs,
                                           const PathProbe& probe) {
  if (inputs.executable.empty() || !inputs.executable.has_parent_path()) {
    return Error{ErrorCode::kInvalidArgument,
                 "Cannot tell where the program is installed: its own path is unknown."};
  }
  const std::filesystem::path program_folder = inputs.executable.parent_path().lexically_normal();
  const std::filesystem::path installed_share =
      (program_folder / ".." / "share" / kFolderName).lexically_normal();
  const std::filesystem::path share_folder =
      probe.IsDirectory(installed_share) ? installed_share : program_folder;

  if (inputs.data_dir_option && !inputs.data_dir_option->empty()) {
    return ProgramPaths(inputs.data_dir_option->lexically_normal(), share_folder, false);
  }
  if (probe.IsRegularFile(program_folder / "keymap.bin") &&
      probe.IsWritableDirectory(program_folder)) {
    return ProgramPaths(program_folder, share_folder, true);
  }
  const auto user_folder = UserDataFolder(inputs);
  if (!user_folder) {
    return Error{ErrorCode::kNotFound,
                 "Cannot find a folder for the settings: neither XDG_DATA_HOME nor HOME is set. "
                 "Start the program with --data-dir DIR."};
  }
  return ProgramPaths(user_folder->lexically_normal(), share_folder, false);
}

ProgramPathInputs ProgramPaths::InputsFromEnvironment(
    std::filesystem::path executable, std::optional<std::filesystem::path> data_dir) {
  return {std::move(executable), Environment("XDG_DATA_HOME"), Environment("HOME"),
          std::move(data_dir)};
}

}  // namespace n240qx
