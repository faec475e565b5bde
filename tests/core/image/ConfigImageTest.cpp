#include <gtest/gtest.h>

#include "image/ConfigImage.h"
#include "image/DeviceSnapshot.h"

namespace n240qx {
namespace {

TEST(ConfigImageLayout, FieldsTileTheImageWithoutOverlap) {
  using namespace image_field;
  const ImageField ordered[] = {kReportRate,     kKeyMap,         kMacros,   kResponseTime,
                                kLighting,       kColourSlots,    kGameMode, kKeyEnableMask,
                                kWindowsKeyLock, kKeyColourTables};
  for (std::size_t i = 1; i < std::size(ordered); ++i) {
    EXPECT_LE(ordered[i - 1].end(), ordered[i].offset) << "field " << i;
  }
  EXPECT_EQ(kKeyColourTables.end(), kImageSize - 1);
  EXPECT_EQ(MacroRecord(31).end(), kMacros.end());
  EXPECT_EQ(ColourTable(4).end(), kKeyColourTables.end());
}

TEST(WindowsKeyLock, LockClearsSlotSixAndTheUnusedBits) {
  ConfigImage image;
  image.windows_key_lock() = 1;
  image.key_enable_mask()[1] = 0x3F;
  image.ApplyWindowsKeyLock();
  EXPECT_EQ(image.key_enable_mask()[1], 0x3E);

  image.key_enable_mask()[1] = 0xFF;
  image.ApplyWindowsKeyLock();
  EXPECT_EQ(image.key_enable_mask()[1], 0x3E);
}

TEST(WindowsKeyLock, UnlockSetsOnlySlotSix) {
  ConfigImage image;
  image.windows_key_lock() = 0;
  image.key_enable_mask()[1] = 0x20;
  image.ApplyWindowsKeyLock();
  EXPECT_EQ(image.key_enable_mask()[1], 0x21);
  EXPECT_EQ(image.key_enable_mask()[0], 0x00) << "other mask bytes are left alone";
}

TEST(WindowsKeyLock, DerivedFromTheMaskReadFromTheKeyboard) {
  ConfigImage image;
  image.key_enable_mask()[1] = 0x3E;
  image.DeriveWindowsKeyLock();
  EXPECT_EQ(image.windows_key_lock(), 1);
  image.key_enable_mask()[1] = 0x01;
  image.DeriveWindowsKeyLock();
  EXPECT_EQ(image.windows_key_lock(), 0);
}

TEST(KeyEnableMask, SlotBitsAndOutOfRangeSlots) {
  ConfigImage image;
  image.SetKeyEnabled(13, true);  // byte 2, bit 1
  EXPECT_EQ(image.key_enable_mask()[2], 0x02);
  EXPECT_TRUE(image.KeyEnabled(13));
  image.SetKeyEnabled(125, true);  // last slot the mask holds: byte 20, bit 5
  EXPECT_EQ(image.key_enable_mask()[20], 0x20);
  image.SetKeyEnabled(126, true);  // beyond the mask: nothing to set, nothing written
  EXPECT_FALSE(image.KeyEnabled(126));
  EXPECT_EQ(image.bytes()[image_field::kWindowsKeyLock.offset], 0);
}

TEST(Snapshot, CopyAndRestoreMoveTheWholeBlockIncludingReservedBytes) {
  ConfigImage image;
  DeviceSnapshot snapshot;
  image.bytes()[0] = 0xAB;      // reserved
  image.bytes()[10059] = 0xCD;  // reserved
  image.brightness() = 42;
  CopyImageToSnapshot(image, snapshot);
  EXPECT_EQ(snapshot.bytes(), image.bytes());

  image.brightness() = 7;
  image.bytes()[0] = 0;
  RestoreImageFromSnapshot(image, snapshot);
  EXPECT_EQ(image.brightness(), 42);
  EXPECT_EQ(image.bytes()[0], 0xAB);
}

}  // namespace
}  // namespace n240qx
