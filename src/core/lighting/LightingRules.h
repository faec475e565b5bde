#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>

namespace n240qx {

// What the lighting page offers for one effect code. Everything follows from the code alone, so
// a code that arrives from the keyboard or a profile file outside the effect table still gets a
// consistent page.
struct LightingRules {
  bool speed_slider = false;
  bool colour_area = false;         // the seven swatches
  bool multicolour = false;         // the multicolour button is drawn and its click accepted
  bool forced_multicolour = false;  // swatches drawn grey, clicks on them ignored
  bool direction_arrows = false;
  bool per_key_choice = false;  // Keymap / Custom radio items

  static LightingRules ForEffect(std::uint8_t code);

  // The swatch a colour choice frames (1 to 7, 8 for multicolour): out-of-range choices are
  // held to the ends, and a forced multicolour shows multicolour whatever the choice.
  std::uint8_t ShownColourChoice(std::uint8_t choice) const;

  // The per-key colour table an effect shows: 51..55 give 0..4. Codes above 55 offer the
  // Keymap / Custom choice but have no table, so nothing may be written for them.
  static std::optional<std::size_t> ColourTableOf(std::uint8_t code);
};

}  // namespace n240qx
