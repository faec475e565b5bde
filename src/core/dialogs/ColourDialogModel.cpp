#include "dialogs/ColourDialogModel.h"

#include "dialogs/ColourPalette.h"

namespace n240qx {

namespace {
constexpr RgbColour kSpectrumInitial{192, 192, 192};
constexpr RgbColour kBlack{0, 0, 0};
constexpr int kTitleHeight = 18;
constexpr int kLetterHeight = 15;
}  // namespace

ColourDialogModel::ColourDialogModel(std::uint32_t& shared_colour)
    : shared_colour_(shared_colour),
      spectrum_(SpectrumGeometry(kSpectrumPlace.width, kSpectrumPlace.height), kSpectrumInitial) {}

void ColourDialogModel::Open() {
  spectrum_ = ColourSpectrum(SpectrumGeometry(kSpectrumPlace.width, kSpectrumPlace.height),
                             kSpectrumInitial);
  spectrum_.OnSetFocus(false);
  // Only the 24 colour bits count; whatever a caller left in the top byte is not a colour.
  shared_colour_ &= 0xFFFFFF;
  spectrum_.SetColour(shared_colour());
  selected_swatch_ = ColourPalette::FindColour(shared_colour());
}

ColourDialogAction ColourDialogModel::OnSpectrumNotice(const SpectrumNotice& notice) {
  if (notice.kind != SpectrumNotice::Kind::kSelectionChanged) {
    return ColourDialogAction::kNone;
  }
  shared_colour_ = notice.colour.Packed();
  return ColourDialogAction::kRepaint;
}

ColourDialogAction ColourDialogModel::OnButtonUp(int x, int y) {
  if (const auto swatch = ColourPalette::SwatchAt(x, y)) {
    selected_swatch_ = swatch;
    const RgbColour colour = ColourPalette::Colours()[*swatch];
    spectrum_.SetColour(colour);
    shared_colour_ = colour.Packed();
    return ColourDialogAction::kRepaint;
  }
  if (kCloseMark.Contains(x, y)) {
    return ColourDialogAction::kCancel;
  }
  return ColourDialogAction::kNone;
}

ColourDialogBoxes ColourDialogModel::Boxes() const {
  const RgbColour colour = shared_colour();
  const Hsl& hsl = spectrum_.hsl();
  return {colour.red, colour.green, colour.blue, hsl.hue, hsl.saturation, hsl.luminosity};
}

std::vector<PaintOp> ColourDialogModel::Paint(Language language) const {
  std::vector<PaintOp> ops;
  ops.push_back(PaintPicture{0, 0, std::string(kBackground)});
  if (selected_swatch_) {
    const PixelRect swatch = ColourPalette::SwatchRect(*selected_swatch_);
    // From (x - 1, y - 1) to (x + 12, y + 11), both corners drawn.
    ops.push_back(PaintFrame{swatch.left - 1, swatch.top - 1, 14, 13, kBlack});
  }
  ops.push_back(PaintText{0, 0, kTitleHeight, language == Language::kGerman ? "FARBE" : "COLOR"});
  const struct {
    int x;
    int y;
    const char* letter;
  } letters[] = {{118, 150, "R"}, {118, 165, "G"}, {118, 180, "B"},
                 {70, 150, "H"},  {70, 165, "S"},  {70, 180, "L"}};
  for (const auto& letter : letters) {
    ops.push_back(PaintText{letter.x, letter.y, kLetterHeight, letter.letter});
  }
  ops.push_back(PaintFill{14, 150, 45, 45, shared_colour()});
  return ops;
}

}  // namespace n240qx
