#include <gtest/gtest.h>

#include <array>
#include <numeric>

#include "CommandBench.h"
#include "device/DataReport.h"
#include "device/EventReport.h"
#include "device/FeatureReport.h"

namespace n240qx {
namespace {

using scripted::Hex;

struct ChecksumCase {
  std::uint8_t code;
  FeatureParams params;
  const char* expected;
};

TEST(FeatureReport, GoldenRequestsWithChecksum) {
  const ChecksumCase cases[] = {
      {0x09, {0x01}, "00 09 01 00 00 00 00 00 F5"},
      {0x13, {0xFF}, "00 13 FF 00 00 00 00 00 ED"},
      {0x8D, {}, "00 8D 00 00 00 00 00 00 72"},
      {0x91, {0, 0}, "00 91 00 00 00 00 00 00 6E"},
      {0x91, {0, 31}, "00 91 00 1F 00 00 00 00 4F"},
      {0x92, {0, 0, 8}, "00 92 00 00 08 00 00 00 65"},
      {0x92, {0, 4, 8}, "00 92 00 04 08 00 00 00 61"},
      {0x18, {0x01}, "00 18 01 00 00 00 00 00 E6"},
      {0x11, {0, 0x1F, 3}, "00 11 00 1F 03 00 00 00 CC"},
      {0x08, {2, 3, 3, 40, 8, 2}, "00 08 02 03 03 28 08 02 BD"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Hex(BuildFeatureReport(c.code, c.params)), c.expected);
  }
}

TEST(FeatureReport, ChecksumWrapsModulo256) {
  // Bytes 1-7 summing to 0xFF give 0x00, to 0x100 give 0xFF; byte 0 and byte 8 never count.
  FeatureReport sum_ff{0x55, 0x80, 0x7F, 0, 0, 0, 0, 0, 0x99};
  EXPECT_EQ(FeatureChecksum(sum_ff), 0x00);
  FeatureReport sum_100{0x00, 0x80, 0x40, 0x40, 0, 0, 0, 0, 0x12};
  EXPECT_EQ(FeatureChecksum(sum_100), 0xFF);
  FeatureReport all_ff{0, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0xFF, 0};
  EXPECT_EQ(FeatureChecksum(all_ff), 0x06);  // 0xFF - 0x6F9 mod 256
}

TEST(DataReport, PayloadFollowsReportIdZeroAndRoundTrips) {
  DataPayload payload{};
  std::iota(payload.begin(), payload.end(), std::uint8_t{0xC0});
  const DataReport report = BuildDataReport(payload);
  EXPECT_EQ(report[0], 0x00);
  EXPECT_EQ(report[1], 0xC0);
  EXPECT_EQ(report[64], 0xFF);
  EXPECT_EQ(DataReportPayload(report), payload);
}

TEST(EventReport, DecodesKindSubCodeAndValue) {
  const std::array<std::uint8_t, 4> bytes{0x04, 0x01, 0x03, 0x07};
  const auto report = DecodeEventReport(bytes);
  ASSERT_TRUE(report.has_value());
  EXPECT_EQ(*report, (EventReport{4, 1, 3, 7}));
}

TEST(EventReport, ShortReportsKeepPrimedBytesOrCarryNothing) {
  const std::array<std::uint8_t, 2> two{0x04, 0x04};
  const auto ack = DecodeEventReport(two);
  ASSERT_TRUE(ack.has_value());
  EXPECT_EQ(*ack, (EventReport{4, 4, 0, 0}));

  const std::array<std::uint8_t, 1> one{0x04};
  EXPECT_FALSE(DecodeEventReport(one).has_value());
  EXPECT_FALSE(DecodeEventReport({}).has_value());
  EXPECT_EQ(Hex(PrimedEventReport()), "04 00 00 00");
}

}  // namespace
}  // namespace n240qx
