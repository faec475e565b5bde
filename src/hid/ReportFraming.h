#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

#include "hid/HidTopLevelCollection.h"
#include "util/Result.h"

namespace n240qx {

// The reports of one opened top-level collection in the Windows framing that HidDevice promises:
// byte 0 is always the report id, 0 for a descriptor that uses no ids.
//
// hidraw (and hidapi on it) agrees for everything sent and for feature answers: byte 0 is the
// report number, 0 for unnumbered reports, and the USB HID driver leaves a 0 off the wire just
// as Windows does, so a 9-byte feature report travels as 8 bytes and a 65-byte data report as
// 64 either way. Only input reports differ: hidraw delivers an unnumbered report without the
// leading 0, and it delivers the reports of every collection of the interface, where Windows
// gives each collection only its own.
class ReportFraming {
 public:
  // `interface_uses_ids`: whether any report of the interface's descriptor carries an id.
  ReportFraming(const HidTopLevelCollection& collection, bool interface_uses_ids);
  // For collection `index` of an interface's descriptor; nullopt when there is no such one.
  static std::optional<ReportFraming> ForCollection(
      const std::vector<HidTopLevelCollection>& collections, std::size_t index);

  // One report as hidraw delivered it, framed into `out` (truncated to its size): the framed
  // length, or nullopt for a report of another collection, which the reader drops.
  std::optional<std::size_t> FrameInput(std::span<const std::uint8_t> raw,
                                        std::span<std::uint8_t> out) const;
  // kInvalidArgument unless byte 0 is a feature (output) report id of the collection; Windows
  // refuses such reports as well.
  Status CheckFeature(std::span<const std::uint8_t> report) const;
  Status CheckOutput(std::span<const std::uint8_t> report) const;

  const HidTopLevelCollection& collection() const { return collection_; }

 private:
  HidTopLevelCollection collection_;
  bool interface_uses_ids_;
};

}  // namespace n240qx
