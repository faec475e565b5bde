#pragma once

#include <cstdint>

#include "device/DeviceRead.h"
#include "device/SequenceProgress.h"
#include "util/Result.h"

namespace n240qx {

// What the device session tells the owning thread. Every call arrives through the Dispatcher,
// on the thread that owns the configuration state, never on the worker or the listener.
class SessionEvents {
 public:
  virtual ~SessionEvents() = default;

  // Event kind 1: the keyboard changed a lighting value (sub-code 2-6); image and snapshot take
  // it, and the repaint countdown starts.
  virtual void OnKeyboardLightingChange(std::uint8_t sub_code, std::uint8_t value) = 0;
  // A key with a launch action was pressed; `code` is byte 2 of the event report.
  virtual void OnLaunchKey(std::uint8_t code) = 0;
  // A sequence moved on by one step.
  virtual void OnProgress(const SequenceProgress& progress) = 0;
  // The keyboard's command interface was opened (arrival) or closed (removal).
  virtual void OnConnectionChanged(bool connected) = 0;
  // An arrival re-read the keyboard. With `reset_after_update` the keyboard had just left its
  // firmware-update mode and was reset to factory settings first: the host's key settings are
  // to be reset to match. `listening`: the event interface is open and its listener runs.
  virtual void OnArrivalRead(const Result<DeviceRead>& read, bool reset_after_update,
                             bool listening) = 0;
  // An arrival was noticed (true) and its handling, settling pause and re-read included, has
  // ended (false). Editing stays locked in between, so that no write is built from values the
  // re-read is about to replace.
  virtual void OnArrivalRunning(bool running) { static_cast<void>(running); }
  // Another program holds the keyboard and a sequence waits for it (true), or waits no more.
  virtual void OnWaitingForKeyboard(bool waiting) { static_cast<void>(waiting); }
};

}  // namespace n240qx
