#include <gtest/gtest.h>

#include <algorithm>

#include "openrgb/OutsideLightingWrite.h"
#include "openrgb/SdkLightingFrame.h"

namespace n240qx {
namespace {

namespace field = image_field;

struct FrameCase {
  const char* what;
  ImageField edited;  // the user's unapplied edit
  ImageField set;     // what the client sets
  bool written;       // the keyboard acknowledged the frame
};

void Fill(ConfigImage& image, ImageField where, std::uint8_t value) {
  std::ranges::fill(image.Field(where), value);
}

bool Holds(std::span<const std::uint8_t> bytes, std::uint8_t value) {
  return std::ranges::all_of(bytes, [value](std::uint8_t byte) { return byte == value; });
}

TEST(OutsideLightingWriteTest, AFrameSendsItsOwnChangeAndLeavesTheEditsUnapplied) {
  const FrameCase cases[] = {
      {"game mode edited, a per-key table set", field::kGameMode, field::ColourTable(3), true},
      {"brightness edited, the effect set", field::kBrightness, field::kLightEffect, true},
      {"a colour slot edited, another set", field::ColourSlot(1), field::ColourSlot(4), true},
      {"the write failed", field::kGameMode, field::ColourTable(0), false},
  };
  for (const FrameCase& c : cases) {
    DeviceSnapshot held;
    ConfigImage image;
    Fill(image, c.edited, 0x11);
    SdkLightingFrame frame(image);
    Fill(frame.image(), c.set, 0x22);

    const ConfigImage sent =
        OutsideLightingTarget(held, [&frame](ConfigImage& target) { frame.CopyInto(target); });
    EXPECT_TRUE(Holds(sent.Field(c.edited), 0)) << c.what << ": the edit went out";
    EXPECT_TRUE(Holds(sent.Field(c.set), 0x22)) << c.what;
    ConfigImage shown = image;
    ShowOutsideLighting(sent, shown, held);
    EXPECT_TRUE(Holds(shown.Field(c.edited), 0x11)) << c.what << ": the window lost the edit";
    EXPECT_TRUE(Holds(shown.Field(c.set), 0x22)) << c.what << ": the window hides the frame";

    WriteOutcome outcome;
    outcome.status = c.written ? Status::Ok() : Status(Error{ErrorCode::kIo, "gone"});
    outcome.written = sent;
    SettleOutsideLightingWrite(outcome, image, held);
    EXPECT_TRUE(Holds(image.Field(c.edited), 0x11)) << c.what << ": the edit was lost";
    EXPECT_TRUE(Holds(held.Field(c.edited), 0)) << c.what << ": the edit counts as applied";
    EXPECT_EQ(Holds(held.Field(c.set), 0x22), c.written) << c.what;
    EXPECT_EQ(Holds(image.Field(c.set), 0x22), c.written) << c.what;
  }
}

}  // namespace
}  // namespace n240qx
