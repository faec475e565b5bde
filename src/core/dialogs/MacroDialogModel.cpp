#include "dialogs/MacroDialogModel.h"

#include <algorithm>
#include <array>
#include <string>

#include "macros/MacroEvent.h"
#include "macros/MacroLayout.h"
#include "macros/MacroNameRule.h"
#include "macros/MacroSelection.h"

namespace n240qx {

namespace {

struct MouseItem {
  MacroCommand command;
  MouseButton button;
  MouseAction action;
};

constexpr std::array<MouseItem, 9> kMouseItems{{
    {MacroCommand::kLeftDown, MouseButton::kLeft, MouseAction::kDown},
    {MacroCommand::kLeftUp, MouseButton::kLeft, MouseAction::kUp},
    {MacroCommand::kLeftClick, MouseButton::kLeft, MouseAction::kClick},
    {MacroCommand::kRightDown, MouseButton::kRight, MouseAction::kDown},
    {MacroCommand::kRightUp, MouseButton::kRight, MouseAction::kUp},
    {MacroCommand::kRightClick, MouseButton::kRight, MouseAction::kClick},
    {MacroCommand::kMiddleDown, MouseButton::kMiddle, MouseAction::kDown},
    {MacroCommand::kMiddleUp, MouseButton::kMiddle, MouseAction::kUp},
    {MacroCommand::kMiddleClick, MouseButton::kMiddle, MouseAction::kClick},
}};

std::u16string Ascii(const std::string& text) {
  return {text.begin(), text.end()};
}

MacroDialogOutcome Repaint() {
  return {MacroDialogEffect::kRepaint};
}

MacroDialogOutcome Message(MacroText text) {
  return {MacroDialogEffect::kShowMessage, text};
}

bool IsPushButton(int hit) {
  const auto button = static_cast<MacroButton>(hit);
  return button == MacroButton::kRecord ||
         (button >= MacroButton::kNew && button <= MacroButton::kCancel);
}

}  // namespace

std::u16string NextMacroName(const std::vector<std::u16string>& names) {
  for (std::size_t n = 1;; ++n) {
    std::u16string name = Ascii((n < 10 ? "Macro_00" : "Macro_0") + std::to_string(n));
    if (std::find(names.begin(), names.end(), name) == names.end()) {
      return name;
    }
  }
}

MacroDialogModel::MacroDialogModel(MacroStore& stored, MacroStore& working, KeyHook& hook,
                                   const Clock& clock, const KeyNameTable& names)
    : stored_(stored), working_(working), recorder_(hook, clock, names), editor_(recorder_) {}

void MacroDialogModel::Open(bool unread) {
  read_only_ = unread;
  recorder_.StopAll();
  working_ = stored_;
  names_.clear();
  // The first unused entry ends the list: entries behind it are no macros, whatever they hold.
  for (std::size_t i = 0; i < working_.UsedCount(); ++i) {
    names_.push_back(working_.entry(i).Name());
  }
  has_delay_ = false;
  loop_ = false;
  loop_text_ = u"1";
  hovered_.reset();
  last_hit_ = -1;
  SelectMacro(names_.empty() ? std::nullopt : std::optional<std::size_t>(0));
}

MacroDialogOutcome MacroDialogModel::OnMouseMove(int x, int y, bool left_button_down) {
  const int hit = MacroDialogLayout::HitTest(x, y);
  const int before = last_hit_;
  last_hit_ = hit;
  if (hit == -1 && before == -1) {
    return left_button_down ? MacroDialogOutcome{MacroDialogEffect::kStartWindowMove}
                            : MacroDialogOutcome{};
  }
  if (hit == before) {
    return {};
  }
  const std::optional<MacroButton> was = hovered_;
  if (hit == -1) {
    hovered_.reset();
  } else if (IsPushButton(hit)) {
    hovered_ = static_cast<MacroButton>(hit);
  }
  return hovered_ != was ? Repaint() : MacroDialogOutcome{};
}

MacroDialogOutcome MacroDialogModel::OnButtonUp(int x, int y) {
  const int hit = MacroDialogLayout::HitTest(x, y);
  if (hit < 0) {
    return {};
  }
  return OnButton(static_cast<MacroButton>(hit));
}

MacroDialogOutcome MacroDialogModel::OnButton(MacroButton button) {
  if (read_only_ && button != MacroButton::kCancel) {
    // OK and the close box would commit what the file may not take.
    if (button == MacroButton::kOk || button == MacroButton::kClose) {
      return {MacroDialogEffect::kReject};
    }
    return Message(MacroText::kUnreadChange);
  }
  switch (button) {
    case MacroButton::kRecord:
      return ToggleRecording();
    case MacroButton::kDelayBox:
      has_delay_ = !has_delay_;
      // Saved at once: a macro switched away from before its next recording keeps the choice.
      SaveSelected();
      return Repaint();
    case MacroButton::kLoopBox:
      loop_ = !loop_;
      if (!loop_) {
        SetLoopText(u"1");
      }
      return Repaint();
    case MacroButton::kNew:
      return NewMacro();
    case MacroButton::kDelete:
      return {MacroDialogEffect::kConfirmDelete, MacroText::kConfirmDelete};
    case MacroButton::kOk:
      return Accept();
    case MacroButton::kCancel:
      recorder_.StopAll();
      return {MacroDialogEffect::kReject};
    case MacroButton::kClose:
      // Ends as OK does, but what was edited stays out of the stored copy.
      recorder_.StopAll();
      return {MacroDialogEffect::kAccept};
  }
  return {};
}

MacroDialogOutcome MacroDialogModel::ToggleRecording() {
  if (!selected_macro_) {
    return Message(MacroText::kSelectToRecord);
  }
  if (recorder_.recording()) {
    recorder_.StopAll();
  } else {
    recorder_.StartRecording();
    selected_line_.reset();
    SaveSelected();
  }
  return Repaint();
}

MacroDialogOutcome MacroDialogModel::NewMacro() {
  if (names_.size() >= macro_layout::kMaxMacros) {
    return {};
  }
  const std::u16string name = NextMacroName(names_);
  const std::size_t index = names_.size();
  working_.InsertClearedEntryAt(index);
  (void)working_.entry(index).SetName(name);
  names_.push_back(name);
  selected_macro_ = index;
  selected_line_.reset();
  recorder_.StopAll();
  recorder_.ClearEvents();
  has_delay_ = false;
  loop_ = false;
  SetLoopText(u"1");
  return Repaint();
}

MacroDialogOutcome MacroDialogModel::OnDeleteConfirmed() {
  if (!selected_macro_) {
    return Message(MacroText::kSelectToDelete);
  }
  const std::size_t index = *selected_macro_;
  names_.erase(names_.begin() + static_cast<std::ptrdiff_t>(index));
  working_.RemoveEntryAt(index);
  SelectMacro(names_.empty() ? std::nullopt
                             : std::optional<std::size_t>(std::min(index, names_.size() - 1)));
  recorder_.StopAll();
  return Repaint();
}

MacroDialogOutcome MacroDialogModel::Accept() {
  recorder_.StopAll();
  if (loop_ && selected_macro_) {
    working_.entry(*selected_macro_).repeat_count = LoopNumber();
  }
  stored_ = working_;
  return {MacroDialogEffect::kAccept};
}

void MacroDialogModel::SelectMacro(std::optional<std::size_t> index) {
  if (index && *index >= names_.size()) {
    index.reset();
  }
  selected_macro_ = index;
  selected_line_.reset();
  ShowSelected();
}

void MacroDialogModel::ShowSelected() {
  if (!selected_macro_) {
    recorder_.ClearEvents();
    return;
  }
  const MacroStoreEntry& entry = working_.entry(*selected_macro_);
  has_delay_ = entry.has_delay();
  // A cleared entry holds 0, shown as 1 with Loop off. A count above what the field takes (from
  // a file) is shown and kept as it is until the user types another.
  const std::uint16_t count = entry.repeat_count;
  loop_ = count > 1;
  loop_text_ = Ascii(std::to_string(std::max<std::uint16_t>(count, 1)));
  recorder_.Show(entry);
}

void MacroDialogModel::SelectEventLine(std::optional<std::size_t> line) {
  if (line && *line >= recorder_.lines().size()) {
    line.reset();
  }
  selected_line_ = line;
}

std::u16string MacroDialogModel::SetLoopText(std::u16string_view text) {
  std::u16string digits;
  for (char16_t unit : text) {
    if (unit >= u'0' && unit <= u'9' && digits.size() < MacroDialogLayout::kLoopFieldDigits) {
      digits.push_back(unit);
    }
  }
  loop_text_ = digits;
  if (LoopNumber() == 0) {
    loop_text_ = u"1";
  }
  if (selected_macro_) {
    working_.entry(*selected_macro_).repeat_count = LoopNumber();
  }
  return loop_text_;
}

std::uint16_t MacroDialogModel::LoopNumber() const {
  std::uint16_t number = 0;
  for (char16_t unit : loop_text_) {
    number = static_cast<std::uint16_t>(number * 10 + (unit - u'0'));
  }
  return number;
}

std::optional<MacroText> MacroDialogModel::Rename(std::size_t index, std::u16string_view text) {
  if (index >= names_.size() || read_only_) {
    return read_only_ ? std::optional(MacroText::kUnreadChange) : std::nullopt;
  }
  MacroStoreEntry& entry = working_.entry(index);
  // A long name is cut as the store keeps it; what it then reads is what must be unique.
  MacroStoreEntry named = entry;
  if (!named.SetName(text).ok()) {
    return std::nullopt;  // an empty name: the old one stays, as it always did
  }
  switch (CheckMacroName(working_, named.Name(), index).fault) {
    case MacroNameFault::kTaken:
      return MacroText::kNameTaken;
    case MacroNameFault::kControlCharacter:
      return MacroText::kNameControl;
    default:
      break;
  }
  entry.name = named.name;
  names_[index] = entry.Name();
  return std::nullopt;
}

std::u16string MacroDialogModel::RenameMacro(std::size_t index, std::u16string_view text) {
  if (index >= names_.size()) {
    return std::u16string(text);
  }
  (void)Rename(index, text);
  return names_[index];
}

MacroDialogOutcome MacroDialogModel::OnMacroRenamed(std::size_t index, std::u16string_view text) {
  const std::optional<MacroText> refused = Rename(index, text);
  return refused ? Message(*refused) : Repaint();
}

MacroDialogOutcome MacroDialogModel::OnMenuCommand(MacroCommand command) {
  if (read_only_) {
    return Message(MacroText::kUnreadChange);
  }
  if (!selected_macro_ || !selected_line_) {
    return {};
  }
  const std::size_t line = *selected_line_;
  switch (command) {
    case MacroCommand::kInsertBefore:
      editor_.InsertBefore(line);
      return {};
    case MacroCommand::kInsertAfter:
      editor_.InsertAfter(line);
      return {};
    case MacroCommand::kInsertDelay: {
      const MacroEditResult result = editor_.InsertDelay(line);
      if (result == MacroEditResult::kEditDelayInstead) {
        return Message(MacroText::kEditCurrentDelay);
      }
      selected_line_.reset();
      return AfterEdit(result);
    }
    case MacroCommand::kDelete:
      selected_line_.reset();
      return AfterEdit(editor_.Delete(line));
    default:
      return OnMouseCommand(command);
  }
}

MacroDialogOutcome MacroDialogModel::OnMouseCommand(MacroCommand command) {
  const auto item = std::find_if(kMouseItems.begin(), kMouseItems.end(),
                                 [command](const MouseItem& m) { return m.command == command; });
  if (item == kMouseItems.end()) {
    return {};
  }
  return AfterEdit(editor_.InsertMouse(*selected_line_, item->button, item->action));
}

MacroDialogOutcome MacroDialogModel::OnDelayEdited(std::size_t line, int delay_ms) {
  if (read_only_) {
    return Message(MacroText::kUnreadChange);
  }
  return AfterEdit(editor_.EditDelay(line, delay_ms));
}

void MacroDialogModel::OnHookedKey(const HookedKey& key) {
  const bool was_capturing = recorder_.capture_armed();
  if (!recorder_.OnHookedKey(key, has_delay_)) {
    return;
  }
  if (!was_capturing && !recorder_.lines().empty()) {
    selected_line_ = recorder_.lines().size() - 1;
  }
  SaveSelected();
}

MacroDialogOutcome MacroDialogModel::AfterEdit(MacroEditResult result) {
  if (result == MacroEditResult::kChanged) {
    SaveSelected();
  }
  SelectEventLine(selected_line_);
  return result == MacroEditResult::kNoRoom ? Message(MacroText::kMacroFull) : Repaint();
}

void MacroDialogModel::SaveSelected() {
  if (!selected_macro_) {
    return;
  }
  const MacroSelection selection{*selected_macro_, names_[*selected_macro_], loop_, LoopNumber(),
                                 has_delay_};
  (void)SaveSelectedMacro(working_, selection, recorder_.buffers());
}

std::size_t MacroDialogModel::UsedBytes() const {
  return recorder_.buffers().UsedBytes();
}

}  // namespace n240qx
