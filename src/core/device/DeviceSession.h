#pragma once

#include <atomic>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>
#include <utility>

#include "device/AckSignal.h"
#include "device/DeviceLink.h"
#include "device/DeviceRead.h"
#include "device/DeviceSessionOptions.h"
#include "device/EventListener.h"
#include "device/FirmwareVersion.h"
#include "device/HidLink.h"
#include "device/HotplugMonitor.h"
#include "device/LiveLighting.h"
#include "device/SequenceSteps.h"
#include "device/SessionEvents.h"
#include "device/WriteOutcome.h"
#include "image/ConfigImage.h"
#include "image/DeviceSnapshot.h"
#include "util/Clock.h"
#include "util/Dispatcher.h"
#include "util/Result.h"

namespace n240qx {

// The keyboard session: one worker thread runs every keyboard sequence (connect, full read,
// re-read, write of changes, factory reset, firmware read, and the arrival and removal
// handlers) one at a time, and one listener thread reads the keyboard's event reports. Sequences
// work on copies and hand their result to the owning thread through the Dispatcher; the owning
// thread applies it. Each request's `done` runs exactly once, on the owning thread, unless the
// session is destroyed first. Requests may be made from the owning thread only.
class DeviceSession {
 public:
  template <typename T>
  using Done = std::function<void(T)>;

  // `events` and `dispatcher` must outlive the session and every task it posted.
  DeviceSession(HidLink& hid, Clock& clock, Dispatcher& dispatcher, SessionEvents& events,
                DeviceSessionOptions options = {});
  // Stops the hotplug monitor, ends a running sequence at its next step, stops the listener
  // and closes both handles.
  ~DeviceSession();
  DeviceSession(const DeviceSession&) = delete;
  DeviceSession& operator=(const DeviceSession&) = delete;

  // Finds and opens the command interface, then the event interface, and starts the listener.
  // kNotFound without a keyboard (noting when it sits in firmware-update mode),
  // kPermissionDenied when its node may not be opened. A keyboard whose event interface cannot
  // be opened is still connected: it can be read, but a write fails at once.
  void Connect(Done<Status> done);
  // Connect for a keyboard that has just been plugged in: after the settling pause an arrival
  // observes, since the keyboard takes no commands before.
  void ConnectAfterArrival(Done<Status> done);
  // The full read of start-up: a copy of the keyboard's regions and its firmware version.
  void FullRead(Done<Result<DeviceRead>> done);
  void RereadAll(Done<Result<DeviceRead>> done);
  // Sends what differs between the copies of image and snapshot taken now. With `known_writes`
  // (the write count the snapshot was read at), a keyboard another program has written to
  // since is read again instead, under the same hold, and nothing is sent: the outcome's
  // `reread` holds what it holds now.
  void WriteChanges(const ConfigImage& image, const DeviceSnapshot& snapshot,
                    Done<WriteOutcome> done,
                    std::optional<std::uint64_t> known_writes = std::nullopt);
  // FactoryReset, then RereadAll; the host's key settings reset is the owner's part.
  void FactoryReset(Done<Result<DeviceRead>> done);
  void ReadFirmware(Done<Result<FirmwareVersion>> done);
  // Takes the keyboard's lock now and keeps it for every sequence until LetGoOfKeyboard (or the
  // session's end), so that a read and the write built on it are one hold: another program's
  // write cannot fall between them. Needs a connected keyboard.
  void KeepKeyboardLocked(Done<Status> done);
  void LetGoOfKeyboard();

  // The program is ending: a running sequence stops before its next step (a write sends its
  // closing frame and closes its bracket first) and no further one starts. Any thread.
  void Stop() { closing_.store(true); }

  // Starts `monitor` with this session's handlers; it is stopped before the session ends. An
  // error (the monitor cannot start) leaves the session working without arrivals and removals.
  Status WatchHotplug(HotplugMonitor& monitor);
  // Queue the handlers; any thread. An event of the same kind still waiting is not queued
  // twice (udev reports one event per node of a plug-in).
  void OnDeviceArrival();
  void OnDeviceRemoval();

 private:
  void Queue(std::function<void()> task);
  void WorkerLoop();
  template <typename T>
  void Reply(Done<T> done, T value) {
    dispatcher_.Post(
        [done = std::move(done), value = std::move(value)]() mutable { done(std::move(value)); });
  }
  SequenceSteps Steps(SequenceKind kind, int total);

  Status ConnectNow();
  bool OpenEventInterface();
  Result<DeviceRead> RereadNow(SequenceKind kind, int extra_steps);
  Result<DeviceRead> FactoryResetNow();
  void HandleArrival();
  void ReadAfterArrival();
  void HandleRemoval();
  // The open handles still reach the keyboard (it may have gone and come back meanwhile).
  bool HandlesAlive();
  void CloseKeyboard();
  void OnReport(const EventReport& report);
  Status NoKeyboard() const;
  // The keyboard's lock for one sequence, waited for while another program holds it; while
  // the session keeps it, a hold that adds nothing.
  Result<std::unique_ptr<DeviceLockHold>> LockKeyboard();
  // Runs `sequence` inside the keyboard's lock, let go before the result is handed on (the
  // other program may be waiting); `refused` makes the result when the lock cannot be had.
  template <typename Sequence, typename Refused>
  auto Locked(Sequence&& sequence, Refused&& refused) -> decltype(sequence()) {
    auto lock = LockKeyboard();
    if (!lock.ok()) {
      return refused(lock.error());
    }
    held_ = lock->get();
    auto result = sequence();
    held_ = nullptr;
    return result;
  }
  // Under the lock: the reread of a write that found another program's write count.
  WriteOutcome RereadInsteadOfWrite(const ConfigImage& image);

  HidLink& hid_;
  Clock& clock_;
  Dispatcher& dispatcher_;
  SessionEvents& events_;
  DeviceSessionOptions options_;
  DeviceLink link_;
  AckSignal ack_;
  LiveLighting live_lighting_;
  EventListener listener_;
  HotplugMonitor* monitor_ = nullptr;
  // Worker only: the command interface the lock is named after.
  std::string command_path_;
  // Worker only: the hold of the sequence running now, for its write count.
  DeviceLockHold* held_ = nullptr;
  // Worker only: the lock KeepKeyboardLocked took.
  std::unique_ptr<DeviceLockHold> kept_lock_;
  // Worker only: the keyboard was last seen in firmware-update mode.
  bool update_pending_ = false;
  std::atomic<bool> closing_{false};
  std::atomic<bool> arrival_queued_{false};
  std::atomic<bool> removal_queued_{false};
  // Counts the arrival reads; a write asked for before one of them is built on values that
  // read replaced, and is refused.
  std::atomic<unsigned> arrival_reads_{0};

  std::mutex queue_mutex_;
  std::condition_variable queue_changed_;
  std::deque<std::function<void()>> queue_;
  bool stopping_ = false;
  // Last: started once everything above exists.
  std::thread worker_;
};

}  // namespace n240qx
