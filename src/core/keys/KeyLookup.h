#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "keys/KeyNameTable.h"
#include "keys/KeyTableRow.h"
#include "util/Result.h"

namespace n240qx {

// Keys of the keyboard as a person types them: "#N" is the key index; "0xNN" the virtual-key
// code; otherwise the key's name or its label, letters in any case ("Q", "esc", "1" the key
// labelled 1, "Num1" or "1-num" the keypad's, "LShift"). A word that could mean more than one
// key ("/", "Shift", "Enter", 0x5D for Fn and App...) is refused with every candidate and the
// name that picks it, never resolved by a guess.
class KeyLookup {
 public:
  explicit KeyLookup(const KeyNameTable& names) : names_(names) {}

  // kInvalidArgument with the candidates or with what is accepted.
  Result<const KeyTableRow*> Find(std::string_view typed) const;
  // The one name that picks this key and no other; "#N" for a key without one.
  std::string PickName(const KeyTableRow& row) const;
  // "LShift (#78)", or "#88 (0xBF)" for a key without a name of its own.
  std::string Candidate(const KeyTableRow& row) const;
  // A word printed on or said of two keys ("Ctrl", "Shift", "/"): refused when typed bare.
  static bool IsAmbiguousWord(std::string_view word);

 private:
  std::string NameOf(const KeyTableRow& row) const;
  std::string MeantKey(std::string_view typed) const;
  Error Ambiguous(std::string_view typed, const std::vector<const KeyTableRow*>& rows) const;

  const KeyNameTable& names_;
};

}  // namespace n240qx
