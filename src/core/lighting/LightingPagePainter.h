#pragma once

#include <vector>

#include "image/ConfigImage.h"
#include "lighting/LightingPage.h"
#include "paint/PaintOp.h"
#include "util/Language.h"

namespace n240qx {

// What the lighting column shows for the current image and page state, in drawing order. The
// slider windows draw themselves (LightingPage says which are visible); the performance panel
// and the Profile and Macro buttons belong to the main window.
class LightingPagePainter {
 public:
  // The swatch frame shows the choice as LightingPage::SettleColourChoice stores it, whether or
  // not it has been stored yet; painting changes nothing.
  static std::vector<PaintOp> Paint(const ConfigImage& image, const LightingPage& page,
                                    Language language);

 private:
  static void PaintHeading(const ConfigImage& image, Language language, std::vector<PaintOp>& ops);
  static void PaintSliderTexts(const ConfigImage& image, Language language,
                               std::vector<PaintOp>& ops);
  static void PaintColourArea(const ConfigImage& image, std::vector<PaintOp>& ops);
  static void PaintDirection(const ConfigImage& image, std::vector<PaintOp>& ops);
  static void PaintPerKeyChoice(const ConfigImage& image, const LightingPage& page,
                                Language language, std::vector<PaintOp>& ops);
  static void PaintEffectList(const LightingPage& page, Language language,
                              std::vector<PaintOp>& ops);
};

}  // namespace n240qx
