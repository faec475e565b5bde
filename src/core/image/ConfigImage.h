#pragma once

#include "image/ImageBlock.h"

namespace n240qx {

// The program's mirror of everything the keyboard stores; pages and dialogs edit it in place,
// and nothing reaches the keyboard until the write of changes.
class ConfigImage : public ImageBlock {
 public:
  // The lock lives only on the host: it is folded into mask byte 1 before every write.
  // Clearing bits 6 and 7 with slot 6 matches what the keyboard itself reports.
  void ApplyWindowsKeyLock();
  // After the mask has been read from the keyboard: locked when slot 6 is disabled.
  void DeriveWindowsKeyLock();
};

}  // namespace n240qx
