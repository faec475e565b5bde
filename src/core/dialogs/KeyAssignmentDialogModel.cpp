#include "dialogs/KeyAssignmentDialogModel.h"

#include <algorithm>

#include "dialogs/FunctionTree.h"
#include "keys/FunctionTable.h"
#include "keys/KeyTable.h"
#include "util/ControlCharacters.h"

namespace n240qx {

namespace {

using Geometry = KeyDialogGeometry;

constexpr int kNoLine = PendingAssignment::kNoMacro;
constexpr std::size_t kMaxCombination = 3;
constexpr std::u16string_view kJoin = u"+ ";
// A path this long or longer is shortened in its row.
constexpr std::size_t kShortPathLimit = 14;
constexpr std::size_t kShortPathTail = 12;

constexpr std::uint8_t Kind(AssignmentKind kind) {
  return static_cast<std::uint8_t>(kind);
}

bool IsSeparator(char16_t unit) {
  // Paths made on Windows keep their backslashes in stored files.
  return unit == u'/' || unit == u'\\';
}

}  // namespace

KeyAssignmentDialogModel::KeyAssignmentDialogModel(PendingAssignment& pending,
                                                   KeyActionTable& actions,
                                                   const ConfigImage& image,
                                                   const MacroStore& stored_macros,
                                                   const KeyNameTable& names, Language language)
    : pending_(pending),
      actions_(actions),
      image_(image),
      stored_macros_(stored_macros),
      names_(names),
      language_(language) {}

void KeyAssignmentDialogModel::Open() {
  // The pages edit a copy: a dialog that ends without OK leaves the table as it was.
  opened_entry_ = actions_.At(pending_.current_key);
  entry_ = opened_entry_ != nullptr ? *opened_entry_ : KeyActionEntry{};
  page_ = 0;
  button_states_ = {};
  focus_ = KeyDialogControl::kNone;
  hovered_browse_row_ = kNone;
  single_text_.clear();
  combine_text_.clear();
  capture_from_store_ = false;

  pending_.function_name.clear();
  if (entry_.kind == Kind(AssignmentKind::kFunction)) {
    pending_.function_name = DecodeFunction(entry_.data);
  }
  selected_function_ =
      FunctionTree::ExpandedFor(pending_.function_name).empty() ? u"" : pending_.function_name;

  macro_names_.clear();
  for (std::size_t i = 0; i < stored_macros_.UsedCount(); ++i) {
    macro_names_.push_back(stored_macros_.entry(i).Name());
  }
  selected_macro_ = PendingAssignment::kNoMacro;
  ListHostActions();

  EmptyCapture();
  launch_row_ = kNone;
  launch_choice_ = kNone;
  pending_.pending_kind = entry_.kind;
  pending_.captured_count = entry_.count;
  ShowStoredAssignment();
  ReadEnableBit();
}

void KeyAssignmentDialogModel::ShowStoredAssignment() {
  switch (static_cast<AssignmentKind>(entry_.kind)) {
    case AssignmentKind::kSingle:
      OpenStoredKeys(KeyDialogControl::kSingleField);
      break;
    case AssignmentKind::kCombine:
      OpenStoredKeys(KeyDialogControl::kCombineField);
      break;
    case AssignmentKind::kMacro:
      if (entry_.data[0] == KeyMapEntry::kMacro) {
        page_ = 1;
        focus_ = KeyDialogControl::kMacroList;
        if (entry_.data[2] < macro_names_.size()) {
          selected_macro_ = entry_.data[2];
        }
      }
      break;
    case AssignmentKind::kFunction:
      page_ = 2;
      break;
    default:
      if (const auto action = HostAction::Of(entry_)) {
        ShowHostActionPage();
        auto line = std::ranges::find(host_actions_, *action);
        if (line == host_actions_.end()) {
          line = host_actions_.insert(line, *action);
        }
        selected_host_action_ = static_cast<int>(line - host_actions_.begin());
      } else if (IsLaunchKind(entry_.kind)) {
        page_ = kAdvancePage;
        pending_.launch_path = entry_.PathString();
        launch_row_ = static_cast<std::uint8_t>(entry_.kind - Kind(AssignmentKind::kPlayMusic));
      }
      break;
  }
}

void KeyAssignmentDialogModel::ListHostActions() {
  host_actions_ = {{HostActionKind::kNextProfile, {}},
                   {HostActionKind::kPreviousProfile, {}},
                   {HostActionKind::kToggleLights, {}}};
  for (const std::string& name : profile_names_) {
    host_actions_.push_back({HostActionKind::kApplyProfile, name});
  }
  selected_host_action_ = kNoLine;
}

void KeyAssignmentDialogModel::ShowHostActionPage() {
  page_ = kHostActionPage;
  focus_ = KeyDialogControl::kHostActionList;
  launch_row_ = kNone;
  launch_choice_ = kNone;
  pending_.launch_path.clear();
}

void KeyAssignmentDialogModel::OpenStoredKeys(KeyDialogControl field) {
  std::u16string text = StoredText();
  focus_ = field;
  RunFocusRule(field);
  (field == KeyDialogControl::kSingleField ? single_text_ : combine_text_) = std::move(text);
  std::copy(entry_.data.begin(), entry_.data.end(), pending_.captured_keys.begin());
  stored_text_shown_ = true;
  capture_from_store_ = true;
}

std::u16string KeyAssignmentDialogModel::StoredText() {
  const auto& data = entry_.data;
  if (entry_.kind == Kind(AssignmentKind::kSingle)) {
    pending_.captured_keys[0] = data[0];
    pending_.captured_count = 1;
    return names_.KeyNameOf(data[0]);
  }
  std::u16string text = data[0] != 0 ? names_.KeyNameOf(data[0]) : u"";
  for (std::size_t i = 1; i < kMaxCombination; ++i) {
    if (data[i] != 0) {
      text += kJoin;
      text += names_.KeyNameOf(data[i]);
    }
  }
  return text;
}

void KeyAssignmentDialogModel::ReadEnableBit() {
  // By the key's own slot: the Fn key shares its code with the App key, and only the slot
  // tells them apart (the assignment step writes this one).
  const auto slot = KeyTable::SlotOf(pending_.current_key);
  const bool enabled = !slot || image_.KeyEnabled(*slot);
  button_states_[Geometry::kDisableToggle] = enabled ? 0 : 1;
  pending_.key_enabled = enabled;
}

void KeyAssignmentDialogModel::SetHook(bool installed, KeyHookReach reach, KeyHookLimit limit) {
  hook_installed_ = installed;
  system_wide_ = installed && reach == KeyHookReach::kSystemWide;
  limit_ = capture_focused_only() ? limit : KeyHookLimit::kNone;
}

std::vector<KeyDialogText> KeyAssignmentDialogModel::CaptureNotice() const {
  if (refused_key_) {
    return {KeyDialogText::kCannotSendKey};
  }
  if (!capture_focused_only()) {
    return {};
  }
  std::vector<KeyDialogText> lines;
  switch (limit_) {
    case KeyHookLimit::kNotX11:
      lines.push_back(KeyDialogText::kLimitNotX11);
      break;
    case KeyHookLimit::kWayland:
      lines.push_back(KeyDialogText::kLimitWayland);
      break;
    case KeyHookLimit::kNoDisplay:
      lines.push_back(KeyDialogText::kLimitNoDisplay);
      break;
    case KeyHookLimit::kNoXInput22:
      lines.push_back(KeyDialogText::kLimitNoXInput22);
      break;
    case KeyHookLimit::kNone:
      break;
  }
  // What the desktop binds for itself never reaches a window, focused or not.
  lines.insert(lines.end(), {KeyDialogText::kFocusedCaptureOnly, KeyDialogText::kDesktopShortcuts,
                             KeyDialogText::kDesktopShortcutKeys});
  return lines;
}

bool KeyAssignmentDialogModel::Shows(KeyDialogControl control) const {
  switch (control) {
    case KeyDialogControl::kSingleField:
    case KeyDialogControl::kCombineField:
      return page_ == 0;
    case KeyDialogControl::kMacroList:
      return page_ == 1;
    case KeyDialogControl::kFunctionTree:
      return page_ == 2;
    case KeyDialogControl::kHostActionList:
      return page_ == kHostActionPage;
    case KeyDialogControl::kNone:
      break;
  }
  return false;
}

std::u16string_view KeyAssignmentDialogModel::expanded_function_group() const {
  return FunctionTree::ExpandedFor(selected_function_);
}

KeyDialogReaction KeyAssignmentDialogModel::Release(int x, int y) {
  KeyDialogReaction reaction;
  PressButton(Geometry::HitButton(x, y), reaction);
  // The rows answer every release on their page, even one that has just ended the dialog:
  // that is how Save there without a chosen path gives the key back its own function.
  if (page_ == kAdvancePage) {
    ReleaseOnLaunchRows(x, y, reaction);
  }
  if (reaction.end == KeyDialogEnd::kAccepted && opened_entry_ != nullptr) {
    *opened_entry_ = entry_;
  }
  return reaction;
}

void KeyAssignmentDialogModel::PressButton(std::uint8_t button, KeyDialogReaction& reaction) {
  switch (button) {
    case Geometry::kCloseBox:
      reaction.end = KeyDialogEnd::kRejected;
      break;
    case Geometry::kDisableToggle:
      button_states_[button] ^= 1;
      reaction.repaint = true;
      break;
    case Geometry::kReset:
      pending_.captured_count = PendingAssignment::kResetCount;
      reaction.end = KeyDialogEnd::kAccepted;
      break;
    case Geometry::kClose:
      EmptyCapture();
      reaction.end = KeyDialogEnd::kRejected;
      break;
    case Geometry::kSave:
      Save(reaction);
      break;
    default:
      if (button >= Geometry::kFirstTab && button < Geometry::kFirstTab + 4) {
        ShowPage(button - Geometry::kFirstTab);
        reaction.repaint = true;
      }
      break;
  }
}

void KeyAssignmentDialogModel::ShowPage(int page) {
  launch_choice_ = kNone;
  switch (page) {
    case 0:
      if (page_ != 0) {
        ClearEntry(Kind(AssignmentKind::kSingle));
        pending_.pending_kind = Kind(AssignmentKind::kSingle);
        page_ = 0;
        Focused(KeyDialogControl::kSingleField);
      }
      launch_row_ = kNone;
      break;
    case 1:
    case 2:
      // Placeholders until Save names the kind of the page.
      pending_.pending_kind = static_cast<std::uint8_t>(page);
      launch_row_ = kNone;
      break;
    default:
      if (page_ != kAdvancePage) {
        ClearEntry(Kind(AssignmentKind::kNone));
        pending_.pending_kind = Kind(AssignmentKind::kNone);
        launch_row_ = kNone;
      }
      break;
  }
  page_ = page;
}

void KeyAssignmentDialogModel::ClearEntry(std::uint8_t kind) {
  EmptyCapture();
  single_text_.clear();
  combine_text_.clear();
  entry_.kind = kind;
  entry_.data.fill(0);
  if (kind == Kind(AssignmentKind::kSingle)) {
    entry_.count = 0;
  }
}

void KeyAssignmentDialogModel::Save(KeyDialogReaction& reaction) {
  const bool enabled = !disable_toggle();
  switch (page_) {
    case 0: {
      const auto& keys = pending_.captured_keys;
      pending_.captured_count =
          static_cast<int>(std::find(keys.begin(), keys.end(), 0) - keys.begin());
      if (pending_.captured_count == 0) {
        pending_.pending_kind = Kind(AssignmentKind::kRestoreDefault);
      }
      pending_.key_enabled = enabled;
      break;
    }
    case 1:
      pending_.pending_kind = Kind(AssignmentKind::kMacro);
      pending_.macro_index = selected_macro_;
      pending_.key_enabled = selected_macro_ == PendingAssignment::kNoMacro || enabled;
      if (selected_macro_ == PendingAssignment::kNoMacro) {
        pending_.pending_kind = Kind(AssignmentKind::kRestoreDefault);
      }
      break;
    case 2:
      pending_.pending_kind = Kind(AssignmentKind::kFunction);
      if (FunctionTree::IsGroup(selected_function_)) {
        reaction.message = KeyDialogText::kSelectSubItem;
        return;
      }
      pending_.function_name = selected_function_;
      pending_.key_enabled = enabled;
      break;
    case kHostActionPage:
      SaveHostAction();
      pending_.key_enabled =
          pending_.pending_kind == Kind(AssignmentKind::kRestoreDefault) || enabled;
      break;
    default:
      // A launch kind without a path would leave the key doing nothing at all.
      if (IsLaunchKind(pending_.pending_kind) && pending_.launch_path.empty()) {
        pending_.pending_kind = Kind(AssignmentKind::kRestoreDefault);
      }
      pending_.key_enabled = enabled;
      break;
  }
  reaction.end = KeyDialogEnd::kAccepted;
}

void KeyAssignmentDialogModel::SaveHostAction() {
  // As on the macro page: nothing chosen gives the key back its own function.
  if (selected_host_action_ == kNoLine) {
    pending_.pending_kind = Kind(AssignmentKind::kRestoreDefault);
    return;
  }
  pending_.pending_kind = Kind(HostAction::kStoredKind);
  pending_.launch_path = host_actions_[static_cast<std::size_t>(selected_host_action_)].Path();
}

void KeyAssignmentDialogModel::ReleaseOnLaunchRows(int x, int y, KeyDialogReaction& reaction) {
  const std::uint8_t hit = Geometry::HitLaunchRow(x, y);
  if (hit == kNone && Geometry::kHostActionLink.Contains(x, y)) {
    ShowHostActionPage();
    pending_.pending_kind = Kind(AssignmentKind::kRestoreDefault);
    reaction.repaint = true;
    return;
  }
  if (hit == kNone) {
    if (launch_row_ == kNone) {
      launch_choice_ = kNone;
      pending_.pending_kind = Kind(AssignmentKind::kRestoreDefault);
    }
    reaction.repaint = true;
    return;
  }
  const auto row = static_cast<std::uint8_t>(hit / 4);
  if (Geometry::IsRadio(hit)) {
    launch_choice_ = hit;
    launch_row_ = row;
    pending_.launch_path.clear();
    reaction.repaint = true;
  } else if (Geometry::IsBrowse(hit)) {
    launch_choice_ = static_cast<std::uint8_t>(4 * row);
    reaction.browse_row = row;
  }
}

KeyDialogReaction KeyAssignmentDialogModel::LaunchPathChosen(std::size_t row,
                                                             std::u16string_view path) {
  KeyDialogReaction reaction;
  if (row >= Geometry::kLaunchRows) {
    return reaction;
  }
  if (path.empty()) {
    reaction.message = KeyDialogText::kSelectFolder;
    return reaction;
  }
  if (path.size() > kMaxPathUnits) {
    reaction.message = KeyDialogText::kPathTooLong;
    return reaction;
  }
  if (HoldsControlCharacter(path)) {
    reaction.message = KeyDialogText::kPathControlCharacter;
    return reaction;
  }
  pending_.launch_path = std::u16string(path);
  launch_row_ = static_cast<std::uint8_t>(row);
  pending_.pending_kind = static_cast<std::uint8_t>(Kind(AssignmentKind::kPlayMusic) + row);
  reaction.repaint = true;
  return reaction;
}

bool KeyAssignmentDialogModel::MouseMove(int x, int y) {
  const std::uint8_t hit = Geometry::HitButton(x, y);
  bool changed = false;
  if (hit != hovered_button_) {
    if (hit == kNone) {
      for (std::size_t i = 0; i < button_states_.size(); ++i) {
        if (i != Geometry::kDisableToggle) {
          button_states_[i] = 0;
        }
      }
    } else if (hit != Geometry::kDisableToggle) {
      button_states_[hit] = 1;
    }
    hovered_button_ = hit;
    changed = true;
  }
  if (page_ == kAdvancePage) {
    const std::uint8_t row_hit = Geometry::HitLaunchRow(x, y);
    const std::uint8_t browse =
        Geometry::IsBrowse(row_hit) ? static_cast<std::uint8_t>(row_hit / 4) : kNone;
    changed = changed || browse != hovered_browse_row_;
    hovered_browse_row_ = browse;
  }
  return changed;
}

void KeyAssignmentDialogModel::Focused(KeyDialogControl control) {
  if (control == focus_) {
    return;
  }
  focus_ = control;
  RunFocusRule(control);
}

void KeyAssignmentDialogModel::RunFocusRule(KeyDialogControl field) {
  const bool single = field == KeyDialogControl::kSingleField;
  if (!single && field != KeyDialogControl::kCombineField) {
    return;
  }
  const std::uint8_t kind = Kind(single ? AssignmentKind::kSingle : AssignmentKind::kCombine);
  if (stored_text_shown_ && pending_.pending_kind == kind) {
    stored_text_shown_ = false;
    return;
  }
  pending_.pending_kind = kind;
  EmptyCapture();
  (single ? combine_text_ : single_text_).clear();
}

void KeyAssignmentDialogModel::EmptyCapture() {
  pending_.captured_keys.fill(0);
  pending_.captured_count = 0;
  capture_from_store_ = false;
  refused_key_ = false;
}

bool KeyAssignmentDialogModel::KeyCaptured(const HookedKey& key) {
  // The dialog takes presses only; a held key repeats as further presses.
  if (!hook_installed_ || key.released) {
    return false;
  }
  const bool single = pending_.pending_kind == Kind(AssignmentKind::kSingle);
  if (!single && pending_.pending_kind != Kind(AssignmentKind::kCombine)) {
    return false;
  }
  // A key without a device code would be saved as a dead key; the X keycodes no table knows
  // arrive as 0 and are no better.
  if (names_.DeviceCodeOf(key.vk) == 0) {
    refused_key_ = true;
    return true;
  }
  refused_key_ = false;
  auto& count = pending_.captured_count;
  if (capture_from_store_ || (!single && (count < 0 || count >= int{kMaxCombination}))) {
    EmptyCapture();
  }
  if (single) {
    pending_.captured_keys[0] = key.vk;
    count = 1;
    single_text_ = names_.KeyNameOf(key.vk);
  } else {
    pending_.captured_keys[static_cast<std::size_t>(count)] = key.vk;
    ++count;
    combine_text_ = JoinedNames(count);
  }
  return true;
}

std::u16string KeyAssignmentDialogModel::JoinedNames(int count) const {
  std::u16string text;
  for (int i = 0; i < count; ++i) {
    if (i > 0) {
      text += kJoin;
    }
    text += names_.KeyNameOf(pending_.captured_keys[static_cast<std::size_t>(i)]);
  }
  return text;
}

void KeyAssignmentDialogModel::SelectMacro(int line) {
  const bool valid = line >= 0 && line < static_cast<int>(macro_names_.size());
  selected_macro_ = valid ? line : PendingAssignment::kNoMacro;
}

void KeyAssignmentDialogModel::SelectHostAction(int line) {
  const bool valid = line >= 0 && line < static_cast<int>(host_actions_.size());
  selected_host_action_ = valid ? line : kNoLine;
}

void KeyAssignmentDialogModel::SelectFunction(std::u16string_view name) {
  selected_function_ = std::u16string(name);
}

LaunchFileChoice KeyAssignmentDialogModel::FileChoice(std::size_t row) const {
  static constexpr std::string_view kSuffixes[] = {"mp3", "exe", "txt"};
  if (row >= std::size(kSuffixes)) {
    return LaunchFileChoice{true, {}};
  }
  const std::string suffix(kSuffixes[row]);
  std::string typed = suffix + " Files(*." + suffix + ")";
  std::string all(Text(KeyDialogText::kAllFiles));
  // Programs here have no suffix: Startup opens on every file, the Windows filter after it.
  if (row == kStartupRow) {
    return LaunchFileChoice{false, {std::move(all), std::move(typed)}};
  }
  return LaunchFileChoice{false, {std::move(typed), std::move(all)}};
}

std::u16string_view KeyAssignmentDialogModel::PathToolTipAt(int x, int y) const {
  // Column 2 of a launch row is its path field.
  constexpr std::size_t kPathColumn = 2;
  // The label's area runs under the path field, so the field is asked directly.
  if (page_ != kAdvancePage || launch_row_ >= Geometry::kLaunchRows ||
      !Geometry::LaunchRowArea(std::size_t{launch_row_} * 4 + kPathColumn).Contains(x, y)) {
    return {};
  }
  return pending_.launch_path;
}

std::u16string KeyAssignmentDialogModel::PathText(std::u16string_view path) {
  if (path.size() < kShortPathLimit) {
    return std::u16string(path);
  }
  // A separator at the very end names no part; one at the very start leaves nothing before it.
  for (std::size_t i = path.size() - 1; i-- > 1;) {
    if (IsSeparator(path[i])) {
      return u".." + std::u16string(path.substr(i));
    }
  }
  return u".." + std::u16string(path.substr(path.size() - kShortPathTail));
}

}  // namespace n240qx
