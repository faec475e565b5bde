#pragma once

#include <string>
#include <vector>

#include "device/DeviceSession.h"
#include "device/LoggingHidLink.h"
#include "device/SessionEvents.h"
#include "device/WireLog.h"
#include "sim/SimulatedLink.h"
#include "util/Dispatcher.h"
#include "util/VirtualClock.h"

namespace n240qx {

// What a dry run talks to instead of the keyboard: a simulator in memory that takes and
// acknowledges every report, behind the same session and wire log as the keyboard. The
// sequences run on it unchanged, so what it records is exactly what they would send; nothing
// reaches the keyboard or any file. Its pauses pass in virtual time.
class DryRunKeyboard final : private SessionEvents {
 public:
  // `dispatcher` is the owning thread's: the session's results arrive through it.
  explicit DryRunKeyboard(Dispatcher& dispatcher);
  ~DryRunKeyboard() override;
  DryRunKeyboard(const DryRunKeyboard&) = delete;
  DryRunKeyboard& operator=(const DryRunKeyboard&) = delete;

  DeviceSession& session() { return session_; }
  // The reports sent since the last call, as the wire log writes them without the time
  // ("out feature 00 18 01 ..."); what came back is left out.
  std::vector<std::string> TakeSent();

 private:
  // Nobody watches the stand-in: its events go nowhere.
  void OnKeyboardLightingChange(std::uint8_t, std::uint8_t) override {}
  void OnLaunchKey(std::uint8_t) override {}
  void OnProgress(const SequenceProgress&) override {}
  void OnConnectionChanged(bool) override {}
  void OnArrivalRead(const Result<DeviceRead>&, bool, bool) override {}

  VirtualClock clock_;
  SimulatedLink keyboard_;
  WireLog log_;
  LoggingHidLink link_;
  // Last: its threads stop before anything above goes.
  DeviceSession session_;
};

}  // namespace n240qx
