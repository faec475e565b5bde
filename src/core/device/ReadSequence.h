#pragma once

#include "device/CommandChannel.h"
#include "device/DeviceRead.h"
#include "device/ReadCommands.h"
#include "device/SequenceSteps.h"
#include "device/WriteCommands.h"
#include "image/ConfigImage.h"
#include "util/Clock.h"
#include "util/Result.h"

namespace n240qx {

// The reading sequences, run on the calling thread (the device worker). Each reads into an
// image of its own, so a sequence that stops half-way leaves the program's image untouched;
// the first failing command ends it with an error that names the command.
class ReadSequence {
 public:
  // SelectModeOne, the firmware version, the lighting, seven slots, game mode, report rate,
  // response time, key map, mask, 32 macros, 5 colour tables.
  static constexpr int kFullReadSteps = 52;
  // SelectModeOne and every region, without the firmware version.
  static constexpr int kRereadSteps = 51;
  static constexpr int kColourTableSteps = 5;

  ReadSequence(CommandChannel& channel, Clock& clock);

  // The full read of start-up.
  Result<DeviceRead> FullRead(SequenceSteps& steps);
  // RereadAll: every region into `image`, no firmware version.
  Status RereadAll(ConfigImage& image, SequenceSteps& steps);
  // The five colour tables once more, as the arrival handler reads them.
  Status ReadColourTables(ConfigImage& image, SequenceSteps& steps);
  Result<FirmwareVersion> ReadFirmware(SequenceSteps& steps);

 private:
  // The regions in the keyboard's order; `yield_after_macro` gives the processor up after
  // each macro, as the full read does.
  Status ReadRegions(ConfigImage& image, SequenceSteps& steps, bool yield_after_macro);

  ReadCommands reads_;
  WriteCommands writes_;
  Clock& clock_;
};

}  // namespace n240qx
