#include "app/DarkLights.h"

#include "paint/SliderId.h"

namespace n240qx {

namespace {

constexpr auto kFullBrightness = static_cast<std::uint8_t>(RangeOf(SliderId::kBrightness).max);

}  // namespace

void DarkLights::Follow(Reason reason, bool on) {
  if (reason == Reason::kToggle) {
    return;
  }
  follows_ = on ? (follows_ | Bit(reason)) : (follows_ & ~Bit(reason));
}

bool DarkLights::Follows(Reason reason) const {
  return (follows_ & Bit(reason)) != 0;
}

void DarkLights::End(Reason reason) {
  active_ &= ~Bit(reason);
  overruled_ &= ~Bit(reason);
}

bool DarkLights::Wanted() const {
  return (active_ & follows_ & ~overruled_) != 0;
}

void DarkLights::Toggle(Brightness now) {
  const bool looks_dark = Wanted() || (!dark_ && now.shown == 0);
  if (!looks_dark) {
    Begin(Reason::kToggle);
    return;
  }
  active_ &= ~Bit(Reason::kToggle);
  overruled_ |= active_;
  light_up_ = true;
}

std::optional<std::uint8_t> DarkLights::Step(Brightness now) {
  const bool wanted = Wanted();
  if (wanted && !dark_) {
    dark_ = true;
    light_up_ = false;
    restore_ = now.shown;
    return now.held == 0 && now.shown == 0 ? std::nullopt : std::optional<std::uint8_t>(0);
  }
  if (wanted || (!dark_ && !light_up_)) {
    return std::nullopt;
  }
  std::uint8_t value = dark_ ? restore_ : now.shown;
  dark_ = false;
  if (now.shown != 0) {
    value = now.shown;
  } else if (value == 0 && light_up_) {
    value = kFullBrightness;
  }
  light_up_ = false;
  return value == now.held ? std::nullopt : std::optional<std::uint8_t>(value);
}

}  // namespace n240qx
