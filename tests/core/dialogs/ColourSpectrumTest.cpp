#include <gtest/gtest.h>

#include "dialogs/ColourSpectrum.h"
#include "dialogs/SpectrumGeometry.h"

namespace n240qx {
namespace {

TEST(SpectrumGeometry, PartsOfTheDialogSizedControl) {
  const SpectrumGeometry g;
  EXPECT_EQ(g.bar_rows(), 120);
  EXPECT_EQ(g.FieldHitRect(), (PixelRect{0, 10, 124, 129}));
  EXPECT_EQ(g.BarHitRect(), (PixelRect{131, 2, 157, 137}));
  EXPECT_EQ(g.StripRect(), (PixelRect{131, 10, 144, 129}));
  EXPECT_EQ(g.ArrowColumns().left, 148);
  EXPECT_EQ(g.ArrowColumns().right, 156);
}

TEST(SpectrumGeometry, CachedPictureRunsThroughTheHuesAndDownToGrey) {
  const SpectrumGeometry g;
  // Top-left of the drawn field: hue 0, saturation 240 * 139 / 139 at luminosity 120.
  EXPECT_EQ(g.CachedPixel(0, 10), (RgbColour{255, 0, 0}));
  // Bottom row of the control: k = 10, saturation 17.
  EXPECT_EQ(g.CachedPixel(0, 139), HslToRgb({0, 17, 120}));
  // Hue 240 at the right-hand column is red again.
  EXPECT_EQ(g.CachedPixel(124, 10), (RgbColour{255, 0, 0}));
  EXPECT_EQ(g.CachedPixel(62, 10), HslToRgb({120, 240, 120}));
  // Above the field, right of it and outside the control: background.
  EXPECT_EQ(g.CachedPixel(0, 9), SpectrumGeometry::kBackground);
  EXPECT_EQ(g.CachedPixel(125, 50), SpectrumGeometry::kBackground);
  EXPECT_EQ(g.CachedPixel(-1, 50), SpectrumGeometry::kBackground);
  EXPECT_EQ(g.CachedPixel(0, 140), SpectrumGeometry::kBackground);
}

TEST(SpectrumGeometry, PointToColourEdges) {
  const SpectrumGeometry g;
  EXPECT_EQ(g.FieldPointToHsl(0, 10, 120), (Hsl{0, 240, 120}));
  EXPECT_EQ(g.FieldPointToHsl(124, 129, 77), (Hsl{239, 0, 77}));
  EXPECT_EQ(g.BarPointToArrow(2), 0) << "above the strip counts as its top";
  EXPECT_EQ(g.BarPointToArrow(137), 119);
  EXPECT_EQ(g.ArrowToLuminosity(0), 240);
  EXPECT_EQ(g.ArrowToLuminosity(119), 0);
  EXPECT_EQ(g.ArrowToLuminosity(60), (240 * 60 - 240) / 119);
}

TEST(SpectrumGeometry, ColourToPositionIsClampedToTheParts) {
  const SpectrumGeometry g;
  EXPECT_EQ(g.MarkerOf({239, 0, 0}), (PixelPoint{124, 129}));
  EXPECT_EQ(g.MarkerOf({0, 240, 0}), (PixelPoint{0, 10}));
  EXPECT_EQ(g.ArrowOf(240), 0);
  EXPECT_EQ(g.ArrowOf(0), 119);
  EXPECT_EQ(g.ArrowOf(120), 60);
  EXPECT_EQ(g.ArrowTop(119), 121);
}

TEST(SpectrumGeometry, StripShowsTheCurrentHueFromBlackToWhite) {
  const SpectrumGeometry g;
  EXPECT_EQ(g.StripColour({0, 240, 0}, 10), (RgbColour{255, 255, 255}));
  EXPECT_EQ(g.StripColour({0, 240, 0}, 129), (RgbColour{0, 0, 0}));
  EXPECT_FALSE(g.StripColour({0, 240, 0}, 9).has_value());
  EXPECT_FALSE(g.StripColour({0, 240, 0}, 130).has_value());
}

TEST(SpectrumGeometry, CrosshairIsClippedToTheField) {
  const SpectrumGeometry g;
  EXPECT_EQ(g.CrosshairPixels({60, 60}).size(), 4U * 15U);
  const auto corner = g.CrosshairPixels({0, 10});
  // At the top-left corner only two columns of the lower arm and two rows of the right arm
  // fall inside the field: 2 x 5 + 5 x 2 pixels.
  EXPECT_EQ(corner.size(), 20U);
  for (const auto& p : corner) {
    EXPECT_TRUE(g.FieldHitRect().Contains(p.x, p.y));
  }
}

TEST(ColourSpectrum, SetColourMovesMarkerAndArrowWithoutNotice) {
  ColourSpectrum spectrum;
  spectrum.SetColour({255, 0, 0});
  EXPECT_EQ(spectrum.hsl(), (Hsl{0, 240, 120}));
  EXPECT_EQ(spectrum.marker(), (PixelPoint{0, 10}));
  EXPECT_EQ(spectrum.arrow(), 60);
  EXPECT_EQ(spectrum.colour(), (RgbColour{255, 0, 0}));
}

TEST(ColourSpectrum, PressAndDragInTheField) {
  ColourSpectrum spectrum;
  spectrum.SetColour({255, 0, 0});
  const auto notice = spectrum.OnButtonDown(62, 10);
  ASSERT_TRUE(notice.has_value());
  EXPECT_EQ(notice->kind, SpectrumNotice::Kind::kSelectionChanged);
  EXPECT_EQ(spectrum.focus(), ColourSpectrum::Part::kField);
  EXPECT_TRUE(spectrum.field_drag());
  EXPECT_EQ(spectrum.hsl(), (Hsl{239 * 62 / 124, 240, 120}));
  EXPECT_EQ(spectrum.marker(), (PixelPoint{62, 10}));

  // Outside the field the drag goes on but the colour stays.
  EXPECT_FALSE(spectrum.OnMouseMove(126, 50, true).has_value());
  EXPECT_TRUE(spectrum.field_drag());
  const auto moved = spectrum.OnMouseMove(10, 129, true);
  ASSERT_TRUE(moved.has_value());
  EXPECT_EQ(spectrum.hsl().saturation, 0);
  EXPECT_EQ(moved->colour, HslToRgb({239 * 10 / 124, 0, 120}));

  // Button found up on a move: both drags end.
  EXPECT_FALSE(spectrum.OnMouseMove(20, 20, false).has_value());
  EXPECT_FALSE(spectrum.field_drag());
}

TEST(ColourSpectrum, PressInTheBarSetsLuminosityOnly) {
  ColourSpectrum spectrum;
  spectrum.SetColour({255, 0, 0});
  const auto notice = spectrum.OnButtonDown(140, 2);
  ASSERT_TRUE(notice.has_value());
  EXPECT_EQ(spectrum.focus(), ColourSpectrum::Part::kBar);
  EXPECT_EQ(spectrum.hsl(), (Hsl{0, 240, 240}));
  EXPECT_EQ(notice->colour, (RgbColour{255, 255, 255}));
  spectrum.OnButtonUp();
  EXPECT_FALSE(spectrum.bar_drag());
  EXPECT_FALSE(spectrum.OnMouseMove(140, 60, true).has_value()) << "no drag after release";
}

TEST(ColourSpectrum, PressOutsideBothPartsDoesNothing) {
  ColourSpectrum spectrum;
  EXPECT_FALSE(spectrum.OnButtonDown(127, 60).has_value());  // between field and bar
  EXPECT_FALSE(spectrum.OnButtonDown(60, 5).has_value());    // above the field
  EXPECT_EQ(spectrum.focus(), ColourSpectrum::Part::kNone);
}

TEST(ColourSpectrum, DoubleClickEndsWithTheCurrentColour) {
  ColourSpectrum spectrum;
  spectrum.SetColour({0, 0, 255});
  const auto notice = spectrum.OnDoubleClick(140, 50);
  ASSERT_TRUE(notice.has_value());
  EXPECT_EQ(notice->kind, SpectrumNotice::Kind::kSelectionEndOk);
  EXPECT_EQ(notice->colour, (RgbColour{0, 0, 255}));
  EXPECT_FALSE(spectrum.OnDoubleClick(127, 50).has_value());
}

TEST(ColourSpectrum, FieldKeys) {
  ColourSpectrum spectrum;
  spectrum.SetColour({255, 0, 0});
  spectrum.OnSetFocus(false);
  auto result = spectrum.OnKey(SpectrumKey::kEnd, false, false);
  ASSERT_TRUE(result.notice.has_value());
  EXPECT_EQ(spectrum.hsl().hue, 239);
  EXPECT_EQ(spectrum.marker().x, 124) << "right edge of the field";

  spectrum.OnKey(SpectrumKey::kRight, false, false);
  EXPECT_EQ(spectrum.hsl().hue, 239) << "clamped";
  spectrum.OnKey(SpectrumKey::kLeft, true, false);
  EXPECT_EQ(spectrum.hsl().hue, 238) << "Ctrl steps by 1";
  spectrum.OnKey(SpectrumKey::kLeft, false, true);
  EXPECT_EQ(spectrum.hsl().hue, 228) << "Shift steps by 10";
  spectrum.OnKey(SpectrumKey::kLeft, false, false);
  EXPECT_EQ(spectrum.hsl().hue, 223) << "plain steps by 5";
  spectrum.OnKey(SpectrumKey::kHome, false, false);
  EXPECT_EQ(spectrum.hsl().hue, 0);
  spectrum.OnKey(SpectrumKey::kPageDown, false, false);
  EXPECT_EQ(spectrum.hsl().saturation, 0);
  EXPECT_EQ(spectrum.colour(), (RgbColour{127, 127, 127}));
  spectrum.OnKey(SpectrumKey::kDown, false, false);
  EXPECT_EQ(spectrum.hsl().saturation, 0);
  spectrum.OnKey(SpectrumKey::kUp, false, false);
  EXPECT_EQ(spectrum.hsl().saturation, 5);
  spectrum.OnKey(SpectrumKey::kPageUp, false, false);
  EXPECT_EQ(spectrum.hsl().saturation, 240);
}

TEST(ColourSpectrum, BarKeysAndPageDownGivesBlack) {
  ColourSpectrum spectrum;
  spectrum.SetColour({255, 0, 0});
  spectrum.OnSetFocus(true);
  EXPECT_EQ(spectrum.focus(), ColourSpectrum::Part::kBar);
  const auto result = spectrum.OnKey(SpectrumKey::kPageDown, false, false);
  ASSERT_TRUE(result.notice.has_value());
  EXPECT_EQ(spectrum.hsl().luminosity, 0);
  EXPECT_EQ(result.notice->colour, (RgbColour{0, 0, 0}));
  EXPECT_EQ(spectrum.arrow(), 119);
  spectrum.OnKey(SpectrumKey::kHome, false, false);
  EXPECT_EQ(spectrum.hsl().luminosity, 240);
  EXPECT_EQ(spectrum.arrow(), 0);
  spectrum.OnKey(SpectrumKey::kDown, true, false);
  EXPECT_EQ(spectrum.hsl().luminosity, 239);
  EXPECT_FALSE(spectrum.OnKey(SpectrumKey::kLeft, false, false).notice.has_value())
      << "Left and Right do nothing in the bar";
}

TEST(ColourSpectrum, TabWalksFieldBarThenLeaves) {
  ColourSpectrum spectrum;
  spectrum.OnSetFocus(false);
  EXPECT_EQ(spectrum.OnKey(SpectrumKey::kTab, false, false).focus_move, SpectrumFocusMove::kStay);
  EXPECT_EQ(spectrum.focus(), ColourSpectrum::Part::kBar);
  EXPECT_EQ(spectrum.OnKey(SpectrumKey::kTab, false, false).focus_move,
            SpectrumFocusMove::kNextControl);
  EXPECT_EQ(spectrum.OnKey(SpectrumKey::kTab, false, true).focus_move, SpectrumFocusMove::kStay);
  EXPECT_EQ(spectrum.focus(), ColourSpectrum::Part::kField);
  EXPECT_EQ(spectrum.OnKey(SpectrumKey::kTab, false, true).focus_move,
            SpectrumFocusMove::kPreviousControl);
  spectrum.OnKillFocus();
  EXPECT_EQ(spectrum.focus(), ColourSpectrum::Part::kNone);
  EXPECT_FALSE(spectrum.OnKey(SpectrumKey::kUp, false, false).notice.has_value());
}

}  // namespace
}  // namespace n240qx
