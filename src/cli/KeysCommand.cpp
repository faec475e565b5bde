#include <cstdio>
#include <iostream>

#include "cli/Commands.h"
#include "cli/HexText.h"
#include "cli/JsonWriter.h"
#include "config/ImageField.h"
#include "keys/FunctionTable.h"
#include "keys/KeyTable.h"
#include "util/Utf8.h"

namespace n240qx {

namespace {

struct KeyLine {
  const KeyTableRow* row;
  std::string key_map;
  std::string kind;
  std::string detail;  // the function's name or the launch path
  bool enabled;
};

std::string KindName(const KeyActionEntry& entry) {
  switch (entry.kind) {
    case 0:
      return entry.count == 0 ? "default" : "single";
    case 1:
      return "combine";
    case 2:
      return "macro";
    case 3:
      return "function";
    case 4:
      return "play";
    case 5:
      return "startup";
    case 6:
      return "open-file";
    case 7:
      return "open-folder";
    default:
      return "unknown (" + std::to_string(entry.kind) + ")";
  }
}

KeyLine Describe(const ConfiguratorState& state, const KeyTableRow& row) {
  const KeyActionEntry& entry = state.key_actions[row.index];
  std::string detail;
  if (IsLaunchKind(entry.kind)) {
    detail = Utf8FromUtf16(entry.PathString());
  } else if (entry.kind == static_cast<std::uint8_t>(AssignmentKind::kFunction)) {
    detail = Utf8FromUtf16(DecodeFunction(entry.data));
  }
  return {&row, HexString(state.image.Field(image_field::KeyMapEntry(row.slot))), KindName(entry),
          detail, state.image.KeyEnabled(row.slot)};
}

void PrintJson(const std::vector<KeyLine>& lines) {
  JsonWriter json;
  json.BeginArray();
  for (const KeyLine& line : lines) {
    json.BeginObject();
    json.Key("index");
    json.Number(line.row->index);
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
    json.Key("enabled");
    json.Bool(line.enabled);
    json.EndObject();
  }
  json.EndArray();
  std::cout << json.text() << '\n';
}

void PrintText(const std::vector<KeyLine>& lines) {
  std::printf("%-5s %-10s %-4s %-4s %-8s %-8s %-11s %s\n", "index", "label", "vk", "slot",
              "key map", "enabled", "kind", "function / path");
  for (const KeyLine& line : lines) {
    const std::string label(line.row->label);
    std::printf("%-5d %-10s 0x%02X %-4d %-8s %-8s %-11s %s\n", line.row->index, label.c_str(),
                line.row->vk, line.row->slot, line.key_map.c_str(), line.enabled ? "yes" : "no",
                line.kind.c_str(), line.detail.c_str());
  }
}

}  // namespace

ExitCode RunKeysCommand(CliSession& session, const CliArguments& arguments) {
  if (!arguments.words.empty() &&
      !(arguments.words.size() == 1 && arguments.words[0] == "--json")) {
    return session.Fail(ExitCode::kUsage, "keys takes no arguments");
  }
  if (ExitCode read = session.ReadKeyboard(false); read != ExitCode::kOk) {
    return read;
  }
  std::vector<KeyLine> lines;
  for (const KeyTableRow& row : KeyTable::Rows()) {
    lines.push_back(Describe(session.state(), row));
  }
  if (session.json()) {
    PrintJson(lines);
  } else {
    PrintText(lines);
  }
  return ExitCode::kOk;
}

}  // namespace n240qx
