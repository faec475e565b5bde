#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "paint/RgbColour.h"

namespace n240qx {

namespace sdk {
inline constexpr std::int32_t kDeviceTypeKeyboard = 5;
inline constexpr std::int32_t kZoneTypeMatrix = 2;
inline constexpr std::uint32_t kNoLed = 0xFFFFFFFF;

inline constexpr std::uint32_t kModeHasSpeed = 1 << 0;
inline constexpr std::uint32_t kModeHasDirectionLr = 1 << 1;
inline constexpr std::uint32_t kModeHasDirectionUd = 1 << 2;
inline constexpr std::uint32_t kModeHasBrightness = 1 << 4;
inline constexpr std::uint32_t kModeHasPerLedColour = 1 << 5;
inline constexpr std::uint32_t kModeHasModeSpecificColour = 1 << 6;
inline constexpr std::uint32_t kModeHasRandomColour = 1 << 7;

inline constexpr std::uint32_t kDirectionLeft = 0;
inline constexpr std::uint32_t kDirectionRight = 1;
inline constexpr std::uint32_t kDirectionUp = 2;
inline constexpr std::uint32_t kDirectionDown = 3;

inline constexpr std::uint32_t kColourModeNone = 0;
inline constexpr std::uint32_t kColourModePerLed = 1;
inline constexpr std::uint32_t kColourModeModeSpecific = 2;
inline constexpr std::uint32_t kColourModeRandom = 3;
}  // namespace sdk

// One mode as a client sees it; `value` is ours and comes back unchanged in UpdateMode.
struct SdkMode {
  std::string name{};
  std::int32_t value = 0;
  std::uint32_t flags = 0;
  std::uint32_t speed_min = 0;
  std::uint32_t speed_max = 0;
  std::uint32_t brightness_min = 0;
  std::uint32_t brightness_max = 0;
  std::uint32_t colours_min = 0;
  std::uint32_t colours_max = 0;
  std::uint32_t speed = 0;
  std::uint32_t brightness = 0;
  std::uint32_t direction = 0;
  std::uint32_t colour_mode = 0;
  std::vector<RgbColour> colours{};

  bool operator==(const SdkMode&) const = default;
};

// A zone with an optional matrix: `matrix` holds height * width LED indices, row by row,
// sdk::kNoLed where no LED sits.
struct SdkZone {
  std::string name{};
  std::int32_t type = sdk::kZoneTypeMatrix;
  std::uint32_t leds_count = 0;
  std::uint32_t matrix_height = 0;
  std::uint32_t matrix_width = 0;
  std::vector<std::uint32_t> matrix{};
};

struct SdkLed {
  std::string name{};
  std::uint32_t value = 0;
};

// Everything the controller-data answer carries, independent of the protocol version.
struct SdkController {
  std::int32_t type = sdk::kDeviceTypeKeyboard;
  std::string name{};
  std::string vendor{};
  std::string description{};
  std::string version{};
  std::string serial{};
  std::string location{};
  std::vector<SdkMode> modes{};
  std::int32_t active_mode = 0;
  std::vector<SdkZone> zones{};
  std::vector<SdkLed> leds{};
  std::vector<RgbColour> colours{};
};

}  // namespace n240qx
