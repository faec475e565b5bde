// Whatever the keyboard answers (garbage, short reports, failures at any transfer), every read
// command either fills its field completely or leaves the image as it was, and every event
// report decodes into a change that stays inside the image.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <memory>
#include <span>

#include "device/CommandChannel.h"
#include "device/EventReport.h"
#include "device/ReadCommands.h"
#include "image/ConfigImage.h"
#include "image/DeviceSnapshot.h"
#include "lighting/KeyboardLightingChange.h"
#include "lighting/RepaintCountdown.h"
#include "util/VirtualClock.h"

namespace {

using namespace n240qx;

// Serves the fuzzer's bytes as the keyboard's side of the exchange. Each transfer takes one
// control byte first: its low bits choose success, an error, or a short transfer.
class FuzzedDevice final : public HidDevice {
 public:
  explicit FuzzedDevice(std::span<const std::uint8_t> input) : input_(input) {}

  Result<std::size_t> SendFeatureReport(std::span<const std::uint8_t> report) override {
    return Outcome(report.size());
  }
  Result<std::size_t> GetFeatureReport(std::span<std::uint8_t> report) override {
    return Fill(report);
  }
  Result<std::size_t> WriteReport(std::span<const std::uint8_t> report) override {
    return Outcome(report.size());
  }
  Result<std::size_t> ReadReport(std::span<std::uint8_t> report, int /*timeout_ms*/) override {
    return Fill(report);
  }

 private:
  std::uint8_t Next() { return at_ < input_.size() ? input_[at_++] : 0; }

  Result<std::size_t> Outcome(std::size_t size) {
    switch (Next() % 8) {
      case 0:
        return Error{ErrorCode::kIo, "fuzzed failure"};
      case 1:
        return Error{ErrorCode::kTimeout, "fuzzed timeout"};
      case 2:
        return Error{ErrorCode::kDisconnected, "fuzzed unplug"};
      case 3:
        return std::size_t{size / 2};
      default:
        return size;
    }
  }

  Result<std::size_t> Fill(std::span<std::uint8_t> report) {
    auto outcome = Outcome(report.size());
    if (!outcome.ok()) {
      return outcome;
    }
    for (std::size_t i = 0; i < *outcome; ++i) {
      report[i] = Next();
    }
    return outcome;
  }

  std::span<const std::uint8_t> input_;
  std::size_t at_ = 0;
};

template <typename Command>
void RunAtomically(ConfigImage& image, Command command) {
  const ConfigImage before = image;
  if (!command(image).ok() && image.bytes() != before.bytes()) {
    std::abort();  // a failed command changed the image
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> input(data, size);
  CommandChannel channel;
  channel.Attach(std::make_unique<FuzzedDevice>(input));
  VirtualClock clock;
  ReadCommands reads(channel, clock);
  ConfigImage image;

  (void)reads.ReadFirmwareVersion();
  RunAtomically(image, [&](ConfigImage& i) { return reads.ReadLighting(i); });
  RunAtomically(image, [&](ConfigImage& i) { return reads.ReadColourSlot(size % 7, i); });
  RunAtomically(image, [&](ConfigImage& i) { return reads.ReadGameMode(i); });
  RunAtomically(image, [&](ConfigImage& i) { return reads.ReadReportRate(i); });
  RunAtomically(image, [&](ConfigImage& i) { return reads.ReadResponseTime(i); });
  RunAtomically(image, [&](ConfigImage& i) { return reads.ReadKeyMap(i); });
  RunAtomically(image, [&](ConfigImage& i) { return reads.ReadKeyEnableMask(i); });
  RunAtomically(image, [&](ConfigImage& i) { return reads.ReadMacro(size % 32, i); });
  RunAtomically(image, [&](ConfigImage& i) { return reads.ReadColourTable(size % 5, i); });

  DeviceSnapshot snapshot;
  RepaintCountdown countdown;
  for (std::size_t at = 0; at < size; at += kEventReportSize) {
    const auto report = DecodeEventReport(input.subspan(at, std::min(kEventReportSize, size - at)));
    if (report && report->kind == 1) {
      (void)KeyboardLightingChange::Apply(report->sub_code, report->value, image, snapshot,
                                          countdown);
      const bool speed_changed = report->sub_code == KeyboardLightingChange::kSpeed;
      if (speed_changed &&
          (image.effect_speed() > 9 || snapshot.effect_speed() != image.effect_speed())) {
        std::abort();  // the speed slider can only show 0-9, and both copies must agree
      }
    }
  }
  return 0;
}
