#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "util/Language.h"

namespace n240qx {

// One field of a profile that the keyboard must not receive: its name as `read --json` prints
// it ("brightness", "key_actions[42].kind"), the value found and the values allowed.
struct ProfileProblem {
  std::string field;
  unsigned value = 0;
  std::string allowed;
  // The same in German, for a window that speaks it.
  std::string allowed_german;

  // "brightness is 99; allowed 0-50", "brightness ist 99; erlaubt 0-50"
  std::string Text(Language language = Language::kEnglish) const;
  friend bool operator==(const ProfileProblem&, const ProfileProblem&) = default;
};

// Checks the bytes of a profile file (the layout of keymap.bin) before anything from it is
// sent or stored: the size (not empty, not longer than a profile), every setting that has a
// range, and the kind of every key assignment the bytes reach. A short file is checked as far
// as it goes. No problems means the bytes are safe to load.
// An image whose settings are all zero (effect 0 included, which no keyboard reports) is blank:
// a store written before any keyboard was read holds one, with a key map of zeros too. Its
// settings are neither checked nor to be applied.
// A setting equal to its byte in one of `reported` (images the keyboard itself sent: what it
// holds now, what a backup recorded from it) is no problem, whatever its range: the keyboard
// may report values its controls never offer, and what it sent must go back unrefused.
std::vector<ProfileProblem> CheckProfile(
    std::span<const std::uint8_t> bytes,
    std::span<const std::span<const std::uint8_t>> reported = {});

// Whether every ranged setting the bytes reach is zero, the effect among them.
bool ProfileImageIsBlank(std::span<const std::uint8_t> bytes);

}  // namespace n240qx
