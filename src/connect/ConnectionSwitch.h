#pragma once

#include <functional>
#include <memory>
#include <optional>

#include "connect/DeviceConnection.h"
#include "connect/DeviceConnectionFactory.h"
#include "device/DeviceSession.h"
#include "device/HotplugMonitor.h"
#include "device/SessionEvents.h"
#include "util/Dispatcher.h"
#include "util/Result.h"

namespace n240qx {

// The window's connection: the keyboard, or the simulator standing in for it while none is
// attached, so that the program can always be tried out. The keyboard stays watched meanwhile;
// when it turns up, the stand-in's connection is replaced whole by one to the keyboard, at once
// when nothing runs, otherwise as soon as the running sequence has ended (its reply needs the
// session it runs on).
class ConnectionSwitch {
 public:
  struct Hooks {
    // A sequence or an arrival read is running on the session.
    std::function<bool()> busy;
    // The session has just been rebuilt on the keyboard, not yet connected.
    std::function<void()> returned;
  };

  // Sessions post to `dispatcher` and report to `events`; both must outlive this object.
  ConnectionSwitch(std::unique_ptr<DeviceConnectionFactory> factory, Dispatcher& dispatcher,
                   SessionEvents& events, Hooks hooks);
  ConnectionSwitch(const ConnectionSwitch&) = delete;
  ConnectionSwitch& operator=(const ConnectionSwitch&) = delete;

  // The connection to the keyboard the program was started for; once, before anything below.
  void Start();
  DeviceSession& session() { return connection_->session(); }
  bool simulated() const { return on_stand_in_ || factory_->SimulatesKeyboard(); }
  // Why a hotplug monitor could not start (arrivals and removals then go unnoticed); empty
  // while every monitor runs.
  std::optional<Error> watch_failure() const;
  bool CanFallBack() const { return !on_stand_in_ && factory_->CanFallBack(); }
  // No keyboard is attached: the stand-in takes over. Errors leave the keyboard's connection
  // as it was.
  Status FallBackToSimulator();
  // On the stand-in with the keyboard attached again: the connection to the keyboard replaces
  // it. kNotFound, with nothing changed, while the keyboard is not there.
  Status ReturnToKeyboard();
  // The owning thread has seen a sequence end: a return the keyboard's arrival left waiting
  // happens now, unless another sequence already runs.
  void OnSequenceEnded();

 private:
  void WatchKeyboard();
  void OnKeyboardArrived();
  void SwitchToKeyboard();

  std::unique_ptr<DeviceConnectionFactory> factory_;
  Dispatcher& dispatcher_;
  SessionEvents& events_;
  Hooks hooks_;
  bool on_stand_in_ = false;
  bool return_pending_ = false;
  std::optional<Error> keyboard_watch_failure_;
  // What the keyboard's monitor posted checks it first: the task may run after this object went.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
  // The keyboard while the stand-in runs.
  std::unique_ptr<HotplugMonitor> keyboard_watch_;
  std::unique_ptr<DeviceConnection> connection_;
};

}  // namespace n240qx
