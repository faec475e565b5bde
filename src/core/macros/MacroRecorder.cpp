#include "macros/MacroRecorder.h"

#include "macros/MacroEditing.h"
#include "macros/MacroEventList.h"
#include "macros/MacroLayout.h"
#include "macros/MacroRecording.h"

namespace n240qx {

MacroRecorder::MacroRecorder(KeyHook& hook, const Clock& clock, const KeyNameTable& names)
    : hook_(hook), clock_(clock), names_(names) {}

MacroRecorder::~MacroRecorder() {
  RemoveHook();
}

void MacroRecorder::Show(const MacroStoreEntry& entry) {
  buffers_.key_events = entry.key_events;
  buffers_.device_events = entry.device_events;
  DisarmCapture();
  RebuildLines();
}

void MacroRecorder::ClearEvents() {
  buffers_.Clear();
  DisarmCapture();
  lines_.clear();
}

void MacroRecorder::StartRecording() {
  recording_ = true;
  if (!hook_installed_) {
    // A hook that fails leaves recording on with nothing arriving; the next Start tries again.
    hook_installed_ = hook_.Install(kHookMode);
  }
  ClearEvents();
  last_line_text_.clear();
}

void MacroRecorder::StopAll() {
  recording_ = false;
  capture_armed_ = false;
  RemoveHook();
}

void MacroRecorder::DisarmCapture() {
  const bool was_armed = capture_armed_;
  capture_armed_ = false;
  if (was_armed && !recording_) {
    RemoveHook();
  }
}

void MacroRecorder::ArmCapture(std::size_t line) {
  capture_armed_ = true;
  capture_line_ = line;
  capture_start_ = line;
  refused_release_vk_ = 0;
  if (!hook_installed_) {
    (void)hook_.Install(kHookMode);
    hook_installed_ = true;
  }
}

bool MacroRecorder::OnHookedKey(const HookedKey& key, bool has_delay) {
  // A key the keyboard cannot send is neither recorded nor captured, nor does it end a capture.
  if (names_.DeviceCodeOf(key.vk) == 0) {
    return false;
  }
  if (refused_release_vk_ != 0 && key.released && key.vk == refused_release_vk_) {
    refused_release_vk_ = 0;
    return false;
  }
  if (capture_armed_) {
    return Capture(key);
  }
  if (hook_installed_ && recording_) {
    return Record(key, has_delay);
  }
  return false;
}

void MacroRecorder::RebuildLines() {
  lines_ = BuildEventLines(buffers_.key_events, names_);
}

bool MacroRecorder::PressFits() const {
  return buffers_.UsedBytes() + 2 * kCapturedEventBytes <= macro_layout::kEventBufferSize;
}

bool MacroRecorder::Capture(const HookedKey& key) {
  // Captured events carry no delay, and auto-repeats are kept: each adds a press. A press goes
  // in only while its release still fits behind it: a lone press would hold the key down
  // whenever the keyboard plays the macro.
  const bool inserted =
      (key.released || PressFits()) &&
      InsertKeyEventAt(buffers_, capture_line_, names_, key.vk, key.released).ok();
  if (!key.released && !inserted && capture_line_ == capture_start_) {
    // Nothing of the pair went in: its release must not go in alone either.
    DisarmCapture();
    refused_release_vk_ = key.vk;
    return false;
  }
  if (key.released) {
    // A capture armed during a recording hands the hook back to it.
    DisarmCapture();
  } else if (inserted) {
    ++capture_line_;
  }
  if (inserted) {
    RebuildLines();
  }
  return inserted;
}

bool MacroRecorder::Record(const HookedKey& key, bool has_delay) {
  const std::u16string text = KeyLineText(names_.KeyNameOf(key.vk), key.released);
  std::uint16_t delay = 0;
  if (!key.released && lines_.empty()) {
    last_time_us_ = clock_.NowUs();
  } else if (!key.released && text == last_line_text_) {
    return false;
  } else {
    delay = DelaySinceLastEvent();
  }
  if (text == last_line_text_) {
    return false;
  }
  const auto appended = AppendRecordedEvent(
      buffers_, RecordedEventOf(names_, key.vk, key.released, delay), has_delay);
  if (!appended) {
    return false;
  }
  last_line_text_ = text;
  RebuildLines();
  return true;
}

std::uint16_t MacroRecorder::DelaySinceLastEvent() {
  const std::int64_t now = clock_.NowUs();
  const std::int64_t elapsed = now - last_time_us_;
  last_time_us_ = now;
  return RecordedDelayMs(elapsed > 0 ? static_cast<std::uint64_t>(elapsed) : 0);
}

void MacroRecorder::RemoveHook() {
  if (hook_installed_) {
    hook_.Remove();
    hook_installed_ = false;
  }
}

}  // namespace n240qx
