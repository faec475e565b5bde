#include "config/ProfileCheck.h"

#include <algorithm>
#include <optional>

#include "image/ImageField.h"
#include "keys/KeyActionEntry.h"
#include "keys/KeymapStore.h"
#include "lighting/EffectTable.h"
#include "util/ControlCharacters.h"

namespace n240qx {

namespace {

struct RangedSetting {
  const char* name;
  ImageField field;
  unsigned low;
  unsigned high;
};

// The ranges the keyboard and the window's controls work in; anything outside them would
// reach the keyboard as a setting it never offered.
constexpr RangedSetting kRangedSettings[] = {
    {"report_rate", image_field::kReportRate, 0, 3},
    {"response_time", image_field::kResponseTime, 0, 9},
    {"effect_speed", image_field::kEffectSpeed, 0, 9},
    {"brightness", image_field::kBrightness, 0, 50},
    {"colour_choice", image_field::kColourChoice, 1, 8},
    {"light_direction", image_field::kLightDirection, 1, 4},
    {"game_mode", image_field::kGameMode, 0, 1},
    {"windows_key_lock", image_field::kWindowsKeyLock, 0, 1},
};

std::string RangeText(unsigned low, unsigned high) {
  return std::to_string(low) + "-" + std::to_string(high);
}

std::string EffectCodes() {
  std::string codes;
  for (const EffectEntry& row : EffectTable::Rows()) {
    codes += (codes.empty() ? "" : ", ") + std::to_string(row.code);
  }
  return codes;
}

// Kinds 0-7 are assignments; 0xFF is what the key dialog leaves in an entry when it was closed
// on its launch page without a choice, and files written then carry it.
bool StorableKind(std::uint8_t kind) {
  return kind <= static_cast<std::uint8_t>(AssignmentKind::kOpenFolder) ||
         kind == static_cast<std::uint8_t>(AssignmentKind::kNone);
}

using ReportedImages = std::span<const std::span<const std::uint8_t>>;

bool WasReported(ReportedImages reported, std::size_t offset, std::uint8_t value) {
  return std::ranges::any_of(reported, [&](std::span<const std::uint8_t> image) {
    return offset < image.size() && image[offset] == value;
  });
}

void CheckSettings(std::span<const std::uint8_t> bytes, ReportedImages reported,
                   std::vector<ProfileProblem>& problems) {
  for (const RangedSetting& setting : kRangedSettings) {
    const std::size_t at = setting.field.offset;
    if (at < bytes.size() && !WasReported(reported, at, bytes[at])) {
      const unsigned value = bytes[at];
      if (value < setting.low || value > setting.high) {
        const std::string range = RangeText(setting.low, setting.high);
        problems.push_back({setting.name, value, range, range});
      }
    }
  }
  const std::size_t effect = image_field::kLightEffect.offset;
  if (effect < bytes.size() && !WasReported(reported, effect, bytes[effect]) &&
      !EffectTable::RowOfCode(bytes[effect])) {
    problems.push_back(
        {"light_effect", bytes[effect], "one of " + EffectCodes(), "eins von " + EffectCodes()});
  }
}

// A launch path is printed by the tool and started by the window: a control character in it
// could drive the terminal, and no user could have typed it.
std::optional<unsigned> ControlUnitInPath(std::span<const std::uint8_t> bytes, std::size_t entry) {
  const std::size_t start = image_field::kImageSize + KeyActionEntry::kSize * entry;
  if (start + KeyActionEntry::kSize > bytes.size() ||
      !IsLaunchKind(bytes[start + KeyActionEntry::kKindOffset])) {
    return std::nullopt;
  }
  const auto decoded = KeyActionEntry::Decode(bytes.subspan(start).first<KeyActionEntry::kSize>());
  for (const char16_t unit : decoded.PathString()) {
    if (IsControlCharacter(unit)) {
      return unit;
    }
  }
  return std::nullopt;
}

void CheckKeyActionKinds(std::span<const std::uint8_t> bytes,
                         std::vector<ProfileProblem>& problems) {
  for (std::size_t entry = 0; entry < KeyActionTable::kEntryCount; ++entry) {
    const std::size_t at =
        image_field::kImageSize + KeyActionEntry::kSize * entry + KeyActionEntry::kKindOffset;
    if (at >= bytes.size()) {
      return;
    }
    if (!StorableKind(bytes[at])) {
      problems.push_back({"key_actions[" + std::to_string(entry) + "].kind", bytes[at],
                          "0-7 or 255", "0-7 oder 255"});
    } else if (const auto unit = ControlUnitInPath(bytes, entry)) {
      problems.push_back({"key_actions[" + std::to_string(entry) + "].path", *unit,
                          "no control characters", "keine Steuerzeichen"});
    }
  }
}

}  // namespace

std::string ProfileProblem::Text(Language language) const {
  if (language == Language::kGerman) {
    return field + " ist " + std::to_string(value) + "; erlaubt " + allowed_german;
  }
  return field + " is " + std::to_string(value) + "; allowed " + allowed;
}

bool ProfileImageIsBlank(std::span<const std::uint8_t> bytes) {
  if (bytes.size() <= image_field::kLightEffect.offset || bytes[image_field::kLightEffect.offset]) {
    return false;
  }
  return std::all_of(
      std::begin(kRangedSettings), std::end(kRangedSettings), [&](const RangedSetting& setting) {
        return setting.field.offset >= bytes.size() || bytes[setting.field.offset] == 0;
      });
}

std::vector<ProfileProblem> CheckProfile(std::span<const std::uint8_t> bytes,
                                         ReportedImages reported) {
  std::vector<ProfileProblem> problems;
  if (bytes.empty() || bytes.size() > kKeymapStoreSize) {
    const std::string range = "1-" + std::to_string(kKeymapStoreSize);
    problems.push_back({"size", static_cast<unsigned>(std::min<std::size_t>(bytes.size(), ~0U)),
                        range + " bytes", range + " Bytes"});
    return problems;
  }
  if (!ProfileImageIsBlank(bytes)) {
    CheckSettings(bytes, reported, problems);
  }
  CheckKeyActionKinds(bytes, problems);
  return problems;
}

}  // namespace n240qx
