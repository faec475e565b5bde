#pragma once

#include <cstdint>
#include <filesystem>
#include <functional>

#include "app/ConfiguratorState.h"
#include "device/SessionEvents.h"

namespace n240qx {

// Applies what the device session reports to the program's state, on the owning thread, and
// passes on what the front end has to show or do.
class ConfiguratorSessionEvents final : public SessionEvents {
 public:
  // Every hook may be empty.
  struct Hooks {
    std::function<void(std::uint8_t code)> launch_key;
    std::function<void(const SequenceProgress&)> progress;
    std::function<void(bool connected)> connection;
    // After an arrival's re-read has been applied (or failed), keymap.bin included when the
    // keyboard can be heard.
    std::function<void(const SequenceEnd&, bool reset_after_update, bool listening)> arrival;
    // After a lighting change made on the keyboard has been applied.
    std::function<void(const std::optional<SliderMove>&)> lighting;
    // An arrival's handling started (true) or ended (false).
    std::function<void(bool running)> arrival_running;
    // Another program holds the keyboard and a sequence waits for it, or waits no more.
    std::function<void(bool waiting)> waiting_for_keyboard;
  };

  explicit ConfiguratorSessionEvents(ConfiguratorState& state, Hooks hooks = {});

  void OnKeyboardLightingChange(std::uint8_t sub_code, std::uint8_t value) override;
  void OnLaunchKey(std::uint8_t code) override;
  void OnProgress(const SequenceProgress& progress) override;
  void OnConnectionChanged(bool connected) override;
  void OnArrivalRead(const Result<DeviceRead>& read, bool reset_after_update,
                     bool listening) override;
  void OnArrivalRunning(bool running) override;
  void OnWaitingForKeyboard(bool waiting) override;

 private:
  ConfiguratorState& state_;
  Hooks hooks_;
};

}  // namespace n240qx
