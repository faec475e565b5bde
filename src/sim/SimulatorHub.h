#pragma once

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <filesystem>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <random>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "device/HidDevice.h"
#include "device/HidInterfaceInfo.h"
#include "device/HotplugMonitor.h"
#include "sim/SimulatedKeyboard.h"
#include "sim/SimulatorCounters.h"
#include "sim/SimulatorFaults.h"
#include "sim/SimulatorHotplugListeners.h"
#include "sim/SimulatorPersistence.h"
#include "sim/SimulatorPlugState.h"
#include "util/Result.h"

namespace n240qx {

// The simulated keyboard as one shared, locked object: the firmware model, the faults asked for,
// the plug state and every open handle's event queue. SimulatedLink is its face towards the
// program and the tests; open handles keep it alive. All members are thread-safe. What a change
// sets off outside (the state file saved, plug listeners called) runs after the lock is released.
class SimulatorHub : public std::enable_shared_from_this<SimulatorHub> {
 public:
  using SteadyClock = std::chrono::steady_clock;

  explicit SimulatorHub(SimulatedMemory memory);

  // The link's side.
  std::vector<HidInterfaceInfo> EnumerateInterfaces() const;
  Result<std::unique_ptr<HidDevice>> Open(const std::string& path);

  // The handles' side; `connection` is the plug-in the handle was opened on.
  Result<std::size_t> SendFeature(std::uint64_t connection, std::span<const std::uint8_t> report);
  Result<std::size_t> GetAnswer(std::uint64_t connection, std::span<std::uint8_t> report);
  Result<std::size_t> WriteData(std::uint64_t connection, std::span<const std::uint8_t> report);
  Result<std::size_t> ReadData(std::uint64_t connection, std::span<std::uint8_t> report,
                               int timeout_ms);
  Result<std::size_t> ReadEvent(std::uint64_t connection, int queue, std::span<std::uint8_t> report,
                                int timeout_ms);
  Result<std::size_t> ReadNothing(std::uint64_t connection, int timeout_ms);
  Result<std::size_t> Unsupported(std::uint64_t connection, const char* what);
  int OpenEventQueue(std::uint64_t connection);
  void CloseEventQueue(int queue);
  // The queue's reader returns 0 from its current or next ReadEvent at once.
  void InterruptEventRead(int queue);

  // Control.
  SimulatedMemory Memory() const;
  void SetMemory(const SimulatedMemory& memory);
  void SetFirmwareVersion(std::uint8_t major, std::uint8_t minor);
  void ChangeFaults(const std::function<void(SimulatorFaults&)>& change);
  void SetPlugged(bool plugged);
  bool plugged() const;
  void SetUpdateMode(bool update_mode);
  void SetPermissionDenied(bool denied);
  void SendLightingChange(std::uint8_t sub_code, std::uint8_t value);
  void SendEventReport(std::uint8_t kind, std::uint8_t sub_code, std::uint8_t value);
  SimulatorCounters Counters() const;
  std::string LastRejection() const;
  void PersistTo(std::filesystem::path path);
  std::optional<Error> LastPersistError() const;

  // Plug events, called without the hub locked: a listener may ask the hub anything, but must
  // not add or remove listeners.
  int AddHotplugListener(std::function<void(HotplugEvent)> listener);
  void RemoveHotplugListener(int id);

 private:
  struct PendingEvent {
    SteadyClock::time_point ready_at;
    SimEvent bytes;
  };
  struct EventQueue {
    std::uint64_t connection = 0;
    std::deque<PendingEvent> events;
    bool interrupted = false;
  };
  // What a locked change leaves to do once the lock is released.
  struct AfterUnlock {
    std::optional<std::pair<std::uint64_t, SimulatedMemory>> save;
    std::vector<HotplugEvent> plug_events;
  };

  // Runs `body(after)` under the lock, then what it left in `after`.
  template <typename Body>
  auto Locked(Body&& body);
  void Run(const AfterUnlock& after);
  void Persist(AfterUnlock& after);

  Result<std::size_t> SendFeatureLocked(std::uint64_t connection,
                                        std::span<const std::uint8_t> report, AfterUnlock& after);
  Result<std::size_t> WriteDataLocked(std::uint64_t connection,
                                      std::span<const std::uint8_t> report, AfterUnlock& after);
  std::optional<Error> CheckTransfer(std::uint64_t connection, TransferKind kind);
  std::optional<Error> CheckConnection(std::uint64_t connection) const;
  void AfterFirmwareStep(FirmwareStep step, AfterUnlock& after);
  void QueueEvent(const SimEvent& bytes, SteadyClock::duration delay);
  void Reconnect(bool plugged, bool update_mode, AfterUnlock& after);
  void FillRandom(std::span<std::uint8_t> bytes);
  // Waits on the hub's condition until `until` (or without limit when it is max); false once
  // `deadline` has passed.
  bool WaitUntil(std::unique_lock<std::mutex>& lock, SteadyClock::time_point until,
                 SteadyClock::time_point deadline);
  static SteadyClock::time_point DeadlineAfter(int timeout_ms);

  mutable std::mutex mutex_;
  std::condition_variable changed_;
  SimulatedKeyboard keyboard_;
  SimulatorFaults faults_;
  SimulatorCounters counters_;
  SimulatorPlugState plug_;
  int next_queue_id_ = 0;
  std::map<int, EventQueue> event_queues_;
  std::uint64_t memory_version_ = 0;
  SimulatorHotplugListeners hotplug_listeners_;
  SimulatorPersistence persistence_;
  std::mt19937 random_{0x240};
};

}  // namespace n240qx
