#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

namespace n240qx {

// One flag per key index: set when the key has a non-default assignment or is disabled, so
// the keyboard view draws it highlighted. Indices past the array are never set.
class CustomisedKeyFlags {
 public:
  static constexpr std::size_t kSize = 126;

  bool IsSet(std::size_t key_index) const {
    return key_index < flags_.size() && flags_[key_index] != 0;
  }
  void Set(std::size_t key_index, bool customised) {
    if (key_index < flags_.size()) {
      flags_[key_index] = customised ? 1 : 0;
    }
  }
  void Clear() { flags_ = {}; }

  friend bool operator==(const CustomisedKeyFlags&, const CustomisedKeyFlags&) = default;

 private:
  std::array<std::uint8_t, kSize> flags_{};
};

}  // namespace n240qx
