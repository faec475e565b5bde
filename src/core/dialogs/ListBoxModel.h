#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "dialogs/ListEditMode.h"
#include "dialogs/ListNotice.h"

namespace n240qx {

// The items of a skinned list and the rules of its in-place editor. The widget shows the items,
// opens its edit box where BeginEdit says and hands the typed text to EndEdit, which settles
// the item and returns the notifications for the owner.
class ListBoxModel {
 public:
  static constexpr int kMinDelayMs = 2;
  static constexpr int kMaxDelayMs = 60000;
  static constexpr std::string_view kDelaySuffix = " ms";
  static constexpr std::string_view kFileSuffix = ".bin";

  explicit ListBoxModel(bool sorted = false, ListEditMode mode = ListEditMode::kNone)
      : sorted_(sorted), mode_(mode) {}

  bool sorted() const { return sorted_; }
  ListEditMode mode() const { return mode_; }
  void SetMode(ListEditMode mode) { mode_ = mode; }
  // Whether an accepted change also reports the old text (kItemChanged).
  void SetReportChanges(bool report) { report_changes_ = report; }

  const std::vector<std::string>& items() const { return items_; }
  int count() const { return static_cast<int>(items_.size()); }
  // -1 when nothing is selected.
  int selected() const { return selected_; }
  void Select(int index);
  // -1 when no edit is open.
  int editing() const { return editing_; }

  // A sorted list puts the item in its alphabetical place (letter case aside), after equal
  // ones; otherwise at the end. Returns its index.
  int Add(std::string text);
  // At `index` (clamped) in an unsorted list; a sorted one places it as Add does.
  int Insert(int index, std::string text);
  // Items out of range are ignored. Changing the items cancels an open edit.
  void Remove(int index);
  void Clear();

  // A double-click on item `index`: the text the edit box starts with, or nothing when the
  // item may not be edited (no edit mode, out of range, or a key line "up"/"dn" among delays).
  std::optional<std::string> BeginEdit(int index);
  // The edit box closed: accepted (Enter, focus lost, wheel) or not (Esc). Returns what the
  // owner is told, in order; nothing when no edit was open or it was not accepted.
  std::vector<ListNotice> EndEdit(bool accepted, std::string_view typed);

  // Digits are all the delay editor takes.
  bool EditTextAllowed(std::string_view text) const;
  // The delay a typed text stands for: its digits as a number, clamped to 2-60,000.
  static int ClampDelay(std::string_view digits);

 private:
  int PlaceOf(const std::string& text) const;
  std::string SettledText(std::string_view typed) const;

  std::vector<std::string> items_;
  bool sorted_;
  ListEditMode mode_;
  bool report_changes_ = false;
  int selected_ = -1;
  int editing_ = -1;
};

}  // namespace n240qx
