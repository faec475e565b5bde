#pragma once

namespace n240qx {

// What the simulated keyboard has seen since it was made, for tests to check against the wire.
struct SimulatorCounters {
  int commands_accepted = 0;         // feature reports the firmware acted on
  int reports_ignored = 0;           // malformed, unknown or unexpected feature and data reports
  int writes_completed = 0;          // write commands stored with all their data reports
  int acknowledgements_sent = 0;     // event reports of kind 4 queued for the host
  int acknowledgements_dropped = 0;  // withheld by a fault
  int events_overflowed = 0;         // lost because a reader's queue was full
};

}  // namespace n240qx
