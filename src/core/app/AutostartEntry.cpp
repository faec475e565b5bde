#include "app/AutostartEntry.h"

#include <cstdlib>
#include <fstream>
#include <string_view>

#include "util/AtomicFile.h"

namespace n240qx {

namespace {

constexpr std::string_view kContents =
    "[Desktop Entry]\n"
    "Type=Application\n"
    "Name=N240QX Configurator\n"
    "Comment=Keeps the keyboard's launch keys working from the tray\n"
    "Exec=n240qx --minimized\n"
    "Icon=io.github.n240qx.Configurator\n"
    "Terminal=false\n"
    "X-GNOME-Autostart-enabled=true\n";

std::optional<std::string> Environment(const char* name) {
  const char* value = std::getenv(name);  // NOLINT(concurrency-mt-unsafe): read on the UI thread
  return value == nullptr ? std::nullopt : std::optional<std::string>(value);
}

// A line that tells the desktop to skip the entry, whatever else it says.
bool SwitchesOff(std::string_view line) {
  return line == "Hidden=true" || line == "X-GNOME-Autostart-enabled=false";
}

Error FileError(const std::filesystem::path& file, const std::string& what) {
  return Error{ErrorCode::kIo, file.string() + ": " + what};
}

}  // namespace

std::optional<std::filesystem::path> AutostartEntry::PathFor(
    const std::optional<std::string>& xdg_config_home, const std::optional<std::string>& home) {
  std::filesystem::path config;
  if (xdg_config_home && std::filesystem::path(*xdg_config_home).is_absolute()) {
    config = *xdg_config_home;
  } else if (home && !home->empty()) {
    config = std::filesystem::path(*home) / ".config";
  } else {
    return std::nullopt;
  }
  return (config / "autostart" / "n240qx.desktop").lexically_normal();
}

std::optional<AutostartEntry> AutostartEntry::FromEnvironment() {
  auto file = PathFor(Environment("XDG_CONFIG_HOME"), Environment("HOME"));
  if (!file) {
    return std::nullopt;
  }
  return AutostartEntry(std::move(*file));
}

std::string AutostartEntry::Contents() {
  return std::string(kContents);
}

bool AutostartEntry::IsEnabled() const {
  std::ifstream in(file_);
  if (!in) {
    return false;
  }
  std::string line;
  while (std::getline(in, line)) {
    if (SwitchesOff(line)) {
      return false;
    }
  }
  return true;
}

Status AutostartEntry::Enable() const {
  std::error_code error;
  std::filesystem::create_directories(file_.parent_path(), error);
  if (error) {
    return FileError(file_.parent_path(), "cannot create the folder (" + error.message() + ")");
  }
  const std::string text = Contents();
  return WriteFileAtomically(
      file_, std::span(reinterpret_cast<const std::uint8_t*>(text.data()), text.size()));
}

Status AutostartEntry::Disable() const {
  std::error_code error;
  std::filesystem::remove(file_, error);
  if (error) {
    return FileError(file_, "cannot remove (" + error.message() + ")");
  }
  return Status::Ok();
}

}  // namespace n240qx
