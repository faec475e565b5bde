#pragma once

#include <array>

#include "util/Language.h"
#include "window/Placement.h"

namespace n240qx {

// Fixed drawing positions of the main window's own parts (window pixels, top-left corners);
// the lighting page, the keyboard view and the performance panel place their own parts.
class MainWindowLayout {
 public:
  static constexpr PicturePlacement kBackground{"main.png", 0, 0};  // sets the window size
  static constexpr PicturePlacement kKeyboard{"kb_BK.png", 301, 95};
  static constexpr int kTextBackground = 0x353535;
  static constexpr int kApplyButtonX = 868;

  // Help, minimise and close in the title strip; Apply, Profile and Macro at the bottom.
  static std::array<PicturePlacement, 6> Buttons();
  // The captions on the bottom buttons; German captions sit where their length needs.
  static std::array<TextPlacement, 3> ButtonCaptions(Language language);
};

}  // namespace n240qx
