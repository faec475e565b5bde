#include <gtest/gtest.h>

#include "window/MainWindowLayout.h"

namespace n240qx {
namespace {

TEST(MainWindowLayout, GermanApplyCaptionIsSmallerAndLower) {
  const auto english = MainWindowLayout::ButtonCaptions(Language::kEnglish);
  const auto german = MainWindowLayout::ButtonCaptions(Language::kGerman);
  EXPECT_EQ(english[0].x, 876);
  EXPECT_EQ(english[0].height, 20);
  EXPECT_EQ(german[0].x, 872);
  EXPECT_EQ(german[0].y, 567);
  EXPECT_EQ(german[0].height, 13);
  EXPECT_EQ(german[1].x, 33);
}

}  // namespace
}  // namespace n240qx
