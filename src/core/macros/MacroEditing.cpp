#include "macros/MacroEditing.h"

#include <algorithm>
#include <optional>
#include <string>

#include "macros/MacroEventList.h"

namespace n240qx {

namespace {

constexpr std::size_t kSize = macro_layout::kEventBufferSize;

Error Refused(std::string message) {
  return Error{ErrorCode::kInvalidArgument, std::move(message)};
}

constexpr std::string_view kFull = "The macro is full";

Status CheckRoom(const MacroBuffers& buffers, std::size_t growth) {
  if (buffers.UsedBytes() + growth > kSize) {
    return Refused(std::string(kFull) + ": no room for " + std::to_string(growth) + " more bytes.");
  }
  return Status::Ok();
}

// Opens a gap of `count` bytes at offset; the last `count` bytes fall off (the caller has made
// sure they hold no event).
void OpenGap(EventBuffer& buffer, std::size_t offset, std::size_t count) {
  std::copy_backward(buffer.begin() + static_cast<std::ptrdiff_t>(offset),
                     buffer.end() - static_cast<std::ptrdiff_t>(count), buffer.end());
  std::fill_n(buffer.begin() + static_cast<std::ptrdiff_t>(offset), count, 0);
}

void CloseGap(EventBuffer& buffer, std::size_t offset, std::size_t count) {
  std::copy(buffer.begin() + static_cast<std::ptrdiff_t>(offset + count), buffer.end(),
            buffer.begin() + static_cast<std::ptrdiff_t>(offset));
  std::fill(buffer.end() - static_cast<std::ptrdiff_t>(count), buffer.end(), 0);
}

// The event at offset, checked in both buffers. Offsets inside an event (a delay byte) would
// decode as an event of their own, so the walk from byte 0 has to land on it.
Result<MacroEvent> EventAt(const MacroBuffers& buffers, std::size_t offset) {
  std::optional<MacroEvent> event = DecodeEventAt(buffers.key_events, 0);
  while (event && event->offset < offset) {
    event = DecodeEventAt(buffers.key_events, event->end());
  }
  if (!event || event->offset != offset) {
    return Refused("No event begins at byte " + std::to_string(offset) + ".");
  }
  if (buffers.device_events[offset] != event->head) {
    return Error{ErrorCode::kBadData,
                 "The macro's two event buffers disagree at byte " + std::to_string(offset) + "."};
  }
  return *event;
}

void SetHeads(MacroBuffers& buffers, std::size_t offset, std::uint8_t head) {
  buffers.key_events[offset] = head;
  buffers.device_events[offset] = head;
}

}  // namespace

bool RefusedForRoom(const Status& status) {
  return !status.ok() && status.error().code == ErrorCode::kInvalidArgument &&
         status.error().message.starts_with(kFull);
}

Status InsertEventAt(MacroBuffers& buffers, std::size_t line, EventHeadAndKey key_pair,
                     EventHeadAndKey device_pair) {
  if (key_pair.head != device_pair.head || EventLengthOf(key_pair.head) != 2) {
    return Refused("An inserted event needs one 2-byte head for both buffers.");
  }
  if (key_pair.key == 0 || device_pair.key == 0) {
    return Refused("The key has no code the keyboard knows.");
  }
  const auto offset = LineBoundaryOffset(buffers.key_events, line);
  if (!offset) {
    return Refused("Line " + std::to_string(line) + " begins no event.");
  }
  if (Status room = CheckRoom(buffers, 2); !room) {
    return room;
  }
  OpenGap(buffers.key_events, *offset, 2);
  OpenGap(buffers.device_events, *offset, 2);
  buffers.key_events[*offset] = key_pair.head;
  buffers.key_events[*offset + 1] = key_pair.key;
  buffers.device_events[*offset] = device_pair.head;
  buffers.device_events[*offset + 1] = device_pair.key;
  return Status::Ok();
}

Status InsertKeyEventAt(MacroBuffers& buffers, std::size_t line, const KeyNameTable& names,
                        std::uint8_t vk, bool release) {
  const auto head =
      static_cast<std::uint8_t>((release ? MacroEvent::kReleaseBit : 0) | MacroEvent::kNoDelay);
  return InsertEventAt(buffers, line, {head, vk}, {head, names.DeviceCodeOf(vk)});
}

Status RemoveEventAt(MacroBuffers& buffers, std::size_t offset) {
  const auto event = EventAt(buffers, offset);
  if (!event) {
    return event.error();
  }
  CloseGap(buffers.key_events, offset, event->length);
  CloseGap(buffers.device_events, offset, event->length);
  return Status::Ok();
}

Status RemoveDelayAt(MacroBuffers& buffers, std::size_t offset) {
  return SetDelayAt(buffers, offset, MacroEvent::kNoDelay);
}

Status SetDelayAt(MacroBuffers& buffers, std::size_t offset, std::uint16_t delay_ms) {
  if (delay_ms < MacroEvent::kNoDelay || delay_ms > MacroEvent::kMaxDelayMs) {
    return Refused("A delay is 1 to 60000 ms, not " + std::to_string(delay_ms) + ".");
  }
  const auto event = EventAt(buffers, offset);
  if (!event) {
    return event.error();
  }
  const EncodedEvent encoded = EncodeEvent(event->release(), delay_ms, event->key);
  if (encoded.length > event->length) {
    if (Status room = CheckRoom(buffers, encoded.length - event->length); !room) {
      return room;
    }
    OpenGap(buffers.key_events, offset + 2, 2);
    OpenGap(buffers.device_events, offset + 2, 2);
  } else if (encoded.length < event->length) {
    CloseGap(buffers.key_events, offset + 2, 2);
    CloseGap(buffers.device_events, offset + 2, 2);
  }
  SetHeads(buffers, offset, encoded.bytes[0]);
  for (std::size_t at = 2; at < encoded.length; ++at) {
    buffers.key_events[offset + at] = encoded.bytes[at];
    buffers.device_events[offset + at] = encoded.bytes[at];
  }
  return Status::Ok();
}

void KeepFirstEventAtDelayOne(MacroBuffers& buffers) {
  const auto first = DecodeEventAt(buffers.key_events, 0);
  if (!first || (first->delay_ms == MacroEvent::kNoDelay && !first->escaped())) {
    return;
  }
  // Shrinking needs no room, so this fails only where the two buffers disagree at byte 0; such
  // bytes are left for the user to delete rather than guessed at.
  (void)SetDelayAt(buffers, 0, MacroEvent::kNoDelay);
}

Status DeleteLine(MacroBuffers& buffers, std::size_t line) {
  const auto place = LocateLine(buffers.key_events, line);
  if (!place) {
    return Refused("Line " + std::to_string(line) + " shows no event.");
  }
  Status status = place->delay_line ? RemoveDelayAt(buffers, place->event.offset)
                                    : RemoveEventAt(buffers, place->event.offset);
  if (status) {
    KeepFirstEventAtDelayOne(buffers);
  }
  return status;
}

Status EditDelayLine(MacroBuffers& buffers, std::size_t line, std::uint16_t delay_ms) {
  if (delay_ms < 2) {
    return Refused("An edited delay is 2 to 60000 ms.");
  }
  const auto offset = LineBoundaryOffset(buffers.key_events, line);
  if (!offset) {
    return Refused("Line " + std::to_string(line) + " begins no event.");
  }
  Status status = SetDelayAt(buffers, *offset, delay_ms);
  if (status) {
    KeepFirstEventAtDelayOne(buffers);
  }
  return status;
}

Status InsertDelayAfterLine(MacroBuffers& buffers, std::size_t line) {
  const auto place = LocateLine(buffers.key_events, line);
  if (!place || place->delay_line) {
    return Refused("Insert Delay needs a key line; a delay line is edited in place.");
  }
  const auto next = LocateLine(buffers.key_events, line + 1);
  if (!next) {
    return Refused("No event follows line " + std::to_string(line) + ".");
  }
  Status status = SetDelayAt(buffers, next->event.offset, kInsertedDelayMs);
  if (status) {
    KeepFirstEventAtDelayOne(buffers);
  }
  return status;
}

}  // namespace n240qx
