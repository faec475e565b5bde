#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "keys/KeyActionEntry.h"

namespace n240qx {

// The key assignment dialog's result, read by the assignment step. The main window fills
// current_key and current_key_vk before it opens the dialog.
struct PendingAssignment {
  // captured_count with this value means Reset: give the key back its factory function.
  static constexpr int kResetCount = 255;
  static constexpr int kNoMacro = -1;

  std::uint8_t current_key = 0;     // key index 0-107
  std::uint8_t current_key_vk = 0;  // its virtual-key code, for the dialog's caption
  std::uint8_t pending_kind = static_cast<std::uint8_t>(AssignmentKind::kNone);
  std::array<std::uint8_t, KeyActionEntry::kDataSize> captured_keys{};  // zero-terminated
  int captured_count = 0;
  std::u16string function_name;
  int macro_index = kNoMacro;  // position in the dialog's macro list
  std::u16string launch_path;  // at most 255 units are kept
  bool key_enabled = true;
};

}  // namespace n240qx
