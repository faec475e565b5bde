#include "cli/KeyLookup.h"

#include <algorithm>
#include <cctype>
#include <string>

#include "cli/HexText.h"
#include "keys/KeyTable.h"

namespace n240qx {

namespace {

bool SameLetters(std::string_view a, std::string_view b) {
  return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
           return std::tolower(static_cast<unsigned char>(x)) ==
                  std::tolower(static_cast<unsigned char>(y));
         });
}

}  // namespace

Result<const KeyTableRow*> FindKey(std::string_view typed) {
  const KeyTableRow* row = nullptr;
  if (const auto vk = ParseHexByte(typed)) {
    row = KeyTable::ByVirtualKey(*vk);
  } else if (const auto index = ParseDecimal(typed, 255)) {
    row = KeyTable::ByIndex(static_cast<std::size_t>(*index));
  } else {
    row = KeyTable::ByLabel(typed);
    for (const KeyTableRow& candidate : KeyTable::Rows()) {
      if (row == nullptr && SameLetters(candidate.label, typed)) {
        row = &candidate;
      }
    }
  }
  if (row == nullptr) {
    return Error{ErrorCode::kInvalidArgument,
                 "unknown key \"" + std::string(typed) +
                     "\": use a key index 0-107, a label such as Q or Esc, or a virtual-key "
                     "code such as 0x51 (see n240qx-ctl keys)"};
  }
  return row;
}

}  // namespace n240qx
