#include <gtest/gtest.h>

#include <algorithm>

#include "app/Texts.h"
#include "image/DeviceSnapshot.h"
#include "window/PerformancePanel.h"
#include "window/SliderPanels.h"

namespace n240qx {
namespace {

TEST(PerformancePanel, GameModeToggledTwiceLeavesNothingToSend) {
  for (std::uint8_t start : {0, 1}) {
    ConfigImage image;
    image.game_mode() = start;
    DeviceSnapshot snapshot;
    CopyImageToSnapshot(image, snapshot);
    PerformancePanel::ToggleGameMode(image);
    EXPECT_EQ(image.game_mode(), 1 - start);
    EXPECT_FALSE(image.FieldEquals(snapshot, image_field::kGameMode));
    PerformancePanel::ToggleGameMode(image);
    EXPECT_EQ(image.bytes(), snapshot.bytes()) << "started at " << int{start};
  }
}

TEST(PerformancePanel, ToggleNeverStoresAnythingButZeroOrOne) {
  ConfigImage image;
  image.game_mode() = 7;  // from a damaged profile
  PerformancePanel::ToggleGameMode(image);
  EXPECT_EQ(image.game_mode(), 0);
  image.windows_key_lock() = 0xFF;
  PerformancePanel::ToggleWindowsKeyLock(image);
  EXPECT_EQ(image.windows_key_lock(), 0);
}

TEST(PerformancePanel, WindowsKeyLockFoldsIntoMaskByteOne) {
  ConfigImage image;
  std::ranges::fill(image.key_enable_mask(), std::uint8_t{0x3F});  // every key enabled
  DeviceSnapshot snapshot;
  CopyImageToSnapshot(image, snapshot);

  PerformancePanel::ToggleWindowsKeyLock(image);
  auto mask = PerformancePanel::KeyEnableMaskToSend(image);
  EXPECT_EQ(mask[1], 0x3E);
  EXPECT_EQ(mask[0], 0x3F);
  EXPECT_EQ(mask[2], 0x3F);
  EXPECT_EQ(image.key_enable_mask()[1], 0x3F) << "the image itself waits for the write";

  PerformancePanel::ToggleWindowsKeyLock(image);
  mask = PerformancePanel::KeyEnableMaskToSend(image);
  EXPECT_EQ(mask[1] & 0x01, 0x01);
  EXPECT_EQ(image.bytes(), snapshot.bytes()) << "on and off again: nothing to send";
}

TEST(PerformancePanel, UnlockingSetsOnlyTheWindowsKeyBit) {
  ConfigImage image;
  image.key_enable_mask()[1] = 0x3E;  // locked as the keyboard reports it
  image.windows_key_lock() = 1;
  PerformancePanel::ToggleWindowsKeyLock(image);
  EXPECT_EQ(PerformancePanel::KeyEnableMaskToSend(image)[1], 0x3F);
}

TEST(PerformancePanel, TogglePicturesFollowTheFields) {
  ConfigImage image;
  image.game_mode() = 1;
  const auto pictures = PerformancePanel::Pictures(image);
  EXPECT_EQ(pictures[0].file, "Enable.png");
  EXPECT_EQ(pictures[0].x, 105);
  EXPECT_EQ(pictures[1].file, "Disable.png");
  EXPECT_EQ(pictures[1].y, 502);
}

TEST(PerformancePanel, LabelsInBothLanguages) {
  const auto labels = PerformancePanel::Labels();
  const Texts english;
  const Texts german(Language::kGerman);
  EXPECT_EQ(english.Get(labels[0].text), "GAME MODE");
  EXPECT_EQ(german.Get(labels[0].text), "Spielmodus");
  EXPECT_EQ(english.Get(labels[1].text), "WINDOWS KEY LOCK");
  EXPECT_EQ(german.Get(labels[1].text), "Windowstasten sperren");
  EXPECT_EQ(english.Get(labels[2].text), "RESPONSE TIME");
  EXPECT_EQ(german.Get(labels[2].text), "Wiederholrate");
  EXPECT_EQ(german.Get(labels[3].text), "REPORT RATE");
}

TEST(SliderPanels, MovedSliderRepaintsAndCopiesItsPositionIntoItsField) {
  ConfigImage image;
  SliderPanels panels;
  EXPECT_TRUE(panels.OnPositionMayHaveChanged(SliderId::kReportRate, 3, image));
  EXPECT_EQ(image.report_rate(), 3);
  EXPECT_FALSE(panels.OnPositionMayHaveChanged(SliderId::kReportRate, 3, image))
      << "same position as last seen: no repaint";
  EXPECT_TRUE(panels.OnPositionMayHaveChanged(SliderId::kReportRate, 0, image));
  EXPECT_EQ(image.report_rate(), 0);

  EXPECT_TRUE(panels.OnPositionMayHaveChanged(SliderId::kResponseTime, 0, image));
  EXPECT_TRUE(panels.OnPositionMayHaveChanged(SliderId::kSpeed, 4, image));
  EXPECT_TRUE(panels.OnPositionMayHaveChanged(SliderId::kBrightness, 50, image));
  EXPECT_EQ(image.response_time(), 0);
  EXPECT_EQ(image.effect_speed(), 4);
  EXPECT_EQ(image.brightness(), 50);
}

TEST(SliderPanels, FirstNotificationAlwaysPaints) {
  ConfigImage image;
  image.response_time() = 5;
  SliderPanels panels;
  EXPECT_TRUE(panels.OnPositionMayHaveChanged(SliderId::kResponseTime, 0, image));
  EXPECT_EQ(image.response_time(), 0);
}

TEST(SliderPanels, SlidersAreSetFromTheImageWithinTheirRanges) {
  ConfigImage image;
  image.report_rate() = 2;
  image.brightness() = 200;  // out of range, from a damaged profile
  EXPECT_EQ(SliderPanels::PositionFromImage(SliderId::kReportRate, image), 2);
  EXPECT_EQ(SliderPanels::PositionFromImage(SliderId::kBrightness, image), 50);
}

TEST(SliderPanels, ThumbNudgesAtTheLeftEndOfTheSmallSliders) {
  EXPECT_EQ(SliderPanels::ThumbDrawOffset(SliderId::kReportRate, 0, 10), 12);
  EXPECT_EQ(SliderPanels::ThumbDrawOffset(SliderId::kReportRate, 1, 10), 10);
  EXPECT_EQ(SliderPanels::ThumbDrawOffset(SliderId::kResponseTime, 0, 10), 13);
  EXPECT_EQ(SliderPanels::ThumbDrawOffset(SliderId::kResponseTime, 4, 10), 11);
  EXPECT_EQ(SliderPanels::ThumbDrawOffset(SliderId::kBrightness, 0, 10), 10);
}

}  // namespace
}  // namespace n240qx
