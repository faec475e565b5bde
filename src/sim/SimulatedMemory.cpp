#include "sim/SimulatedMemory.h"

#include <algorithm>

#include "keys/FactoryKeyMap.h"

namespace n240qx {

namespace {

// Lighting as shipped: "Wave" in multicolour, middle speed, full brightness, left to right.
constexpr std::uint8_t kFactoryEffect = 3;
constexpr std::uint8_t kFactorySpeed = 5;
constexpr std::uint8_t kFactoryBrightness = 50;
constexpr std::uint8_t kFactoryColourChoice = 8;
constexpr std::uint8_t kFactoryDirection = 1;
// The fastest of the four report rates, the shortest response time.
constexpr std::uint8_t kFactoryReportRate = 3;
constexpr std::uint8_t kFactoryResponseTime = 1;

// Red, green, blue, yellow, cyan, magenta, white.
constexpr std::array<std::uint8_t, image_field::kColourSlots.size> kFactorySlots = {
    0xFF, 0x00, 0x00, 0x00, 0xFF, 0x00, 0x00, 0x00, 0xFF, 0xFF, 0xFF,
    0x00, 0x00, 0xFF, 0xFF, 0xFF, 0x00, 0xFF, 0xFF, 0xFF, 0xFF};

// Each per-key table starts in one colour of the first five slots, so that a table shown
// after a reset is visibly the one asked for.
void FillFactoryColourTables(SimulatedMemory& memory) {
  for (std::size_t table = 0; table < image_field::kColourTableCount; ++table) {
    const std::size_t base = image_field::kColourTableSize * table;
    for (std::size_t slot = 0; slot < image_field::kKeySlotCount; ++slot) {
      std::uint8_t* entry = memory.colour_tables.data() + base + 4 * slot;
      entry[0] = 0;
      std::copy_n(kFactorySlots.data() + 3 * table, 3, entry + 1);
    }
  }
}

}  // namespace

SimulatedMemory SimulatedMemory::Factory() {
  SimulatedMemory memory;
  memory.RestoreFactorySettings();
  return memory;
}

void SimulatedMemory::RestoreFactorySettings() {
  report_rate = kFactoryReportRate;
  response_time = kFactoryResponseTime;
  light_effect = kFactoryEffect;
  effect_speed = kFactorySpeed;
  brightness = kFactoryBrightness;
  colour_choice = kFactoryColourChoice;
  light_direction = kFactoryDirection;
  game_mode = 0;
  colour_slots = kFactorySlots;
  key_map = FactoryKeyMap();
  key_enable_mask.fill(0xFF);
  macros.fill(0);
  FillFactoryColourTables(*this);
}

}  // namespace n240qx
