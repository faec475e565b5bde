#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <utility>

#include "dialogs/SpectrumGeometry.h"

namespace n240qx {
namespace {

std::set<std::pair<int, int>> AsSet(const std::vector<PixelPoint>& points) {
  std::set<std::pair<int, int>> set;
  for (const auto& p : points) {
    set.insert({p.x, p.y});
  }
  return set;
}

TEST(SpectrumArrow, TriangleFillsNineColumnsAndSeventeenRowsPointingLeft) {
  const SpectrumGeometry g;
  const auto arrow = g.ArrowPixels(0);
  const auto outline = AsSet(arrow.outline);
  const auto inside = AsSet(arrow.inside);
  // A triangle 9 wide and 17 high: rows of 1, 2, .. 9, .. 2, 1 pixels.
  EXPECT_EQ(outline.size() + inside.size(), 2U * (1 + 2 + 3 + 4 + 5 + 6 + 7 + 8) + 9U);
  EXPECT_EQ(outline.size(), arrow.outline.size()) << "no pixel is listed twice";
  for (const auto& p : inside) {
    EXPECT_FALSE(outline.count(p)) << p.first << "," << p.second;
  }
  // Top row 2 (arrow position 0 + 2); the point is at the middle row, leftmost column,
  // level with the strip's top row that luminosity 240 sits at.
  EXPECT_TRUE(outline.count({156, 2}));
  EXPECT_TRUE(outline.count({156, 18}));
  EXPECT_TRUE(outline.count({148, 10}));
  EXPECT_FALSE(inside.count({148, 10}));
  EXPECT_TRUE(inside.count({150, 10}));
  EXPECT_TRUE(outline.count({156, 10}));
  for (const auto& p : outline) {
    EXPECT_GE(p.first, g.ArrowColumns().left);
    EXPECT_LE(p.first, g.ArrowColumns().right);
    EXPECT_GE(p.second, 2);
    EXPECT_LE(p.second, 18);
  }
}

TEST(SpectrumArrow, FollowsThePositionAndStaysInsideTheBar) {
  const SpectrumGeometry g;
  const auto middle = AsSet(g.ArrowPixels(60).outline);
  EXPECT_TRUE(middle.count({148, 70})) << "the point sits at strip row 10 + position";
  const auto bottom = g.ArrowPixels(119);
  const int lowest =
      std::max_element(bottom.outline.begin(), bottom.outline.end(), [](auto a, auto b) {
        return a.y < b.y;
      })->y;
  EXPECT_EQ(lowest, g.BarHitRect().bottom) << "the arrow is held inside the bar";
}

}  // namespace
}  // namespace n240qx
