#include "device/ReadSequence.h"

#include "image/ImageField.h"

namespace n240qx {

namespace field = image_field;

ReadSequence::ReadSequence(CommandChannel& channel, Clock& clock)
    : reads_(channel, clock), writes_(channel, clock), clock_(clock) {}

Result<DeviceRead> ReadSequence::FullRead(SequenceSteps& steps) {
  DeviceRead read;
  if (Status selected = steps.Run([&] { return writes_.SelectModeOne(); }); !selected.ok()) {
    return selected.error();
  }
  auto firmware = ReadFirmware(steps);
  if (!firmware.ok()) {
    return firmware.error();
  }
  read.firmware = *firmware;
  if (Status regions = ReadRegions(read.image, steps, true); !regions.ok()) {
    return regions.error();
  }
  return read;
}

Status ReadSequence::RereadAll(ConfigImage& image, SequenceSteps& steps) {
  if (Status selected = steps.Run([&] { return writes_.SelectModeOne(); }); !selected.ok()) {
    return selected;
  }
  clock_.SleepMs(10);
  return ReadRegions(image, steps, false);
}

Status ReadSequence::ReadColourTables(ConfigImage& image, SequenceSteps& steps) {
  for (std::size_t table = 0; table < field::kColourTableCount; ++table) {
    if (Status read = steps.Run([&] { return reads_.ReadColourTable(table, image); }); !read.ok()) {
      return read;
    }
  }
  return Status::Ok();
}

Result<FirmwareVersion> ReadSequence::ReadFirmware(SequenceSteps& steps) {
  FirmwareVersion version;
  Status read = steps.Run([&]() -> Status {
    auto answer = reads_.ReadFirmwareVersion();
    if (!answer.ok()) {
      return answer.error();
    }
    version = *answer;
    return Status::Ok();
  });
  if (!read.ok()) {
    return read.error();
  }
  return version;
}

Status ReadSequence::ReadRegions(ConfigImage& image, SequenceSteps& steps, bool yield_after_macro) {
  const auto run = [&](auto&& command) { return steps.Run(command); };
  if (Status s = run([&] { return reads_.ReadLighting(image); }); !s.ok()) {
    return s;
  }
  for (std::size_t slot = 0; slot < field::kColourSlotCount; ++slot) {
    if (Status s = run([&] { return reads_.ReadColourSlot(slot, image); }); !s.ok()) {
      return s;
    }
  }
  for (auto command :
       {&ReadCommands::ReadGameMode, &ReadCommands::ReadReportRate, &ReadCommands::ReadResponseTime,
        &ReadCommands::ReadKeyMap, &ReadCommands::ReadKeyEnableMask}) {
    if (Status s = run([&] { return (reads_.*command)(image); }); !s.ok()) {
      return s;
    }
  }
  for (std::size_t macro = 0; macro < field::kMacroRecordCount; ++macro) {
    if (Status s = run([&] { return reads_.ReadMacro(macro, image); }); !s.ok()) {
      return s;
    }
    if (yield_after_macro) {
      clock_.SleepMs(0);
    }
  }
  return ReadColourTables(image, steps);
}

}  // namespace n240qx
