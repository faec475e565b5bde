#pragma once

#include <optional>
#include <ostream>
#include <string>
#include <vector>

namespace n240qx {

// What a dry run prints instead of writing: what stood in for the keyboard's contents, the
// regions the write would change and every report it would send, in the wire log's words
// without the time.
struct DryRunReport {
  // What the write was compared with ("the keyboard"); none when the reports do not depend on
  // it.
  std::optional<std::string> compared_with;
  std::vector<std::string> regions;
  std::vector<std::string> reports;

  // {"dry_run": true, "compared_with": ..., "regions": [...], "reports": [...]} with `json`;
  // otherwise the basis, the regions and one report per line.
  void Print(std::ostream& out, bool json) const;
};

}  // namespace n240qx
