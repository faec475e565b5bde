#include "util/NearestNames.h"

#include <algorithm>
#include <cctype>

namespace n240qx {

namespace {

char Lower(char c) {
  return static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
}

std::size_t FarthestMeant(std::string_view typed) {
  return std::clamp<std::size_t>(typed.size() / 3, 1, 3);
}

}  // namespace

// Optimal string alignment: three rows of the distance table are enough.
std::size_t EditDistance(std::string_view a, std::string_view b) {
  std::vector<std::size_t> before(b.size() + 1);
  std::vector<std::size_t> above(b.size() + 1);
  std::vector<std::size_t> row(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) {
    above[j] = j;
  }
  for (std::size_t i = 1; i <= a.size(); ++i) {
    row[0] = i;
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const std::size_t cost = Lower(a[i - 1]) == Lower(b[j - 1]) ? 0 : 1;
      row[j] = std::min({above[j] + 1, row[j - 1] + 1, above[j - 1] + cost});
      if (i > 1 && j > 1 && Lower(a[i - 1]) == Lower(b[j - 2]) &&
          Lower(a[i - 2]) == Lower(b[j - 1])) {
        row[j] = std::min(row[j], before[j - 2] + 1);
      }
    }
    std::swap(before, above);
    std::swap(above, row);
  }
  return above[b.size()];
}

std::vector<std::string> NearestNames(std::string_view typed,
                                      std::span<const std::string_view> names, std::size_t most) {
  std::size_t nearest = FarthestMeant(typed);
  std::vector<std::string> found;
  for (const std::string_view name : names) {
    const std::size_t distance = EditDistance(typed, name);
    if (distance > nearest) {
      continue;
    }
    if (distance < nearest) {
      nearest = distance;
      found.clear();
    }
    if (std::find(found.begin(), found.end(), name) == found.end() && found.size() < most) {
      found.emplace_back(name);
    }
  }
  return found;
}

std::string DidYouMean(std::span<const std::string> names) {
  if (names.empty()) {
    return "";
  }
  std::string text = "did you mean ";
  for (std::size_t i = 0; i < names.size(); ++i) {
    text += (i == 0 ? "" : i + 1 == names.size() ? " or " : ", ") + names[i];
  }
  return text + "?";
}

std::string MeantFirst(std::string_view typed, std::span<const std::string_view> names) {
  const std::string meant = DidYouMean(NearestNames(typed, names));
  return meant.empty() ? "" : meant + " ";
}

}  // namespace n240qx
