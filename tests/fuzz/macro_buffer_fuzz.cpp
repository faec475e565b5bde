// A sequence of editing and recording operations on the working buffers, decoded from the
// input. After each one the two buffers must describe the same events, nothing may lie behind
// the last event, every delay must be in its proper form, and a refused operation must have
// changed nothing.
#include <cstddef>
#include <cstdint>
#include <span>

#include "macros/MacroEditing.h"
#include "macros/MacroEventList.h"
#include "macros/MacroRecording.h"

namespace {

using namespace n240qx;

void Check(bool condition) {
  if (!condition) {
    __builtin_trap();
  }
}

class Input {
 public:
  explicit Input(std::span<const std::uint8_t> bytes) : bytes_(bytes) {}
  bool empty() const { return at_ >= bytes_.size(); }
  std::uint8_t Byte() { return empty() ? 0 : bytes_[at_++]; }
  std::uint16_t Word() { return static_cast<std::uint16_t>((Byte() << 8) | Byte()); }

 private:
  std::span<const std::uint8_t> bytes_;
  std::size_t at_ = 0;
};

std::u16string NameOf(std::uint8_t vk) {
  return std::u16string(1, static_cast<char16_t>(vk));
}

void CheckConsistent(const MacroBuffers& buffers) {
  const auto key = WalkEvents(buffers.key_events);
  const auto device = WalkEvents(buffers.device_events);
  Check(key.size() == device.size());
  for (std::size_t index = 0; index < key.size(); ++index) {
    Check(key[index].offset == device[index].offset);
    Check(key[index].length == device[index].length);
    Check(key[index].head == device[index].head);
    Check(key[index].delay_ms == device[index].delay_ms);
    Check(key[index].delay_ms >= 1 && key[index].delay_ms <= MacroEvent::kMaxDelayMs);
    Check(key[index].escaped() == (key[index].delay_ms >= MacroEvent::kFirstEscapedDelay));
  }
  if (!key.empty()) {
    Check(key.front().delay_ms == 1 && !key.front().escaped());
  }
  const std::size_t end = EventsEnd(buffers.key_events);
  Check(end == EventsEnd(buffers.device_events));
  for (std::size_t at = end; at < buffers.key_events.size(); ++at) {
    Check(buffers.key_events[at] == 0 && buffers.device_events[at] == 0);
  }
  const auto lines = BuildEventLines(buffers.key_events, NameOf);
  Check(FindEventOffset(buffers.key_events, lines.size()) == end);
}

std::size_t EventOffset(const MacroBuffers& buffers, std::uint8_t pick) {
  const auto events = WalkEvents(buffers.key_events);
  return events.empty() ? pick : events[pick % events.size()].offset;
}

Status Apply(MacroBuffers& buffers, Input& input) {
  const std::uint8_t op = input.Byte() % 8;
  const std::uint8_t line = input.Byte() % 200;
  switch (op) {
    case 0: {
      const std::uint8_t head = (input.Byte() & 0x80) | 0x01;
      const std::uint8_t key = input.Byte();
      return InsertEventAt(buffers, line, {head, key}, {head, static_cast<std::uint8_t>(~key)});
    }
    case 1:
      return DeleteLine(buffers, line);
    case 2:
      return EditDelayLine(buffers, line, input.Word());
    case 3:
      return InsertDelayAfterLine(buffers, line);
    case 4: {
      const std::uint8_t key = input.Byte();
      const RecordedEvent event{key, static_cast<std::uint8_t>(key ^ 0x5A), (line & 1) != 0,
                                RecordedDelayMs(input.Word() * 1000ull)};
      return AppendRecordedEvent(buffers, event, (line & 2) != 0).ok()
                 ? Status::Ok()
                 : Status(Error{ErrorCode::kInvalidArgument, "full"});
    }
    case 5: {
      Status status = SetDelayAt(buffers, EventOffset(buffers, line), input.Word());
      KeepFirstEventAtDelayOne(buffers);
      return status;
    }
    case 6: {
      Status status = RemoveEventAt(buffers, EventOffset(buffers, line));
      KeepFirstEventAtDelayOne(buffers);
      return status;
    }
    default: {
      Status status = RemoveDelayAt(buffers, EventOffset(buffers, line));
      KeepFirstEventAtDelayOne(buffers);
      return status;
    }
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  Input input({data, size});
  MacroBuffers buffers;
  while (!input.empty()) {
    const MacroBuffers before = buffers;
    const Status status = Apply(buffers, input);
    if (!status) {
      Check(buffers == before);
    }
    CheckConsistent(buffers);
  }
  return 0;
}
