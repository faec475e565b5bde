#pragma once

#include <filesystem>
#include <string>
#include <vector>

namespace n240qx::testing {

// One include of the core that breaks the order: the file, its line and the include's target.
struct LayerViolation {
  std::string file;
  int line = 0;
  std::string include;
  std::string reason;
};

// The folders of src/core, lowest first; folders of one rank are peers and may not include
// each other.
class LayerOrder {
 public:
  // `ranks` as the build writes them: "util paint", "image", ... one string per rank.
  explicit LayerOrder(const std::vector<std::string>& ranks);

  // Every include under `core_dir` that points up the order, sideways to a peer, out of the
  // core to another part of the program, or to a toolkit the core may not use.
  std::vector<LayerViolation> Check(const std::filesystem::path& core_dir) const;

  // The rank of a folder, or -1 when the core has no such layer.
  int RankOf(const std::string& folder) const;

 private:
  void CheckFile(const std::filesystem::path& file, const std::string& name,
                 const std::string& layer, std::vector<LayerViolation>& found) const;
  std::string Judge(const std::string& layer, const std::string& include, bool quoted) const;

  std::vector<std::pair<std::string, int>> ranks_;
};

}  // namespace n240qx::testing
