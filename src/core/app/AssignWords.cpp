#include "app/AssignWords.h"

#include "app/AssignAction.h"
#include "keys/KeyLookup.h"

namespace n240qx {

namespace {

Result<AssignWords::Change> ParseOne(const KeyNameTable& names,
                                     std::span<const std::string> words) {
  if (words.size() < 2) {
    return Error{ErrorCode::kInvalidArgument, "assign takes KEY ACTION [KEY ACTION ...]"};
  }
  auto key = KeyLookup(names).Find(words[0]);
  if (!key.ok()) {
    return key.error();
  }
  AssignWords::Change change{*key, {}, words[1] == "enable" || words[1] == "disable"};
  if (Status parsed = ParseAssignAction(words.subspan(1), names, change.pending); !parsed.ok()) {
    return parsed.error();
  }
  change.pending.current_key = change.row->index;
  change.pending.current_key_vk = change.row->vk;
  return change;
}

}  // namespace

Result<std::vector<AssignWords::Change>> AssignWords::Parse(const KeyNameTable& names,
                                                            std::span<const std::string> words) {
  std::vector<Change> changes;
  for (const auto group : SplitAssignChanges(words)) {
    auto change = ParseOne(names, group);
    if (!change.ok()) {
      return change.error();
    }
    for (const Change& earlier : changes) {
      if (earlier.row == change->row) {
        return Error{ErrorCode::kInvalidArgument, group[0] + " is assigned twice"};
      }
    }
    changes.push_back(std::move(*change));
  }
  return changes;
}

Status AssignWords::CheckMacros(const MacroStore& stored, const std::vector<Change>& changes) {
  const std::size_t count = stored.UsedCount();
  for (const Change& change : changes) {
    const int macro = change.pending.macro_index;
    if (macro != PendingAssignment::kNoMacro && static_cast<std::size_t>(macro) >= count) {
      return Error{ErrorCode::kInvalidArgument,
                   "there is no stored macro " + std::to_string(macro) + " (" +
                       std::to_string(count) + " stored; see n240qx-ctl macros)"};
    }
  }
  return Status::Ok();
}

Status AssignWords::Assign(ConfiguratorState& state, const Change& change, KeymapSave save) {
  const KeyTableRow& row = *change.row;
  PendingAssignment pending = change.pending;
  if (!change.sets_enabled) {
    pending.key_enabled = state.image().KeyEnabled(row.slot);
  }
  state.StartPendingAssignment(pending);
  const Status assigned =
      save == KeymapSave::kNow ? state.CompleteKeyAssignment() : state.AssignPending();
  if (!assigned.ok()) {
    return assigned;
  }
  if (row.slot == image_field::kWindowsKeySlot) {
    // The Windows key's bit is rewritten from the lock before every write; the lock is what
    // keeps it disabled.
    ConfigImage& image = state.ImageForEditing();
    image.windows_key_lock() = image.KeyEnabled(row.slot) ? 0 : 1;
  }
  return Status::Ok();
}

}  // namespace n240qx
