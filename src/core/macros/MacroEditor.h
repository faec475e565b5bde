#pragma once

#include <cstddef>
#include <cstdint>

#include "macros/MacroRecorder.h"

namespace n240qx {

enum class MouseButton : std::uint8_t { kLeft = 0xF0, kRight = 0xF1, kMiddle = 0xF2 };
enum class MouseAction { kDown, kUp, kClick };

enum class MacroEditResult {
  kUnchanged,
  kChanged,
  kEditDelayInstead,  // Insert Delay on a delay line: the user is told to edit that one
  kNoRoom,            // refused: the macro is full
};

// The event list's commands on the recorder's working buffers. Each takes the selected line;
// an edit gives up a pending capture and leaves the lines rebuilt from the buffers. The caller
// saves the selected macro after every kChanged.
class MacroEditor {
 public:
  explicit MacroEditor(MacroRecorder& recorder) : recorder_(recorder) {}

  // Arm the capture so that the next press lands in front of the selected event and its delay
  // line (Before) or behind it (After).
  void InsertBefore(std::size_t line);
  void InsertAfter(std::size_t line);
  MacroEditResult InsertMouse(std::size_t line, MouseButton button, MouseAction action);
  // The event after the selected key line gets 50 ms.
  MacroEditResult InsertDelay(std::size_t line);
  // A delay line loses its delay; a key line its whole event.
  MacroEditResult Delete(std::size_t line);
  // The in-place edit of a delay line; the value is kept within 2-60,000 ms.
  MacroEditResult EditDelay(std::size_t line, int delay_ms);

  // Where each command puts things, from the lines as shown.
  std::size_t CaptureLineBefore(std::size_t line) const;
  // Just behind the event a line belongs to: Insert After's capture line and the mouse items'.
  std::size_t LineAfterEvent(std::size_t line) const;

 private:
  bool IsDelay(std::size_t line) const;
  MacroEditResult Finish(const Status& edited);

  MacroRecorder& recorder_;
};

}  // namespace n240qx
