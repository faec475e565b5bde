#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <variant>
#include <vector>

#include "image/ImageField.h"
#include "lighting/LightingPage.h"
#include "lighting/LightingPagePainter.h"

namespace n240qx {
namespace {

class LightingPainterTest : public ::testing::Test {
 protected:
  std::vector<PaintOp> Paint(Language language = Language::kEnglish) {
    return LightingPagePainter::Paint(image_, page_, language);
  }
  template <typename Op>
  static std::vector<Op> All(const std::vector<PaintOp>& ops) {
    std::vector<Op> found;
    for (const auto& op : ops) {
      if (const auto* typed = std::get_if<Op>(&op)) {
        found.push_back(*typed);
      }
    }
    return found;
  }
  static bool HasText(const std::vector<PaintOp>& ops, const std::string& text) {
    const auto texts = All<PaintText>(ops);
    return std::any_of(texts.begin(), texts.end(), [&](const auto& t) { return t.text == text; });
  }
  static bool HasPicture(const std::vector<PaintOp>& ops, const std::string& name, int x) {
    const auto pictures = All<PaintPicture>(ops);
    return std::any_of(pictures.begin(), pictures.end(),
                       [&](const auto& p) { return p.name == name && p.x == x; });
  }

  ConfigImage image_;
  std::uint32_t shared_ = 0;
  LightingPage page_{image_, shared_, [] { return false; }};
};

TEST_F(LightingPainterTest, StaticShowsSwatchesButNoSpeedNoMulticolourNoArrows) {
  image_.light_effect() = 1;
  image_.colour_choice() = 2;
  image_.Field(image_field::ColourSlot(1))[1] = 200;
  const auto ops = Paint();
  EXPECT_TRUE(HasText(ops, "Static"));
  EXPECT_FALSE(HasText(ops, "Speed"));
  EXPECT_FALSE(HasPicture(ops, "8.png", 203));
  EXPECT_FALSE(HasText(ops, "Light direction"));
  const auto fills = All<PaintFill>(ops);
  ASSERT_EQ(fills.size(), 7U);
  EXPECT_EQ(fills[1].x, 53);
  EXPECT_EQ(fills[1].colour, (RgbColour{0, 200, 0}));
  const auto frames = All<PaintFrame>(ops);
  ASSERT_EQ(frames.size(), 1U);
  EXPECT_EQ(frames[0].x, 51);
  EXPECT_EQ(frames[0].y, 221);
  EXPECT_EQ(frames[0].width, 23);
}

TEST_F(LightingPainterTest, WaveGreysSwatchesStoresMulticolourAndShowsTheChosenArrow) {
  image_.light_effect() = 3;
  image_.colour_choice() = 2;
  image_.light_direction() = 2;
  const auto ops = Paint(Language::kGerman);
  EXPECT_EQ(image_.colour_choice(), 2) << "painting changes nothing";
  page_.SettleColourChoice();
  EXPECT_EQ(image_.colour_choice(), 8);
  for (const auto& fill : All<PaintFill>(ops)) {
    EXPECT_EQ(fill.colour, (RgbColour{192, 192, 192}));
  }
  EXPECT_EQ(All<PaintFrame>(ops)[0].x, 201) << "frame around the multicolour button";
  EXPECT_TRUE(HasText(ops, "Welle"));
  EXPECT_TRUE(HasText(ops, "Effekt geschwindigkeit"));
  EXPECT_TRUE(HasPicture(ops, "Direction-R-Enable.png", 129));
  EXPECT_FALSE(HasPicture(ops, "Direction-T-Enable.png", 29));
  EXPECT_TRUE(HasPicture(ops, "Direction-T-Disable.png", 29));
}

TEST_F(LightingPainterTest, RadarArrowsShowTheStoredDirection) {
  image_.light_effect() = 13;
  image_.light_direction() = 3;
  EXPECT_TRUE(HasPicture(Paint(), "Direction-T-Enable.png", 29));
  page_.OnItemButtonUp(PageItem::kDirectionLeft, 180, 200);
  EXPECT_TRUE(HasPicture(Paint(), "Direction-L-Enable.png", 179));
}

TEST_F(LightingPainterTest, ColourChoiceOutOfRangeIsFramedAtTheEndsAndSettledByThePage) {
  image_.light_effect() = 2;
  for (const auto& [stored, settled, frame_x] : {std::tuple{0, 1, 26}, {77, 8, 201}}) {
    image_.colour_choice() = static_cast<std::uint8_t>(stored);
    EXPECT_EQ(All<PaintFrame>(Paint())[0].x, frame_x) << stored;
    EXPECT_EQ(image_.colour_choice(), stored) << "painting changes nothing";
    page_.SettleColourChoice();
    EXPECT_EQ(image_.colour_choice(), settled) << stored;
  }
}

TEST_F(LightingPainterTest, ProfilesShowTheKeymapCustomChoiceAndNoColourArea) {
  image_.light_effect() = 52;
  image_.colour_choice() = 0;
  page_.SetPerKeyMode(true);
  const auto ops = Paint();
  EXPECT_TRUE(All<PaintFill>(ops).empty());
  page_.SettleColourChoice();
  EXPECT_EQ(image_.colour_choice(), 0) << "no colour area, nothing settled";
  EXPECT_TRUE(HasPicture(ops, "Disable.png", 28));
  EXPECT_TRUE(HasPicture(ops, "Enable.png", 130));
  EXPECT_TRUE(HasText(ops, "DIY"));
  EXPECT_TRUE(HasText(Paint(Language::kGerman), "Custom"));
}

TEST_F(LightingPainterTest, UnknownCodeShowsNoName) {
  image_.light_effect() = 7;
  const auto ops = Paint();
  EXPECT_TRUE(HasPicture(ops, "Light_Item.png", 28));
  const auto texts = All<PaintText>(ops);
  EXPECT_TRUE(std::none_of(texts.begin(), texts.end(),
                           [](const auto& t) { return t.x == 28 && t.y == 158; }));
}

TEST_F(LightingPainterTest, OpenListIsDrawnLastWithTheHoveredRow) {
  page_.OpenEffectList();
  page_.OnListHover(30, 173 + 20 * 4);
  const auto ops = Paint();
  const auto fills = All<PaintFill>(ops);
  ASSERT_GE(fills.size(), 16U);
  const auto list = std::vector<PaintFill>(fills.end() - 16, fills.end());
  EXPECT_EQ(list[0].y, 173);
  EXPECT_EQ(list[15].y, 473);
  EXPECT_EQ(list[4].colour, (RgbColour{80, 0, 0}));
  EXPECT_EQ(list[5].colour, (RgbColour{59, 59, 59}));
  const auto& last = std::get<PaintText>(ops.back());
  EXPECT_EQ(last.text, "Lighting Profile 5");
  EXPECT_EQ(last.height, 18);
}

}  // namespace
}  // namespace n240qx
