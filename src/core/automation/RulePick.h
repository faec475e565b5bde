#pragma once

#include <cstddef>
#include <optional>
#include <string>

namespace n240qx {

// The profile the rules want now, and the rule that wants it: none for the default profile.
struct RulePick {
  std::string profile;
  // The index into the rules, from 0.
  std::optional<std::size_t> rule;

  bool operator==(const RulePick&) const = default;
};

}  // namespace n240qx
