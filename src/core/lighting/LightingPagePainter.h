#pragma once

#include <vector>

#include "app/Language.h"
#include "config/ConfigImage.h"
#include "lighting/LightingPage.h"
#include "paint/PaintOp.h"

namespace n240qx {

// What the lighting column shows for the current image and page state, in drawing order. The
// slider windows draw themselves (LightingPage says which are visible); the performance panel
// and the Profile and Macro buttons belong to the main window.
class LightingPagePainter {
 public:
  // Painting also settles the colour choice, as the page always has: a choice of 0 is stored as
  // 1 and one above 8 as 8 before the swatches are drawn, and "Wave" and "Spectrum" store
  // multicolour after them. Nothing else in the image changes.
  static std::vector<PaintOp> Paint(ConfigImage& image, const LightingPage& page,
                                    Language language);

 private:
  static void PaintHeading(const ConfigImage& image, Language language, std::vector<PaintOp>& ops);
  static void PaintSliderTexts(const ConfigImage& image, Language language,
                               std::vector<PaintOp>& ops);
  static void PaintColourArea(ConfigImage& image, std::vector<PaintOp>& ops);
  static void PaintDirection(const ConfigImage& image, std::vector<PaintOp>& ops);
  static void PaintPerKeyChoice(const ConfigImage& image, const LightingPage& page,
                                Language language, std::vector<PaintOp>& ops);
  static void PaintEffectList(const LightingPage& page, Language language,
                              std::vector<PaintOp>& ops);
};

}  // namespace n240qx
