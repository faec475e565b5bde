#pragma once

#include <cstdint>
#include <optional>

namespace n240qx {

// When the keyboard's lights go dark with the desktop and which brightness comes back. A
// reason to be dark darkens the keyboard only while the user lets it (the tray's options; the
// lights key always does); the lights come back once no such reason is left. What comes back
// is the brightness the window showed when they went dark, unless the user chose another one
// while they were dark (on the keyboard or in the window): that one stays.
//
// Nothing here waits: Step is asked whenever something changed and the window may write, and
// says what to write, so a reason that comes and goes while a sequence runs writes nothing.
class DarkLights {
 public:
  enum class Reason : std::uint8_t {
    kScreen = 1,  // the screen is locked or blanked
    kSleep = 2,   // the machine is about to suspend
    kToggle = 4,  // the lights key (or ToggleLights) turned them off
    kIdle = 8,    // nobody has used the desktop for the minutes the user chose
  };
  // The brightness the window shows (the image, with an unapplied edit) and the one the
  // keyboard holds as last read or written.
  struct Brightness {
    std::uint8_t shown = 0;
    std::uint8_t held = 0;
  };

  void Follow(Reason reason, bool on);
  bool Follows(Reason reason) const;
  void Begin(Reason reason) { active_ |= Bit(reason); }
  // A reason that ends no longer stands against the lights key either.
  void End(Reason reason);
  bool Active(Reason reason) const { return (active_ & Bit(reason)) != 0; }
  // The lights key: lights that are (or are about to be) dark come back, and stay on while the
  // reasons active now last; lit ones go dark until the key is pressed again. A keyboard the
  // user had dimmed to 0 lights up at full brightness.
  void Toggle(Brightness now);

  // The brightness to write now, or nothing.
  std::optional<std::uint8_t> Step(Brightness now);
  // Whether the lights are dark, or about to be, by one of the reasons.
  bool dark() const { return dark_; }

 private:
  static std::uint8_t Bit(Reason reason) { return static_cast<std::uint8_t>(reason); }
  bool Wanted() const;

  std::uint8_t follows_ = Bit(Reason::kToggle);
  std::uint8_t active_ = 0;
  // Reasons the lights key has overruled until they end.
  std::uint8_t overruled_ = 0;
  bool dark_ = false;
  std::uint8_t restore_ = 0;
  bool light_up_ = false;
};

}  // namespace n240qx
