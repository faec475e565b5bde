#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "app/PathProbe.h"
#include "util/Language.h"
#include "util/Result.h"

namespace n240qx {

// What path resolution starts from: the running program's own path, the environment values
// that matter, and the --data-dir option when it was given.
struct ProgramPathInputs {
  std::filesystem::path executable;
  std::optional<std::string> xdg_data_home;
  std::optional<std::string> home;
  std::optional<std::filesystem::path> data_dir_option;
};

// The two folders the program uses: the data folder holds what the user's edits produce
// (keymap.bin, MacroDefine.bin, the profiles and backups folders), the share folder what ships with
// the program (skin pictures, VER.bin, the updater).
class ProgramPaths {
 public:
  ProgramPaths(std::filesystem::path data_folder, std::filesystem::path share_folder, bool portable)
      : data_folder_(std::move(data_folder)),
        share_folder_(std::move(share_folder)),
        portable_(portable) {}

  // --data-dir wins; then a portable install (keymap.bin beside the program in a writable
  // folder); then $XDG_DATA_HOME/n240qx (only an absolute value counts, as the XDG rules
  // say); then ~/.local/share/n240qx. The share folder is ../share/n240qx from the program
  // when that exists, else the program's own folder (a build tree). kNotFound when no data
  // folder can be named, kInvalidArgument without an executable path.
  static Result<ProgramPaths> Resolve(const ProgramPathInputs& inputs, const PathProbe& probe);

  // The environment values of this process (std::getenv).
  static ProgramPathInputs InputsFromEnvironment(std::filesystem::path executable,
                                                 std::optional<std::filesystem::path> data_dir);

  const std::filesystem::path& data_folder() const { return data_folder_; }
  const std::filesystem::path& share_folder() const { return share_folder_; }
  bool portable() const { return portable_; }

  std::filesystem::path KeymapFile() const { return data_folder_ / "keymap.bin"; }
  std::filesystem::path MacroFile() const { return data_folder_ / "MacroDefine.bin"; }
  std::filesystem::path ProfilesFolder() const { return data_folder_ / "Configure"; }
  // The named profiles beside the kept one (ProfileLibrary).
  std::filesystem::path LibraryFolder() const { return data_folder_ / "profiles"; }
  // The automation rules that pick a profile of the library (AutomationRules).
  std::filesystem::path RulesFile() const { return data_folder_ / "rules.json"; }
  std::filesystem::path BackupsFolder() const { return data_folder_ / "backups"; }
  std::filesystem::path VersionFile() const { return share_folder_ / "VER.bin"; }
  std::filesystem::path Updater() const { return share_folder_ / kUpdaterName; }
  std::filesystem::path SkinFolder(Language language) const {
    return share_folder_ / "png" / std::string(SkinFolderName(language));
  }

  static constexpr const char* kUpdaterName = "n240qx-update";

 private:
  std::filesystem::path data_folder_;
  std::filesystem::path share_folder_;
  bool portable_;
};

}  // namespace n240qx
