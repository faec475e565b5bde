#include "app/KeyboardBusModel.h"

#include <sstream>

#include "app/ChangeSummary.h"
#include "device/FirmwareVersionText.h"
#include "lighting/EffectTable.h"

namespace n240qx {

namespace {

using Field = std::variant<bool, int, std::string, std::vector<std::string>>;

struct PropertyRow {
  std::string_view name;
  Field (*value)(const KeyboardBusProperties&);
};

constexpr PropertyRow kRows[] = {
    {"Connected", [](const KeyboardBusProperties& p) { return Field(p.connected); }},
    {"Simulated", [](const KeyboardBusProperties& p) { return Field(p.simulated); }},
    {"Firmware", [](const KeyboardBusProperties& p) { return Field(p.firmware); }},
    {"Effect", [](const KeyboardBusProperties& p) { return Field(p.effect); }},
    {"Speed", [](const KeyboardBusProperties& p) { return Field(p.speed); }},
    {"Brightness", [](const KeyboardBusProperties& p) { return Field(p.brightness); }},
    {"Direction", [](const KeyboardBusProperties& p) { return Field(p.direction); }},
    {"ColourChoice", [](const KeyboardBusProperties& p) { return Field(p.colour_choice); }},
    {"ColourSlots", [](const KeyboardBusProperties& p) { return Field(p.colour_slots); }},
    {"GameMode", [](const KeyboardBusProperties& p) { return Field(p.game_mode); }},
    {"WindowsKeyLock", [](const KeyboardBusProperties& p) { return Field(p.windows_key_lock); }},
    {"ReportRate", [](const KeyboardBusProperties& p) { return Field(p.report_rate); }},
    {"ResponseTime", [](const KeyboardBusProperties& p) { return Field(p.response_time); }},
    {"UnappliedEdits", [](const KeyboardBusProperties& p) { return Field(p.unapplied_edits); }},
    {"ActiveProfile", [](const KeyboardBusProperties& p) { return Field(p.active_profile); }},
    {"ProfileNames", [](const KeyboardBusProperties& p) { return Field(p.profile_names); }},
};

constexpr std::string_view kErrorPrefix = "io.github.n240qx.Configurator.Error.";

// One name per kind, so that the kind comes back whole on the caller's side.
constexpr std::pair<ErrorCode, std::string_view> kErrorNames[] = {
    {ErrorCode::kNotOpen, "Refused"},
    {ErrorCode::kInvalidArgument, "InvalidArgument"},
    {ErrorCode::kNotFound, "NotFound"},
    {ErrorCode::kPermissionDenied, "PermissionDenied"},
    {ErrorCode::kIo, "Device"},
    {ErrorCode::kTimeout, "Timeout"},
    {ErrorCode::kDisconnected, "Disconnected"},
    {ErrorCode::kBadData, "BadData"},
};

std::string SlotText(std::span<const std::uint8_t> rgb) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string text = "#";
  for (const std::uint8_t byte : rgb) {
    text += kDigits[byte >> 4];
    text += kDigits[byte & 0xF];
  }
  return text;
}

Error Refuse(std::string reason) {
  return Error{ErrorCode::kNotOpen, std::move(reason)};
}

}  // namespace

KeyboardBusProperties KeyboardBusModel::Read(const ConfiguratorState& state, bool connected,
                                             bool simulated) {
  const ConfigImage& image = state.image();
  KeyboardBusProperties p;
  p.connected = connected;
  p.simulated = simulated;
  p.firmware = FirmwareVersionText(state.firmware());
  // By the name `set light_effect` takes; a code the table does not know stays a number.
  const std::string_view effect = EffectTable::NameOfCode(image.light_effect(), Language::kEnglish);
  p.effect = effect.empty() ? std::to_string(image.light_effect()) : std::string(effect);
  p.speed = image.effect_speed();
  p.brightness = image.brightness();
  p.direction = image.light_direction();
  p.colour_choice = image.colour_choice();
  for (std::size_t slot = 0; slot < image_field::kColourSlotCount; ++slot) {
    p.colour_slots.push_back(SlotText(image.Field(image_field::ColourSlot(slot))));
  }
  p.game_mode = image.game_mode();
  p.windows_key_lock = image.windows_key_lock();
  p.report_rate = image.report_rate();
  p.response_time = image.response_time();
  p.unapplied_edits = ChangeSummary::Compare(state).Any();
  return p;
}

void KeyboardBusModel::ReadProfiles(KeyboardBusProperties& properties,
                                    std::vector<std::string> names, std::string active) {
  properties.profile_names = std::move(names);
  properties.active_profile = std::move(active);
}

std::vector<KeyboardBusProperty> KeyboardBusModel::Publish(const KeyboardBusProperties& now) {
  std::vector<KeyboardBusProperty> changed;
  for (const PropertyRow& row : kRows) {
    Field value = row.value(now);
    if (value != row.value(published_)) {
      changed.push_back({row.name, std::move(value)});
    }
  }
  published_ = now;
  return changed;
}

Result<std::vector<SettingChange>> KeyboardBusModel::CheckSet(
    const std::map<std::string, std::string>& settings, bool discard_edits,
    const KeyboardBusWindow& window) {
  std::vector<std::string> words;
  for (const auto& [name, value] : settings) {
    words.push_back(name);
    // "colour_slot" takes two words, SLOT and RRGGBB, in one value.
    std::istringstream parts(value);
    std::size_t count = 0;
    for (std::string part; parts >> part; ++count) {
      words.push_back(part);
    }
    if (count == 0) {
      words.push_back(value);
    }
  }
  auto changes = ParseSettingChanges(words);
  if (!changes.ok()) {
    return changes;
  }
  if (Status writable = CheckWrite(discard_edits, window); !writable.ok()) {
    return writable.error();
  }
  return changes;
}

Status KeyboardBusModel::CheckWrite(bool discard_edits, const KeyboardBusWindow& window) {
  if (!window.connected) {
    return Refuse("no keyboard is connected");
  }
  return CheckStoreChange(discard_edits, window);
}

Status KeyboardBusModel::CheckStoreChange(bool discard_edits, const KeyboardBusWindow& window) {
  if (window.dialog_open) {
    return Refuse("a dialog is open in the window: close it first");
  }
  if (window.busy) {
    return Refuse("the window is reading or writing the keyboard: try again when it is done");
  }
  if (window.unapplied_edits && !discard_edits) {
    return Refuse("the window has unapplied edits: apply them, or pass discard_edits");
  }
  return Status::Ok();
}

std::string KeyboardBusModel::ErrorName(ErrorCode code) {
  for (const auto& [kind, name] : kErrorNames) {
    if (kind == code) {
      return std::string(kErrorPrefix) + std::string(name);
    }
  }
  return std::string(kErrorPrefix) + "Device";
}

std::optional<ErrorCode> KeyboardBusModel::ErrorCodeOfName(std::string_view name) {
  if (!name.starts_with(kErrorPrefix)) {
    return std::nullopt;
  }
  for (const auto& [kind, short_name] : kErrorNames) {
    if (name.substr(kErrorPrefix.size()) == short_name) {
      return kind;
    }
  }
  return std::nullopt;
}

}  // namespace n240qx
