#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "keys/KeyActionTable.h"
#include "util/Language.h"
#include "util/Result.h"

namespace n240qx {

// A launch a loaded profile would bring: key `index` would start or open `path`. A profile
// from elsewhere can make a key start any program, so these are shown before it is taken.
struct LaunchPathChange {
  std::size_t index = 0;
  std::uint8_t kind = 0;
  std::u16string path;

  // "Q: open-file /usr/bin/xterm", the path escaped for one line.
  std::string Text() const;
  friend bool operator==(const LaunchPathChange&, const LaunchPathChange&) = default;
};

// The launch entries of `loaded` that `current` does not hold alike (another kind or path, or
// none): what the user has not chosen yet. A key that loses its launch, or gets a launch kind
// with an empty path (which starts nothing) or a host action (which starts no program), is no
// such change.
std::vector<LaunchPathChange> ChangedLaunchPaths(const KeyActionTable& current,
                                                 const KeyActionTable& loaded);
// Each change's Text on a line of its own after a line break, indented by two spaces.
std::string ListedLaunchPaths(const std::vector<LaunchPathChange>& changes);
// What a refused profile's launch paths do, worded for the list that follows: " makes keys
// start programs or open files:".
std::string_view StartsProgramsText(Language language);
// kBadData listing every change when `loaded` (a profile or backup named `what`) brings launch
// paths that `current` does not hold; the tool and the window's bus object refuse alike.
Status RefuseNewLaunchPaths(const KeyActionTable& current, const KeyActionTable& loaded,
                            const std::string& what);

}  // namespace n240qx
