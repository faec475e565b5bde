#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "sim/SimulatedMemory.h"

namespace n240qx {

inline constexpr std::size_t kSimFeatureSize = 9;
inline constexpr std::size_t kSimDataReportSize = 65;
inline constexpr std::size_t kSimDataPayloadSize = 64;
inline constexpr std::size_t kSimEventSize = 4;
inline constexpr std::uint8_t kSimEventReportId = 4;

using SimFeature = std::array<std::uint8_t, kSimFeatureSize>;
using SimPayload = std::array<std::uint8_t, kSimDataPayloadSize>;
using SimEvent = std::array<std::uint8_t, kSimEventSize>;

// What the firmware made of one report from the host.
enum class FirmwareStep {
  kIgnored,        // malformed, unknown or unexpected: nothing changed
  kAccepted,       // a read was answered, or a write waits for its data reports
  kWriteComplete,  // a write and all its data reports are stored; an acknowledgement is due
};

// The keyboard's firmware as the host sees it through the command interface: it answers the
// read commands from its memory and stores the writes. Not thread-safe; the simulator's hub
// serialises every call. It checks what a real keyboard would have to check (checksum, indexes,
// report counts) so that a wrong frame from the command layer shows up as an ignored command
// instead of silently landing somewhere.
class SimulatedKeyboard {
 public:
  explicit SimulatedKeyboard(SimulatedMemory memory);

  const SimulatedMemory& memory() const { return memory_; }
  SimulatedMemory& memory() { return memory_; }

  // `report` is a whole 9-byte feature report, byte 0 the report id.
  FirmwareStep HandleFeatureReport(std::span<const std::uint8_t, kSimFeatureSize> report);
  // The 64 payload bytes of one data report from the host.
  FirmwareStep HandleDataReport(std::span<const std::uint8_t, kSimDataPayloadSize> payload);

  // The answer to the last command; all zero but the report id after a write or an ignored one.
  const SimFeature& answer() const { return answer_; }
  // The next data report a read command queued, if any.
  std::optional<SimPayload> TakeDataReport();
  bool HasDataReport() const { return !data_in_.empty(); }

  // A lighting change made with the keyboard's own keys (sub-code 2 effect, 3 speed, 4
  // brightness, 5 colour choice, 6 direction); returns the event report that announces it.
  SimEvent ChangeLightingOnKeyboard(std::uint8_t sub_code, std::uint8_t value);

  // Power loss: a command in progress is forgotten, the memory stays.
  void ResetTransfers();

  // Why the last ignored report was ignored, for test failure messages.
  const std::string& last_rejection() const { return last_rejection_; }

 private:
  struct PendingWrite {
    std::uint8_t code = 0;
    std::uint8_t index = 0;
    std::size_t reports_expected = 0;
    std::vector<std::uint8_t> payload;
  };

  FirmwareStep HandleRead(const SimFeature& request);
  FirmwareStep HandleBulkRead(const SimFeature& request);
  FirmwareStep HandleWrite(const SimFeature& request);
  FirmwareStep HandleBulkWrite(const SimFeature& request);
  void StoreBulkWrite(const PendingWrite& write);
  void Answer(const SimFeature& request, std::span<const std::uint8_t> params);
  void QueueDataReports(std::span<const std::uint8_t> bytes);
  FirmwareStep Reject(std::string reason);

  SimulatedMemory memory_;
  SimFeature answer_{};
  std::deque<SimPayload> data_in_;
  std::optional<PendingWrite> pending_write_;
  std::string last_rejection_;
  // Command 0x09 with 1 both selects mode one before a read and switches game mode on; only
  // inside an open write bracket is it the game mode setting.
  bool write_bracket_open_ = false;
};

}  // namespace n240qx
