#include "window/MainWindowLayout.h"

namespace n240qx {

std::array<PicturePlacement, 6> MainWindowLayout::Buttons() {
  return {{
      {"button-help-normal.png", 936, 5},
      {"button-min-normal.png", 957, 5},
      {"button-close-normal.png", 978, 5},
      {"apply.png", kApplyButtonX, 562},
      {"Config.png", 25, 560},
      {"MacroButton3.png", 107, 560},
  }};
}

std::array<TextPlacement, 3> MainWindowLayout::ButtonCaptions(Language language) {
  if (language == Language::kGerman) {
    return {{
        {TextId::kApply, 872, 567, 13},
        {TextId::kProfile, 33, 562, 20},
        {TextId::kMacro, 110, 562, 20},
    }};
  }
  return {{
      {TextId::kApply, 876, 565, 20},
      {TextId::kProfile, 28, 562, 20},
      {TextId::kMacro, 110, 562, 20},
  }};
}

}  // namespace n240qx
