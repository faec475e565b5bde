#pragma once

#include <array>
#include <string_view>

#include "paint/PixelRect.h"
#include "paint/RgbColour.h"

namespace n240qx {

// The macro dialog's skin buttons, in hit-test order.
enum class MacroButton {
  kRecord = 0,
  kDelayBox,
  kLoopBox,
  kNew,
  kDelete,
  kOk,
  kCancel,
  kClose,
};

// Where a control of the dialog sits (x, y, width, height).
struct MacroDialogPlace {
  int x;
  int y;
  int width;
  int height;
};

// The dialog's fixed places in its own pixels, and its pictures (in the "MacroManagement"
// folder of the language's skin folder).
struct MacroDialogLayout {
  static constexpr std::array<PixelRect, 8> kButtons{{
      {257, 100, 362, 124},
      {338, 168, 352, 182},
      {265, 315, 279, 329},
      {20, 368, 77, 392},
      {80, 368, 137, 392},
      {250, 368, 307, 392},
      {310, 368, 367, 392},
      {370, 8, 377, 15},
  }};
  static constexpr MacroDialogPlace kMacroList{19, 63, 107, 297};
  static constexpr MacroDialogPlace kEventList{137, 63, 107, 297};
  static constexpr MacroDialogPlace kLoopField{265, 331, 84, 18};
  static constexpr int kLoopFieldDigits = 3;

  static constexpr std::string_view kBackground = "MacroManagement/MacroManagement.png";
  // Both lists' text and selection colours, given as packed colour values (red in the low byte):
  // 0xFFFF00 is cyan, as the profile list draws its selection, not yellow.
  static constexpr RgbColour kListText = RgbColour::FromPacked(0xFFFFFF);
  static constexpr RgbColour kListHighlight = RgbColour::FromPacked(0xFFFF00);
  static constexpr std::string_view kRecordNormal = "MacroManagement/Record-normal.png";
  static constexpr std::string_view kRecordOver = "MacroManagement/Record-over.png";
  static constexpr std::string_view kBox = "MacroManagement/Pane.png";
  static constexpr std::string_view kBoxTicked = "MacroManagement/PaneMakingTick.png";
  static constexpr std::string_view kButtonNormal = "MacroManagement/button-new-normal.png";
  static constexpr std::string_view kButtonOver = "MacroManagement/button-new-over.png";

  // The first button whose rectangle holds the point, or -1.
  static constexpr int HitTest(int x, int y) {
    for (std::size_t i = 0; i < kButtons.size(); ++i) {
      if (kButtons[i].Contains(x, y)) {
        return static_cast<int>(i);
      }
    }
    return -1;
  }
  static constexpr const PixelRect& Rect(MacroButton button) {
    return kButtons[static_cast<std::size_t>(button)];
  }
};

}  // namespace n240qx
