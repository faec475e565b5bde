#include "CommandBench.h"

#include <cstdio>

namespace n240qx::scripted {

void PauseRecordingClock::SleepMs(int ms) {
  {
    std::lock_guard lock(mutex_);
    pauses_.push_back(ms);
  }
  clock_.SleepMs(ms);
}

std::vector<int> PauseRecordingClock::Pauses() const {
  std::lock_guard lock(mutex_);
  return pauses_;
}

void PauseRecordingClock::ClearPauses() {
  std::lock_guard lock(mutex_);
  pauses_.clear();
}

CommandBench::CommandBench() {
  keyboard.AddKeyboardInterfaces("/dev/hidraw4");
  if (link.FindKeyboardInterface(kCommandInterfaceMarker)) {
    (void)link.OpenCommandHandle();
  }
  Restart();
}

void CommandBench::Restart() {
  log.Clear();
  clock.ClearPauses();
  start_us = clock.NowUs();
}

namespace {

std::string Token(const WireLogEntry& entry) {
  std::string token;
  switch (entry.kind) {
    case WireKind::kFeature: {
      char code[8];
      std::snprintf(code, sizeof code, "F%02X", entry.bytes.size() > 1 ? entry.bytes[1] : 0);
      token = entry.error.empty() ? code : "F";
      break;
    }
    case WireKind::kAnswer:
      token = "A";
      break;
    case WireKind::kData:
      token = entry.direction == WireDirection::kOut ? "W" : "R";
      break;
    case WireKind::kEvent:
      token = "E";
      break;
  }
  return entry.error.empty() ? token : token + "!";
}

void AddGap(std::string& trace, std::int64_t gap_us) {
  if (gap_us > 0) {
    trace += (trace.empty() ? "+" : " +") + std::to_string(gap_us / 1000);
  }
}

}  // namespace

std::string CommandBench::Trace() const {
  std::string trace;
  std::int64_t previous_us = start_us;
  for (const WireLogEntry& entry : log.Entries()) {
    AddGap(trace, entry.time_us - previous_us);
    trace += (trace.empty() ? "" : " ") + Token(entry);
    previous_us = entry.time_us;
  }
  AddGap(trace, clock.NowUs() - previous_us);
  return trace;
}

std::vector<WireLogEntry> CommandBench::Entries(WireDirection direction, WireKind kind) const {
  std::vector<WireLogEntry> found;
  for (const WireLogEntry& entry : log.Entries()) {
    if (entry.direction == direction && entry.kind == kind) {
      found.push_back(entry);
    }
  }
  return found;
}

std::string CommandBench::RequestHex() const {
  const auto requests = Entries(WireDirection::kOut, WireKind::kFeature);
  return requests.empty() ? "(none)" : Hex(requests.front().bytes);
}

ConfigImage PatternedImage(std::uint8_t seed) {
  ConfigImage image;
  for (std::size_t i = 0; i < image.bytes().size(); ++i) {
    image.bytes()[i] = static_cast<std::uint8_t>(seed + i * 7 + i / 251);
  }
  return image;
}

}  // namespace n240qx::scripted
