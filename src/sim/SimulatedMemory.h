#pragma once

#include <array>
#include <cstdint>

#include "image/ImageField.h"

namespace n240qx {

// Everything the keyboard keeps between power cycles, in the keyboard's own terms: response time
// and effect speed hold the device values 1-10, not the image's converted ones.
struct SimulatedMemory {
  std::uint8_t firmware_major = 1;
  std::uint8_t firmware_minor = 5;
  std::uint8_t report_rate = 0;
  std::uint8_t response_time = 1;
  std::uint8_t light_effect = 0;
  std::uint8_t effect_speed = 1;
  std::uint8_t brightness = 0;
  std::uint8_t colour_choice = 0;
  std::uint8_t light_direction = 0;
  std::uint8_t game_mode = 0;
  std::array<std::uint8_t, image_field::kColourSlots.size> colour_slots{};
  std::array<std::uint8_t, image_field::kKeyMap.size> key_map{};
  std::array<std::uint8_t, image_field::kKeyEnableMask.size> key_enable_mask{};
  std::array<std::uint8_t, image_field::kMacros.size> macros{};
  std::array<std::uint8_t, image_field::kKeyColourTables.size> colour_tables{};

  // The keyboard as it leaves the factory, with firmware 1.05.
  static SimulatedMemory Factory();
  // Every setting back to factory values; the firmware version stays.
  void RestoreFactorySettings();

  friend bool operator==(const SimulatedMemory&, const SimulatedMemory&) = default;
};

}  // namespace n240qx
