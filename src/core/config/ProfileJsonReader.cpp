#include <algorithm>
#include <charconv>

#include "config/ProfileJson.h"
#include "config/ProfileJsonParts.h"
#include "keys/FunctionTable.h"
#include "keys/KeymapStore.h"
#include "lighting/EffectTable.h"
#include "lighting/LightingWords.h"
#include "macros/MacroEvent.h"
#include "util/AsciiText.h"
#include "util/HexBytes.h"
#include "util/JsonFields.h"
#include "util/JsonParser.h"
#include "util/ResultTake.h"
#include "util/Utf8.h"

namespace n240qx::profile_json {

namespace {

namespace field = image_field;
using json_fields::Bad;

// Editors on some systems start a UTF-8 text with EF BB BF; it is no part of the JSON.
std::size_t ByteOrderMarkSize(std::span<const std::uint8_t> bytes) {
  constexpr std::uint8_t kMark[] = {0xEF, 0xBB, 0xBF};
  return bytes.size() >= 3 && std::equal(kMark, kMark + 3, bytes.begin()) ? 3 : 0;
}

Result<std::vector<std::uint8_t>> HexOfSizes(const JsonValue& value, const FieldPath& path,
                                             std::size_t bytes, std::size_t other_bytes) {
  N240QX_TAKE(text, json_fields::Text(value, path));
  auto parsed = ParseHexString(*text);
  if (!parsed || (parsed->size() != bytes && parsed->size() != other_bytes)) {
    // "6", or "6 or 8" where two sizes are taken.
    const auto digits = [&](const std::string& or_word) {
      return std::to_string(2 * bytes) +
             (other_bytes != bytes ? or_word + std::to_string(2 * other_bytes) : std::string());
    };
    const std::string quoted = "\"" + *text + "\"";
    return Bad(path, quoted + " is not " + digits(" or ") + " hex digits",
               quoted + " sind nicht " + digits(" oder ") + " Hexadezimalziffern");
  }
  return std::move(*parsed);
}

Result<std::vector<std::uint8_t>> HexOfSize(const JsonValue& value, const FieldPath& path,
                                            std::size_t bytes) {
  return HexOfSizes(value, path, bytes, bytes);
}

Result<std::uint8_t> Byte(const JsonValue& value, const FieldPath& path) {
  N240QX_TAKE(number, json_fields::Integer(value, path, 0, 255));
  return static_cast<std::uint8_t>(*number);
}

Result<std::uint8_t> OnOff(const JsonValue& value, const FieldPath& path) {
  if (const auto* flag = std::get_if<bool>(&value.data)) {
    return static_cast<std::uint8_t>(*flag ? 1 : 0);
  }
  return Byte(value, path);
}

Result<std::uint8_t> Effect(const JsonValue& value, const FieldPath& path) {
  const auto* name = std::get_if<std::string>(&value.data);
  if (name == nullptr) {
    return Byte(value, path);
  }
  for (const EffectEntry& row : EffectTable::Rows()) {
    if (SameLetters(*name, row.english)) {
      return row.code;
    }
  }
  return Bad(path, "unknown effect \"" + *name + "\"", "unbekannter Effekt \"" + *name + "\"");
}

// A byte by its word, or by its number as version 1 wrote every one.
template <std::optional<std::uint8_t> (*kOfWord)(std::string_view)>
Result<std::uint8_t> Named(const JsonValue& value, const FieldPath& path) {
  const auto* word = std::get_if<std::string>(&value.data);
  if (word == nullptr) {
    return Byte(value, path);
  }
  if (const auto byte = kOfWord(*word)) {
    return *byte;
  }
  return Bad(path, "unknown \"" + *word + "\"", "unbekannt: \"" + *word + "\"");
}

using ByteReader = Result<std::uint8_t> (*)(const JsonValue&, const FieldPath&);

struct Setting {
  std::string_view name;
  ImageField field;
  ByteReader read;
};

constexpr Setting kSettings[] = {
    {"report_rate", field::kReportRate, Byte},
    {"response_time", field::kResponseTime, Byte},
    {"light_effect", field::kLightEffect, Effect},
    {"effect_speed", field::kEffectSpeed, Byte},
    {"brightness", field::kBrightness, Byte},
    {"colour_choice", field::kColourChoice, Named<ColourChoiceOfWord>},
    {"light_direction", field::kLightDirection, Named<DirectionOfWord>},
    {"game_mode", field::kGameMode, OnOff},
    {"windows_key_lock", field::kWindowsKeyLock, OnOff},
};

Status ReadSettings(const JsonValue& document, const FieldPath& root, ConfigImage& image) {
  for (const Setting& setting : kSettings) {
    N240QX_TAKE(value, json_fields::Member(document, root, setting.name));
    N240QX_TAKE(byte, setting.read(**value, root.Child(setting.name)));
    image.bytes()[setting.field.offset] = *byte;
  }
  N240QX_TAKE(slots, json_fields::Member(document, root, "colour_slots"));
  N240QX_TAKE(items,
              json_fields::Items(**slots, root.Child("colour_slots"), field::kColourSlotCount));
  for (std::size_t slot = 0; slot < field::kColourSlotCount; ++slot) {
    N240QX_TAKE(rgb, HexOfSize((**items)[slot], root.Child("colour_slots").Child(slot), 3));
    std::copy(rgb->begin(), rgb->end(), image.Field(field::ColourSlot(slot)).begin());
  }
  return Status::Ok();
}

Status ReadKeySlot(const JsonValue& key, const FieldPath& path, std::size_t slot,
                   ConfigImage& image) {
  if (Status known = json_fields::OnlyMembers(key, path, {"key", "map", "enabled", "colours"});
      !known.ok()) {
    return known;
  }
  // The key's name is there for people; the slot is the item's place.
  N240QX_TAKE(name, json_fields::Member(key, path, "key"));
  if (!std::holds_alternative<std::string>((*name)->data) &&
      !std::holds_alternative<std::nullptr_t>((*name)->data)) {
    return Bad(path.Child("key"), "a text or null expected", "ein Text oder null erwartet");
  }
  N240QX_TAKE(map_value, json_fields::Member(key, path, "map"));
  N240QX_TAKE(map, HexOfSize(**map_value, path.Child("map"), field::kKeyMapEntrySize));
  std::copy(map->begin(), map->end(), image.Field(field::KeyMapEntry(slot)).begin());
  N240QX_TAKE(enabled_value, json_fields::Member(key, path, "enabled"));
  N240QX_TAKE(enabled, json_fields::Flag(**enabled_value, path.Child("enabled")));
  if (*enabled && slot >= field::kKeyEnableMask.size * 6) {
    return Bad(path.Child("enabled"), "this slot has no enable bit; only false is allowed",
               "dieser Platz hat kein Freigabebit; nur false ist erlaubt");
  }
  image.SetKeyEnabled(slot, *enabled);
  N240QX_TAKE(colours_value, json_fields::Member(key, path, "colours"));
  const FieldPath colours_path = path.Child("colours");
  N240QX_TAKE(colours, json_fields::Items(**colours_value, colours_path, field::kColourTableCount));
  for (std::size_t table = 0; table < field::kColourTableCount; ++table) {
    N240QX_TAKE(colour, HexOfSizes((**colours)[table], colours_path.Child(table), 3, 4));
    auto entry = image.Field(field::ColourTable(table)).subspan(4 * slot, 4);
    std::fill(entry.begin(), entry.end(), 0);
    std::copy(colour->begin(), colour->end(), entry.end() - static_cast<long>(colour->size()));
  }
  return Status::Ok();
}

Status ReadKeys(const JsonValue& document, const FieldPath& root, ConfigImage& image) {
  N240QX_TAKE(spare_value, json_fields::Member(document, root, "key_enable_mask_spare_bits"));
  N240QX_TAKE(spare, HexOfSize(**spare_value, root.Child("key_enable_mask_spare_bits"),
                               field::kKeyEnableMask.size));
  for (std::size_t at = 0; at < spare->size(); ++at) {
    if (((*spare)[at] & ~kSpareMaskBits) != 0) {
      return Bad(root.Child("key_enable_mask_spare_bits"),
                 "byte " + std::to_string(at) + " has bits other than 6 and 7",
                 "Byte " + std::to_string(at) + " hat andere Bits als 6 und 7");
    }
  }
  std::copy(spare->begin(), spare->end(), image.key_enable_mask().begin());
  N240QX_TAKE(keys_value, json_fields::Member(document, root, "keys"));
  N240QX_TAKE(keys, json_fields::Items(**keys_value, root.Child("keys"), field::kKeySlotCount));
  for (std::size_t slot = 0; slot < field::kKeySlotCount; ++slot) {
    if (Status read = ReadKeySlot((**keys)[slot], root.Child("keys").Child(slot), slot, image);
        !read.ok()) {
      return read;
    }
  }
  return Status::Ok();
}

Status ReadMacros(const KeyNameTable& names, const JsonValue& document, const FieldPath& root,
                  std::int64_t version, ConfigImage& image) {
  N240QX_TAKE(value, json_fields::Member(document, root, "macros"));
  N240QX_TAKE(items, json_fields::Items(**value, root.Child("macros"), field::kMacroRecordCount));
  for (std::size_t index = 0; index < field::kMacroRecordCount; ++index) {
    N240QX_TAKE(record, ReadMacroRecord(names, (**items)[index], root.Child("macros").Child(index),
                                        version));
    std::copy(record->begin(), record->end(), image.Field(field::MacroRecord(index)).begin());
  }
  return Status::Ok();
}

Status ReadKeyActions(const KeyNameTable& names, const JsonValue& document, const FieldPath& root,
                      KeyActionTable& table) {
  N240QX_TAKE(value, json_fields::Member(document, root, "key_actions"));
  N240QX_TAKE(items,
              json_fields::Items(**value, root.Child("key_actions"), KeyActionTable::kEntryCount));
  for (std::size_t index = 0; index < KeyActionTable::kEntryCount; ++index) {
    N240QX_TAKE(entry,
                ReadKeyAction(names, (**items)[index], root.Child("key_actions").Child(index)));
    table[index] = *entry;
  }
  return Status::Ok();
}

Status ReadUnnamedBytes(const JsonValue& document, const FieldPath& root, ConfigImage& image) {
  N240QX_TAKE(value, json_fields::Member(document, root, "unnamed_bytes"));
  const auto regions = UnnamedRegions();
  const auto* members = std::get_if<JsonValue::Object>(&(*value)->data);
  if (members != nullptr && members->size() > regions.size()) {
    return Bad(root.Child("unnamed_bytes"), "only the offsets of unnamed regions are allowed",
               "nur die Offsets unbenannter Bereiche sind erlaubt");
  }
  for (const ImageField& region : regions) {
    const std::string name = std::to_string(region.offset);
    N240QX_TAKE(hex_value, json_fields::Member(**value, root.Child("unnamed_bytes"), name));
    N240QX_TAKE(bytes,
                HexOfSize(**hex_value, root.Child("unnamed_bytes").Child(name), region.size));
    std::copy(bytes->begin(), bytes->end(), image.Field(region).begin());
  }
  return Status::Ok();
}

Result<std::int64_t> ReadHeader(const JsonValue& document, const FieldPath& root) {
  if (Status known = json_fields::OnlyMembers(
          document, root,
          {"format", "version", "report_rate", "response_time", "light_effect", "effect_speed",
           "brightness", "colour_choice", "light_direction", "game_mode", "windows_key_lock",
           "colour_slots", "keys", "key_enable_mask_spare_bits", "macros", "key_actions",
           "unnamed_bytes", "firmware"});
      !known.ok()) {
    return known.error();
  }
  N240QX_TAKE(format_value, json_fields::Member(document, root, "format"));
  N240QX_TAKE(format, json_fields::Text(**format_value, root.Child("format")));
  if (*format != kFormat) {
    const std::string quoted = "\"" + *format + "\"";
    const std::string wanted = "\"" + std::string(kFormat) + "\"";
    return Bad(root.Child("format"), quoted + " is not " + wanted, quoted + " ist nicht " + wanted);
  }
  N240QX_TAKE(version_value, json_fields::Member(document, root, "version"));
  N240QX_TAKE(version, json_fields::Integer(**version_value, root.Child("version"), kFirstVersion,
                                            kVersion));
  return *version;
}

// "50 ms": the delay before the next key line.
std::optional<std::uint16_t> DelayOf(std::string_view line) {
  if (!line.ends_with(" ms")) {
    return std::nullopt;
  }
  line.remove_suffix(3);
  unsigned value = 0;
  const auto [end, error] = std::from_chars(line.data(), line.data() + line.size(), value);
  if (error != std::errc() || end != line.data() + line.size() || value == 0 || value > 65535) {
    return std::nullopt;
  }
  return static_cast<std::uint16_t>(value);
}

Result<EncodedEvent> KeyLine(const KeyNameTable& names, std::string_view line, std::uint16_t delay,
                             const FieldPath& path) {
  const bool release = line.ends_with(" up");
  if (!release && !line.ends_with(" dn")) {
    const std::string quoted = "\"" + std::string(line) + "\"";
    return Bad(path, quoted + " is neither \"KEY dn\", \"KEY up\" nor \"N ms\"",
               quoted + " ist weder \"KEY dn\" noch \"KEY up\" noch \"N ms\"");
  }
  line.remove_suffix(3);
  N240QX_TAKE(code, DeviceCodeOfText(names, line, path));
  return EncodeEvent(release, delay, *code);
}

Result<EventBuffer> ReadEvents(const KeyNameTable& names, const JsonValue& value,
                               const FieldPath& path) {
  N240QX_TAKE(lines, json_fields::ItemsUpTo(value, path, 2 * macro_layout::kEventBufferSize));
  EventBuffer buffer{};
  std::size_t used = 0;
  std::optional<std::uint16_t> delay;
  for (std::size_t at = 0; at < (*lines)->size(); ++at) {
    const FieldPath line_path = path.Child(at);
    N240QX_TAKE(line, json_fields::Text((**lines)[at], line_path));
    if (const auto wait = DelayOf(*line)) {
      if (delay) {
        return Bad(line_path, "two delays in a row", "zwei Pausen hintereinander");
      }
      delay = wait;
      continue;
    }
    N240QX_TAKE(event, KeyLine(names, *line, delay.value_or(0), line_path));
    delay.reset();
    if (used + event->length > buffer.size()) {
      const std::string size = std::to_string(buffer.size());
      return Bad(path, "the events do not fit the " + size + " bytes of a macro",
                 "die Ereignisse passen nicht in die " + size + " Bytes eines Makros");
    }
    std::copy_n(event->bytes.begin(), event->length, buffer.begin() + static_cast<long>(used));
    used += event->length;
  }
  if (delay) {
    return Bad(path, "a delay must come before a key line",
               "auf eine Pause muss eine Tastenzeile folgen");
  }
  return buffer;
}

Result<KeyActionEntry> ReadRawKeyAction(const JsonValue& value, const FieldPath& path) {
  if (Status known = json_fields::OnlyMembers(value, path, {"entry"}); !known.ok()) {
    return known.error();
  }
  N240QX_TAKE(text, json_fields::Text(*value.Member("entry"), path.Child("entry")));
  auto bytes = ParseHexString(*text);
  if (!bytes || bytes->size() > KeyActionEntry::kSize) {
    const std::string digits = std::to_string(2 * KeyActionEntry::kSize);
    return Bad(path.Child("entry"), "at most " + digits + " hex digits, an even number, expected",
               "h\u00F6chstens " + digits + " Hexadezimalziffern, eine gerade Anzahl, erwartet");
  }
  std::array<std::uint8_t, KeyActionEntry::kSize> whole{};
  std::copy(bytes->begin(), bytes->end(), whole.begin());
  return KeyActionEntry::Decode(whole);
}

// The parts of a readable key action, in the order they fill the data: keys from its start,
// then a function's or a macro's four bytes over them.
Status ReadActionKeys(const KeyNameTable& names, const JsonValue& value, const FieldPath& path,
                      KeyActionEntry& entry) {
  N240QX_TAKE(keys_value, json_fields::Member(value, path, "keys"));
  const FieldPath keys_path = path.Child("keys");
  N240QX_TAKE(keys, json_fields::ItemsUpTo(**keys_value, keys_path, KeyActionEntry::kDataSize));
  for (std::size_t at = 0; at < (*keys)->size(); ++at) {
    N240QX_TAKE(key, VirtualKeyOfText(names, (**keys)[at], keys_path.Child(at)));
    entry.data[at] = *key;
  }
  entry.count = static_cast<std::uint8_t>((*keys)->size());
  return Status::Ok();
}

Status ReadActionFunction(const KeyNameTable& /*names*/, const JsonValue& value,
                          const FieldPath& path, KeyActionEntry& entry) {
  N240QX_TAKE(function_value, json_fields::Member(value, path, "function"));
  N240QX_TAKE(function, json_fields::Text(**function_value, path.Child("function")));
  if (function->empty()) {
    return Status::Ok();
  }
  auto name = Utf16FromUtf8(*function);
  const FunctionRow* row = name.ok() ? FunctionTable::Find(*name) : nullptr;
  if (row == nullptr) {
    const std::string quoted = "\"" + *function + "\"";
    return Bad(path.Child("function"), "unknown " + quoted, "unbekannt: " + quoted);
  }
  const auto bytes = row->entry.ToBytes();
  std::copy(bytes.begin(), bytes.end(), entry.data.begin());
  return Status::Ok();
}

Status ReadActionMacro(const KeyNameTable& /*names*/, const JsonValue& value, const FieldPath& path,
                       KeyActionEntry& entry) {
  N240QX_TAKE(macro_value, json_fields::Member(value, path, "macro"));
  if (std::holds_alternative<std::nullptr_t>((*macro_value)->data)) {
    return Status::Ok();
  }
  N240QX_TAKE(slot, json_fields::Integer(**macro_value, path.Child("macro"), 0, 255));
  const auto bytes =
      KeyMapEntry{KeyMapEntry::kMacro, 1, static_cast<std::uint8_t>(*slot), 0}.ToBytes();
  std::copy(bytes.begin(), bytes.end(), entry.data.begin());
  return Status::Ok();
}

Status ReadActionPath(const KeyNameTable& /*names*/, const JsonValue& value, const FieldPath& path,
                      KeyActionEntry& entry) {
  N240QX_TAKE(path_value, json_fields::Member(value, path, "path"));
  N240QX_TAKE(launch, json_fields::Text(**path_value, path.Child("path")));
  auto units = Utf16FromUtf8(*launch);
  if (!units.ok() || units->size() >= KeyActionEntry::kPathUnits) {
    const std::string units_text = std::to_string(KeyActionEntry::kPathUnits - 1);
    return Bad(path.Child("path"), "longer than " + units_text + " UTF-16 units",
               "l\u00E4nger als " + units_text + " UTF-16-Einheiten");
  }
  entry.SetPath(*units);
  return Status::Ok();
}

}  // namespace

Result<MacroRecord::Bytes> ReadMacroRecord(const KeyNameTable& names, const JsonValue& value,
                                           const FieldPath& path, std::int64_t version) {
  const bool raw = value.Member("record") != nullptr;
  const std::string_view repeat_member = RepeatMember(version);
  if (Status known = json_fields::OnlyMembers(
          value, path,
          raw ? std::initializer_list<std::string_view>{"name", "record"}
              : std::initializer_list<std::string_view>{"name", repeat_member, "events"});
      !known.ok()) {
    return known.error();
  }
  // Names live with the stored macros, not in the profile's bytes: read for its type only.
  N240QX_TAKE(name, json_fields::Member(value, path, "name"));
  N240QX_TAKE(name_text, json_fields::Text(**name, path.Child("name")));
  MacroRecord::Bytes bytes{};
  if (raw) {
    N240QX_TAKE(hex, HexOfSize(*value.Member("record"), path.Child("record"), bytes.size()));
    std::copy(hex->begin(), hex->end(), bytes.begin());
    return bytes;
  }
  N240QX_TAKE(repeat_value, json_fields::Member(value, path, repeat_member));
  N240QX_TAKE(repeat, json_fields::Integer(**repeat_value, path.Child(repeat_member), 0, 65535));
  N240QX_TAKE(events_value, json_fields::Member(value, path, "events"));
  N240QX_TAKE(events, ReadEvents(names, **events_value, path.Child("events")));
  MacroRecord record;
  record.repeat_count = static_cast<std::uint16_t>(*repeat);
  record.device_events = *events;
  return record.ToBytes();
}

Result<KeyActionEntry> ReadKeyAction(const KeyNameTable& names, const JsonValue& value,
                                     const FieldPath& path) {
  if (value.Member("entry") != nullptr) {
    return ReadRawKeyAction(value, path);
  }
  if (Status known = json_fields::OnlyMembers(value, path,
                                              {"vk", "kind", "keys", "function", "macro", "path"});
      !known.ok()) {
    return known.error();
  }
  KeyActionEntry entry;
  N240QX_TAKE(vk_value, json_fields::Member(value, path, "vk"));
  N240QX_TAKE(vk, VirtualKeyOfText(names, **vk_value, path.Child("vk")));
  entry.key_vk = *vk;
  N240QX_TAKE(kind_value, json_fields::Member(value, path, "kind"));
  N240QX_TAKE(kind, KindOfText(**kind_value, path.Child("kind")));
  entry.kind = *kind;
  for (const auto& read : {ReadActionKeys, ReadActionFunction, ReadActionMacro, ReadActionPath}) {
    if (Status status = read(names, value, path, entry); !status.ok()) {
      return status.error();
    }
  }
  return entry;
}

Result<std::vector<std::uint8_t>> FromJson(const KeyNameTable& names, const JsonValue& document,
                                           Language language) {
  const FieldPath root(language);
  N240QX_TAKE(version, ReadHeader(document, root));
  ConfigImage image;
  KeyActionTable table;
  for (const auto& read : {ReadSettings, ReadKeys, ReadUnnamedBytes}) {
    if (Status status = read(document, root, image); !status.ok()) {
      return status.error();
    }
  }
  if (Status macros = ReadMacros(names, document, root, *version, image); !macros.ok()) {
    return macros.error();
  }
  if (Status actions = ReadKeyActions(names, document, root, table); !actions.ok()) {
    return actions.error();
  }
  return EncodeKeymapStore(image, table);
}

Result<std::vector<std::uint8_t>> FromText(const KeyNameTable& names, std::string_view text,
                                           Language language) {
  N240QX_TAKE(document, JsonParser::Parse(text, language));
  return FromJson(names, *document, language);
}

bool LooksLikeJson(std::span<const std::uint8_t> bytes) {
  const auto visible = [](std::uint8_t byte) {
    return byte != ' ' && byte != '\t' && byte != '\n' && byte != '\r';
  };
  const auto text = bytes.subspan(ByteOrderMarkSize(bytes));
  const auto brace = std::find_if(text.begin(), text.end(), visible);
  if (brace == text.end() || *brace != '{') {
    return false;
  }
  const auto name = std::find_if(brace + 1, text.end(), visible);
  return name != text.end() && (*name == '"' || *name == '}');
}

Result<std::vector<std::uint8_t>> ProfileBytes(const KeyNameTable& names,
                                               std::vector<std::uint8_t> file, Language language) {
  if (!LooksLikeJson(file)) {
    return file;
  }
  const std::size_t skipped = ByteOrderMarkSize(file);
  return FromText(
      names,
      std::string_view(reinterpret_cast<const char*>(file.data()) + skipped, file.size() - skipped),
      language);
}

Result<std::vector<std::uint8_t>> ChosenProfileBytes(const KeyNameTable& names,
                                                     std::vector<std::uint8_t> file,
                                                     Language language) {
  if (!LooksLikeJson(file) && file.size() < field::kImageSize) {
    const std::string size = std::to_string(file.size());
    const std::string least = std::to_string(field::kImageSize);
    return Error{ErrorCode::kBadData,
                 language == Language::kGerman
                     ? "sie ist " + size +
                           " Bytes groß und kein JSON: ein Profil hält mindestens seine "
                           "Konfiguration (" +
                           least + " Bytes)"
                     : "its size is " + size +
                           " bytes and it is not JSON: a profile holds at least its "
                           "configuration (" +
                           least + " bytes)"};
  }
  return ProfileBytes(names, std::move(file), language);
}

}  // namespace n240qx::profile_json
