#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string_view>
#include <vector>

#include "dialogs/ColourSpectrum.h"
#include "paint/PaintOp.h"
#include "paint/PixelRect.h"
#include "util/Language.h"

namespace n240qx {

// The six read-only boxes of the colour dialog, in decimal.
struct ColourDialogBoxes {
  int red = 0;
  int green = 0;
  int blue = 0;
  int hue = 0;
  int saturation = 0;
  int luminosity = 0;
  bool operator==(const ColourDialogBoxes&) const = default;
};

enum class ColourDialogAction { kNone, kRepaint, kCancel };

// Where the dialog's own controls sit (x, y, width, height).
struct ColourDialogPlace {
  int x;
  int y;
  int width;
  int height;
};

// The colour dialog (`CCustomColorDialog`): the 64-swatch palette, the spectrum control and the
// shared colour, which the caller fills before the dialog opens and reads after OK. The shared
// colour belongs to the program; the dialog only holds a reference to it.
class ColourDialogModel {
 public:
  static constexpr int kSpectrumControlId = 9001;
  static constexpr ColourDialogPlace kSpectrumPlace{171, 27, 160, 140};
  static constexpr ColourDialogPlace kOkPlace{218, 187, 47, 15};
  static constexpr ColourDialogPlace kCancelPlace{270, 187, 47, 15};
  static constexpr ColourDialogPlace kRedBox{128, 150, 30, 15};
  static constexpr ColourDialogPlace kGreenBox{128, 165, 30, 15};
  static constexpr ColourDialogPlace kBlueBox{128, 180, 30, 15};
  static constexpr ColourDialogPlace kHueBox{80, 150, 30, 15};
  static constexpr ColourDialogPlace kSaturationBox{80, 165, 30, 15};
  static constexpr ColourDialogPlace kLuminosityBox{80, 180, 30, 15};
  // The close mark painted on the background picture.
  static constexpr PixelRect kCloseMark{322, 8, 327, 14};
  static constexpr std::string_view kBackground = "Color_BK.png";

  explicit ColourDialogModel(std::uint32_t& shared_colour);

  // Each opening starts a fresh spectrum at the shared colour, focused on its field.
  void Open();

  // The spectrum's change notice makes its colour the shared colour; its end notice is not
  // acted on, the dialog ends only through OK, Cancel or the close mark.
  ColourDialogAction OnSpectrumNotice(const SpectrumNotice& notice);
  ColourDialogAction OnButtonUp(int x, int y);

  ColourDialogBoxes Boxes() const;
  std::optional<std::size_t> selected_swatch() const { return selected_swatch_; }
  RgbColour shared_colour() const { return RgbColour::FromPacked(shared_colour_); }
  ColourSpectrum& spectrum() { return spectrum_; }
  const ColourSpectrum& spectrum() const { return spectrum_; }

  // Everything drawn over the background picture, in order.
  std::vector<PaintOp> Paint(Language language) const;

  static std::string_view WindowText(Language language) {
    return language == Language::kGerman ? "Farbe" : "Color";
  }
  static std::string_view OkText(Language /*language*/) { return "OK"; }
  static std::string_view CancelText(Language language) {
    return language == Language::kGerman ? "Abbrechen" : "Cancel";
  }

 private:
  std::uint32_t& shared_colour_;
  ColourSpectrum spectrum_;
  std::optional<std::size_t> selected_swatch_;
};

}  // namespace n240qx
