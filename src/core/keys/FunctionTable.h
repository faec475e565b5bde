#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "keys/KeyMapEntry.h"

namespace n240qx {

// A named function of the "Basic" page; its entry is both the key map entry and the first four
// data bytes of the key's action entry.
struct FunctionRow {
  std::u16string_view name;
  KeyMapEntry entry;
};

class FunctionTable {
 public:
  static std::span<const FunctionRow> Rows();
  // First row whose name equals `name` exactly; nullptr when none does.
  static const FunctionRow* Find(std::u16string_view name);
};

// The function whose 4 bytes equal the first four of `data`; empty when none does or `data`
// is shorter than four bytes.
std::u16string DecodeFunction(std::span<const std::uint8_t> data);

}  // namespace n240qx
