#include "macros/MacroEventList.h"

#include <string>

namespace n240qx {

namespace {

std::u16string Ascii(const std::string& text) {
  return std::u16string(text.begin(), text.end());
}

// Calls visit(event, first_line, line_count) for each event in order; stops early when visit
// returns true.
template <typename Visit>
std::size_t ForEachEventLine(std::span<const std::uint8_t> key_events, Visit visit) {
  std::size_t line = 0;
  std::size_t offset = 0;
  bool first = true;
  while (const auto event = DecodeEventAt(key_events, offset)) {
    const std::size_t count = LineCountOf(*event, first);
    if (visit(*event, line, count)) {
      break;
    }
    line += count;
    offset = event->end();
    first = false;
  }
  return line;
}

}  // namespace

bool ShowsDelayLine(const MacroEvent& event, bool first_event) {
  if (first_event && !event.release()) {
    return false;
  }
  return event.delay_ms != MacroEvent::kNoDelay;
}

std::size_t LineCountOf(const MacroEvent& event, bool first_event) {
  return ShowsDelayLine(event, first_event) ? 2 : 1;
}

std::u16string DelayLineText(std::uint16_t delay_ms) {
  return Ascii(std::to_string(delay_ms) + " ms");
}

std::u16string KeyLineText(std::u16string_view key_name, bool release) {
  std::u16string line(key_name);
  line += release ? u" up" : u" dn";
  return line;
}

bool IsDelayLine(std::u16string_view line) {
  return line.find(u" ms") != std::u16string::npos;
}

std::vector<std::u16string> EventLines(const MacroEvent& event, bool first_event,
                                       const KeyNameLookup& name_of) {
  std::vector<std::u16string> lines;
  if (ShowsDelayLine(event, first_event)) {
    lines.push_back(DelayLineText(event.delay_ms));
  }
  lines.push_back(KeyLineText(name_of(event.key), event.release()));
  return lines;
}

std::vector<std::u16string> BuildEventLines(std::span<const std::uint8_t> key_events,
                                            const KeyNameLookup& name_of) {
  std::vector<std::u16string> lines;
  bool first = true;
  for (const MacroEvent& event : WalkEvents(key_events)) {
    for (auto& line : EventLines(event, first, name_of)) {
      lines.push_back(std::move(line));
    }
    first = false;
  }
  return lines;
}

std::vector<std::u16string> BuildEventLines(std::span<const std::uint8_t> key_events,
                                            const KeyNameTable& names) {
  return BuildEventLines(key_events, [&names](std::uint8_t vk) { return names.KeyNameOf(vk); });
}

std::optional<std::size_t> LineBoundaryOffset(std::span<const std::uint8_t> key_events,
                                              std::size_t line) {
  std::optional<std::size_t> found;
  std::size_t end = 0;
  const std::size_t total = ForEachEventLine(
      key_events, [&](const MacroEvent& event, std::size_t first_line, std::size_t /*count*/) {
        end = event.end();
        if (first_line == line) {
          found = event.offset;
          return true;
        }
        return false;
      });
  if (!found && total == line) {
    found = end;
  }
  return found;
}

std::size_t FindEventOffset(std::span<const std::uint8_t> key_events, std::size_t line) {
  return LineBoundaryOffset(key_events, line).value_or(0);
}

std::optional<LinePlace> LocateLine(std::span<const std::uint8_t> key_events, std::size_t line) {
  std::optional<LinePlace> place;
  ForEachEventLine(key_events,
                   [&](const MacroEvent& event, std::size_t first_line, std::size_t count) {
                     if (line >= first_line && line < first_line + count) {
                       place = LinePlace{event, count == 2 && line == first_line};
                       return true;
                     }
                     return false;
                   });
  return place;
}

}  // namespace n240qx
