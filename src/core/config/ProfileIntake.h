#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "keys/KeyNameTable.h"
#include "util/Language.h"
#include "util/Result.h"

namespace n240qx {

// A profile handed in from outside (a file for `apply`, the bytes of a caller on the session
// bus), binary or JSON, checked whole before anything is loaded, so that a refused profile
// sends and stores nothing, whoever brought it.
class ProfileIntake {
 public:
  // The most bytes a profile of its kind holds: the JSON limit, or the layout's size.
  static std::size_t Limit(std::span<const std::uint8_t> bytes);
  // The profile in the layout of keymap.bin, or kBadData whose message continues "refused X,
  // nothing was sent": ": it is N bytes, longer ...", or ":" and one "\n  " line per reason.
  // Settings out of range may be what the keyboard itself holds, which only its read can tell;
  // sizes and key assignment kinds are refused here.
  // The reasons are given in `language`; the window's Import speaks the window's.
  static Result<std::vector<std::uint8_t>> Check(const KeyNameTable& names,
                                                 std::vector<std::uint8_t> bytes,
                                                 Language language = Language::kEnglish);
};

}  // namespace n240qx
