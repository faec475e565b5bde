#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "lighting/Hsl.h"
#include "paint/RgbColour.h"

namespace n240qx {
namespace {

TEST(RgbColour, PackedFormKeepsRedInTheLowByte) {
  const RgbColour colour{0x12, 0x34, 0x56};
  EXPECT_EQ(colour.Packed(), 0x563412U);
  EXPECT_EQ(RgbColour::FromPacked(0xFF563412U), colour) << "the top byte is not a colour";
  EXPECT_EQ(colour.Complement(), (RgbColour{0xED, 0xCB, 0xA9}));
}

// Labels on per-key colours stay readable on every fill, the bright ones included.
TEST(RgbColour, LabelsStandApartFromEveryFill) {
  int weakest = 255;
  for (int red = 0; red <= 255; red += 15) {
    for (int green = 0; green <= 255; green += 15) {
      for (int blue = 0; blue <= 255; blue += 15) {
        const RgbColour fill{static_cast<std::uint8_t>(red), static_cast<std::uint8_t>(green),
                             static_cast<std::uint8_t>(blue)};
        weakest = std::min(weakest, std::abs(fill.LabelColour().Luma() - fill.Luma()));
      }
    }
  }
  EXPECT_GE(weakest, RgbColour::kLabelContrast);
  for (const RgbColour light : {RgbColour{0, 255, 0}, RgbColour{255, 255, 0}, kWhite}) {
    EXPECT_LT(light.LabelColour().Luma(), 64) << "dark on light " << light.Packed();
  }
}

TEST(RgbToHsl, GreysHaveNoHueOrSaturation) {
  EXPECT_EQ(RgbToHsl({12, 12, 12}), (Hsl{0, 0, 11}));
  EXPECT_EQ(RgbToHsl({0, 0, 0}), (Hsl{0, 0, 0}));
  EXPECT_EQ(RgbToHsl({255, 255, 255}), (Hsl{0, 0, 240}));
  EXPECT_EQ(RgbToHsl({128, 128, 128}), (Hsl{0, 0, 120}));
}

TEST(RgbToHsl, PrimariesAndSecondaries) {
  EXPECT_EQ(RgbToHsl({255, 0, 0}), (Hsl{0, 240, 120}));
  EXPECT_EQ(RgbToHsl({0, 255, 0}), (Hsl{80, 240, 120}));
  EXPECT_EQ(RgbToHsl({0, 0, 255}), (Hsl{160, 240, 120}));
  EXPECT_EQ(RgbToHsl({255, 255, 0}), (Hsl{40, 240, 120}));
  EXPECT_EQ(RgbToHsl({255, 0, 255}), (Hsl{200, 240, 120}));
}

TEST(RgbToHsl, HueJustBelowRedIsClampedTo239) {
  // (0 - 1/255) / 1 / 6 + 1 rounds to 240, one past the hue scale.
  EXPECT_EQ(RgbToHsl({255, 0, 1}).hue, 239);
}

TEST(RgbToHsl, SaturationUsesTheUpperFormulaFromHalfLuminosity) {
  // max 1, min 0.5: luminosity 0.75, saturation 0.5 / (2 - 1.5) = 1.
  EXPECT_EQ(RgbToHsl({255, 128, 128}).saturation, 240);
  // max 0.5, min 0: luminosity 0.25, saturation 0.5 / 0.5 = 1.
  EXPECT_EQ(RgbToHsl({128, 0, 0}), (Hsl{0, 240, 60}));
}

TEST(HslToRgb, KnownValues) {
  EXPECT_EQ(HslToRgb({0, 240, 120}), (RgbColour{255, 0, 0}));
  EXPECT_EQ(HslToRgb({80, 240, 120}), (RgbColour{0, 255, 0}));
  EXPECT_EQ(HslToRgb({160, 240, 120}), (RgbColour{0, 0, 255}));
  EXPECT_EQ(HslToRgb({0, 0, 0}), (RgbColour{0, 0, 0}));
  EXPECT_EQ(HslToRgb({0, 0, 11}), (RgbColour{11, 11, 11})) << "grey is truncated, not rounded";
}

TEST(HslToRgb, ZeroSaturationFullLuminosityIsWhiteForEveryHue) {
  for (int hue = 0; hue <= 239; ++hue) {
    ASSERT_EQ(HslToRgb({hue, 0, 240}), (RgbColour{255, 255, 255})) << "hue " << hue;
  }
}

TEST(HslToRgb, HueOf240IsRedAgainAndOutOfRangeInputsAreClamped) {
  EXPECT_EQ(HslToRgb({240, 240, 120}), (RgbColour{255, 0, 0}));
  EXPECT_EQ(HslToRgb({-5, 300, 120}), (RgbColour{255, 0, 0}));
  EXPECT_EQ(HslToRgb({0, 0, 999}), (RgbColour{255, 255, 255}));
}

TEST(HslConversions, RoundTripStaysCloseForEveryPaletteLikeColour) {
  for (int r = 0; r <= 255; r += 51) {
    for (int g = 0; g <= 255; g += 51) {
      for (int b = 0; b <= 255; b += 51) {
        const RgbColour in{static_cast<std::uint8_t>(r), static_cast<std::uint8_t>(g),
                           static_cast<std::uint8_t>(b)};
        const RgbColour out = HslToRgb(RgbToHsl(in));
        // The 0..240 scale loses a little; more than a few steps would be a formula fault.
        EXPECT_NEAR(out.red, in.red, 4) << r << "," << g << "," << b;
        EXPECT_NEAR(out.green, in.green, 4) << r << "," << g << "," << b;
        EXPECT_NEAR(out.blue, in.blue, 4) << r << "," << g << "," << b;
      }
    }
  }
}

}  // namespace
}  // namespace n240qx
