#include "macros/MacroScript.h"

#include <algorithm>
#include <cctype>
#include <charconv>
#include <optional>
#include <string_view>

#include "macros/MacroEvent.h"
#include "macros/MacroLayout.h"

namespace n240qx {

namespace {

Error Refuse(std::string message) {
  return Error{ErrorCode::kInvalidArgument, std::move(message)};
}

std::string_view Trimmed(std::string_view text) {
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.front())) != 0) {
    text.remove_prefix(1);
  }
  while (!text.empty() && std::isspace(static_cast<unsigned char>(text.back())) != 0) {
    text.remove_suffix(1);
  }
  return text;
}

bool EndsWithWord(std::string_view text, std::string_view word) {
  if (text.size() < word.size()) {
    return false;
  }
  const std::string_view tail = text.substr(text.size() - word.size());
  for (std::size_t i = 0; i < word.size(); ++i) {
    if (std::tolower(static_cast<unsigned char>(tail[i])) != word[i]) {
      return false;
    }
  }
  return text.size() == word.size() ||
         std::isspace(static_cast<unsigned char>(text[text.size() - word.size() - 1])) != 0;
}

// "50 ms" -> 50; nothing when the line is no delay line.
std::optional<Result<std::uint16_t>> DelayOf(std::string_view line) {
  if (!EndsWithWord(line, "ms")) {
    return std::nullopt;
  }
  const std::string_view digits = Trimmed(line.substr(0, line.size() - 2));
  unsigned value = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), value);
  if (digits.empty() || error != std::errc() || end != digits.data() + digits.size() || value < 1 ||
      value > MacroEvent::kMaxDelayMs) {
    return Result<std::uint16_t>(Refuse("\"" + std::string(line) + "\": a delay is 1-" +
                                        std::to_string(MacroEvent::kMaxDelayMs) + " ms"));
  }
  return Result<std::uint16_t>(static_cast<std::uint16_t>(value));
}

class ScriptWriter {
 public:
  explicit ScriptWriter(const KeyNameTable& names) : names_(names) {}

  Status Line(std::string_view typed) {
    const std::string_view line = Trimmed(typed);
    if (auto delay = DelayOf(line)) {
      if (!delay->ok()) {
        return delay->error();
      }
      if (pending_delay_) {
        return Refuse("\"" + std::string(line) +
                      "\": two delays in a row; a delay belongs "
                      "before a key line");
      }
      pending_delay_ = **delay;
      pending_line_ = line;
      return Status::Ok();
    }
    return KeyLine(line);
  }

  Result<MacroScript> Finish() {
    if (pending_delay_) {
      return Refuse("\"" + pending_line_ + "\": a delay must be followed by a key line");
    }
    return script_;
  }

 private:
  Status KeyLine(std::string_view line) {
    const bool release = EndsWithWord(line, "up");
    if (!release && !EndsWithWord(line, "dn")) {
      return Refuse("\"" + std::string(line) +
                    "\" is no event: write \"NAME dn\", \"NAME up\" or \"N ms\"");
    }
    auto vk = names_.VirtualKeyOfName(Trimmed(line.substr(0, line.size() - 2)));
    if (!vk.ok()) {
      return Refuse("\"" + std::string(line) + "\": " + vk.error().message);
    }
    const std::uint8_t device_code = names_.DeviceCodeOf(*vk);
    if (*vk == 0 || device_code == 0) {
      return Refuse("\"" + std::string(line) + "\": that key has no code on the keyboard");
    }
    const std::uint16_t delay = pending_delay_.value_or(MacroEvent::kNoDelay);
    if (offset_ == 0 && delay != MacroEvent::kNoDelay) {
      return Refuse("\"" + pending_line_ + "\": the first event of a macro runs without delay");
    }
    const EncodedEvent key_event = EncodeEvent(release, delay, *vk);
    const EncodedEvent device_event = EncodeEvent(release, delay, device_code);
    if (offset_ + key_event.length > macro_layout::kEventBufferSize) {
      return Refuse("\"" + std::string(line) + "\": the events no longer fit; a macro holds " +
                    std::to_string(macro_layout::kEventBufferSize) + " bytes");
    }
    std::copy_n(key_event.bytes.begin(), key_event.length,
                script_.buffers.key_events.begin() + static_cast<std::ptrdiff_t>(offset_));
    std::copy_n(device_event.bytes.begin(), device_event.length,
                script_.buffers.device_events.begin() + static_cast<std::ptrdiff_t>(offset_));
    offset_ += key_event.length;
    script_.has_delay = script_.has_delay || delay != MacroEvent::kNoDelay;
    pending_delay_.reset();
    return Status::Ok();
  }

  const KeyNameTable& names_;
  MacroScript script_;
  std::size_t offset_ = 0;
  std::optional<std::uint16_t> pending_delay_;
  std::string pending_line_;
};

}  // namespace

Result<MacroScript> ParseMacroScript(std::span<const std::string> lines,
                                     const KeyNameTable& names) {
  ScriptWriter writer(names);
  for (const std::string& line : lines) {
    if (Status written = writer.Line(line); !written.ok()) {
      return written.error();
    }
  }
  return writer.Finish();
}

}  // namespace n240qx
