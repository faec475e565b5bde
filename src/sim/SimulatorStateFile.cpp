#include "sim/SimulatorStateFile.h"

#include <algorithm>
#include <array>
#include <string>
#include <string_view>
#include <type_traits>

#include "util/AtomicFile.h"

namespace n240qx {

namespace {

constexpr std::string_view kMagic = "N240QXSM";
constexpr std::uint32_t kFormatVersion = 1;
constexpr std::size_t kHeaderSize = 16;
constexpr std::size_t kCrcSize = 4;
constexpr std::size_t kPayloadSize = kSimulatorStateFileSize - kHeaderSize - kCrcSize;
static_assert(kPayloadSize == 10 + image_field::kColourSlots.size + image_field::kKeyMap.size +
                                  image_field::kKeyEnableMask.size + image_field::kMacros.size +
                                  image_field::kKeyColourTables.size);

std::uint32_t Crc32(std::span<const std::uint8_t> bytes) {
  std::uint32_t crc = 0xFFFFFFFFU;
  for (std::uint8_t byte : bytes) {
    crc ^= byte;
    for (int bit = 0; bit < 8; ++bit) {
      crc = (crc >> 1) ^ (0xEDB88320U & (0U - (crc & 1U)));
    }
  }
  return ~crc;
}

void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
  for (int shift = 0; shift < 32; shift += 8) {
    out.push_back(static_cast<std::uint8_t>(value >> shift));
  }
}

std::uint32_t GetU32(std::span<const std::uint8_t> bytes, std::size_t offset) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < 4; ++i) {
    value |= static_cast<std::uint32_t>(bytes[offset + i]) << (8 * i);
  }
  return value;
}

// The single bytes of the payload, in file order.
template <typename Memory>
auto ScalarFields(Memory& memory) {
  return std::array{&memory.firmware_major, &memory.firmware_minor, &memory.report_rate,
                    &memory.response_time,  &memory.light_effect,   &memory.effect_speed,
                    &memory.brightness,     &memory.colour_choice,  &memory.light_direction,
                    &memory.game_mode};
}

// The regions of the payload, in file order, after the single bytes.
template <typename Memory>
auto RegionFields(Memory& memory) {
  using Span = std::conditional_t<std::is_const_v<Memory>, std::span<const std::uint8_t>,
                                  std::span<std::uint8_t>>;
  return std::array{Span(memory.colour_slots), Span(memory.key_map), Span(memory.key_enable_mask),
                    Span(memory.macros), Span(memory.colour_tables)};
}

Error BadState(const std::string& reason) {
  return Error{ErrorCode::kBadData, "simulator state file refused: " + reason};
}

}  // namespace

std::vector<std::uint8_t> EncodeSimulatorState(const SimulatedMemory& memory) {
  std::vector<std::uint8_t> out(kMagic.begin(), kMagic.end());
  out.reserve(kSimulatorStateFileSize);
  PutU32(out, kFormatVersion);
  PutU32(out, static_cast<std::uint32_t>(kPayloadSize));
  for (const std::uint8_t* field : ScalarFields(memory)) {
    out.push_back(*field);
  }
  for (auto region : RegionFields(memory)) {
    out.insert(out.end(), region.begin(), region.end());
  }
  PutU32(out, Crc32(out));
  return out;
}

Result<SimulatedMemory> DecodeSimulatorState(std::span<const std::uint8_t> bytes) {
  if (bytes.size() != kSimulatorStateFileSize) {
    return BadState("it holds " + std::to_string(bytes.size()) + " bytes, not " +
                    std::to_string(kSimulatorStateFileSize));
  }
  if (!std::equal(kMagic.begin(), kMagic.end(), bytes.begin())) {
    return BadState("it is not a simulator state file");
  }
  if (GetU32(bytes, 8) != kFormatVersion || GetU32(bytes, 12) != kPayloadSize) {
    return BadState("format version " + std::to_string(GetU32(bytes, 8)) + " is not supported");
  }
  const std::size_t crc_offset = bytes.size() - kCrcSize;
  if (GetU32(bytes, crc_offset) != Crc32(bytes.first(crc_offset))) {
    return BadState("its checksum does not match (the file is damaged)");
  }
  SimulatedMemory memory;
  std::size_t offset = kHeaderSize;
  for (std::uint8_t* field : ScalarFields(memory)) {
    *field = bytes[offset++];
  }
  for (auto region : RegionFields(memory)) {
    std::copy_n(bytes.begin() + static_cast<std::ptrdiff_t>(offset), region.size(), region.begin());
    offset += region.size();
  }
  return memory;
}

Result<SimulatedMemory> LoadSimulatorState(const std::filesystem::path& path) {
  // One byte more than the layout, so that an overlong file is seen as such.
  auto bytes = ReadFilePrefix(path, kSimulatorStateFileSize + 1);
  if (!bytes.ok()) {
    if (bytes.error().code == ErrorCode::kNotFound) {
      return SimulatedMemory::Factory();
    }
    return bytes.error();
  }
  auto memory = DecodeSimulatorState(*bytes);
  if (!memory.ok()) {
    return Error{ErrorCode::kBadData, memory.error().message + " (" + path.string() + ")"};
  }
  return memory;
}

Status SaveSimulatorState(const std::filesystem::path& path, const SimulatedMemory& memory) {
  return WriteFileAtomically(path, EncodeSimulatorState(memory));
}

}  // namespace n240qx
