#include <gtest/gtest.h>

#include <variant>

#include "dialogs/ColourDialogModel.h"
#include "dialogs/ColourPalette.h"

namespace n240qx {
namespace {

TEST(ColourPalette, SwatchPositionsAndColours) {
  EXPECT_EQ(ColourPalette::SwatchRect(0), (PixelRect{13, 41, 26, 53}));
  EXPECT_EQ(ColourPalette::SwatchRect(63), (PixelRect{146, 178, 159, 190}));
  EXPECT_EQ(ColourPalette::SwatchRect(40), (PixelRect{13, 122, 26, 134})) << "row 5 is at 122";
  EXPECT_EQ(ColourPalette::Colours()[8], (RgbColour{255, 0, 0}));
  EXPECT_EQ(ColourPalette::Colours()[45], (RgbColour{129, 192, 192}));
  EXPECT_EQ(ColourPalette::Colours()[48], (RgbColour{255, 255, 255}));
  // Edges included; the gap between columns and the gap between rows 5 and 6 hit nothing.
  EXPECT_EQ(ColourPalette::SwatchAt(26, 53), 0U);
  EXPECT_FALSE(ColourPalette::SwatchAt(27, 45).has_value());
  EXPECT_EQ(ColourPalette::SwatchAt(32, 45), 1U);
  EXPECT_FALSE(ColourPalette::SwatchAt(20, 150).has_value());
}

TEST(ColourPalette, FindColourTakesTheFirstMatch) {
  // 128,128,255 is in rows 1 and 2; white is in row 5 and all of rows 6 and 7.
  EXPECT_EQ(ColourPalette::FindColour({128, 128, 255}), 14U);
  EXPECT_EQ(ColourPalette::FindColour({255, 255, 255}), 47U);
  EXPECT_FALSE(ColourPalette::FindColour({12, 12, 12}).has_value());
}

TEST(ColourDialog, OpeningAtTheLightingPagesStartColour) {
  std::uint32_t shared = RgbColour{12, 12, 12}.Packed();
  ColourDialogModel dialog(shared);
  dialog.Open();
  EXPECT_FALSE(dialog.selected_swatch().has_value());
  EXPECT_EQ(dialog.Boxes(), (ColourDialogBoxes{12, 12, 12, 0, 0, 11}));
  EXPECT_EQ(dialog.spectrum().focus(), ColourSpectrum::Part::kField);
  for (const auto& op : dialog.Paint(Language::kEnglish)) {
    EXPECT_FALSE(std::holds_alternative<PaintFrame>(op)) << "no swatch frame";
  }
}

TEST(ColourDialog, OpeningOnAPaletteColourSelectsItsSwatch) {
  std::uint32_t shared = RgbColour{0, 0, 160}.Packed();
  ColourDialogModel dialog(shared);
  dialog.Open();
  EXPECT_EQ(dialog.selected_swatch(), 29U);
}

TEST(ColourDialog, SwatchClickSetsSharedColourBoxesAndSpectrum) {
  std::uint32_t shared = RgbColour{12, 12, 12}.Packed();
  ColourDialogModel dialog(shared);
  dialog.Open();
  EXPECT_EQ(dialog.OnButtonUp(13, 57), ColourDialogAction::kRepaint);  // row 1, column 0
  EXPECT_EQ(shared, 0x0000FFU);
  EXPECT_EQ(dialog.selected_swatch(), 8U);
  EXPECT_EQ(dialog.Boxes(), (ColourDialogBoxes{255, 0, 0, 0, 240, 120}));
  EXPECT_EQ(dialog.spectrum().colour(), (RgbColour{255, 0, 0}));

  const auto ops = dialog.Paint(Language::kEnglish);
  bool framed = false;
  for (const auto& op : ops) {
    if (const auto* frame = std::get_if<PaintFrame>(&op)) {
      framed = true;
      EXPECT_EQ(frame->x, 12);
      EXPECT_EQ(frame->y, 56);
      EXPECT_EQ(frame->colour, (RgbColour{0, 0, 0}));
    }
  }
  EXPECT_TRUE(framed);
}

TEST(ColourDialog, SpectrumChangeKeepsTheSelectedSwatch) {
  std::uint32_t shared = 0;
  ColourDialogModel dialog(shared);
  dialog.Open();
  dialog.OnButtonUp(13, 57);
  const auto notice = dialog.spectrum().OnButtonDown(62, 10);
  ASSERT_TRUE(notice.has_value());
  EXPECT_EQ(dialog.OnSpectrumNotice(*notice), ColourDialogAction::kRepaint);
  EXPECT_EQ(RgbColour::FromPacked(shared), notice->colour);
  EXPECT_EQ(dialog.selected_swatch(), 8U);
  EXPECT_EQ(dialog.Boxes().hue, dialog.spectrum().hsl().hue);

  // The end notice of a double-click is not the dialog's business.
  const auto end = dialog.spectrum().OnDoubleClick(62, 10);
  ASSERT_TRUE(end.has_value());
  EXPECT_EQ(dialog.OnSpectrumNotice(*end), ColourDialogAction::kNone);
}

TEST(ColourDialog, BlackIsAPaletteColour) {
  std::uint32_t shared = 0;
  ColourDialogModel dialog(shared);
  dialog.Open();
  EXPECT_EQ(dialog.selected_swatch(), 40U);
}

TEST(ColourDialog, CloseMarkCancelsAndItsEdgesCount) {
  std::uint32_t shared = 0;
  ColourDialogModel dialog(shared);
  dialog.Open();
  EXPECT_EQ(dialog.OnButtonUp(322, 8), ColourDialogAction::kCancel);
  EXPECT_EQ(dialog.OnButtonUp(327, 14), ColourDialogAction::kCancel);
  EXPECT_EQ(dialog.OnButtonUp(328, 14), ColourDialogAction::kNone);
  EXPECT_EQ(dialog.OnButtonUp(322, 15), ColourDialogAction::kNone);
}

TEST(ColourDialog, ReopeningStartsAFreshSpectrumAtTheNewColour) {
  std::uint32_t shared = 0;
  ColourDialogModel dialog(shared);
  dialog.Open();
  dialog.spectrum().OnSetFocus(true);
  dialog.OnButtonUp(13, 57);
  shared = RgbColour{0, 255, 0}.Packed();
  dialog.Open();
  EXPECT_EQ(dialog.spectrum().focus(), ColourSpectrum::Part::kField);
  EXPECT_EQ(dialog.spectrum().colour(), (RgbColour{0, 255, 0}));
  EXPECT_EQ(dialog.selected_swatch(), 18U);
}

TEST(ColourDialog, TextsOfBothLanguages) {
  EXPECT_EQ(ColourDialogModel::CancelText(Language::kGerman), "Abbrechen");
  EXPECT_EQ(ColourDialogModel::WindowText(Language::kGerman), "Farbe");
  std::uint32_t shared = RgbColour{12, 12, 12}.Packed();
  ColourDialogModel dialog(shared);
  dialog.Open();
  const auto german = dialog.Paint(Language::kGerman);
  const auto english = dialog.Paint(Language::kEnglish);
  ASSERT_TRUE(std::holds_alternative<PaintText>(german[1]));
  EXPECT_EQ(std::get<PaintText>(german[1]).text, "FARBE");
  EXPECT_EQ(std::get<PaintText>(english[1]).text, "COLOR");
  const auto& preview = std::get<PaintFill>(english.back());
  EXPECT_EQ(preview.x, 14);
  EXPECT_EQ(preview.colour, (RgbColour{12, 12, 12}));
}

}  // namespace
}  // namespace n240qx
