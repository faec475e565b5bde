#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "util/Language.h"

namespace n240qx {

// One text of a table of the program's texts: UTF-8, English and German.
template <typename Id>
struct TextRow {
  Id id;
  std::string_view english;
  std::string_view german;
};

// A table holds one row per enumerator of Id, in the enum's order, so that lookup is indexing.
template <typename Id, std::size_t N>
constexpr bool RowsFollowIds(const std::array<TextRow<Id>, N>& rows) {
  for (std::size_t i = 0; i < N; ++i) {
    if (static_cast<std::size_t>(rows[i].id) != i) {
      return false;
    }
  }
  return true;
}

// Empty for an id past the table.
template <typename Id, std::size_t N>
constexpr std::string_view LookupText(const std::array<TextRow<Id>, N>& rows, Id id,
                                      Language language) {
  const auto index = static_cast<std::size_t>(id);
  if (index >= N) {
    return {};
  }
  return language == Language::kGerman ? rows[index].german : rows[index].english;
}

}  // namespace n240qx
