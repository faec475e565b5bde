#pragma once

#include <span>
#include <string_view>

namespace n240qx {

// One top-level item of the "Basic" page's tree; groups have children, functions none.
struct FunctionTreeRoot {
  std::u16string_view name;
  std::span<const std::u16string_view> children;
};

// The tree of the "Basic" page, in the order it is shown. Every leaf names a row of the
// function table; the three groups only gather them.
class FunctionTree {
 public:
  static std::span<const FunctionTreeRoot> Roots();
  static bool IsGroup(std::u16string_view name);
  // The item to expand so that `name` shows: its group, or the item itself for a top-level
  // one; empty when the tree has no such item.
  static std::u16string_view ExpandedFor(std::u16string_view name);
};

}  // namespace n240qx
