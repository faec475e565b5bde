#include "dialogs/FunctionTree.h"

#include <algorithm>
#include <array>

namespace n240qx {

namespace {

constexpr std::array<std::u16string_view, 8> kMedia = {u"Media Player", u"Previous", u"Next",
                                                       u"Play / Stop",  u"Pause",    u"Volume Up",
                                                       u"Volume Down",  u"Mute"};
constexpr std::array<std::u16string_view, 7> kShortcut = {u"New",  u"Cut",   u"Copy",      u"Paste",
                                                          u"Save", u"Print", u"Select All"};
constexpr std::array<std::u16string_view, 2> kWindows = {u"Maximize window", u"Minimize window"};

constexpr std::array<FunctionTreeRoot, 9> kRoots = {{
    {u"Search", {}},
    {u"Run", {}},
    {u"Media", kMedia},
    {u"Shortcut", kShortcut},
    {u"Windows", kWindows},
    {u"Computer / My Computer", {}},
    {u"Windows security screen", {}},
    {u"Internet browser", {}},
    {u"Close window", {}},
}};

}  // namespace

std::span<const FunctionTreeRoot> FunctionTree::Roots() {
  return kRoots;
}

bool FunctionTree::IsGroup(std::u16string_view name) {
  return std::any_of(kRoots.begin(), kRoots.end(), [name](const FunctionTreeRoot& root) {
    return root.name == name && !root.children.empty();
  });
}

std::u16string_view FunctionTree::ExpandedFor(std::u16string_view name) {
  if (name.empty()) {
    return {};
  }
  for (const auto& root : kRoots) {
    if (root.name == name ||
        std::find(root.children.begin(), root.children.end(), name) != root.children.end()) {
      return root.name;
    }
  }
  return {};
}

}  // namespace n240qx
