#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/TextId.h"
#include "app/Texts.h"
#include "keys/HostAction.h"

namespace n240qx {

// What the window does when a key carrying a host action is pressed: apply which profile of
// the library, turn the lights, or nothing now and why. Applying a profile is a write, so it
// waits for no one: during a sequence, under a dialog or over unapplied edits it is refused,
// and the user presses the key again once the window is free.
struct HostActionStep {
  enum class Kind : std::uint8_t { kApplyProfile, kToggleLights, kRefused };
  struct Situation {
    bool sequence_running = false;
    bool dialog_open = false;
    bool unapplied_edits = false;
    // The library's names in its order (ProfileLibrary::Names).
    std::vector<std::string> profiles;
    // The profile last applied; empty, or one no longer in the library, starts the round.
    std::string current;
  };

  Kind kind = Kind::kRefused;
  // kApplyProfile: the one to apply; refused for want of a profile: its name.
  std::string profile;
  // kRefused: why.
  TextId refusal = TextId::kProfileKeyBusy;

  static HostActionStep Plan(const HostAction& action, const Situation& now);
  // The profile `step` places (+1 next, -1 previous) from `current` in library order, round
  // from the last to the first and back; from none (or one not listed) next is the first and
  // previous the last. None in an empty library.
  static std::optional<std::string> Neighbour(std::span<const std::string> names,
                                              std::string_view current, int step);
  // A refusal as the window's status line says it.
  std::string RefusalLine(const Texts& texts) const;

  friend bool operator==(const HostActionStep&, const HostActionStep&) = default;
};

}  // namespace n240qx
