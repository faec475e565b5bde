#include "connect/ConnectionSwitch.h"

namespace n240qx {

ConnectionSwitch::ConnectionSwitch(std::unique_ptr<DeviceConnectionFactory> factory,
                                   Dispatcher& dispatcher, SessionEvents& events, Hooks hooks)
    : factory_(std::move(factory)),
      dispatcher_(dispatcher),
      events_(events),
      hooks_(std::move(hooks)) {}

void ConnectionSwitch::Start() {
  connection_ = factory_->ConnectKeyboard(dispatcher_, events_);
}

std::optional<Error> ConnectionSwitch::watch_failure() const {
  if (connection_ && connection_->watch_failure()) {
    return connection_->watch_failure();
  }
  return keyboard_watch_failure_;
}

Status ConnectionSwitch::FallBackToSimulator() {
  if (!CanFallBack()) {
    return Error{ErrorCode::kInvalidArgument, "The simulator is already in use"};
  }
  auto stand_in = factory_->ConnectStandIn(dispatcher_, events_);
  if (!stand_in.ok()) {
    return stand_in.error();
  }
  connection_ = std::move(*stand_in);
  on_stand_in_ = true;
  return_pending_ = false;
  WatchKeyboard();
  return Status::Ok();
}

void ConnectionSwitch::WatchKeyboard() {
  keyboard_watch_ = factory_->NewKeyboardMonitor();
  keyboard_watch_failure_.reset();
  if (!keyboard_watch_) {
    return;
  }
  const Status watching =
      keyboard_watch_->Start([this, alive = std::weak_ptr<bool>(alive_)](HotplugEvent event) {
        if (event != HotplugEvent::kArrival) {
          return;
        }
        // The monitor's thread: the owning thread decides, when it next gets round to it.
        dispatcher_.Post([this, alive] {
          if (!alive.expired()) {
            OnKeyboardArrived();
          }
        });
      });
  if (!watching.ok()) {
    keyboard_watch_failure_ = watching.error();
  }
}

void ConnectionSwitch::OnKeyboardArrived() {
  if (!on_stand_in_) {
    return;
  }
  if (hooks_.busy && hooks_.busy()) {
    return_pending_ = true;
    return;
  }
  SwitchToKeyboard();
}

void ConnectionSwitch::OnSequenceEnded() {
  if (!return_pending_ || (hooks_.busy && hooks_.busy())) {
    return;
  }
  return_pending_ = false;
  SwitchToKeyboard();
}

void ConnectionSwitch::SwitchToKeyboard() {
  // Another HID device, or the keyboard already gone again: the stand-in carries on.
  if (ReturnToKeyboard().ok() && hooks_.returned) {
    hooks_.returned();
  }
}

Status ConnectionSwitch::ReturnToKeyboard() {
  if (!on_stand_in_) {
    return Error{ErrorCode::kInvalidArgument, "The keyboard is already in use"};
  }
  if (!factory_->KeyboardAttached()) {
    return Error{ErrorCode::kNotFound, "The keyboard is not attached"};
  }
  connection_ = factory_->ConnectKeyboard(dispatcher_, events_);
  keyboard_watch_.reset();
  keyboard_watch_failure_.reset();
  on_stand_in_ = false;
  return_pending_ = false;
  return Status::Ok();
}

}  // namespace n240qx
