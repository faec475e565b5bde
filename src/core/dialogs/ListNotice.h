#pragma once

#include <string>

namespace n240qx {

// One notification a skinned list sends its owner after an in-place edit, in the order given.
struct ListNotice {
  enum class Kind {
    // An edit was accepted. Delay values: first = the item's index, second = the delay in ms.
    // Names: first = the item's index when the edit began, second = its index now.
    kEditAccepted,
    // Only for lists that report changes: first = the old index, old_text = the text before.
    kItemChanged,
  };

  Kind kind;
  int first = 0;
  int second = 0;
  std::string old_text;

  bool operator==(const ListNotice&) const = default;
};

}  // namespace n240qx
