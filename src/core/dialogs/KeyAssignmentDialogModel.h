#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/KeyDialogGeometry.h"
#include "dialogs/KeyDialogTexts.h"
#include "image/ConfigImage.h"
#include "keys/HostAction.h"
#include "keys/KeyActionTable.h"
#include "keys/KeyHook.h"
#include "keys/KeyNameTable.h"
#include "keys/PendingAssignment.h"
#include "macros/MacroStore.h"
#include "util/Language.h"

namespace n240qx {

// The dialog's child controls. The fields, the macro list and the function tree are real
// controls; everything else is painted.
enum class KeyDialogControl : std::uint8_t {
  kNone,
  kSingleField,
  kCombineField,
  kMacroList,
  kFunctionTree,
  kHostActionList,
};

enum class KeyDialogEnd : std::uint8_t { kStaysOpen, kAccepted, kRejected };

// What one input asks of the widget.
struct KeyDialogReaction {
  KeyDialogEnd end = KeyDialogEnd::kStaysOpen;
  bool repaint = false;
  // A launch row whose file or folder choice is to run; its answer goes to LaunchPathChosen.
  std::optional<std::size_t> browse_row;
  // A message box to show; the dialog stays as it is behind it.
  std::optional<KeyDialogText> message;
};

// How the file choice of a launch row looks.
// No default suffix: a desktop's own file dialog would add ".exe" to "/usr/bin/firefox".
struct LaunchFileChoice {
  bool folder = false;
  // The file dialog's filters, the one it opens on first; none for the folder row.
  std::vector<std::string> filters;
};

// Every rule of the key assignment dialog: its pages, the Single and Combine fields, key
// capture, Save, Reset and Close, the launch rows and what the dialog shows. It edits the
// pending assignment and a copy of the key's action entry, which reaches the table only when
// the dialog is accepted.
// The Advance page's tab also leads to a fifth page, reached by the line under the launch
// rows: a list of the program's own actions (next and previous profile, lights on/off, each
// profile of the library). Save there assigns the chosen one as an "Open file" launch of its
// `n240qx:` path, nothing chosen restores the key's default, and a key that holds such an
// action opens on that page with it chosen.
class KeyAssignmentDialogModel {
 public:
  static constexpr std::uint8_t kNone = KeyDialogGeometry::kNone;
  // Paths longer than this do not fit the key action entry's field with its terminator.
  static constexpr std::size_t kMaxPathUnits = KeyActionEntry::kPathUnits - 1;
  // The launch rows in order: Play Music, Startup, Open File, Open Folder.
  static constexpr std::size_t kStartupRow = 1;
  static constexpr int kAdvancePage = 3;
  static constexpr int kHostActionPage = 4;

  KeyAssignmentDialogModel(PendingAssignment& pending, KeyActionTable& actions,
                           const ConfigImage& image, const MacroStore& stored_macros,
                           const KeyNameTable& names, Language language);

  // The library's profiles, offered on the host action page from the next Open on.
  void SetProfileNames(std::vector<std::string> names) { profile_names_ = std::move(names); }
  // Rebuilds everything from pending.current_key's action entry and enable bit.
  void Open();
  // Whether the key hook went in, whether it sees keys typed into other windows, and why not.
  void SetHook(bool installed, KeyHookReach reach, KeyHookLimit limit = KeyHookLimit::kNone);

  KeyDialogReaction Release(int x, int y);
  // True when something the pointer hovers changed.
  bool MouseMove(int x, int y);
  // The widget reports where the focus went; a field that gains it runs its focus rule.
  void Focused(KeyDialogControl control);
  // One event from the key hook; true when a field's text changed.
  bool KeyCaptured(const HookedKey& key);
  void SelectMacro(int line);
  void SelectHostAction(int line);
  void SelectFunction(std::u16string_view name);
  // The answer of the row's file or folder choice (not called on cancel).
  KeyDialogReaction LaunchPathChosen(std::size_t row, std::u16string_view path);

