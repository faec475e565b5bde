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

// The key name table words its refusal, with a name it may have meant, for the tool's English;
// a German reader gets the gist.
Error UnknownKeyName(const FieldPath& path, std::string_view typed, const Error& refusal) {
  return json_fields::Bad(path, refusal.message,
                          "unbekannter Tastenname \"" + std::string(typed) +
                              "\": erlaubt sind Namen wie LCtrl, Del, A oder F5 und "
                              "Tastencodes wie 0x41");
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
                                      const FieldPath& path) {
  auto text = json_fields::Text(value, path);
  if (!text.ok()) {
    return text.error();
  }
  auto vk = names.VirtualKeyOfName(*text);
  if (!vk.ok()) {
    return UnknownKeyName(path, *text, vk.error());
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
                                      const FieldPath& path) {
  const auto vk = names.VirtualKeyOfName(text);
  if (!vk.ok()) {
    return UnknownKeyName(path, text, vk.error());
  }
  const std::uint8_t code = names.DeviceCodeOf(*vk);
  if (code == 0) {
    const std::string quoted = "\"" + std::string(text) + "\"";
    return json_fields::Bad(path, quoted + " has no code on the keyboard",
                            quoted + " hat keinen Code auf der Tastatur");
  }
  return code;
}

std::string_view KindName(std::uint8_t kind) {
  return WordOfAssignmentKind(kind);
}

Result<std::uint8_t> KindOfText(const JsonValue& value, const FieldPath& path) {
  auto text = json_fields::Text(value, path);
  if (!text.ok()) {
    return text.error();
  }
  if (const auto kind = AssignmentKindOfWord(*text)) {
    return static_cast<std::uint8_t>(*kind);
  }
  const std::string allowed = AssignmentKindWordList();
  const std::string quoted = "\"" + *text + "\"";
  return json_fields::Bad(path, "unknown " + quoted + "; use one of " + allowed,
                          "unbekannt: " + quoted + "; erlaubt sind " + allowed);
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
