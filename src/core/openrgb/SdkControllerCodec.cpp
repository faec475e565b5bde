#include "openrgb/SdkControllerCodec.h"

namespace n240qx {

namespace {

constexpr std::uint32_t kBrightnessVersion = 3;
constexpr std::uint32_t kVendorVersion = 1;
constexpr std::uint32_t kSegmentsVersion = 4;

void Colours(const std::vector<RgbColour>& colours, SdkByteWriter& out) {
  out.U16(static_cast<std::uint16_t>(colours.size()));
  for (const RgbColour& colour : colours) {
    out.U32(colour.Packed());
  }
}

}  // namespace

void SdkControllerCodec::EncodeMode(const SdkMode& mode, std::uint32_t protocol,
                                    SdkByteWriter& out) {
  out.String(mode.name);
  out.U32(static_cast<std::uint32_t>(mode.value));
  out.U32(mode.flags);
  out.U32(mode.speed_min);
  out.U32(mode.speed_max);
  if (protocol >= kBrightnessVersion) {
    out.U32(mode.brightness_min);
    out.U32(mode.brightness_max);
  }
  out.U32(mode.colours_min);
  out.U32(mode.colours_max);
  out.U32(mode.speed);
  if (protocol >= kBrightnessVersion) {
    out.U32(mode.brightness);
  }
  out.U32(mode.direction);
  out.U32(mode.colour_mode);
  Colours(mode.colours, out);
}

std::optional<SdkMode> SdkControllerCodec::DecodeMode(SdkByteReader& in, std::uint32_t protocol) {
  SdkMode mode;
  const auto name = in.String();
  const auto value = in.U32();
  if (!name || !value) {
    return std::nullopt;
  }
  mode.name = *name;
  mode.value = static_cast<std::int32_t>(*value);
  const bool brightness = protocol >= kBrightnessVersion;
  for (std::uint32_t* field :
       {&mode.flags, &mode.speed_min, &mode.speed_max, brightness ? &mode.brightness_min : nullptr,
        brightness ? &mode.brightness_max : nullptr, &mode.colours_min, &mode.colours_max,
        &mode.speed, brightness ? &mode.brightness : nullptr, &mode.direction, &mode.colour_mode}) {
    if (field == nullptr) {
      continue;
    }
    const auto read = in.U32();
    if (!read) {
      return std::nullopt;
    }
    *field = *read;
  }
  const auto count = in.U16();
  if (!count || std::size_t{*count} * 4 > in.remaining()) {
    return std::nullopt;
  }
  for (std::uint16_t i = 0; i < *count; ++i) {
    mode.colours.push_back(RgbColour::FromPacked(*in.U32()));
  }
  return mode;
}

void SdkControllerCodec::EncodeZone(const SdkZone& zone, std::uint32_t protocol,
                                    SdkByteWriter& out) {
  out.String(zone.name);
  out.U32(static_cast<std::uint32_t>(zone.type));
  // The keyboard's zone cannot be resized: minimum, maximum and count are one number.
  for (int i = 0; i < 3; ++i) {
    out.U32(zone.leds_count);
  }
  if (zone.matrix.empty()) {
    out.U16(0);
  } else {
    out.U16(static_cast<std::uint16_t>(8 + 4 * zone.matrix.size()));
    out.U32(zone.matrix_height);
    out.U32(zone.matrix_width);
    for (const std::uint32_t led : zone.matrix) {
      out.U32(led);
    }
  }
  if (protocol >= kSegmentsVersion) {
    out.U16(0);
  }
}

std::vector<std::uint8_t> SdkControllerCodec::EncodeControllerData(const SdkController& controller,
                                                                   std::uint32_t protocol) {
  SdkByteWriter out;
  out.U32(0);
  out.U32(static_cast<std::uint32_t>(controller.type));
  out.String(controller.name);
  if (protocol >= kVendorVersion) {
    out.String(controller.vendor);
  }
  for (const std::string* text :
       {&controller.description, &controller.version, &controller.serial, &controller.location}) {
    out.String(*text);
  }
  out.U16(static_cast<std::uint16_t>(controller.modes.size()));
  out.U32(static_cast<std::uint32_t>(controller.active_mode));
  for (const SdkMode& mode : controller.modes) {
    EncodeMode(mode, protocol, out);
  }
  out.U16(static_cast<std::uint16_t>(controller.zones.size()));
  for (const SdkZone& zone : controller.zones) {
    EncodeZone(zone, protocol, out);
  }
  out.U16(static_cast<std::uint16_t>(controller.leds.size()));
  for (const SdkLed& led : controller.leds) {
    out.String(led.name);
    out.U32(led.value);
  }
  Colours(controller.colours, out);
  out.PatchU32(0, static_cast<std::uint32_t>(out.size()));
  return std::move(out).Take();
}

}  // namespace n240qx
