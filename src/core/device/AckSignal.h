#pragma once

#include <chrono>
#include <condition_variable>
#include <mutex>

namespace n240qx {

enum class AckWait { kAcknowledged, kTimedOut, kLinkLost };

// The acknowledgement flag: the only state the event listener shares with the device worker.
// The listener raises it for every event report of kind 4; the worker clears it before a write
// step and waits for it, within a bound, so that a keyboard that stops answering ends the write
// instead of hanging it. When the listener's read fails for good (an unplug) it says so, and
// a waiting write ends at once.
class AckSignal {
 public:
  // Worker: before each write step.
  void Clear();
  // Listener: an acknowledgement arrived.
  void Acknowledge();
  // Listener: a new event handle is being read; forgets an earlier loss.
  void MarkListening();
  // Listener: the event handle failed; nothing more will arrive on it.
  void MarkLinkLost();
  bool link_lost() const;

  // Worker: waits until the flag is set, the link is lost, or `timeout` has passed.
  AckWait Wait(std::chrono::milliseconds timeout);

 private:
  mutable std::mutex mutex_;
  std::condition_variable changed_;
  bool acknowledged_ = false;
  bool link_lost_ = false;
};

}  // namespace n240qx
