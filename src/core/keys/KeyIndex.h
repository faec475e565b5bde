#pragma once

#include <cstddef>

namespace n240qx::key_index {

// Indexes into the key table of the keys that have rules of their own: the Windows key the lock
// turns off, and the modifiers the keymap cannot take (Fn switches layers on the keyboard itself).
inline constexpr std::size_t kLeftCtrl = 95;
inline constexpr std::size_t kLeftWindows = 96;
inline constexpr std::size_t kFn = 100;
inline constexpr std::size_t kRightCtrl = 102;
// The table's rows the keyboard drawing leaves out.
inline constexpr std::size_t kFirstHidden = 17;
inline constexpr std::size_t kLastHidden = 19;

}  // namespace n240qx::key_index
