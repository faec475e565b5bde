#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "image/ConfigImage.h"
#include "openrgb/SdkController.h"

namespace n240qx {

// The keyboard as one SDK controller: built from the configuration image, and the clients'
// changes written back into one. The drawn keys are the LEDs, in key-index order; the built-in
// effects are the modes, then "Custom", which shows a per-key colour table.
class KeyboardController {
 public:
  KeyboardController();

  // `version` is the firmware's ("1.2"), `location` where the keyboard is reached.
  SdkController Describe(const ConfigImage& image, const std::string& version,
                         const std::string& location) const;

  std::size_t led_count() const { return leds_.size(); }
  std::size_t custom_mode_index() const { return built_in_codes_.size(); }

  // Colours for the LEDs from `first_led` on, into the per-key table "Custom" shows; false
  // (nothing changed) when they run past the last LED.
  bool SetLedColours(ConfigImage& image, std::size_t first_led,
                     std::span<const RgbColour> colours) const;
  // The mode at `index` with the client's speed, brightness, direction and colours, held to
  // what the keyboard takes; false for an index that is no mode.
  bool SetMode(ConfigImage& image, std::size_t index, const SdkMode& mode) const;
  // The per-key colours of the LEDs, as "Custom" shows them.
  std::vector<RgbColour> LedColours(const ConfigImage& image) const;

 private:
  SdkMode BuiltInMode(const ConfigImage& image, std::uint8_t code) const;
  SdkMode CustomMode(const ConfigImage& image) const;
  SdkZone Zone() const;

  std::vector<std::uint8_t> built_in_codes_;
  std::vector<SdkLed> leds_;
  std::vector<std::uint8_t> led_slots_;
};

}  // namespace n240qx