  Language language() const { return language_; }
  std::string_view Text(KeyDialogText text) const { return KeyDialogTexts::Get(text, language_); }
  const PendingAssignment& pending() const { return pending_; }
  const KeyActionEntry& entry() const { return entry_; }
  const KeyNameTable& names() const { return names_; }
  int page() const { return page_; }
  // The tab drawn as current: the host action page belongs to the Advance tab.
  int tab() const { return page_ == kHostActionPage ? kAdvancePage : page_; }
  bool Shows(KeyDialogControl control) const;
  KeyDialogControl focus() const { return focus_; }
  // While the hook is in, key presses belong to it and never type into the fields.
  bool hook_installed() const { return hook_installed_; }
  bool capture_focused_only() const { return hook_installed_ && !system_wide_; }
  bool disable_toggle() const { return button_states_[KeyDialogGeometry::kDisableToggle] != 0; }
  bool ButtonHovered(std::size_t button) const { return button_states_[button] != 0; }
  std::uint8_t hovered_button() const { return hovered_button_; }
  std::uint8_t hovered_browse_row() const { return hovered_browse_row_; }
  std::uint8_t launch_choice() const { return launch_choice_; }
  std::uint8_t launch_row() const { return launch_row_; }
  bool stored_text_shown() const { return stored_text_shown_; }
  const std::u16string& single_text() const { return single_text_; }
  const std::u16string& combine_text() const { return combine_text_; }
  // The last key pressed for capture was one the keyboard cannot send (no device code), and
  // was left out; the next captured key clears it.
  bool refused_key() const { return refused_key_; }
  // The lines under the capture fields: the refused key, or where capture reaches only this
  // dialog, why, and that the desktop's own shortcuts never arrive; empty otherwise.
  std::vector<KeyDialogText> CaptureNotice() const;
  const std::vector<std::u16string>& macro_names() const { return macro_names_; }
  int selected_macro() const { return selected_macro_; }
  // The host action page's lines: next, previous, lights, then the library's profiles and a
  // stored profile the library no longer holds, so that Save keeps it.
  const std::vector<HostAction>& host_actions() const { return host_actions_; }
  int selected_host_action() const { return selected_host_action_; }
  const std::u16string& selected_function() const { return selected_function_; }
  // The tree item opened at the start so that the stored function shows.
  std::u16string_view expanded_function_group() const;

  LaunchFileChoice FileChoice(std::size_t row) const;
  // The whole launch path, for a pointer resting on the row that shows it cut short; empty
  // elsewhere.
  std::u16string_view PathToolTipAt(int x, int y) const;
  // How a launch path shows in its row: whole below 14 characters, otherwise ".." and its
  // last part from the last separator on, or its last 12 characters when it has none.
  static std::u16string PathText(std::u16string_view path);

 private:
  void ShowStoredAssignment();
  void OpenStoredKeys(KeyDialogControl field);
  void ReadEnableBit();
  void PressButton(std::uint8_t button, KeyDialogReaction& reaction);
  void ShowPage(int page);
  void Save(KeyDialogReaction& reaction);
  void ReleaseOnLaunchRows(int x, int y, KeyDialogReaction& reaction);
  void ListHostActions();
  void ShowHostActionPage();
  void SaveHostAction();
  void RunFocusRule(KeyDialogControl field);
  void EmptyCapture();
  void ClearEntry(std::uint8_t kind);
  std::u16string JoinedNames(int count) const;
  std::u16string StoredText();

  PendingAssignment& pending_;
  KeyActionTable& actions_;
  const ConfigImage& image_;
  const MacroStore& stored_macros_;
  const KeyNameTable& names_;
  Language language_;
  // The key's entry in the table, and the copy the pages edit until the dialog is accepted.
  KeyActionEntry* opened_entry_ = nullptr;
  KeyActionEntry entry_{};

  int page_ = 0;
  bool hook_installed_ = false;
  bool system_wide_ = false;
  KeyHookLimit limit_ = KeyHookLimit::kNone;
  std::array<std::uint8_t, KeyDialogGeometry::kButtonCount> button_states_{};
  std::uint8_t hovered_button_ = kNone;
  std::uint8_t hovered_browse_row_ = kNone;
  bool stored_text_shown_ = false;
  // captured_keys holds the stored keys as opened: the first new key replaces them all.
  bool capture_from_store_ = false;
  std::uint8_t launch_choice_ = kNone;
  std::uint8_t launch_row_ = kNone;
  KeyDialogControl focus_ = KeyDialogControl::kNone;
  std::u16string single_text_;
  std::u16string combine_text_;
  bool refused_key_ = false;
  std::vector<std::u16string> macro_names_;
  int selected_macro_ = PendingAssignment::kNoMacro;
  std::u16string selected_function_;
  std::vector<std::string> profile_names_;
  std::vector<HostAction> host_actions_;
  int selected_host_action_ = PendingAssignment::kNoMacro;
};

}  // namespace n240qx
