#include <algorithm>

#include "config/ProfileJson.h"
#include "config/ProfileJsonParts.h"
#include "keys/FunctionTable.h"
#include "keys/KeyTable.h"
#include "lighting/EffectTable.h"
#include "lighting/LightingWords.h"
#include "macros/MacroEvent.h"
#include "util/HexBytes.h"
#include "util/JsonWriter.h"
#include "util/Utf8.h"

namespace n240qx::profile_json {

namespace {

namespace field = image_field;
using Object = JsonValue::Object;
using Array = JsonValue::Array;

JsonValue Number(std::int64_t value) {
  return JsonValue{value};
}

JsonValue Text(std::string text) {
  return JsonValue{std::move(text)};
}

JsonValue Hex(std::span<const std::uint8_t> bytes) {
  return Text(HexString(bytes));
}

// Booleans for the on/off settings; a byte no switch would hold stays a number, so that it
// comes back as it was (and is refused on the way in, as the binary profile's would be).
JsonValue OnOff(std::uint8_t value) {
  return value <= 1 ? JsonValue{value == 1} : Number(value);
}

JsonValue Effect(std::uint8_t code) {
  const auto name = EffectTable::NameOfCode(code, Language::kEnglish);
  return name.empty() ? Number(code) : Text(std::string(name));
}

JsonValue Named(std::string_view word, std::uint8_t value) {
  return word.empty() ? Number(value) : Text(std::string(word));
}

// A key's colour entry is a pad byte and red, green, blue; the pad byte shows only when set.
JsonValue Colour(std::span<const std::uint8_t> entry) {
  return entry[0] == 0 ? Hex(entry.subspan(1)) : Hex(entry);
}

JsonValue KeySlot(const ConfigImage& image, std::size_t slot) {
  const KeyTableRow* row = KeyTable::BySlot(slot);
  Array colours;
  for (std::size_t table = 0; table < field::kColourTableCount; ++table) {
    colours.push_back(Colour(image.Field(field::ColourTable(table)).subspan(4 * slot, 4)));
  }
  return JsonValue{Object{
      {"key", row ? Text(std::string(row->label)) : JsonValue{nullptr}},
      {"map", Hex(image.Field(field::KeyMapEntry(slot)))},
      {"enabled", JsonValue{image.KeyEnabled(slot)}},
      {"colours", JsonValue{std::move(colours)}},
  }};
}

std::string MacroName(const MacroStore& macros, std::size_t index) {
  return index < macros.UsedCount() ? Utf8FromUtf16(macros.entry(index).Name()) : std::string();
}

std::optional<Array> EventLines(const KeyNameTable& names, const EventBuffer& buffer) {
  Array lines;
  for (const MacroEvent& event : WalkEvents(buffer)) {
    const auto name = DeviceCodeText(names, event.key);
    if (!name) {
      return std::nullopt;
    }
    if (event.delay_ms != 0) {
      lines.push_back(Text(std::to_string(event.delay_ms) + " ms"));
    }
    lines.push_back(Text(*name + (event.release() ? " up" : " dn")));
  }
  return lines;
}

JsonValue Macro(const ProfileJsonSource& source, std::size_t index) {
  const auto bytes = source.image.Field(field::MacroRecord(index));
  const std::string name = MacroName(source.macros, index);
  const MacroRecord record = MacroRecord::FromBytes(bytes.first<field::kMacroRecordSize>());
  if (auto lines = EventLines(source.names, record.device_events)) {
    JsonValue readable{Object{{"name", Text(name)},
                              {std::string(RepeatMember(kVersion)), Number(record.repeat_count)},
                              {"events", JsonValue{std::move(*lines)}}}};
    const auto back = ReadMacroRecord(source.names, readable, FieldPath(), kVersion);
    if (back.ok() && std::equal(back->begin(), back->end(), bytes.begin())) {
      return readable;
    }
  }
  return JsonValue{Object{{"name", Text(name)}, {"record", Hex(bytes)}}};
}

// The macro slot of a macro entry's data, as the key dialog writes it.
JsonValue MacroSlot(const KeyActionEntry& entry) {
  const auto data = KeyMapEntry::FromBytes(std::span(entry.data).first<4>());
  const bool macro = entry.kind == static_cast<std::uint8_t>(AssignmentKind::kMacro);
  if (!macro || data.type != KeyMapEntry::kMacro || data.p1 != 1 || data.p3 != 0) {
    return JsonValue{nullptr};
  }
  return Number(data.p2);
}

// Keys fill the data from its start; an entry without keys may hold a function's (or a
// launch's) four bytes there, or a macro's.
JsonValue ReadableKeyAction(const KeyNameTable& names, const KeyActionEntry& entry) {
  Array keys;
  for (std::size_t at = 0; at < entry.count; ++at) {
    keys.push_back(Text(VirtualKeyText(names, entry.data[at])));
  }
  const bool no_keys = entry.count == 0;
  return JsonValue{Object{
      {"vk", Text(VirtualKeyText(names, entry.key_vk))},
      {"kind", Text(std::string(KindName(entry.kind)))},
      {"keys", JsonValue{std::move(keys)}},
      {"function", Text(no_keys ? Utf8FromUtf16(DecodeFunction(entry.data)) : std::string())},
      {"macro", no_keys ? MacroSlot(entry) : JsonValue{nullptr}},
      {"path", Text(Utf8FromUtf16(entry.PathString()))},
  }};
}

// The readable form when it gives the same bytes back, else the entry's bytes up to the last
// one that is not zero.
JsonValue KeyAction(const KeyNameTable& names, const KeyActionEntry& entry) {
  if (!KindName(entry.kind).empty()) {
    JsonValue readable = ReadableKeyAction(names, entry);
    const auto back = ReadKeyAction(names, readable, FieldPath());
    if (back.ok() && *back == entry) {
      return readable;
    }
  }
  const auto bytes = entry.Encode();
  const auto last = std::find_if(bytes.rbegin(), bytes.rend(), [](std::uint8_t b) { return b; });
  const auto used = static_cast<std::size_t>(bytes.rend() - last);
  return JsonValue{Object{{"entry", Hex(std::span(bytes).first(used))}}};
}

JsonValue SpareMaskBits(const ConfigImage& image) {
  std::vector<std::uint8_t> spare;
  for (const std::uint8_t byte : image.key_enable_mask()) {
    spare.push_back(byte & kSpareMaskBits);
  }
  return Hex(spare);
}

void AddSettings(const ConfigImage& image, Object& document) {
  document.emplace_back("report_rate", Number(image.report_rate()));
  document.emplace_back("response_time", Number(image.response_time()));
  document.emplace_back("light_effect", Effect(image.light_effect()));
  document.emplace_back("effect_speed", Number(image.effect_speed()));
  document.emplace_back("brightness", Number(image.brightness()));
  document.emplace_back("colour_choice",
                        Named(ColourChoiceWord(image.colour_choice()), image.colour_choice()));
  document.emplace_back("light_direction",
                        Named(DirectionWord(image.light_direction()), image.light_direction()));
  document.emplace_back("game_mode", OnOff(image.game_mode()));
  document.emplace_back("windows_key_lock", OnOff(image.windows_key_lock()));
  Array slots;
  for (std::size_t slot = 0; slot < field::kColourSlotCount; ++slot) {
    slots.push_back(Hex(image.Field(field::ColourSlot(slot))));
  }
  document.emplace_back("colour_slots", JsonValue{std::move(slots)});
}

JsonValue Firmware(const std::optional<FirmwareVersion>& firmware) {
  if (!firmware) {
    return JsonValue{nullptr};
  }
  return JsonValue{Object{{"major", Number(firmware->major)}, {"minor", Number(firmware->minor)}}};
}

}  // namespace

JsonValue ToJson(const ProfileJsonSource& source) {
  const ConfigImage& image = source.image;
  Object document{{"format", Text(std::string(kFormat))}, {"version", Number(kVersion)}};
  AddSettings(image, document);
  Array keys;
  for (std::size_t slot = 0; slot < field::kKeySlotCount; ++slot) {
    keys.push_back(KeySlot(image, slot));
  }
  document.emplace_back("keys", JsonValue{std::move(keys)});
  document.emplace_back("key_enable_mask_spare_bits", SpareMaskBits(image));
  Array records;
  for (std::size_t index = 0; index < field::kMacroRecordCount; ++index) {
    records.push_back(Macro(source, index));
  }
  document.emplace_back("macros", JsonValue{std::move(records)});
  Array actions;
  for (const KeyActionEntry& entry : source.key_actions.Entries()) {
    actions.push_back(KeyAction(source.names, entry));
  }
  document.emplace_back("key_actions", JsonValue{std::move(actions)});
  Object unnamed;
  for (const ImageField& region : UnnamedRegions()) {
    unnamed.emplace_back(std::to_string(region.offset), Hex(image.Field(region)));
  }
  document.emplace_back("unnamed_bytes", JsonValue{std::move(unnamed)});
  document.emplace_back("firmware", Firmware(source.firmware));
  return JsonValue{std::move(document)};
}

std::string ToText(const ProfileJsonSource& source) {
  JsonWriter writer;
  writer.Document(ToJson(source));
  return writer.text();
}

}  // namespace n240qx::profile_json
