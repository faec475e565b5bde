#include <algorithm>
#include <iostream>

#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "cli/ShownKeys.h"
#include "cli/TextTable.h"
#include "image/ImageField.h"
#include "keys/AssignmentKindWords.h"
#include "keys/FactoryKeyMap.h"
#include "keys/FunctionTable.h"
#include "keys/HostAction.h"
#include "keys/KeyLookup.h"
#include "keys/KeyTable.h"
#include "util/AsciiText.h"
#include "util/DecimalText.h"
#include "util/HexBytes.h"
#include "util/Utf8.h"

namespace n240qx {

namespace {

struct KeyLine {
  const KeyTableRow* row = nullptr;
  std::string name;
  std::string key_map;
  std::string kind;
  std::string detail;  // the function's name or the launch path
  std::string target;
  bool enabled = true;
  // With --keyboard: what the keyboard holds for the key.
  std::string keyboard_key_map;
  std::string keyboard_target;
  bool keyboard_enabled = true;
};

// A host action is named by its own word, not as the launch it is stored as.
std::string KindName(const KeyActionEntry& entry) {
  if (const auto host = HostAction::Of(entry)) {
    return std::string(HostAction::WordOf(host->kind));
  }
  const std::string_view word = WordOfAssignmentKind(entry.kind);
  return word.empty() ? "unknown (" + std::to_string(entry.kind) + ")" : std::string(word);
}

KeyLine Describe(const ConfiguratorState& state, const ImageBlock& stored, const KeyLookup& lookup,
                 const KeyTableRow& row) {
  const KeyActionEntry& entry = state.key_actions()[row.index];
  std::string detail;
  if (IsLaunchKind(entry.kind)) {
    detail = Utf8FromUtf16(entry.PathString());
  } else if (entry.kind == static_cast<std::uint8_t>(AssignmentKind::kFunction)) {
    detail = Utf8FromUtf16(DecodeFunction(entry.data));
  }
  KeyLine line;
  line.row = &row;
  line.name = lookup.PickName(row);
  line.key_map = HexString(stored.Field(image_field::KeyMapEntry(row.slot)));
  line.kind = KindName(entry);
  line.detail = detail;
  line.target = ShownKeyTarget(state, stored, row);
  line.enabled = stored.KeyEnabled(row.slot);
  line.keyboard_key_map = HexString(state.image().Field(image_field::KeyMapEntry(row.slot)));
  line.keyboard_target = ShownKeyTarget(state, state.image(), row);
  line.keyboard_enabled = state.image().KeyEnabled(row.slot);
  return line;
}

void PrintJson(const std::vector<KeyLine>& lines, bool with_keyboard) {
  JsonWriter json;
  json.BeginObject();
  json.Key("keys");
  json.BeginArray();
  for (const KeyLine& line : lines) {
    json.BeginObject();
    json.Key("index");
    json.Number(line.row->index);
    json.Key("name");
    json.String(line.name);
    json.Key("label");
    json.String(line.row->label);
    json.Key("vk");
    json.String("0x" + HexString(std::span(&line.row->vk, 1)));
    json.Key("slot");
    json.Number(line.row->slot);
    json.Key("key_map");
    json.String(line.key_map);
    json.Key("kind");
    json.String(line.kind);
    json.Key(line.kind == "function" ? "function" : "path");
    json.String(line.detail);
    json.Key("target");
    json.String(line.target);
    json.Key("enabled");
    json.Bool(line.enabled);
    if (with_keyboard) {
      json.Key("keyboard_key_map");
      json.String(line.keyboard_key_map);
      json.Key("keyboard_target");
      json.String(line.keyboard_target);
      json.Key("keyboard_enabled");
      json.Bool(line.keyboard_enabled);
    }
    json.EndObject();
  }
  json.EndArray();
  json.EndObject();
  std::cout << json.text() << '\n';
}

std::string EnabledText(bool enabled) {
  return enabled ? "yes" : "no";
}

// The key's label where the name the other commands take differs from it ("LCtrl" is labelled
// "Ctrl"), so that a key can be found by what is printed on it.
std::string LabelText(const KeyLine& line) {
  return line.row->label == line.name ? std::string() : std::string(line.row->label);
}

void PrintText(const std::vector<KeyLine>& lines, bool with_keyboard) {
  TextTable table({"key", "label", "index", "enabled", "target"});
  if (with_keyboard) {
    table = TextTable({"key", "label", "index", "enabled", "target", "keyboard"});
  }
  for (const KeyLine& line : lines) {
    std::vector<std::string> cells = {line.name, LabelText(line),
                                      "#" + std::to_string(line.row->index),
                                      EnabledText(line.enabled), line.target};
    if (with_keyboard) {
      const bool same =
          line.keyboard_key_map == line.key_map && line.keyboard_enabled == line.enabled;
      cells.push_back(same ? "same"
                           : line.keyboard_target + (line.keyboard_enabled ? "" : " (disabled)"));
    }
    table.Add(std::move(cells));
  }
  table.Print(std::cout);
}

}  // namespace

// The stored assignments (keymap.bin) by default: no keyboard is needed to list them. With
// --keyboard the keyboard is read too, and what it holds is shown beside them.
ExitCode RunKeysCommand(CliSession& session, const CliArguments& arguments) {
  const auto& words = arguments.words;
  const bool with_keyboard = words.size() == 1 && words[0] == "--keyboard";
  if (!words.empty() && !with_keyboard) {
    return session.Fail(ExitCode::kUsage, "keys takes only --keyboard");
  }
  if (ExitCode loaded = session.LoadFiles(false); loaded != ExitCode::kOk) {
    return loaded;
  }
  const ConfiguratorState& state = session.state();
  ImageBlock stored = state.image();
  if (std::ranges::all_of(stored.key_map(), [](std::uint8_t byte) { return byte == 0; })) {
    // No keymap.bin yet, or one written before any keyboard was read: every key is as the
    // keyboard ships.
    const auto factory = FactoryKeyMap();
    std::ranges::copy(factory, stored.key_map().begin());
    std::ranges::fill(stored.key_enable_mask(), 0xFF);
  }
  if (with_keyboard) {
    if (ExitCode connected = session.Connect(); connected != ExitCode::kOk) {
      return connected;
    }
    if (ExitCode read = session.FullRead(); read != ExitCode::kOk) {
      return read;
    }
  }
  const KeyLookup lookup(state.key_names());
  std::vector<KeyLine> lines;
  for (const KeyTableRow& row : KeyTable::Rows()) {
    lines.push_back(Describe(state, stored, lookup, row));
  }
  if (session.json()) {
    PrintJson(lines, with_keyboard);
  } else {
    PrintText(lines, with_keyboard);
  }
  return ExitCode::kOk;
}

}  // namespace n240qx
