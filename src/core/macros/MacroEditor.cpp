#include "macros/MacroEditor.h"

#include <algorithm>

#include "macros/MacroEditing.h"
#include "macros/MacroEventList.h"

namespace n240qx {

namespace {

constexpr int kMinEditedDelay = 2;

}  // namespace

bool MacroEditor::IsDelay(std::size_t line) const {
  const auto& lines = recorder_.lines();
  return line < lines.size() && IsDelayLine(lines[line]);
}

std::size_t MacroEditor::CaptureLineBefore(std::size_t line) const {
  if (line == 0 || IsDelay(line)) {
    return line;
  }
  return IsDelay(line - 1) ? line - 1 : line;
}

std::size_t MacroEditor::LineAfterEvent(std::size_t line) const {
  return IsDelay(line) ? line + 2 : line + 1;
}

void MacroEditor::InsertBefore(std::size_t line) {
  if (line < recorder_.lines().size()) {
    recorder_.ArmCapture(CaptureLineBefore(line));
  }
}

void MacroEditor::InsertAfter(std::size_t line) {
  if (line < recorder_.lines().size()) {
    recorder_.ArmCapture(LineAfterEvent(line));
  }
}

MacroEditResult MacroEditor::InsertMouse(std::size_t line, MouseButton button, MouseAction action) {
  if (line >= recorder_.lines().size()) {
    return MacroEditResult::kUnchanged;
  }
  const std::size_t target = LineAfterEvent(line);
  const auto code = static_cast<std::uint8_t>(button);
  MacroBuffers& buffers = recorder_.buffers();
  const KeyNameTable& names = recorder_.names();
  const MacroBuffers before = buffers;
  const bool release_only = action == MouseAction::kUp;
  Status inserted = InsertKeyEventAt(buffers, target, names, code, release_only);
  if (inserted.ok() && action == MouseAction::kClick) {
    inserted = InsertKeyEventAt(buffers, target + 1, names, code, true);
  }
  if (!inserted.ok()) {
    // A click goes in whole or not at all: a press without its release would hold the button.
    buffers = before;
  }
  return Finish(inserted);
}

MacroEditResult MacroEditor::InsertDelay(std::size_t line) {
  if (line + 1 >= recorder_.lines().size()) {
    return MacroEditResult::kUnchanged;
  }
  if (IsDelay(line)) {
    return MacroEditResult::kEditDelayInstead;
  }
  return Finish(InsertDelayAfterLine(recorder_.buffers(), line));
}

MacroEditResult MacroEditor::Delete(std::size_t line) {
  if (line >= recorder_.lines().size()) {
    return MacroEditResult::kUnchanged;
  }
  return Finish(DeleteLine(recorder_.buffers(), line));
}

MacroEditResult MacroEditor::EditDelay(std::size_t line, int delay_ms) {
  if (recorder_.lines().empty()) {
    return MacroEditResult::kUnchanged;
  }
  const auto delay = static_cast<std::uint16_t>(
      std::clamp<int>(delay_ms, kMinEditedDelay, MacroEvent::kMaxDelayMs));
  return Finish(EditDelayLine(recorder_.buffers(), line, delay));
}

MacroEditResult MacroEditor::Finish(const Status& edited) {
  recorder_.DisarmCapture();
  recorder_.RebuildLines();
  if (edited.ok()) {
    return MacroEditResult::kChanged;
  }
  return RefusedForRoom(edited) ? MacroEditResult::kNoRoom : MacroEditResult::kUnchanged;
}

}  // namespace n240qx
