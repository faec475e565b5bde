#include "device/LiveLighting.h"

#include "image/KeyboardLightingValue.h"

namespace n240qx {

void LiveLighting::Clear() {
  std::lock_guard lock(mutex_);
  changes_.clear();
}

void LiveLighting::Record(std::uint8_t sub_code, std::uint8_t value) {
  std::lock_guard lock(mutex_);
  changes_.emplace_back(sub_code, value);
}

void LiveLighting::ApplyTo(ImageBlock& block) const {
  std::lock_guard lock(mutex_);
  for (const auto& [sub_code, value] : changes_) {
    KeyboardLightingValue::Store(sub_code, value, block);
  }
}

}  // namespace n240qx
