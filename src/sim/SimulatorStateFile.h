#pragma once

#include <cstdint>
#include <filesystem>
#include <span>
#include <vector>

#include "sim/SimulatedMemory.h"
#include "util/Result.h"

namespace n240qx {

// The simulated keyboard's memory between runs (--simulate=STATE): the magic "N240QXSM", a
// little-endian 32-bit format version (1) and payload size, the payload (firmware major and
// minor, report rate, response time, the five lighting bytes, game mode, colour slots, key map,
// key enable mask, macros, colour tables, in that order) and a CRC-32 of everything before it.
inline constexpr std::size_t kSimulatorStateFileSize = 9288;

std::vector<std::uint8_t> EncodeSimulatorState(const SimulatedMemory& memory);
// kBadData, with the reason, for anything but an intact file of this exact layout.
Result<SimulatedMemory> DecodeSimulatorState(std::span<const std::uint8_t> bytes);

// A missing file gives a keyboard at factory settings; a damaged one is refused whole.
Result<SimulatedMemory> LoadSimulatorState(const std::filesystem::path& path);
Status SaveSimulatorState(const std::filesystem::path& path, const SimulatedMemory& memory);

}  // namespace n240qx
