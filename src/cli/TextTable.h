#pragma once

#include <ostream>
#include <string>
#include <vector>

namespace n240qx {

// Columns of text aligned under a header, two spaces apart; the last column is not padded, so
// no line ends in spaces. Widths count UTF-8 characters, not bytes.
class TextTable {
 public:
  explicit TextTable(std::vector<std::string> header);
  void Add(std::vector<std::string> cells);
  void Print(std::ostream& out) const;

 private:
  std::vector<std::vector<std::string>> rows_;
};

}  // namespace n240qx
