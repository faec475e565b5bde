#include "hid/HidId.h"

#include <array>
#include <cstddef>

namespace n240qx {

namespace {

std::optional<std::uint32_t> ParseHex(std::string_view text) {
  if (text.empty() || text.size() > 8) {
    return std::nullopt;
  }
  std::uint32_t value = 0;
  for (char c : text) {
    std::uint32_t digit = 0;
    if (c >= '0' && c <= '9') {
      digit = static_cast<std::uint32_t>(c - '0');
    } else if (c >= 'a' && c <= 'f') {
      digit = static_cast<std::uint32_t>(c - 'a' + 10);
    } else if (c >= 'A' && c <= 'F') {
      digit = static_cast<std::uint32_t>(c - 'A' + 10);
    } else {
      return std::nullopt;
    }
    value = value * 16 + digit;
  }
  return value;
}

// Splits "a:b:c" into exactly three fields.
std::optional<std::array<std::string_view, 3>> SplitThree(std::string_view text) {
  std::array<std::string_view, 3> fields;
  for (std::size_t i = 0; i < 2; ++i) {
    const std::size_t colon = text.find(':');
    if (colon == std::string_view::npos) {
      return std::nullopt;
    }
    fields[i] = text.substr(0, colon);
    text.remove_prefix(colon + 1);
  }
  fields[2] = text;
  return fields;
}

std::optional<HidId> FromFields(std::string_view text) {
  auto fields = SplitThree(text);
  if (!fields) {
    return std::nullopt;
  }
  std::array<std::uint16_t, 3> values{};
  for (std::size_t i = 0; i < 3; ++i) {
    auto value = ParseHex((*fields)[i]);
    if (!value || *value > 0xFFFF) {
      return std::nullopt;
    }
    values[i] = static_cast<std::uint16_t>(*value);
  }
  return HidId{values[0], values[1], values[2]};
}

}  // namespace

std::optional<HidId> HidId::FromHidIdValue(std::string_view text) {
  return FromFields(text);
}

std::optional<HidId> HidId::FromUevent(std::string_view uevent) {
  constexpr std::string_view kKey = "HID_ID=";
  while (!uevent.empty()) {
    const std::size_t end = uevent.find('\n');
    std::string_view line = uevent.substr(0, end);
    uevent.remove_prefix(end == std::string_view::npos ? uevent.size() : end + 1);
    if (line.starts_with(kKey)) {
      line.remove_prefix(kKey.size());
      return FromFields(line);
    }
  }
  return std::nullopt;
}

std::optional<HidId> HidId::FromDevicePath(std::string_view devpath) {
  std::optional<HidId> found;
  while (!devpath.empty()) {
    const std::size_t slash = devpath.find('/');
    std::string_view component = devpath.substr(0, slash);
    devpath.remove_prefix(slash == std::string_view::npos ? devpath.size() : slash + 1);
    // "BBBB:VVVV:PPPP.NNNN": the kernel numbers HID devices after the dot.
    const std::size_t dot = component.rfind('.');
    if (dot != 14 || component.size() < 19 || !ParseHex(component.substr(dot + 1))) {
      continue;
    }
    if (auto id = FromFields(component.substr(0, dot))) {
      found = id;
    }
  }
  return found;
}

}  // namespace n240qx
