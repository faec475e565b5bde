#include "app/ConfiguratorSessionEvents.h"

#include <utility>

namespace n240qx {

ConfiguratorSessionEvents::ConfiguratorSessionEvents(ConfiguratorState& state, Hooks hooks)
    : state_(state), hooks_(std::move(hooks)) {}

void ConfiguratorSessionEvents::OnKeyboardLightingChange(std::uint8_t sub_code,
                                                         std::uint8_t value) {
  const auto slider = state_.ApplyKeyboardLightingChange(sub_code, value);
  if (hooks_.lighting) {
    hooks_.lighting(slider);
  }
}

void ConfiguratorSessionEvents::OnLaunchKey(std::uint8_t code) {
  if (hooks_.launch_key) {
    hooks_.launch_key(code);
  }
}

void ConfiguratorSessionEvents::OnProgress(const SequenceProgress& progress) {
  if (hooks_.progress) {
    hooks_.progress(progress);
  }
}

void ConfiguratorSessionEvents::OnConnectionChanged(bool connected) {
  if (hooks_.connection) {
    hooks_.connection(connected);
  }
}

void ConfiguratorSessionEvents::OnArrivalRead(const Result<DeviceRead>& read,
                                              bool reset_after_update, bool listening) {
  const SequenceEnd end = state_.FinishArrival(read, reset_after_update, listening);
  if (hooks_.arrival) {
    hooks_.arrival(end, reset_after_update, listening);
  }
}

void ConfiguratorSessionEvents::OnArrivalRunning(bool running) {
  if (hooks_.arrival_running) {
    hooks_.arrival_running(running);
  }
}

void ConfiguratorSessionEvents::OnWaitingForKeyboard(bool waiting) {
  if (hooks_.waiting_for_keyboard) {
    hooks_.waiting_for_keyboard(waiting);
  }
}

}  // namespace n240qx
