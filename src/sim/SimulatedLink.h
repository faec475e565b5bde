#pragma once

#include <chrono>
#include <cstdint>
#include <filesystem>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "device/HidLink.h"
#include "sim/SimulatedMemory.h"
#include "sim/SimulatorCounters.h"
#include "sim/SimulatorFaults.h"
#include "sim/SimulatorPlugFile.h"

namespace n240qx {

class SimulatorHub;

// The keyboard simulator behind HidLink: the program, the CLI and the tests talk to it exactly
// as to the hidapi backend, and tests steer it through the control calls below. It answers at
// once; only delayed acknowledgements take real time. Every call is thread-safe, and open
// handles stay valid (and answer kDisconnected) even after the link is gone.
class SimulatedLink final : public HidLink {
 public:
  // A keyboard at factory settings.
  SimulatedLink();
  explicit SimulatedLink(const SimulatedMemory& memory);
  ~SimulatedLink() override;
  // The keyboard of --simulate=STATE: its memory from the state file (factory settings when the
  // file does not exist yet), saved back there after every change, and unplugged while
  // "STATE.unplugged" exists (SimulatorPlugFile). A damaged file is an error.
  static Result<std::unique_ptr<SimulatedLink>> WithStateFile(const std::filesystem::path& path);
  SimulatedLink(const SimulatedLink&) = delete;
  SimulatedLink& operator=(const SimulatedLink&) = delete;

  std::vector<HidInterfaceInfo> EnumerateInterfaces() override;
  Result<std::unique_ptr<HidDevice>> Open(const std::string& path) override;
  // With a state file every process naming that file shares one keyboard: the lock is an
  // flock beside the file, the memory is reloaded from the file when the lock is taken and
  // saved before it is let go. Without one, no other program can reach this keyboard.
  Result<std::unique_ptr<DeviceLockHold>> TryLockDevice(const std::string& path) override;

  // The keyboard's memory.
  SimulatedMemory Memory() const;
  void SetMemory(const SimulatedMemory& memory);
  void SetFirmwareVersion(std::uint8_t major, std::uint8_t minor);
  // Saves the memory to `path` now and after every change the keyboard makes to it. Call it
  // before a session uses the link.
  void PersistTo(const std::filesystem::path& path);
  // The error of the last save that failed, cleared by the next one that works.
  std::optional<Error> LastPersistError() const;

  // Faults. A count is how many transfers it strikes, or kEveryTime.
  void FailTransfers(TransferKind kind, int count = 1);
  // Not answering: feature and data reports are taken and ignored, a feature answer fails with
  // kTimeout and data reads time out.
  void StopAnswering();
  void ResumeAnswering();
  void AnswerGarbage(GarbageKind kind, int count = 1);
  void DropAcknowledgements(int count = 1);
  void DelayAcknowledgements(std::chrono::milliseconds delay);
  void ClearFaults();

  // The bus. Unplug kills every open handle (kDisconnected, a blocked read returns at once),
  // empties the enumeration and tells the hotplug monitors; Replug brings the keyboard back.
  void Unplug();
  void Replug();
  bool IsPlugged() const;
  // In update mode the keyboard shows only "mi_02", under product 0xA126.
  void EnterUpdateMode();
  void LeaveUpdateMode();
  // The nodes show up but may not be opened, as before the udev rule is installed.
  void SetPermissionDenied(bool denied);

  // Reports the keyboard sends on its own.
  // A lighting change made on the keyboard (sub-code 2-6); the keyboard's memory follows it.
  void SendLightingChange(std::uint8_t sub_code, std::uint8_t value);
  void SendLaunchKey(std::uint8_t key_code);
  void SendEventReport(std::uint8_t kind, std::uint8_t sub_code, std::uint8_t value);

  SimulatorCounters Counters() const;
  // Why the firmware ignored the last report it ignored.
  std::string LastRejection() const;

  // For SimulatedHotplugMonitor.
  const std::shared_ptr<SimulatorHub>& hub() const { return hub_; }

 private:
  std::shared_ptr<SimulatorHub> hub_;
  std::optional<std::filesystem::path> state_file_;
  // Last: its watcher stops before the hub it plugs goes.
  std::unique_ptr<SimulatorPlugFile> plug_file_;
};

}  // namespace n240qx
