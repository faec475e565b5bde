#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "app/ConfiguratorState.h"
#include "app/KeyAssignment.h"
#include "app/ProgramPaths.h"
#include "app/Texts.h"
#include "gui/DeviceRequests.h"
#include "gui/KeyboardBusAdaptor.h"
#include "gui/KeyboardConnection.h"
#include "gui/WindowFeedback.h"
#include "keys/HostAction.h"
#include "keys/Launcher.h"
#include "window/MainWindowModel.h"

namespace n240qx {

// What reaches the window from outside its own input: the keys the keyboard reports pressed
// (a launch, a host action), the session bus's view of the window, and the stored profile
// applied last, whoever applied it. Writes go through the device requests' callers' writes.
class OutsideRequests {
 public:
  struct Setup {
    const ConfiguratorState& state;
    const ProgramPaths& paths;
    const Texts& texts;
    const MainWindowModel& model;
    const KeyboardConnection& connection;
    DeviceRequests& device;
    const KeyAssignment& key_assignment;
    WindowFeedback& feedback;
    std::function<void()> repaint;
    std::unique_ptr<Launcher> launcher;
  };

  explicit OutsideRequests(Setup setup);

  // The keyboard reported a launch key: its launch target, its host action, then on_launch_key.
  void OnLaunchKey(std::uint8_t code);
  // Who applied a library profile: the user from the tray or the session bus, the user with
  // a profile key, or the rules.
  enum class ChosenBy { kUser, kProfileKey, kRule };
  // A stored profile of the library has been applied: it is the active profile, and
  // on_profile_applied is told.
  void NoteProfileApplied(const std::string& name, ChosenBy chosen_by = ChosenBy::kUser);
  // What the window's object on the session bus reads and writes through.
  KeyboardBusAdaptor::Window BusWindow();

  std::function<void(const std::string& name, ChosenBy chosen_by)> on_profile_applied;
  std::function<void(std::uint8_t code)> on_launch_key;
  // A key carrying the lights-toggle host action was pressed; the composition wires the owner
  // of the lights, none leaves the key doing nothing.
  std::function<void()> toggle_lights;

 private:
  // A key with a host action was pressed: a profile of the library through the caller's
  // write, the lights, or the status line says why not now.
  void RunHostAction(const HostAction& action);
  void ApplyLibraryProfile(const std::string& name);
  // A sequence or a caller's write runs.
  bool Busy() const;

  const ConfiguratorState& state_;
  const ProgramPaths& paths_;
  const Texts& texts_;
  const MainWindowModel& model_;
  const KeyboardConnection& connection_;
  DeviceRequests& device_;
  const KeyAssignment& key_assignment_;
  WindowFeedback& feedback_;
  std::function<void()> repaint_;
  std::unique_ptr<Launcher> launcher_;
  // The stored profile last applied, for the session bus.
  std::string active_profile_;
};

}  // namespace n240qx
