#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "device/CommandChannel.h"
#include "image/ConfigImage.h"
#include "image/ImageField.h"
#include "util/Clock.h"
#include "util/Result.h"

namespace n240qx {

// The two lighting frames around a write: the opening one darkens the keys while the other
// regions are written, the closing one sends every lighting value.
enum class LightingFrame : std::uint8_t { kOpening = 1, kClosing = 2 };

// The commands that frame a write sequence on the keyboard.
enum class Bracket : std::uint8_t { kClose = 0, kOpen = 1 };

// The commands that send configuration to the keyboard, each with the keyboard's own pauses. A
// failed outgoing transfer stops the command at once with an error naming it; the keyboard may
// then hold part of the region, so the caller must not take it as written.
class WriteCommands {
 public:
  WriteCommands(CommandChannel& channel, Clock& clock);

  // 0x01: report_rate.
  Status WriteReportRate(const ConfigImage& image);
  // 0x04: the keyboard's value is response_time plus 1.
  Status WriteResponseTime(const ConfigImage& image);
  // 0x08: the five lighting bytes; brightness only in the closing frame.
  Status WriteLighting(LightingFrame mode, const ConfigImage& image);
  // 0x09: game_mode; once sent, the Windows-key lock is folded into the image's mask again.
  Status WriteGameMode(ConfigImage& image);
  // 0x09 with 1: sent before every full read and after a factory reset.
  Status SelectModeOne();
  // 0x0D: key_map, eight data reports.
  Status WriteKeyMap(const ConfigImage& image);
  // 0x0E: key_enable_mask in the first 21 bytes of one data report, the rest 0.
  Status WriteKeyEnableMask(const ConfigImage& image);
  // 0x11: macro record `index` (0-31) from a copy the caller took, three data reports.
  Status WriteMacro(std::size_t index,
                    std::span<const std::uint8_t, image_field::kMacroRecordSize> record);
  // 0x12: per-key colour table `table` (0-4), eight data reports paced 5 ms apart.
  Status WriteColourTable(std::size_t table, const ConfigImage& image);
  // 0x13, then SelectModeOne twice; about a second in all.
  Status FactoryReset();
  // 0x14: colour slot `slot` (0-6).
  Status WriteColourSlot(std::size_t slot, const ConfigImage& image);
  // 0x18: opens or closes a write sequence.
  Status WriteBracket(Bracket bracket);

 private:
  Status SendSimple(const char* command, std::uint8_t code, const FeatureParams& params,
                    int pause_after_send);

  CommandChannel& channel_;
  Clock& clock_;
};

}  // namespace n240qx
