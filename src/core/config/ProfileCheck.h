#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <vector>

namespace n240qx {

// One field of a profile that the keyboard must not receive: its name as `read --json` prints
// it ("brightness", "key_actions[42].kind"), the value found and the values allowed.
struct ProfileProblem {
  std::string field;
  unsigned value = 0;
  std::string allowed;

  // "brightness is 99; allowed 0-50"
  std::string Text() const;
  friend bool operator==(const ProfileProblem&, const ProfileProblem&) = default;
};

// Checks the bytes of a profile file (the layout of keymap.bin) before anything from it is
// sent or stored: the size (not empty, not longer than a profile), every setting that has a
// range, and the kind of every key assignment the bytes reach. A short file is checked as far
// as it goes. No problems means the bytes are safe to load.
// An image part that is all zero is blank, not settings: a store written before any keyboard
// was read holds one, and its settings are neither checked nor to be applied.
std::vector<ProfileProblem> CheckProfile(std::span<const std::uint8_t> bytes);

// Whether the image part (as far as the bytes reach) is all zero.
bool ProfileImageIsBlank(std::span<const std::uint8_t> bytes);

}  // namespace n240qx
