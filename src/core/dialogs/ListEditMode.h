#pragma once

namespace n240qx {

// What the in-place editor of a skinned list edits; the owner picks one.
enum class ListEditMode {
  kNone = 0,         // no in-place editing
  kDelayValues = 1,  // "<n> ms" lines: digits only, 2-60,000
  kFileNames = 2,    // ".bin" is appended when the new name lacks it
  kPlainNames = 3,   // the text as typed
};

}  // namespace n240qx
