#pragma once

#include <array>

#include "paint/PixelRect.h"
#include "window/Placement.h"

namespace n240qx {

// What a button-up does while the help window is shown.
enum class HelpChoice {
  kFactoryReset,    // row 0: ask, then reset the keyboard; the window closes either way
  kFirmwareUpdate,  // row 1: start the updater; the window stays
  kAbout,           // row 2, the version: name, version, licence and the keyboard's firmware
  kClose,           // any other row, or anywhere outside
};

// The small window under the title strip's help button: three rows.
class HelpWindowModel {
 public:
  static constexpr PixelRect kArea{830, 22, 996, 99};
  static constexpr int kRowHeight = 25;
  static constexpr PicturePlacement kPicture{"HelpWindow.png", 830, 22};

  bool open() const { return open_; }
  void Open() { open_ = true; }
  void Close() { open_ = false; }

  // Picks row (y - 22) div 25 inside the area; closes the window unless row 1 was picked.
  HelpChoice OnButtonUp(int x, int y);
  static HelpChoice ChoiceAt(int x, int y);

  static std::array<TextPlacement, 3> Lines();

 private:
  bool open_ = false;
};

}  // namespace n240qx
