#include "window/EditKeys.h"

namespace n240qx {

namespace {

enum class EditKey { kNone, kUndo, kRedo };

EditKey EditKeyOf(const KeyChord& chord) {
  if (!chord.ctrl || chord.other) {
    return EditKey::kNone;
  }
  if (chord.key == 'Z') {
    return chord.shift ? EditKey::kRedo : EditKey::kUndo;
  }
  return chord.key == 'Y' && !chord.shift ? EditKey::kRedo : EditKey::kNone;
}

}  // namespace

EditKeys::EditKeys(ConfiguratorState& state, MainWindowModel& model)
    : state_(state), model_(model) {}

bool EditKeys::OnKey(const KeyChord& chord, const Route& route) {
  const EditKey key = EditKeyOf(chord);
  if (key == EditKey::kNone) {
    return false;
  }
  if (!model_.CanStepEdits()) {
    return true;
  }
  const EditStep* step = key == EditKey::kUndo ? state_.UndoEdit() : state_.RedoEdit();
  if (step == nullptr) {
    return true;
  }
  const ConfigImage stepped = state_.image();
  route(model_.OnEditStepped(*step));
  // Sliders hold a field beyond their range at their ends; that is the window following the
  // image, not an edit of its own.
  state_.TakeOutsideChange(stepped);
  return true;
}

void EditKeys::Record() {
  state_.RecordEdits();
}

}  // namespace n240qx
