#pragma once

#include <array>
#include <cstdint>
#include <iomanip>
#include <memory>
#include <numeric>
#include <span>
#include <sstream>
#include <string>
#include <vector>

#include "device/HidDevice.h"
#include "device/HidLink.h"
#include "support/Hex.h"

namespace n240qx::sim_test {

// Frames built by hand, independent of the command layer, so that the simulator is checked
// against the wire format itself.
using Frame9 = std::array<std::uint8_t, 9>;
using Frame65 = std::array<std::uint8_t, 65>;
using Event4 = std::array<std::uint8_t, 4>;

inline constexpr char kCommandPath[] = "sim/hidraw2#vid_04d9&pid_a124&mi_03";
inline constexpr char kEventPath[] = "sim/hidraw1#vid_04d9&pid_a124&mi_01&col04";
inline constexpr Event4 kAck = {4, 4, 0, 0};

inline Frame9 Command(std::uint8_t code, std::uint8_t b2 = 0, std::uint8_t b3 = 0,
                      std::uint8_t b4 = 0, std::uint8_t b5 = 0, std::uint8_t b6 = 0,
                      std::uint8_t b7 = 0) {
  Frame9 frame = {0, code, b2, b3, b4, b5, b6, b7, 0};
  const unsigned sum = std::accumulate(frame.begin() + 1, frame.begin() + 8, 0U);
  frame[8] = static_cast<std::uint8_t>(0xFFU - (sum & 0xFFU));
  return frame;
}

inline Frame65 DataReport(std::span<const std::uint8_t> payload) {
  Frame65 frame{};
  for (std::size_t i = 0; i < payload.size() && i < 64; ++i) {
    frame[i + 1] = payload[i];
  }
  return frame;
}

using testing::Hex;

inline std::unique_ptr<HidDevice> OpenPath(HidLink& link, const std::string& path) {
  auto opened = link.Open(path);
  if (!opened.ok()) {
    return nullptr;
  }
  return std::move(opened).value();
}

// Sends a command and fetches its answer.
inline Frame9 Ask(HidDevice& device, const Frame9& request) {
  Frame9 answer{};
  static_cast<void>(device.SendFeatureReport(request));
  static_cast<void>(device.GetFeatureReport(answer));
  return answer;
}

// Reads `count` data reports and concatenates their payloads.
inline std::vector<std::uint8_t> ReadPayloads(HidDevice& device, int count) {
  std::vector<std::uint8_t> bytes;
  for (int i = 0; i < count; ++i) {
    Frame65 report{};
    auto read = device.ReadReport(report, 0);
    if (!read.ok() || *read != report.size()) {
      return bytes;
    }
    bytes.insert(bytes.end(), report.begin() + 1, report.end());
  }
  return bytes;
}

// Every event report readable now, without waiting.
inline std::vector<Event4> DrainEvents(HidDevice& events) {
  std::vector<Event4> found;
  while (true) {
    Event4 report = {4, 0, 0, 0};
    auto read = events.ReadReport(report, 0);
    if (!read.ok() || *read == 0) {
      return found;
    }
    found.push_back(report);
  }
}

}  // namespace n240qx::sim_test
