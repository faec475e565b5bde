// The SDK server's side of a client's frames: from an update-LEDs packet to the frame that the
// window's write of changes starts with, and the cost of a client that sends 60 frames a
// second for 10 s (virtual time). Run by hand: build/<dir>/tests/bench/bench_openrgb_frames_bench.
#include <benchmark/benchmark.h>

#include <cstdint>
#include <vector>

#include "device/WriteSequence.h"
#include "image/DeviceSnapshot.h"
#include "openrgb/OutsideLightingWrite.h"
#include "openrgb/SdkByteWriter.h"
#include "openrgb/SdkPacket.h"
#include "openrgb/SdkServer.h"

namespace n240qx {
namespace {

constexpr std::int64_t kFrameUs = 1'000'000 / 60;
constexpr int kFrames = 600;

std::vector<std::uint8_t> AllLeds(std::size_t count, std::uint8_t red) {
  SdkByteWriter out;
  out.U32(static_cast<std::uint32_t>(6 + 4 * count));
  out.U16(static_cast<std::uint16_t>(count));
  for (std::size_t i = 0; i < count; ++i) {
    out.U32(RgbColour{red, 0, 0}.Packed());
  }
  return EncodeSdkPacket(0, SdkPacketId::kUpdateLeds, std::move(out).Take());
}

// One packet in, the frame taken, copied into the image and the write's regions decided: what
// runs on the window's thread before the session's worker gets the write.
void BM_UpdateLedsToWriteStart(benchmark::State& state) {
  const std::size_t leds = KeyboardController().led_count();
  ConfigImage image;
  DeviceSnapshot held;
  std::int64_t now = 0;
  std::uint8_t red = 0;
  for (auto _ : state) {
    SdkServer server;
    const auto id = server.Open();
    const auto packet = AllLeds(leds, ++red);
    benchmark::DoNotOptimize(server.Receive(id, packet, SdkKeyboardView{true, image, "", ""}));
    auto frame = server.TakeFrame(held, now += 2'000'000);
    const ConfigImage target =
        OutsideLightingTarget(held, [&frame](ConfigImage& sent) { frame->CopyInto(sent); });
    benchmark::DoNotOptimize(WriteSequence::Changes(target, held));
  }
}
BENCHMARK(BM_UpdateLedsToWriteStart)->Unit(benchmark::kMicrosecond);

// 600 frames at 60 a second; "writes" counts the frames handed out, one a second at most. The
// CPU time of one iteration over the 10 s it stands for is the share of one core.
void BM_SixtyFramesASecondForTenSeconds(benchmark::State& state) {
  const std::size_t leds = KeyboardController().led_count();
  std::vector<std::vector<std::uint8_t>> packets;
  for (int i = 0; i < kFrames; ++i) {
    packets.push_back(AllLeds(leds, static_cast<std::uint8_t>(i)));
  }
  ConfigImage image;
  DeviceSnapshot held;
  int writes = 0;
  for (auto _ : state) {
    SdkServer server;
    const auto id = server.Open();
    writes = 0;
    for (int i = 0; i < kFrames; ++i) {
      benchmark::DoNotOptimize(server.Receive(id, packets[static_cast<std::size_t>(i)],
                                              SdkKeyboardView{true, image, "", ""}));
      if (auto frame = server.TakeFrame(held, i * kFrameUs)) {
        ++writes;
      }
    }
  }
  state.counters["writes"] = writes;
}
BENCHMARK(BM_SixtyFramesASecondForTenSeconds)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace n240qx
