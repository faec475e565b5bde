#include <gtest/gtest.h>

#include "window/BitSliderModel.h"

namespace n240qx {
namespace {

TEST(BitSliderModel, StartsAtTheMinimumOfItsSlidersRange) {
  BitSliderModel brightness(SliderId::kBrightness);
  EXPECT_EQ(brightness.min(), 0);
  EXPECT_EQ(brightness.max(), 50);
  EXPECT_EQ(BitSliderModel(SliderId::kSpeed).max(), 9);
  EXPECT_EQ(BitSliderModel(SliderId::kResponseTime).max(), 9);
  EXPECT_EQ(BitSliderModel(SliderId::kReportRate).max(), 3);
  EXPECT_EQ(brightness.position(), 0);
}

TEST(BitSliderModel, PressAtEitherEndSelectsThatEndOfTheRange) {
  BitSliderModel report_rate(SliderId::kReportRate);
  const BitSliderGeometry& g = report_rate.geometry();
  EXPECT_TRUE(report_rate.OnButtonDown(g.width - 1)) << "far right of a 0-3 slider";
  EXPECT_EQ(report_rate.position(), 3);
  EXPECT_EQ(report_rate.PositionFromPixel(g.ChannelLeft() + g.ChannelWidth()), 3);
  EXPECT_EQ(report_rate.PositionFromPixel(1000), 3);
  EXPECT_TRUE(report_rate.OnButtonDown(0));
  EXPECT_EQ(report_rate.position(), 0);
  EXPECT_EQ(report_rate.PositionFromPixel(g.ChannelLeft()), 0);
  EXPECT_EQ(report_rate.PositionFromPixel(-50), 0);
}

TEST(BitSliderModel, PressRoundsHalfUp) {
  BitSliderModel report_rate(SliderId::kReportRate);
  const int left = report_rate.geometry().ChannelLeft();
  const int width = report_rate.geometry().ChannelWidth();  // 205: one step is 68.33 pixels
  ASSERT_EQ(width, 205);
  // Half a step is 34.17 pixels: 34 rounds down, 35 rounds up.
  EXPECT_EQ(report_rate.PositionFromPixel(left + 34), 0);
  EXPECT_EQ(report_rate.PositionFromPixel(left + 35), 1);
  EXPECT_EQ(report_rate.PositionFromPixel(left + 102), 1);
  EXPECT_EQ(report_rate.PositionFromPixel(left + 103), 2);
}

TEST(BitSliderModel, ThumbSitsAtTheEndsAndEveryPositionRoundTrips) {
  for (SliderId id : kAllSliders) {
    BitSliderModel slider(id);
    const auto& g = slider.geometry();
    EXPECT_EQ(slider.ThumbLeftForPosition(slider.min()), 0);
    EXPECT_EQ(slider.ThumbLeftForPosition(slider.max()), g.width - g.thumb_width);
    for (int p = slider.min(); p <= slider.max(); ++p) {
      EXPECT_EQ(slider.PositionFromPixel(slider.ThumbCentreForPosition(p)), p)
          << "slider " << static_cast<int>(id) << " position " << p;
    }
  }
}

TEST(BitSliderModel, PositionIsClampedToTheRangeAndReportsChange) {
  BitSliderModel speed(SliderId::kSpeed);
  EXPECT_TRUE(speed.SetPosition(12));
  EXPECT_EQ(speed.position(), 9);
  EXPECT_FALSE(speed.SetPosition(9)) << "no change, no notification worth sending";
  EXPECT_TRUE(speed.MoveByLines(-1));
  EXPECT_EQ(speed.position(), 8);
  EXPECT_TRUE(speed.SetPosition(-3));
  EXPECT_EQ(speed.position(), 0);
  speed.SetPosition(9);
  speed.SetRange(5, 2);
  EXPECT_EQ(speed.min(), 2);
  EXPECT_EQ(speed.max(), 5);
  EXPECT_EQ(speed.position(), 5);
}

}  // namespace
}  // namespace n240qx
