#pragma once

#include "device/EventReport.h"

namespace n240qx {

// What an event report from the keyboard asks of the host.
enum class EventAction {
  kLightingChange,   // kind 1: a lighting value changed on the keyboard (sub-code, value)
  kAcknowledgement,  // kind 4: the keyboard took the last write step
  kLaunchKey,        // any other kind: a key with a launch action, its code in byte 2
};

constexpr EventAction ClassifyEvent(const EventReport& report) {
  switch (report.kind) {
    case 1:
      return EventAction::kLightingChange;
    case 4:
      return EventAction::kAcknowledgement;
    default:
      return EventAction::kLaunchKey;
  }
}

}  // namespace n240qx
