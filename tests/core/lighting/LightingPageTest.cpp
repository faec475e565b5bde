#include <gtest/gtest.h>

#include <vector>

#include "image/ImageField.h"
#include "lighting/EffectTable.h"
#include "lighting/LightingPage.h"
#include "lighting/LightingRules.h"

namespace n240qx {
namespace {

// A page on a fresh image with a scripted colour dialog: it records the colour it was opened
// with and ends with OK on `answer`, or with Cancel when there is none.
class LightingPageTest : public ::testing::Test {
 protected:
  LightingPage page_{image_, shared_, [this] {
                       opened_with_.push_back(shared_);
                       if (!answer_) {
                         shared_ = 0x00ABCDEF;  // a cancelled dialog may leave anything behind
                         return false;
                       }
                       shared_ = answer_->Packed();
                       return true;
                     }};

  void PickRow(int row) {
    page_.OpenEffectList();
    page_.OnListButtonUp(100, 173 + 20 * row + 5);
  }
  RgbColour Slot(std::size_t k) const {
    const auto bytes = image_.Field(image_field::ColourSlot(k));
    return {bytes[0], bytes[1], bytes[2]};
  }

  ConfigImage image_;
  std::uint32_t shared_ = 0;
  std::optional<RgbColour> answer_;
  std::vector<std::uint32_t> opened_with_;
};

TEST(EffectTable, CodesAndNamesInListOrder) {
  const auto& rows = EffectTable::Rows();
  ASSERT_EQ(rows.size(), 16U);
  EXPECT_EQ(rows[6].code, 8);
  EXPECT_EQ(rows[6].german, "Spektrum");
  EXPECT_EQ(rows[7].code, 10);
  EXPECT_EQ(rows[15].code, 55);
  EXPECT_EQ(rows[15].german, "Beleuchtungs Profil 5");
  EXPECT_EQ(EffectTable::NameOfCode(1, Language::kGerman), "statisch");
  EXPECT_EQ(EffectTable::NameOfCode(12, Language::kEnglish), "Spotlight");
  EXPECT_EQ(EffectTable::NameOfCode(7, Language::kEnglish), "") << "codes 7 and 9 do not exist";
  EXPECT_FALSE(EffectTable::RowOfCode(56).has_value());
}

TEST(LightingRules, WhatEachCodeOffers) {
  const auto statics = LightingRules::ForEffect(1);
  EXPECT_FALSE(statics.speed_slider);
  EXPECT_TRUE(statics.colour_area);
  EXPECT_FALSE(statics.multicolour);
  const auto wave = LightingRules::ForEffect(3);
  EXPECT_TRUE(wave.speed_slider && wave.multicolour && wave.forced_multicolour &&
              wave.direction_arrows);
  EXPECT_TRUE(LightingRules::ForEffect(8).forced_multicolour);
  EXPECT_FALSE(LightingRules::ForEffect(8).direction_arrows);
  EXPECT_TRUE(LightingRules::ForEffect(13).direction_arrows);
  EXPECT_TRUE(LightingRules::ForEffect(50).colour_area) << "up to 50 is built-in";
  const auto profile = LightingRules::ForEffect(51);
  EXPECT_FALSE(profile.speed_slider || profile.colour_area || profile.multicolour);
  EXPECT_TRUE(profile.per_key_choice);
  EXPECT_TRUE(LightingRules::ForEffect(200).per_key_choice);
}

TEST(LightingRules, SpeedSliderStopsOneCodeBeforeTheColourArea) {
  struct Case {
    std::uint8_t code;
    bool speed;
    bool colour_area;
  };
  for (const Case c : {Case{1, false, true}, Case{2, true, true}, Case{49, true, true},
                       Case{50, false, true}, Case{51, false, false}, Case{255, false, false}}) {
    const auto rules = LightingRules::ForEffect(c.code);
    EXPECT_EQ(rules.speed_slider, c.speed) << "code " << int{c.code};
    EXPECT_EQ(rules.colour_area, c.colour_area) << "code " << int{c.code};
  }
}

TEST(LightingRules, OnlyTheFiveProfilesHaveAColourTable) {
  EXPECT_EQ(LightingRules::ColourTableOf(51), 0U);
  EXPECT_EQ(LightingRules::ColourTableOf(55), 4U);
  EXPECT_FALSE(LightingRules::ColourTableOf(50).has_value());
  EXPECT_FALSE(LightingRules::ColourTableOf(56).has_value());
  EXPECT_FALSE(LightingRules::ColourTableOf(255).has_value());
}

TEST_F(LightingPageTest, PickingStaticWithMulticolourChosenSetsColourOne) {
  image_.light_effect() = 2;
  image_.colour_choice() = 8;
  PickRow(0);
  EXPECT_EQ(image_.light_effect(), 1);
  EXPECT_EQ(image_.colour_choice(), 1);
  EXPECT_FALSE(page_.effect_list_open());
  // The multicolour button is then not accepted.
  EXPECT_TRUE(page_.OnItemButtonUp(PageItem::kMulticolour, 210, 230));
  EXPECT_EQ(image_.colour_choice(), 1);
}

TEST_F(LightingPageTest, PickingStaticKeepsASwatchChoice) {
  image_.colour_choice() = 4;
  PickRow(0);
  EXPECT_EQ(image_.colour_choice(), 4);
}

TEST_F(LightingPageTest, WaveAndSpectrumForceMulticolourAndIgnoreSwatches) {
  for (const int row : {2, 6}) {
    image_.colour_choice() = 3;
    PickRow(row);
    EXPECT_EQ(image_.colour_choice(), 8) << "row " << row;
    for (int k = 0; k < 7; ++k) {
      page_.OnItemButtonUp(static_cast<PageItem>(PageItemIndex(PageItem::kColour1) + k),
                           30 + 25 * k, 230);
      page_.OnItemButtonUp(static_cast<PageItem>(PageItemIndex(PageItem::kColour1) + k),
                           30 + 25 * k, 230);
    }
    EXPECT_EQ(image_.colour_choice(), 8);
    EXPECT_TRUE(opened_with_.empty()) << "no colour dialog for greyed swatches";
  }
}

TEST_F(LightingPageTest, SwatchFirstSelectsThenEditsItsColour) {
  image_.light_effect() = 2;
  image_.colour_choice() = 1;
  page_.OnItemButtonUp(static_cast<PageItem>(PageItemIndex(PageItem::kColour1) + 2), 0, 0);
  EXPECT_EQ(image_.colour_choice(), 3);
  EXPECT_TRUE(opened_with_.empty());

  answer_ = RgbColour{10, 20, 30};
  page_.OnItemButtonUp(static_cast<PageItem>(PageItemIndex(PageItem::kColour1) + 2), 0, 0);
  ASSERT_EQ(opened_with_.size(), 1U);
  EXPECT_EQ(opened_with_[0], 0x0C0C0CU) << "the dialog starts at 12,12,12, not the slot";
  EXPECT_EQ(Slot(2), (RgbColour{10, 20, 30}));
  EXPECT_EQ(image_.colour_choice(), 3);
  EXPECT_EQ(Slot(1), (RgbColour{})) << "neighbours untouched";
}

TEST_F(LightingPageTest, CancelLeavesTheSlotUnchanged) {
  image_.light_effect() = 2;
  image_.colour_choice() = 7;
  image_.Field(image_field::ColourSlot(6))[0] = 99;
  answer_.reset();
  page_.OnItemButtonUp(static_cast<PageItem>(PageItemIndex(PageItem::kColour1) + 6), 0, 0);
  EXPECT_EQ(opened_with_.size(), 1U);
  EXPECT_EQ(Slot(6), (RgbColour{99, 0, 0}));
}

TEST_F(LightingPageTest, MulticolourAcceptedForEveryCodeButStatic) {
  image_.light_effect() = 4;
  image_.colour_choice() = 2;
  page_.OnItemButtonUp(PageItem::kMulticolour, 0, 0);
  EXPECT_EQ(image_.colour_choice(), 8);
}

TEST_F(LightingPageTest, DirectionItemsActWhateverTheEffect) {
  image_.light_effect() = 1;  // "Static": no arrows drawn
  page_.OnItemButtonUp(PageItem::kDirectionTop, 30, 200);
  EXPECT_EQ(image_.light_direction(), 3);
  page_.OnItemButtonUp(PageItem::kDirectionBottom, 0, 0);
  EXPECT_EQ(image_.light_direction(), 4);
  page_.OnItemButtonUp(PageItem::kDirectionRight, 0, 0);
  EXPECT_EQ(image_.light_direction(), 2);
  page_.OnItemButtonUp(PageItem::kDirectionLeft, 0, 0);
  EXPECT_EQ(image_.light_direction(), 1);
}

TEST_F(LightingPageTest, ItemsOfOtherPartsAreNotTaken) {
  for (const PageItem item : {PageItem::kHelp, PageItem::kClose, PageItem::kGameMode,
                              PageItem::kMacro, PageItem::kRestore, PageItem::kApply}) {
    EXPECT_FALSE(page_.OnItemButtonUp(item, 0, 0)) << PageItemIndex(item);
  }
}

TEST_F(LightingPageTest, ListGeometryEdges) {
  EXPECT_EQ(LightingPage::ListRowAt(28, 173), 0U);
  EXPECT_EQ(LightingPage::ListRowAt(248, 192), 0U);
  EXPECT_EQ(LightingPage::ListRowAt(248, 193), 1U);
  EXPECT_EQ(LightingPage::ListRowAt(100, 492), 15U);
  EXPECT_FALSE(LightingPage::ListRowAt(100, 493).has_value());
  EXPECT_FALSE(LightingPage::ListRowAt(27, 200).has_value());
  EXPECT_FALSE(LightingPage::ListRowAt(249, 200).has_value());
  EXPECT_FALSE(LightingPage::ListRowAt(100, 172).has_value());
}

TEST_F(LightingPageTest, ReleaseAt492PicksTheLastProfileAnd493OnlyCloses) {
  image_.light_effect() = 2;
  page_.OpenEffectList();
  EXPECT_FALSE(page_.SlidersVisible());
  page_.OnListButtonUp(100, 492);
  EXPECT_EQ(image_.light_effect(), 55);
  EXPECT_TRUE(page_.per_key_mode());
  EXPECT_EQ(page_.hovered_row(), 15);
  EXPECT_TRUE(page_.SlidersVisible());
  EXPECT_FALSE(page_.SpeedSliderVisible()) << "no speed for lighting profiles";

  page_.OnItemButtonUp(PageItem::kKeymap, 30, 205);
  page_.OpenEffectList();
  page_.OnListButtonUp(100, 493);
  EXPECT_FALSE(page_.effect_list_open());
  EXPECT_EQ(image_.light_effect(), 55);
  EXPECT_FALSE(page_.per_key_mode());
}

TEST_F(LightingPageTest, PickingABuiltInEffectLeavesPerKeyMode) {
  PickRow(11);
  EXPECT_TRUE(page_.per_key_mode());
  EXPECT_EQ(page_.CurrentColourTable(), 0U);
  PickRow(10);
  EXPECT_EQ(image_.light_effect(), 13);
  EXPECT_FALSE(page_.per_key_mode());
  EXPECT_TRUE(page_.SpeedSliderVisible());
}

TEST_F(LightingPageTest, HoverReportsOnlyChangesOfRow) {
  page_.OpenEffectList();
  EXPECT_TRUE(page_.OnListHover(100, 175));
  EXPECT_EQ(page_.hovered_row(), 0);
  EXPECT_FALSE(page_.OnListHover(120, 190));
  EXPECT_TRUE(page_.OnListHover(100, 493));
  EXPECT_EQ(page_.hovered_row(), LightingPage::kNoRow);
}

TEST_F(LightingPageTest, KeymapAndCustomSetTheModeAndRevertFollowsTheEffect) {
  page_.OnItemButtonUp(PageItem::kCustom, 135, 205);
  EXPECT_TRUE(page_.per_key_mode());
  page_.OnItemButtonUp(PageItem::kKeymap, 30, 205);
  EXPECT_FALSE(page_.per_key_mode());
  image_.light_effect() = 53;
  page_.SetPerKeyModeFromEffect();
  EXPECT_TRUE(page_.per_key_mode());
  image_.light_effect() = 5;
  page_.SetPerKeyModeFromEffect();
  EXPECT_FALSE(page_.per_key_mode());
}

TEST_F(LightingPageTest, SliderPositionsGoIntoTheImageAndRepaintOnlyOnChange) {
  EXPECT_TRUE(page_.OnSliderPosition(SliderId::kBrightness, 37));
  EXPECT_EQ(image_.brightness(), 37);
  EXPECT_FALSE(page_.OnSliderPosition(SliderId::kBrightness, 37));
  EXPECT_TRUE(page_.OnSliderPosition(SliderId::kSpeed, 0));
  EXPECT_EQ(image_.effect_speed(), 0);
  EXPECT_FALSE(page_.OnSliderPosition(SliderId::kReportRate, 2))
      << "report rate is the performance panel's";
  EXPECT_EQ(image_.report_rate(), 0);
  image_.effect_speed() = 200;  // from a damaged profile file
  EXPECT_EQ(page_.SpeedSliderPosition(), 9);
}

TEST_F(LightingPageTest, ApplyColourWritesTheCurrentTableAtTheKeySlots) {
  PickRow(13);  // code 53, table 2
  answer_ = RgbColour{1, 2, 3};
  const std::uint8_t slots[] = {0, 81, 127, 200};
  EXPECT_EQ(page_.ApplyColourToKeySlots(slots), ColourApplyResult::kApplied);
  EXPECT_EQ(opened_with_, std::vector<std::uint32_t>{0x0C0C0C});
  const auto table = image_.Field(image_field::ColourTable(2));
  for (const std::size_t slot : {0U, 81U, 127U}) {
    EXPECT_EQ(table[4 * slot], 0);
    EXPECT_EQ(table[4 * slot + 1], 1);
    EXPECT_EQ(table[4 * slot + 2], 2);
    EXPECT_EQ(table[4 * slot + 3], 3);
  }
  EXPECT_EQ(table[4 * 1 + 1], 0) << "other slots untouched";
  for (const std::size_t other : {0U, 1U, 3U, 4U}) {
    for (const auto byte : image_.Field(image_field::ColourTable(other))) {
      ASSERT_EQ(byte, 0) << "table " << other;
    }
  }
  EXPECT_EQ(image_.bytes()[image_field::kKeyColourTables.end()], 0) << "slot 200 skipped";
}

TEST_F(LightingPageTest, ApplyColourWithoutATableNeitherAsksNorWrites) {
  const ConfigImage before = image_;
  const std::uint8_t slots[] = {5};
  answer_ = RgbColour{9, 9, 9};
  image_.light_effect() = 56;  // offers the Custom choice but has no table
  page_.SetPerKeyMode(true);
  EXPECT_EQ(page_.ApplyColourToKeySlots(slots), ColourApplyResult::kNoColourTable);
  image_.light_effect() = 53;
  page_.SetPerKeyMode(false);
  EXPECT_EQ(page_.ApplyColourToKeySlots(slots), ColourApplyResult::kNoColourTable);
  EXPECT_TRUE(opened_with_.empty());
  image_.light_effect() = 56;
  EXPECT_EQ(image_.bytes(), [&] {
    ConfigImage expected = before;
    expected.light_effect() = 56;
    return expected.bytes();
  }());
}

TEST_F(LightingPageTest, CancelledApplyWritesNothing) {
  PickRow(11);
  const std::uint8_t slots[] = {5};
  EXPECT_EQ(page_.ApplyColourToKeySlots(slots), ColourApplyResult::kCancelled);
  for (const auto byte : image_.key_colour_tables()) {
    ASSERT_EQ(byte, 0);
  }
}

}  // namespace
}  // namespace n240qx
