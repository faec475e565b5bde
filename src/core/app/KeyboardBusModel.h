#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "app/ConfiguratorState.h"
#include "app/SettingChanges.h"
#include "util/Result.h"

namespace n240qx {

// What the desktop session reads of the keyboard: the window's state as its bus object
// publishes it. The settings are those of the image, so a caller sees what the window shows.
struct KeyboardBusProperties {
  bool connected = false;
  bool simulated = false;
  std::string firmware;
  std::string effect;
  int speed = 0;
  int brightness = 0;
  int direction = 0;
  int colour_choice = 0;
  // "#RRGGBB", slot 1 first.
  std::vector<std::string> colour_slots;
  int game_mode = 0;
  int windows_key_lock = 0;
  int report_rate = 0;
  int response_time = 0;
  bool unapplied_edits = false;
  // The stored profile last applied through the window, empty for none since it started.
  std::string active_profile;
  std::vector<std::string> profile_names;

  friend bool operator==(const KeyboardBusProperties&, const KeyboardBusProperties&) = default;
};

// One property by the name the interface gives it, for PropertiesChanged.
struct KeyboardBusProperty {
  std::string_view name;
  std::variant<bool, int, std::string, std::vector<std::string>> value;
};

// What the window is doing when a caller asks it to write.
struct KeyboardBusWindow {
  bool connected = false;
  bool dialog_open = false;
  // A read, a write or an arrival runs (editing locked), or a caller's write waits.
  bool busy = false;
  bool unapplied_edits = false;
};

// The rules of the window's session bus object: what its properties say, which of them a
// change touched, and which writes it refuses and why. The Qt adaptor only forwards.
class KeyboardBusModel {
 public:
  static KeyboardBusProperties Read(const ConfiguratorState& state, bool connected, bool simulated);
  // The library's profiles and the one last applied, which the state does not hold.
  static void ReadProfiles(KeyboardBusProperties& properties, std::vector<std::string> names,
                           std::string active);
  // The properties that differ from those last published, which `now` replaces.
  std::vector<KeyboardBusProperty> Publish(const KeyboardBusProperties& now);
  const KeyboardBusProperties& published() const { return published_; }

  // The changes a Set call asks for (settings by the names `set` takes; "colour_slot" takes
  // "SLOT RRGGBB"), or kInvalidArgument for a bad setting and kNotOpen with the reason while
  // the window cannot write for the caller. Unapplied edits refuse a write unless the caller
  // discards them, so that nobody's change is written behind their back.
  static Result<std::vector<SettingChange>> CheckSet(
      const std::map<std::string, std::string>& settings, bool discard_edits,
      const KeyboardBusWindow& window);
  // The same refusals for a write that brings no settings of its own (a profile, a restore).
  static Status CheckWrite(bool discard_edits, const KeyboardBusWindow& window);
  // Those of a change of the window's stores, which needs no keyboard: a dialog open, the
  // keyboard being read or written, unapplied edits the caller does not discard.
  static Status CheckStoreChange(bool discard_edits, const KeyboardBusWindow& window);

  // The D-Bus error name of a failure's kind ("io.github.n240qx.Configurator.Error.Refused"
  // for kNotOpen), and back, so that the tool ends with the exit status of a direct run.
  static std::string ErrorName(ErrorCode code);
  static std::optional<ErrorCode> ErrorCodeOfName(std::string_view name);

 private:
  KeyboardBusProperties published_;
};

}  // namespace n240qx
