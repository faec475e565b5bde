#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>

#include "util/Language.h"

namespace n240qx {

struct EffectEntry {
  std::uint8_t code;
  std::string_view english;
  std::string_view german;
};

// The sixteen effects in the order of the effect list; the list returns the row number.
// Codes 7 and 9 do not exist on the keyboard.
class EffectTable {
 public:
  static constexpr std::size_t kRowCount = 16;
  static constexpr std::uint8_t kStatic = 1;
  static constexpr std::uint8_t kWave = 3;
  static constexpr std::uint8_t kSpectrum = 8;
  static constexpr std::uint8_t kRadar = 13;
  static constexpr std::uint8_t kFirstProfile = 51;
  static constexpr std::uint8_t kLastProfile = 55;

  static const std::array<EffectEntry, kRowCount>& Rows();
  // Row of an effect code, or nothing for a code the table does not hold.
  static std::optional<std::size_t> RowOfCode(std::uint8_t code);
  // Name shown for a code; empty for a code the table does not hold.
  static std::string_view NameOfCode(std::uint8_t code, Language language);
};

}  // namespace n240qx
