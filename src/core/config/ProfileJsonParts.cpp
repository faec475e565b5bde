#include "config/ProfileJsonParts.h"

#include <algorithm>
#include <array>

#include "keys/AssignmentKindWords.h"
#include "util/JsonFields.h"
#include "util/Utf8.h"

namespace n240qx::profile_json {

namespace {

std::string TrimmedName(const KeyNameTable& names, std::uint8_t vk) {
  std::string name = Utf8FromUtf16(names.KeyNameOf(vk));
  while (!name.empty() && name.back() == ' ') {
    name.pop_back();
  }
  return name;
}

std::string CodeText(std::uint8_t code) {
  static constexpr char kDigits[] = "0123456789ABCDEF";
  return std::string("0x") + kDigits[code >> 4] + kDigits[code & 0x0F];
}

}  // namespace

std::string VirtualKeyText(const KeyNameTable& names, std::uint8_t vk) {
  const std::string name = TrimmedName(names, vk);
  const auto back = names.VirtualKeyOfName(name);
  return !name.empty() && back.ok() && *back == vk ? name : CodeText(vk);
}

Result<std::uint8_t> VirtualKeyOfText(const KeyNameTable& names, const JsonValue& value,
                                      const std::string& path) {
  auto text = json_fields::Text(value, path);
  if (!text.ok()) {
    return text.error();
  }
  auto vk = names.VirtualKeyOfName(*text);
  if (!vk.ok()) {
    return json_fields::Bad(path, vk.error().message);
  }
  return *vk;
}

std::optional<std::string> DeviceCodeText(const KeyNameTable& names, std::uint8_t code) {
  for (unsigned vk = 0; vk < 256; ++vk) {
    const auto key = static_cast<std::uint8_t>(vk);
    if (code != 0 && names.DeviceCodeOf(key) == code && !TrimmedName(names, key).empty()) {
      return TrimmedName(names, key);
    }
  }
  return std::nullopt;
}

Result<std::uint8_t> DeviceCodeOfText(const KeyNameTable& names, std::string_view text,
                                      const std::string& path) {
  const auto vk = names.VirtualKeyOfName(text);
  if (!vk.ok()) {
    return json_fields::Bad(path, vk.error().message);
  }
  const std::uint8_t code = names.DeviceCodeOf(*vk);
  if (code == 0) {
    return json_fields::Bad(path, "\"" + std::string(text) + "\" has no code on the keyboard");
  }
  return code;
}

std::string_view KindName(std::uint8_t kind) {
  return WordOfAssignmentKind(kind);
}

Result<std::uint8_t> KindOfText(const JsonValue& value, const std::string& path) {
  auto text = json_fields::Text(value, path);
  if (!text.ok()) {
    return text.error();
  }
  if (const auto kind = AssignmentKindOfWord(*text)) {
    return static_cast<std::uint8_t>(*kind);
  }
  const std::string allowed = AssignmentKindWordList();
  return json_fields::Bad(path, "unknown \"" + *text + "\"; use one of " + allowed);
}

std::vector<ImageField> UnnamedRegions() {
  namespace field = image_field;
  std::vector<ImageField> named = {
      field::kReportRate,     field::kKeyMap,         field::kMacros,   field::kResponseTime,
      field::kLighting,       field::kColourSlots,    field::kGameMode, field::kKeyEnableMask,
      field::kWindowsKeyLock, field::kKeyColourTables};
  std::sort(named.begin(), named.end(),
            [](const ImageField& a, const ImageField& b) { return a.offset < b.offset; });
  std::vector<ImageField> gaps;
  std::size_t at = 0;
  for (const ImageField& region : named) {
    if (region.offset > at) {
      gaps.push_back({at, region.offset - at});
    }
    at = std::max(at, region.end());
  }
  if (at < field::kImageSize) {
    gaps.push_back({at, field::kImageSize - at});
  }
  return gaps;
}

}  // namespace n240qx::profile_json
