#include <iostream>

#include "app/KeyTargetText.h"
#include "cli/Commands.h"
#include "cli/JsonWriter.h"
#include "cli/MacroChanges.h"
#include "macros/MacroEvent.h"
#include "macros/MacroEventList.h"
#include "util/AsciiText.h"
#include "util/DecimalText.h"
#include "util/EscapedText.h"
#include "util/HexBytes.h"
#include "util/Utf8.h"

namespace n240qx {

namespace {

// A cleared entry holds repeat count 0, which the dialog shows as 1.
int ShownRepeatCount(const MacroStoreEntry& entry) {
  return entry.repeat_count == 0 ? 1 : entry.repeat_count;
}

std::u16string HexUnits(std::uint8_t value) {
  const std::string hex = HexString(std::span(&value, 1));
  return {hex.begin(), hex.end()};
}

}  // namespace

ExitCode RunMacrosCommand(CliSession& session, const CliArguments& arguments) {
  if (!arguments.words.empty()) {
    return session.Fail(ExitCode::kUsage, "macros takes no arguments (macro show N shows one)");
  }
  if (ExitCode loaded = session.LoadFiles(false); loaded != ExitCode::kOk) {
    return loaded;
  }
  const MacroStore& store = session.state().stored_macros();
  JsonWriter json;
  json.BeginObject();
  json.Key("macros");
  json.BeginArray();
  for (std::size_t index = 0; index < store.UsedCount(); ++index) {
    const MacroStoreEntry& entry = store.entry(index);
    const std::string name = Utf8FromUtf16(entry.Name());
    const std::size_t events = WalkEvents(entry.key_events).size();
    if (session.json()) {
      json.BeginObject();
      json.Key("index");
      json.Number(static_cast<std::int64_t>(index));
      json.Key("name");
      json.String(name);
      json.Key("repeat_count");
      json.Number(ShownRepeatCount(entry));
      json.Key("delay");
      json.Bool(entry.has_delay());
      json.Key("events");
      json.Number(static_cast<std::int64_t>(events));
      json.EndObject();
    } else {
      std::cout << index << ": " << EscapedText(entry.Name()) << " (repeat "
                << ShownRepeatCount(entry) << (entry.has_delay() ? ", with delays" : ", no delays")
                << ", " << events << " events)\n";
    }
  }
  json.EndArray();
  json.EndObject();
  if (session.json()) {
    std::cout << json.text() << '\n';
  } else if (store.UsedCount() == 0) {
    std::cout << "no macros stored\n";
  }
  return ExitCode::kOk;
}

namespace {

// Key names without the trailing space the table gives most of them, so that a line reads as
// it is typed for `macro new`: "LCtrl dn", "C up".
std::vector<std::string> EventLines(const ConfiguratorState& state, const MacroStoreEntry& entry) {
  const auto lines = BuildEventLines(entry.key_events, [&](std::uint8_t vk) {
    std::u16string name = state.key_names().KeyNameOf(vk);
    while (!name.empty() && name.back() == u' ') {
      name.pop_back();
    }
    return name.empty() ? u"0x" + std::u16string(HexUnits(vk)) : name;
  });
  std::vector<std::string> text;
  for (const auto& line : lines) {
    text.push_back(Utf8FromUtf16(line));
  }
  return text;
}

ExitCode ShowMacro(CliSession& session, const std::vector<std::string>& words) {
  if (words.size() != 2) {
    return session.Fail(ExitCode::kUsage, "use: macro show N");
  }
  if (ExitCode loaded = session.LoadFiles(false); loaded != ExitCode::kOk) {
    return loaded;
  }
  const ConfiguratorState& state = session.state();
  const std::size_t used = state.stored_macros().UsedCount();
  const auto index = ParseDecimal(words[1], 1000);
  if (!index || static_cast<std::size_t>(*index) >= used) {
    return session.Fail(ExitCode::kUsage, "there is no stored macro " + words[1] + " (" +
                                              std::to_string(used) + " stored)");
  }
  const MacroStoreEntry& entry = state.stored_macros().entry(static_cast<std::size_t>(*index));
  const auto lines = EventLines(state, entry);
  if (session.json()) {
    JsonWriter json;
    json.BeginObject();
    json.Key("index");
    json.Number(*index);
    json.Key("name");
    json.String(Utf8FromUtf16(entry.Name()));
    json.Key("repeat_count");
    json.Number(ShownRepeatCount(entry));
    json.Key("lines");
    json.BeginArray();
    for (const auto& line : lines) {
      json.String(line);
    }
    json.EndArray();
    json.EndObject();
    std::cout << json.text() << '\n';
    return ExitCode::kOk;
  }
  std::cout << "macro " << *index << ": " << EscapedText(entry.Name()) << '\n';
  for (const auto& line : lines) {
    std::cout << line << '\n';
  }
  if (lines.empty()) {
    std::cout << "(no events)\n";
  }
  return ExitCode::kOk;
}

}  // namespace

ExitCode RunMacroCommand(CliSession& session, const CliArguments& arguments) {
  const auto& words = arguments.words;
  if (!words.empty() && words[0] == "show") {
    return ShowMacro(session, words);
  }
  if (words.empty()) {
    return session.Fail(ExitCode::kUsage,
                        "use: macro show N | new NAME EVENT... | set N EVENT... "
                        "| delete N | rename N NAME | loop N COUNT");
  }
  return RunMacroChange(session, words);
}

}  // namespace n240qx
