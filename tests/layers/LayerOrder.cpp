#include "LayerOrder.h"

#include <algorithm>
#include <array>
#include <fstream>
#include <regex>
#include <sstream>

namespace n240qx::testing {
namespace {

// The other parts of the program: the core is what they stand on, never the other way.
constexpr std::array<const char*, 5> kOutsideCore = {"gui", "cli", "hid", "sim", "connect"};

// Headers of the toolkits the core stays free of, so that a port needs only a new platform layer.
const std::regex& ToolkitHeader() {
  static const std::regex pattern(
      R"(^(Q[A-Za-z]+|Qt[A-Za-z]*/.*|hidapi/.*|hidapi\.h|libudev\.h|X11/.*))");
  return pattern;
}

std::string FirstComponent(const std::string& include) {
  const auto slash = include.find('/');
  return slash == std::string::npos ? std::string() : include.substr(0, slash);
}

}  // namespace

LayerOrder::LayerOrder(const std::vector<std::string>& ranks) {
  for (int rank = 0; rank < static_cast<int>(ranks.size()); ++rank) {
    std::istringstream peers(ranks[static_cast<std::size_t>(rank)]);
    std::string folder;
    while (peers >> folder)
      ranks_.emplace_back(folder, rank);
  }
}

int LayerOrder::RankOf(const std::string& folder) const {
  const auto it = std::find_if(ranks_.begin(), ranks_.end(),
                               [&](const auto& entry) { return entry.first == folder; });
  return it == ranks_.end() ? -1 : it->second;
}

std::vector<LayerViolation> LayerOrder::Check(const std::filesystem::path& core_dir) const {
  std::vector<LayerViolation> found;
  for (const auto& entry : std::filesystem::recursive_directory_iterator(core_dir)) {
    if (!entry.is_regular_file())
      continue;
    const auto relative = std::filesystem::relative(entry.path(), core_dir);
    const auto ext = relative.extension();
    if (ext != ".h" && ext != ".cpp")
      continue;
    const std::string layer = relative.begin()->string();
    if (RankOf(layer) < 0) {
      found.push_back({relative.string(), 0, "", "is in no layer of the order"});
      continue;
    }
    CheckFile(entry.path(), relative.string(), layer, found);
  }
  std::sort(found.begin(), found.end(), [](const auto& a, const auto& b) {
    return std::tie(a.file, a.line) < std::tie(b.file, b.line);
  });
  return found;
}

void LayerOrder::CheckFile(const std::filesystem::path& file, const std::string& name,
                           const std::string& layer, std::vector<LayerViolation>& found) const {
  static const std::regex include_line(R"(^\s*#\s*include\s*([<"])([^>"]+)[>"])");
  std::ifstream in(file);
  std::string text;
  for (int line = 1; std::getline(in, text); ++line) {
    std::smatch match;
    if (!std::regex_search(text, match, include_line))
      continue;
    const std::string include = match[2];
    const std::string reason = Judge(layer, include, match[1] == "\"");
    if (!reason.empty()) {
      found.push_back({name, line, include, reason});
    }
  }
}

std::string LayerOrder::Judge(const std::string& layer, const std::string& include,
                              bool quoted) const {
  if (!quoted) {
    return std::regex_search(include, ToolkitHeader()) ? "a toolkit header in the core" : "";
  }
  const std::string target = FirstComponent(include);
  if (std::find(kOutsideCore.begin(), kOutsideCore.end(), target) != kOutsideCore.end()) {
    return "reaches out of the core into " + target;
  }
  if (target.empty() || target == layer)
    return "";
  const int target_rank = RankOf(target);
  if (target_rank < 0)
    return "";
  const int own_rank = RankOf(layer);
  if (target_rank == own_rank)
    return "includes its peer " + target;
  return target_rank > own_rank ? "points up the order to " + target : "";
}

}  // namespace n240qx::testing
