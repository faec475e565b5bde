#pragma once

#include <span>
#include <string>

#include "keys/KeyNameTable.h"
#include "macros/MacroBuffers.h"
#include "util/Result.h"

namespace n240qx {

struct MacroScript {
  MacroBuffers buffers;
  bool has_delay = false;  // some event waits longer than the 1 ms that means no delay
};

// A macro's events written as the event list shows them, one line per word: "LCtrl dn", "C up"
// (any key name of the key name table, or 0xNN) and "50 ms" for the delay before the next key
// line. The rules of the store hold: the first event runs without delay, delays are 1-60,000 ms,
// every key has a code on the keyboard, and all events fit the 190 bytes of a buffer.
// kInvalidArgument names the word that breaks one; no words give an empty macro.
Result<MacroScript> ParseMacroScript(std::span<const std::string> lines, const KeyNameTable& names);

}  // namespace n240qx
