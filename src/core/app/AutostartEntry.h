#pragma once

#include <filesystem>
#include <optional>
#include <string>

#include "util/Result.h"

namespace n240qx {

// The desktop's autostart entry that starts the window program hidden in the tray at login,
// so that the keyboard's launch keys work without opening the window. It lives in the user's
// XDG autostart folder; removing it is how the user's choice is taken back, since the program
// installs no system-wide entry that a Hidden=true copy would have to mask.
class AutostartEntry {
 public:
  explicit AutostartEntry(std::filesystem::path file) : file_(std::move(file)) {}

  // $XDG_CONFIG_HOME/autostart/n240qx.desktop (only an absolute XDG_CONFIG_HOME counts, as the
  // XDG rules say), else ~/.config/autostart/n240qx.desktop; nullopt when neither is set.
  static std::optional<std::filesystem::path> PathFor(
      const std::optional<std::string>& xdg_config_home, const std::optional<std::string>& home);
  // The entry of this process's environment; nullopt without XDG_CONFIG_HOME and HOME.
  static std::optional<AutostartEntry> FromEnvironment();

  // The entry's text: a desktop entry that runs "n240qx --minimized".
  static std::string Contents();

  const std::filesystem::path& file() const { return file_; }
  // True when the entry exists and the desktop would run it: an entry that the user switched
  // off in the desktop's own settings (Hidden=true, or GNOME's enabled key false) does not count.
  bool IsEnabled() const;
  // Writes the entry (creating the autostart folder), replacing whatever was there.
  Status Enable() const;
  // Removes the entry; an entry that is not there is no error.
  Status Disable() const;
  Status Set(bool enabled) const { return enabled ? Enable() : Disable(); }

 private:
  std::filesystem::path file_;
};

}  // namespace n240qx
