#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace n240qx {

// The edits that turn `a` into `b`: a letter inserted, removed, replaced, or two neighbours
// swapped ("stauts" is one from "status"); ASCII letters in any case are the same.
std::size_t EditDistance(std::string_view a, std::string_view b);

// The names a mistyped word most likely meant: those of `names` nearest to `typed`, no further
// than a third of its length (at least one edit, at most three), each once and in the order
// of `names`, at most `most`. None when nothing is that near: a guess then only misleads.
std::vector<std::string> NearestNames(std::string_view typed,
                                      std::span<const std::string_view> names,
                                      std::size_t most = 3);

// "did you mean status?", "did you mean LCtrl or RCtrl?"; empty for no names.
std::string DidYouMean(std::span<const std::string> names);

// "did you mean brightness? ", to stand before the list of what is allowed; empty when no name
// of `names` is near `typed`.
std::string MeantFirst(std::string_view typed, std::span<const std::string_view> names);

}  // namespace n240qx
