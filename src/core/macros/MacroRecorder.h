#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "keys/KeyHook.h"
#include "keys/KeyNameTable.h"
#include "macros/MacroBuffers.h"
#include "macros/MacroStoreEntry.h"
#include "util/Clock.h"

namespace n240qx {

// The working buffers of the macro selected in the macro dialog, the event list lines that
// show them, and what feeds them from the key hook: recording, which appends every key event
// with the time since the one before, and the insertion capture, which puts the next press and
// release at a chosen line. The lines are always rebuilt from the buffers, so a line index
// always lands on the event shown there.
class MacroRecorder {
 public:
  // The hook mode the recorder installs: presses and releases, with the release bit.
  static constexpr int kHookMode = 1;
  // A captured event has no delay: head and key.
  static constexpr std::size_t kCapturedEventBytes = 2;

  MacroRecorder(KeyHook& hook, const Clock& clock, const KeyNameTable& names);
  ~MacroRecorder();
  MacroRecorder(const MacroRecorder&) = delete;
  MacroRecorder& operator=(const MacroRecorder&) = delete;

  // The events of `entry` into the buffers and the lines; the next recorded event goes behind
  // the last one. Recording goes on into them; a pending capture is given up, since its line
  // belonged to the macro shown before.
  void Show(const MacroStoreEntry& entry);
  // No events at all (a new macro); a pending capture is given up.
  void ClearEvents();

  // Recording starts from empty buffers. A pending capture is given up, so the first key goes
  // where the user expects it: at the start of the recording.
  void StartRecording();
  // Recording, capture and hook all end: Stop Recording, an in-place edit, New, Delete, OK and
  // the dialog closing.
  void StopAll();

  // The next press goes at `line`, its release after it; installs the hook if needed.
  void ArmCapture(std::size_t line);
  // A pending capture given up (an edit, another macro shown); the hook goes with it unless a
  // recording runs, or it would keep swallowing what is typed into the loop field.
  void DisarmCapture();

  // One key event from the hook; true when the buffers changed.
  bool OnHookedKey(const HookedKey& key, bool has_delay);

  // After an edit of the buffers.
  void RebuildLines();

  MacroBuffers& buffers() { return buffers_; }
  const MacroBuffers& buffers() const { return buffers_; }
  const std::vector<std::u16string>& lines() const { return lines_; }
  const KeyNameTable& names() const { return names_; }
  bool recording() const { return recording_; }
  bool hook_installed() const { return hook_installed_; }
  bool capture_armed() const { return capture_armed_; }
  // Keys arrive only while the dialog has the focus (no system-wide hook on this desktop).
  bool focused_window_only() const {
    return hook_installed_ && hook_.installed() && hook_.reach() == KeyHookReach::kFocusedWindow;
  }
  std::size_t capture_line() const { return capture_line_; }

 private:
  bool Capture(const HookedKey& key);
  // Room for a captured press and the release that ends it.
  bool PressFits() const;
  bool Record(const HookedKey& key, bool has_delay);
  std::uint16_t DelaySinceLastEvent();
  void RemoveHook();

  KeyHook& hook_;
  const Clock& clock_;
  const KeyNameTable& names_;
  MacroBuffers buffers_;
  std::vector<std::u16string> lines_;
  bool hook_installed_ = false;
  bool recording_ = false;
  bool capture_armed_ = false;
  std::size_t capture_line_ = 0;
  std::size_t capture_start_ = 0;
  // The key whose captured press did not fit: its release is dropped, not recorded or captured.
  std::uint8_t refused_release_vk_ = 0;
  // The key line of the last recorded event: a press equal to it is the key's auto-repeat.
  std::u16string last_line_text_;
  std::int64_t last_time_us_ = 0;
};

}  // namespace n240qx
