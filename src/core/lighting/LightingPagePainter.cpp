#include "lighting/LightingPagePainter.h"

#include <string>

#include "image/ImageField.h"
#include "lighting/EffectTable.h"
#include "lighting/LightingRules.h"

namespace n240qx {

namespace {

constexpr RgbColour kGreySwatch{192, 192, 192};
constexpr RgbColour kListRow{59, 59, 59};
constexpr RgbColour kListHoveredRow{80, 0, 0};
constexpr int kSwatchPitch = 25;
constexpr int kSwatchSize = 20;
constexpr int kListRowWidth = 220;  // x 28..247

PaintText Text(int x, int y, int height, std::string_view text) {
  return PaintText{x, y, height, std::string(text)};
}

const char* Pick(Language language, const char* german_text, const char* english_text) {
  return language == Language::kGerman ? german_text : english_text;
}

}  // namespace

std::vector<PaintOp> LightingPagePainter::Paint(const ConfigImage& image, const LightingPage& page,
                                                Language language) {
  std::vector<PaintOp> ops;
  PaintHeading(image, language, ops);
  PaintSliderTexts(image, language, ops);
  PaintColourArea(image, ops);
  PaintDirection(image, ops);
  PaintPerKeyChoice(image, page, language, ops);
  if (page.effect_list_open()) {
    PaintEffectList(page, language, ops);
  }
  return ops;
}

void LightingPagePainter::PaintHeading(const ConfigImage& image, Language language,
                                       std::vector<PaintOp>& ops) {
  ops.push_back(Text(19, 110, 15, Pick(language, "Licht", "Lighting")));
  ops.push_back(Text(28, 137, 15, Pick(language, "Lichteffekte", "Light effects")));
  ops.push_back(PaintPicture{28, 158, "Light_Item.png"});
  const auto name = EffectTable::NameOfCode(image.light_effect(), language);
  if (!name.empty()) {
    ops.push_back(Text(28, 158, 14, name));
  }
}

namespace {
// The slider widgets (17 pixels high from y 260 and 303) stand over the painting: the labels of
// their ends start just below them, or their ascenders are lost under the track.
constexpr int kBrightnessEndsY = 277;
constexpr int kSpeedEndsY = 320;
}  // namespace

void LightingPagePainter::PaintSliderTexts(const ConfigImage& image, Language language,
                                           std::vector<PaintOp>& ops) {
  if (LightingRules::ForEffect(image.light_effect()).speed_slider) {
    ops.push_back(Text(28, 290, 13, Pick(language, "Effekt geschwindigkeit", "Speed")));
    ops.push_back(Text(28, kSpeedEndsY, 13, Pick(language, "Langsam", "Slow")));
    ops.push_back(language == Language::kGerman ? Text(220, kSpeedEndsY, 13, "Schnell")
                                                : Text(230, kSpeedEndsY, 13, "Fast"));
  }
  ops.push_back(Text(28, 247, 13, Pick(language, "Helligkeit", "Brightness")));
  ops.push_back(Text(28, kBrightnessEndsY, 13, Pick(language, "niedrig", "Low")));
  ops.push_back(Text(230, kBrightnessEndsY, 13, Pick(language, "hoch", "High")));
}

void LightingPagePainter::PaintColourArea(const ConfigImage& image, std::vector<PaintOp>& ops) {
  const LightingRules rules = LightingRules::ForEffect(image.light_effect());
  if (rules.multicolour) {
    ops.push_back(PaintPicture{203, 223, "8.png"});
  }
  if (!rules.colour_area) {
    return;
  }
  const auto slots = image.colour_slots();
  for (int k = 0; k < static_cast<int>(image_field::kColourSlotCount); ++k) {
    const RgbColour slot{slots[3 * k], slots[3 * k + 1], slots[3 * k + 2]};
    ops.push_back(PaintFill{28 + kSwatchPitch * k, 223, kSwatchSize, kSwatchSize,
                            rules.forced_multicolour ? kGreySwatch : slot});
  }
  const int choice = rules.ShownColourChoice(image.colour_choice());
  ops.push_back(PaintFrame{26 + kSwatchPitch * (choice - 1), 221, 23, 23});
}

void LightingPagePainter::PaintDirection(const ConfigImage& image, std::vector<PaintOp>& ops) {
  if (!LightingRules::ForEffect(image.light_effect()).direction_arrows) {
    return;
  }
  ops.push_back(Text(29, 177, 15, "Light direction"));
  // Left to right: top (3), bottom (4), right (2), left (1).
  const struct {
    int x;
    std::uint8_t direction;
    const char* letter;
  } arrows[] = {{29, 3, "T"}, {79, 4, "B"}, {129, 2, "R"}, {179, 1, "L"}};
  for (const auto& arrow : arrows) {
    ops.push_back(
        PaintPicture{arrow.x, 197, std::string("Direction-") + arrow.letter + "-Disable.png"});
  }
  for (const auto& arrow : arrows) {
    if (arrow.direction == image.light_direction()) {
      ops.push_back(
          PaintPicture{arrow.x, 197, std::string("Direction-") + arrow.letter + "-Enable.png"});
    }
  }
}

void LightingPagePainter::PaintPerKeyChoice(const ConfigImage& image, const LightingPage& page,
                                            Language language, std::vector<PaintOp>& ops) {
  if (!LightingRules::ForEffect(image.light_effect()).per_key_choice) {
    return;
  }
  const bool custom = page.per_key_mode();
  ops.push_back(PaintPicture{28, 199, custom ? "Disable.png" : "Enable.png"});
  ops.push_back(PaintPicture{130, 199, custom ? "Enable.png" : "Disable.png"});
  ops.push_back(Text(45, 197, 15, "Keymap"));
  ops.push_back(Text(147, 197, 15, Pick(language, "Custom", "DIY")));
}

void LightingPagePainter::PaintEffectList(const LightingPage& page, Language language,
                                          std::vector<PaintOp>& ops) {
  const auto& rows = EffectTable::Rows();
  for (std::size_t j = 0; j < rows.size(); ++j) {
    const int top =
        LightingPage::kListArea.top + LightingPage::kListRowHeight * static_cast<int>(j);
    const bool hovered = page.hovered_row() == j;
    ops.push_back(PaintFill{28, top, kListRowWidth, LightingPage::kListRowHeight,
                            hovered ? kListHoveredRow : kListRow});
    ops.push_back(
        Text(28, top, 18, language == Language::kGerman ? rows[j].german : rows[j].english));
  }
}

}  // namespace n240qx
