#pragma once

#include <compare>
#include <cstdint>
#include <optional>
#include <span>

namespace n240qx {

struct FirmwareVersion {
  int major = 0;
  int minor = 0;

  friend constexpr auto operator<=>(const FirmwareVersion&, const FirmwareVersion&) = default;
};

// How many bytes of the shipped version file are read.
inline constexpr std::size_t kVersionFileReadSize = 12;

// The version the updater carries: byte 5 is the major and byte 7 the minor digit, in ASCII.
// nullopt when the file is too short to hold both or either byte is not a digit, so a damaged
// file never turns into a version that would prompt.
std::optional<FirmwareVersion> ParseShippedFirmwareVersion(std::span<const std::uint8_t> bytes);

// The version the keyboard reports as major and minor; nullopt for 0.0, which is what an
// unanswered read leaves behind and so is no version.
std::optional<FirmwareVersion> KeyboardFirmwareVersion(int major, int minor);

// The keyboard's answer to the firmware read: major in byte 2, minor in byte 3. nullopt when
// the answer is too short, or reads 0.0, which is what an unanswered read leaves behind.
std::optional<FirmwareVersion> ParseKeyboardFirmwareAnswer(std::span<const std::uint8_t> answer);

}  // namespace n240qx
