#include <gtest/gtest.h>

#include <string>

#include "openrgb/SdkByteReader.h"
#include "openrgb/SdkControllerCodec.h"
#include "support/Hex.h"

namespace n240qx {
namespace {

using testing::FromHex;
using testing::Hex;

SdkController SmallController() {
  SdkController controller{
      .name = "K", .vendor = "V", .description = "D", .version = "1", .location = "L"};
  controller.modes.push_back(SdkMode{.name = "M",
                                     .value = 3,
                                     .flags = 0x11,
                                     .speed_max = 9,
                                     .brightness_max = 50,
                                     .colours_min = 1,
                                     .colours_max = 1,
                                     .speed = 4,
                                     .brightness = 20,
                                     .direction = 1,
                                     .colour_mode = 2,
                                     .colours = {{0x11, 0x22, 0x33}}});
  controller.zones.push_back(SdkZone{
      .name = "Z", .leds_count = 2, .matrix_height = 1, .matrix_width = 2, .matrix = {0, 1}});
  controller.leds = {{"A", 7}, {"B", 8}};
  controller.colours = {{1, 2, 3}, {4, 5, 6}};
  return controller;
}

// Laid out field by field as OpenRGB's RGBController::GetDeviceDescriptionData does for each
// version: vendor from 1, mode brightness from 3, zone segment count from 4.
struct GoldenCase {
  std::uint32_t protocol;
  std::string hex;
};

const std::string kType = "05 00 00 00 02 00 4B 00 ";
const std::string kVendor = "02 00 56 00 ";
const std::string kTexts = "02 00 44 00 02 00 31 00 01 00 00 02 00 4C 00 01 00 00 00 00 00 ";
const std::string kModeHead = "02 00 4D 00 03 00 00 00 11 00 00 00 00 00 00 00 09 00 00 00 ";
const std::string kModeBrightnessRange = "00 00 00 00 32 00 00 00 ";
const std::string kModeColourRange = "01 00 00 00 01 00 00 00 04 00 00 00 ";
const std::string kModeBrightness = "14 00 00 00 ";
const std::string kModeTail = "01 00 00 00 02 00 00 00 01 00 11 22 33 00 ";
const std::string kZone =
    "01 00 02 00 5A 00 02 00 00 00 02 00 00 00 02 00 00 00 02 00 00 00 "
    "10 00 01 00 00 00 02 00 00 00 00 00 00 00 01 00 00 00 ";
const std::string kSegments = "00 00 ";
const std::string kLeds =
    "02 00 02 00 41 00 07 00 00 00 02 00 42 00 08 00 00 00 02 00 01 02 03 00 04 05 06 00";

TEST(SdkControllerCodecTest, ControllerDataMatchesOpenRgbLayoutPerVersion) {
  const std::string v0_mode = kModeHead + kModeColourRange + kModeTail;
  const std::string v3_mode =
      kModeHead + kModeBrightnessRange + kModeColourRange + kModeBrightness + kModeTail;
  const GoldenCase cases[] = {
      {0, "93 00 00 00 " + kType + kTexts + v0_mode + kZone + kLeds},
      {1, "97 00 00 00 " + kType + kVendor + kTexts + v0_mode + kZone + kLeds},
      {3, "A3 00 00 00 " + kType + kVendor + kTexts + v3_mode + kZone + kLeds},
      {4, "A5 00 00 00 " + kType + kVendor + kTexts + v3_mode + kZone + kSegments + kLeds},
  };
  for (const GoldenCase& c : cases) {
    SCOPED_TRACE(c.protocol);
    EXPECT_EQ(Hex(SdkControllerCodec::EncodeControllerData(SmallController(), c.protocol)),
              Hex(FromHex(c.hex)));
  }
}

TEST(SdkControllerCodecTest, ModeBlockReadsBackAsWrittenAndRefusesTruncation) {
  for (const std::uint32_t protocol : {0u, 3u, 4u}) {
    SCOPED_TRACE(protocol);
    SdkMode mode = SmallController().modes[0];
    if (protocol < 3) {
      mode.brightness_max = mode.brightness = 0;
    }
    SdkByteWriter out;
    SdkControllerCodec::EncodeMode(mode, protocol, out);
    const auto bytes = std::move(out).Take();
    SdkByteReader whole(bytes);
    EXPECT_EQ(SdkControllerCodec::DecodeMode(whole, protocol), mode);
    for (const std::size_t cut : {std::size_t{1}, std::size_t{3}, bytes.size() - 1}) {
      const std::span<const std::uint8_t> whole_bytes(bytes);
      SdkByteReader shortened(whole_bytes.first(bytes.size() - cut));
      EXPECT_FALSE(SdkControllerCodec::DecodeMode(shortened, protocol)) << "cut " << cut;
    }
  }
}

}  // namespace
}  // namespace n240qx
