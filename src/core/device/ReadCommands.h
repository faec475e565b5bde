#pragma once

#include <cstddef>

#include "device/CommandChannel.h"
#include "device/FirmwareVersion.h"
#include "image/ConfigImage.h"
#include "util/Clock.h"
#include "util/Result.h"

namespace n240qx {

// The commands that fill the configuration image from the keyboard, each with the keyboard's
// own pauses. A command that fails (a transfer that fails or times out, an answer or data report
// that is short, an unplug) returns an error naming it and leaves every byte of the image as it
// was: the keyboard's bytes are gathered first and stored only when all of them have arrived.
// Answers that the keyboard sends ahead of its data reports are not used, so only an unplug
// stops a command there.
class ReadCommands {
 public:
  ReadCommands(CommandChannel& channel, Clock& clock);

  // 0x80: answer bytes 2 and 3.
  Result<FirmwareVersion> ReadFirmwareVersion();
  // 0x81: report_rate as the keyboard reports it.
  Status ReadReportRate(ConfigImage& image);
  // 0x84: response_time is one below the keyboard's value (an answer of 0 wraps to 255).
  Status ReadResponseTime(ConfigImage& image);
  // 0x88: the five lighting bytes; effect_speed is 10 minus the keyboard's speed.
  Status ReadLighting(ConfigImage& image);
  // 0x89: game_mode.
  Status ReadGameMode(ConfigImage& image);
  // 0x8D: key_map, eight data reports.
  Status ReadKeyMap(ConfigImage& image);
  // 0x8E: key_enable_mask from one data report, then windows_key_lock derived from it.
  Status ReadKeyEnableMask(ConfigImage& image);
  // 0x91: macro record `index` (0-31), three data reports.
  Status ReadMacro(std::size_t index, ConfigImage& image);
  // 0x92: per-key colour table `table` (0-4), eight data reports paced 50 ms apart.
  Status ReadColourTable(std::size_t table, ConfigImage& image);
  // 0x94: colour slot `slot` (0-6), red, green, blue from answer bytes 4-6.
  Status ReadColourSlot(std::size_t slot, ConfigImage& image);

 private:
  CommandChannel& channel_;
  Clock& clock_;
};

}  // namespace n240qx
