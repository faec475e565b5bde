#include <gtest/gtest.h>

#include <array>
#include <numeric>

#include "HidTestSupport.h"
#include "hid/ReportDescriptorParser.h"
#include "hid/ReportFraming.h"

namespace n240qx {
namespace {

using test::FromHex;
using test::Hex;

// The command interface: unnumbered 64-byte input/output and 8-byte feature reports.
const char* kCommandDescriptor =
    "06 01 FF 09 01 A1 01 15 00 26 FF 00 75 08 09 02 95 40 81 02 09 03 95 40 91 02 09 04 95 08 "
    "B1 02 C0";
// Keyboard (id 1), consumer control (id 2) and the vendor event collection (id 4).
const char* kEventDescriptor =
    "05 01 09 06 A1 01 85 01 05 07 19 E0 29 E7 15 00 25 01 75 01 95 08 81 02 C0 "
    "05 0C 09 01 A1 01 85 02 19 00 2A 3C 02 15 00 26 3C 02 75 10 95 01 81 00 C0 "
    "06 00 FF 09 01 A1 01 85 04 15 00 26 FF 00 75 08 95 03 81 02 C0";

ReportFraming FramingOf(const char* descriptor, std::size_t index) {
  auto collections = ParseReportDescriptor(FromHex(descriptor));
  EXPECT_TRUE(collections.ok());
  auto framing = ReportFraming::ForCollection(*collections, index);
  EXPECT_TRUE(framing.has_value());
  return *framing;
}

TEST(ReportFraming, UnnumberedDataReportGetsItsLeadingZero) {
  const ReportFraming framing = FramingOf(kCommandDescriptor, 0);
  std::array<std::uint8_t, 64> raw{};
  std::iota(raw.begin(), raw.end(), std::uint8_t{0xA0});
  std::array<std::uint8_t, 65> report;
  report.fill(0xEE);
  auto length = framing.FrameInput(raw, report);
  ASSERT_TRUE(length.has_value());
  EXPECT_EQ(*length, 65u);
  std::array<std::uint8_t, 65> expected{};
  std::copy(raw.begin(), raw.end(), expected.begin() + 1);
  EXPECT_EQ(Hex(report), Hex(expected));
}

TEST(ReportFraming, EventCollectionKeepsOnlyItsOwnReports) {
  const ReportFraming framing = FramingOf(kEventDescriptor, 2);
  std::array<std::uint8_t, 4> report{};
  auto event = framing.FrameInput(FromHex("04 01 03 07"), report);
  ASSERT_TRUE(event.has_value());
  EXPECT_EQ(*event, 4u);
  EXPECT_EQ(Hex(report), "04 01 03 07");

  report.fill(0);
  EXPECT_FALSE(framing.FrameInput(FromHex("01 02 00 04 00 00 00 00 00"), report));
  EXPECT_FALSE(framing.FrameInput(FromHex("02 E9 00"), report));
  EXPECT_FALSE(framing.FrameInput({}, report));
  EXPECT_EQ(Hex(report), "00 00 00 00");  // dropped reports leave the buffer alone
}

TEST(ReportFraming, LongerReportsAreCutToTheBuffer) {
  const ReportFraming numbered = FramingOf(kEventDescriptor, 2);
  std::array<std::uint8_t, 3> small{};
  EXPECT_EQ(numbered.FrameInput(FromHex("04 01 03 07"), small), 3u);
  EXPECT_EQ(Hex(small), "04 01 03");

  const ReportFraming unnumbered = FramingOf(kCommandDescriptor, 0);
  std::array<std::uint8_t, 2> tiny{};
  EXPECT_EQ(unnumbered.FrameInput(FromHex("11 22 33"), tiny), 2u);
  EXPECT_EQ(Hex(tiny), "00 11");
}

TEST(ReportFraming, SentReportsMustBelongToTheCollection) {
  const ReportFraming command = FramingOf(kCommandDescriptor, 0);
  EXPECT_TRUE(command.CheckFeature(FromHex("00 09 01 00 00 00 00 00 F5")).ok());
  EXPECT_TRUE(command.CheckOutput(std::vector<std::uint8_t>(65, 0)).ok());
  auto numbered = command.CheckFeature(FromHex("04 09 01 00 00 00 00 00 F5"));
  ASSERT_FALSE(numbered.ok());
  EXPECT_EQ(numbered.error().code, ErrorCode::kInvalidArgument);
  EXPECT_FALSE(command.CheckOutput({}).ok());

  // The event collection takes nothing: a command sent there by mistake is refused.
  const ReportFraming event = FramingOf(kEventDescriptor, 2);
  EXPECT_FALSE(event.CheckFeature(FromHex("00 09 01 00 00 00 00 00 F5")).ok());
  EXPECT_FALSE(event.CheckOutput(FromHex("04 00 00 00")).ok());
}

TEST(ReportFraming, NoFramingForACollectionThatIsNotThere) {
  auto collections = ParseReportDescriptor(FromHex(kEventDescriptor));
  ASSERT_TRUE(collections.ok());
  EXPECT_FALSE(ReportFraming::ForCollection(*collections, 3).has_value());
  EXPECT_FALSE(ReportFraming::ForCollection({}, 0).has_value());
}

}  // namespace
}  // namespace n240qx
