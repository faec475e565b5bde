#pragma once

#include <cstdint>
#include <mutex>
#include <span>
#include <string>
#include <vector>

#include "ScriptedHidLink.h"
#include "device/DeviceLink.h"
#include "device/LoggingHidLink.h"
#include "device/ReadCommands.h"
#include "device/WireLog.h"
#include "device/WriteCommands.h"
#include "image/ConfigImage.h"
#include "support/Hex.h"
#include "util/VirtualClock.h"

namespace n240qx::scripted {

// Virtual time that also remembers every pause asked for, zero-length yields included.
class PauseRecordingClock final : public Clock {
 public:
  void SleepMs(int ms) override;
  std::int64_t NowUs() const override { return clock_.NowUs(); }
  std::vector<int> Pauses() const;
  void ClearPauses();

 private:
  VirtualClock clock_;
  mutable std::mutex mutex_;
  std::vector<int> pauses_;
};

using testing::Hex;

// A scripted keyboard with its command interface open, reached through a logged link in virtual
// time, with both command sets bound to it.
struct CommandBench {
  CommandBench();

  // Forgets what was logged so far; Trace starts from here.
  void Restart();
  // The wire since Restart: F<code> feature, A answer, W data out, R data in, E event, "!" for
  // a failed transfer, and +N for N ms of virtual time between them (and after the last).
  std::string Trace() const;
  std::vector<WireLogEntry> Entries(WireDirection direction, WireKind kind) const;
  // The first request sent since Restart, as hex.
  std::string RequestHex() const;

  PauseRecordingClock clock;
  WireLog log{clock, nullptr, true};
  ScriptedHidLink keyboard;
  LoggingHidLink logged{keyboard, log};
  DeviceLink link{logged};
  ReadCommands reads{link.command_channel(), clock};
  WriteCommands writes{link.command_channel(), clock};
  std::int64_t start_us = 0;
};

// An image with a different value in every byte, so that any stray write shows.
ConfigImage PatternedImage(std::uint8_t seed);

}  // namespace n240qx::scripted
