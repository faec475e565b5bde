#pragma once

#include <array>
#include <cstdint>

#include "image/ConfigImage.h"
#include "image/ImageField.h"
#include "paint/PixelPoint.h"
#include "window/Placement.h"

namespace n240qx {

// Game mode, the Windows-key lock, response time and report rate in the lower left of the main
// window. The panel only edits the image; the keyboard gets the settings at the next Apply,
// and only those that differ from the snapshot.
class PerformancePanel {
 public:
  using KeyEnableMask = std::array<std::uint8_t, image_field::kKeyEnableMask.size>;

  static constexpr PixelPoint kGameModeToggle{105, 466};
  static constexpr PixelPoint kWindowsKeyLockToggle{156, 502};

  // Any non-zero value counts as on; a toggle stores 0 or 1, so toggling twice leaves a
  // valid value as it was and the next Apply sends nothing for it.
  static bool IsOn(std::uint8_t value) { return value != 0; }
  static void ToggleGameMode(ConfigImage& image);
  static void ToggleWindowsKeyLock(ConfigImage& image);

  // The key enable mask as the next Apply will send it: the lock folded into byte 1 the way
  // the write of changes folds it. The image itself is not touched, so toggling the lock
  // back and forth before Apply leaves nothing to send.
  static KeyEnableMask KeyEnableMaskToSend(const ConfigImage& image);

  static std::array<TextPlacement, 4> Labels();
  // The two toggles ("Enable.png" when on, else "Disable.png") and the two scale pictures.
  static std::array<PicturePlacement, 4> Pictures(const ConfigImage& image);
  static std::string_view TogglePicture(bool on) { return on ? "Enable.png" : "Disable.png"; }
};

}  // namespace n240qx
