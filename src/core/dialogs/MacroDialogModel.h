#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/MacroDialogLayout.h"
#include "dialogs/MacroDialogTexts.h"
#include "keys/KeyHook.h"
#include "keys/KeyNameTable.h"
#include "macros/MacroEditor.h"
#include "macros/MacroRecorder.h"
#include "macros/MacroStore.h"
#include "util/Clock.h"

namespace n240qx {

// What the dialog widget does after the model took an input.
enum class MacroDialogEffect {
  kNone,
  kRepaint,
  kShowMessage,     // an OK message box with `message`, titled "Macro Management"
  kConfirmDelete,   // ask kConfirmDelete; on OK call OnDeleteConfirmed
  kAccept,          // the dialog ends with OK
  kReject,          // the dialog ends with Cancel
  kStartWindowMove  // the pointer drags the dialog by its background
};

struct MacroDialogOutcome {
  MacroDialogEffect effect = MacroDialogEffect::kNone;
  MacroText message = MacroText::kTitle;
};

// The macro management dialog (`CMacroRecordDlg`): the macro list, the event list, the delay
// and Loop boxes, the loop field, the skin buttons, recording and editing. It works on the
// working copy of the macro store, which Open takes from the stored copy and only OK copies
// back. The widget mirrors the names, lines, selections and loop field it reads here after
// every call, and paints what MacroDialogScene makes of it.
class MacroDialogModel {
 public:
  MacroDialogModel(MacroStore& stored, MacroStore& working, KeyHook& hook, const Clock& clock,
                   const KeyNameTable& names);

  // Each showing starts from the stored copy with the first macro selected. While MacroDefine.bin
  // is held unread (`unread`), nothing can be changed and OK ends as Cancel: whatever was made
  // here could never be saved, and a key bound to it would send records over the keyboard's own.
  void Open(bool unread = false);
  // The dialog went away without OK or Cancel (the window system closed it): no hook stays.
  void Close() { recorder_.StopAll(); }

  MacroDialogOutcome OnMouseMove(int x, int y, bool left_button_down);
  MacroDialogOutcome OnButtonUp(int x, int y);
  // The delete question was answered with OK.
  MacroDialogOutcome OnDeleteConfirmed();
  MacroDialogOutcome OnMenuCommand(MacroCommand command);

  // Selection changes of the two lists.
  void SelectMacro(std::optional<std::size_t> index);
  void SelectEventLine(std::optional<std::size_t> line);
  // The loop field's new text; returns what the field is to show (digits only, at most three,
  // and "1" for no number or 0).
  std::u16string SetLoopText(std::u16string_view text);
  // An accepted in-place rename; returns the name the list is to show: an empty name, another
  // macro's name and one with control characters are refused and the old one stays, a long one
  // is cut to 254 units.
  std::u16string RenameMacro(std::size_t index, std::u16string_view text);
  // The same, with what the dialog tells the user of a refused name.
  MacroDialogOutcome OnMacroRenamed(std::size_t index, std::u16string_view text);
  // The event list is about to edit a line in place: recording stops.
  void OnEditBegins() { recorder_.StopAll(); }
  MacroDialogOutcome OnDelayEdited(std::size_t line, int delay_ms);
  void OnHookedKey(const HookedKey& key);

  const std::vector<std::u16string>& macro_names() const { return names_; }
  const std::vector<std::u16string>& event_lines() const { return recorder_.lines(); }
  std::optional<std::size_t> selected_macro() const { return selected_macro_; }
  std::optional<std::size_t> selected_line() const { return selected_line_; }
  const std::u16string& loop_text() const { return loop_text_; }
  bool loop() const { return loop_; }
  bool has_delay() const { return has_delay_; }
  bool recording() const { return recorder_.recording(); }
  bool read_only() const { return read_only_; }
  // The push button under the pointer (Record, New, Delete, OK, Cancel), drawn highlighted.
  std::optional<MacroButton> hovered() const { return hovered_; }
  // Event bytes the selected macro uses of its 190.
  std::size_t UsedBytes() const;
  const MacroRecorder& recorder() const { return recorder_; }

 private:
  MacroDialogOutcome OnButton(MacroButton button);
  MacroDialogOutcome ToggleRecording();
  MacroDialogOutcome NewMacro();
  MacroDialogOutcome Accept();
  MacroDialogOutcome OnMouseCommand(MacroCommand command);
  void ShowSelected();
  void SaveSelected();
  // What a refused edit says; nothing for an accepted one.
  MacroDialogOutcome AfterEdit(MacroEditResult result);
  // Why a typed name is not taken, if it is not.
  std::optional<MacroText> Rename(std::size_t index, std::u16string_view text);
  std::uint16_t LoopNumber() const;

  MacroStore& stored_;
  MacroStore& working_;
  MacroRecorder recorder_;
  MacroEditor editor_;
  std::vector<std::u16string> names_;
  std::optional<std::size_t> selected_macro_;
  std::optional<std::size_t> selected_line_;
  std::u16string loop_text_ = u"1";
  bool loop_ = false;
  bool has_delay_ = false;
  bool read_only_ = false;
  int last_hit_ = -1;
  std::optional<MacroButton> hovered_;
};

// "Macro_00n" for the first n = 1, 2, ... that no name in `names` has; "Macro_0nn" from 10 on.
std::u16string NextMacroName(const std::vector<std::u16string>& names);

}  // namespace n240qx
