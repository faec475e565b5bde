#include "keys/LaunchPathChange.h"

#include "keys/AssignmentKindWords.h"
#include "keys/HostAction.h"
#include "keys/KeyTable.h"
#include "util/EscapedText.h"

namespace n240qx {

std::string LaunchPathChange::Text() const {
  const KeyTableRow* row = KeyTable::ByIndex(index);
  const std::string key = row != nullptr ? std::string(row->label) : "#" + std::to_string(index);
  return key + ": " + std::string(WordOfAssignmentKind(kind)) + " " + EscapedText(path);
}

std::vector<LaunchPathChange> ChangedLaunchPaths(const KeyActionTable& current,
                                                 const KeyActionTable& loaded) {
  std::vector<LaunchPathChange> changes;
  for (std::size_t i = 0; i < KeyActionTable::kEntryCount; ++i) {
    const KeyActionEntry& now = current[i];
    const KeyActionEntry& then = loaded[i];
    if (!IsLaunchKind(then.kind)) {
      continue;
    }
    std::u16string path = then.PathString();
    // An empty path starts nothing (see SplitLaunchPath); nor does one of the program's own
    // actions, which only applies a profile or turns the lights.
    if (!path.empty() && !IsHostActionPath(path) &&
        (now.kind != then.kind || now.PathString() != path)) {
      changes.push_back({i, then.kind, std::move(path)});
    }
  }
  return changes;
}

std::string ListedLaunchPaths(const std::vector<LaunchPathChange>& changes) {
  std::string listed;
  for (const LaunchPathChange& change : changes) {
    listed += "\n  " + change.Text();
  }
  return listed;
}

std::string_view StartsProgramsText(Language language) {
  return language == Language::kGerman
             ? " l\u00E4sst Tasten Programme starten oder Dateien \u00F6ffnen:"
             : " makes keys start programs or open files:";
}

Status RefuseNewLaunchPaths(const KeyActionTable& current, const KeyActionTable& loaded,
                            const std::string& what) {
  const auto changes = ChangedLaunchPaths(current, loaded);
  if (changes.empty()) {
    return Status::Ok();
  }
  return Error{ErrorCode::kBadData, "refused " + what +
                                        ", nothing was sent: it makes keys start programs or "
                                        "open files:" +
                                        ListedLaunchPaths(changes)};
}

}  // namespace n240qx
