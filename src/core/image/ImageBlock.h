#pragma once

#include <array>
#include <cstdint>
#include <span>

#include "image/ImageField.h"

namespace n240qx {

// 10,060 bytes in the keyboard's layout, with named access to every field. The configuration
// image and the device snapshot are both one of these.
class ImageBlock {
 public:
  using Bytes = std::array<std::uint8_t, image_field::kImageSize>;

  Bytes& bytes() { return bytes_; }
  const Bytes& bytes() const { return bytes_; }

  std::span<std::uint8_t> Field(ImageField field) {
    return {bytes_.data() + field.offset, field.size};
  }
  std::span<const std::uint8_t> Field(ImageField field) const {
    return {bytes_.data() + field.offset, field.size};
  }
  bool FieldEquals(const ImageBlock& other, ImageField field) const;

  std::uint8_t& report_rate() { return At(image_field::kReportRate); }
  std::uint8_t& response_time() { return At(image_field::kResponseTime); }
  std::uint8_t& light_effect() { return At(image_field::kLightEffect); }
  std::uint8_t& effect_speed() { return At(image_field::kEffectSpeed); }
  std::uint8_t& brightness() { return At(image_field::kBrightness); }
  std::uint8_t& colour_choice() { return At(image_field::kColourChoice); }
  std::uint8_t& light_direction() { return At(image_field::kLightDirection); }
  std::uint8_t& game_mode() { return At(image_field::kGameMode); }
  std::uint8_t& windows_key_lock() { return At(image_field::kWindowsKeyLock); }
  std::uint8_t report_rate() const { return At(image_field::kReportRate); }
  std::uint8_t response_time() const { return At(image_field::kResponseTime); }
  std::uint8_t light_effect() const { return At(image_field::kLightEffect); }
  std::uint8_t effect_speed() const { return At(image_field::kEffectSpeed); }
  std::uint8_t brightness() const { return At(image_field::kBrightness); }
  std::uint8_t colour_choice() const { return At(image_field::kColourChoice); }
  std::uint8_t light_direction() const { return At(image_field::kLightDirection); }
  std::uint8_t game_mode() const { return At(image_field::kGameMode); }
  std::uint8_t windows_key_lock() const { return At(image_field::kWindowsKeyLock); }

  std::span<std::uint8_t> key_map() { return Field(image_field::kKeyMap); }
  std::span<std::uint8_t> macros() { return Field(image_field::kMacros); }
  std::span<std::uint8_t> colour_slots() { return Field(image_field::kColourSlots); }
  std::span<std::uint8_t> key_enable_mask() { return Field(image_field::kKeyEnableMask); }
  std::span<std::uint8_t> key_colour_tables() { return Field(image_field::kKeyColourTables); }
  std::span<const std::uint8_t> key_map() const { return Field(image_field::kKeyMap); }
  std::span<const std::uint8_t> macros() const { return Field(image_field::kMacros); }
  std::span<const std::uint8_t> colour_slots() const { return Field(image_field::kColourSlots); }
  std::span<const std::uint8_t> key_enable_mask() const {
    return Field(image_field::kKeyEnableMask);
  }
  std::span<const std::uint8_t> key_colour_tables() const {
    return Field(image_field::kKeyColourTables);
  }

  // Slot n is bit (n mod 6) of mask byte (n div 6); slots past the mask's 126 read as disabled.
  bool KeyEnabled(std::size_t key_slot) const;
  void SetKeyEnabled(std::size_t key_slot, bool enabled);

 private:
  std::uint8_t& At(ImageField field) { return bytes_[field.offset]; }
  std::uint8_t At(ImageField field) const { return bytes_[field.offset]; }

  Bytes bytes_{};
};

}  // namespace n240qx
