#include <gtest/gtest.h>

#include <map>

#include "HidTestSupport.h"
#include "hid/ReportDescriptorParser.h"
#include "util/AtomicFile.h"

namespace n240qx {
namespace {

using test::FromHex;
using Ids = std::vector<std::uint8_t>;

std::vector<std::uint8_t> Recorded(const std::string& interface_folder) {
  const auto path = test::HidDataDir() / "sysfs-machine" / "class" / "hidraw" / interface_folder /
                    "device" / "report_descriptor";
  auto bytes = ReadFilePrefix(path, 4096);
  EXPECT_TRUE(bytes.ok()) << path;
  return bytes.ok() ? *bytes : std::vector<std::uint8_t>{};
}

std::vector<HidTopLevelCollection> ParseOk(const std::vector<std::uint8_t>& descriptor) {
  auto parsed = ParseReportDescriptor(descriptor);
  EXPECT_TRUE(parsed.ok()) << (parsed.ok() ? "" : parsed.error().message) << "\n"
                           << test::Hex(descriptor);
  return parsed.ok() ? *parsed : std::vector<HidTopLevelCollection>{};
}

TEST(ReportDescriptorParser, BootKeyboardHasOneUnnumberedCollection) {
  auto collections = ParseOk(Recorded("hidraw0"));
  ASSERT_EQ(collections.size(), 1u);
  EXPECT_EQ(collections[0].usage_page, 0x01);
  EXPECT_EQ(collections[0].usage, 0x06);
  EXPECT_EQ(collections[0].input_report_ids, Ids{0});
  EXPECT_EQ(collections[0].output_report_ids, Ids{0});
  EXPECT_TRUE(collections[0].feature_report_ids.empty());
  EXPECT_EQ(collections[0].input_report_length, 9u);
  EXPECT_EQ(collections[0].output_report_length, 2u);
}

TEST(ReportDescriptorParser, CollectionsOfTheEventInterfaceComeInOrderWithTheirIds) {
  auto collections = ParseOk(Recorded("hidraw1"));
  ASSERT_EQ(collections.size(), 4u);
  const std::uint16_t pages[] = {0x01, 0x0C, 0x01, 0xFF00};
  const std::uint16_t usages[] = {0x06, 0x01, 0x80, 0x01};
  const std::size_t input_lengths[] = {17, 3, 2, 4};
  for (std::size_t i = 0; i < 4; ++i) {
    SCOPED_TRACE(i);
    EXPECT_EQ(collections[i].usage_page, pages[i]);
    EXPECT_EQ(collections[i].usage, usages[i]);
    EXPECT_EQ(collections[i].input_report_ids, Ids{static_cast<std::uint8_t>(i + 1)});
    EXPECT_EQ(collections[i].input_report_length, input_lengths[i]);
  }
  EXPECT_EQ(collections[0].output_report_ids, Ids{1});
  EXPECT_EQ(collections[0].output_report_length, 2u);
  EXPECT_TRUE(collections[3].output_report_ids.empty());
  EXPECT_TRUE(collections[3].feature_report_ids.empty());
}

TEST(ReportDescriptorParser, CommandInterfaceCarriesTheNineAndSixtyFiveByteReports) {
  auto collections = ParseOk(Recorded("hidraw3"));
  ASSERT_EQ(collections.size(), 1u);
  EXPECT_EQ(collections[0].usage_page, 0xFF01);
  EXPECT_EQ(collections[0].feature_report_ids, Ids{0});
  EXPECT_EQ(collections[0].feature_report_length, 9u);
  EXPECT_EQ(collections[0].input_report_length, 65u);
  EXPECT_EQ(collections[0].output_report_length, 65u);
}

TEST(ReportDescriptorParser, NestedCollectionsBelongToTheirTopLevelCollection) {
  auto collections = ParseOk(Recorded("hidraw2"));  // mouse: application > physical
  ASSERT_EQ(collections.size(), 1u);
  EXPECT_EQ(collections[0].usage, 0x02);
  EXPECT_EQ(collections[0].input_report_length, 5u);
}

TEST(ReportDescriptorParser, PopRestoresReportIdAndSize) {
  // id 1, 8-bit; Push; id 2, 16-bit input; Pop; input again as id 1, 8-bit.
  auto collections = ParseOk(
      FromHex("05 01 09 06 A1 01 85 01 75 08 95 01 A4 85 02 75 10 81 02 B4 81 02 81 02 C0"));
  ASSERT_EQ(collections.size(), 1u);
  EXPECT_EQ(collections[0].input_report_ids, (Ids{1, 2}));
  // id 1: two 8-bit fields plus the id byte; id 2: one 16-bit field plus the id byte.
  EXPECT_EQ(collections[0].input_report_length, 3u);
}

TEST(ReportDescriptorParser, LongItemsAreSkipped) {
  auto plain = ParseOk(FromHex("06 00 FF 09 01 A1 01 85 04 75 08 95 03 81 02 C0"));
  auto with_long = ParseOk(
      FromHex("FE 03 10 AA BB CC 06 00 FF 09 01 A1 01 FE 00 20 85 04 75 08 95 03 81 02 C0"));
  ASSERT_EQ(plain.size(), 1u);
  ASSERT_EQ(with_long.size(), 1u);
  EXPECT_EQ(with_long[0].usage_page, plain[0].usage_page);
  EXPECT_EQ(with_long[0].input_report_ids, plain[0].input_report_ids);
  EXPECT_EQ(with_long[0].input_report_length, 4u);
}

TEST(ReportDescriptorParser, FourByteUsageCarriesItsOwnPage) {
  auto collections = ParseOk(FromHex("05 01 0B 01 00 0C 00 A1 01 C0"));
  ASSERT_EQ(collections.size(), 1u);
  EXPECT_EQ(collections[0].usage_page, 0x0C);
  EXPECT_EQ(collections[0].usage, 0x01);
}

TEST(ReportDescriptorParser, ReportsOutsideEveryCollectionBelongToNone) {
  auto collections = ParseOk(FromHex("85 07 75 08 95 01 81 02 05 01 09 06 A1 01 C0"));
  ASSERT_EQ(collections.size(), 1u);
  EXPECT_TRUE(collections[0].input_report_ids.empty());
  EXPECT_EQ(collections[0].input_report_length, 0u);
}

TEST(ReportDescriptorParser, EmptyDescriptorHasNoCollections) {
  EXPECT_TRUE(ParseOk({}).empty());
}

TEST(ReportDescriptorParser, DamagedDescriptorsAreErrors) {
  const char* damaged[] = {
      "05",                                   // data of a short item missing
      "05 01 09 06 A1 01 75 08 97 01 00",     // four-byte Report Count cut short
      "FE",                                   // long item without its header
      "FE 05 10 01 02",                       // long item data cut short
      "05 01 09 06 A1 01",                    // collection never closed
      "05 01 09 06 A1 01 C0 C0",              // End Collection without Collection
      "A1 01 B4 C0",                          // Pop without Push
      "A1 01 85 00 C0",                       // report id 0 is reserved
      "A1 01 75 FF 97 FF FF FF FF 81 02 C0",  // a report no device could send
  };
  for (const char* hex : damaged) {
    auto parsed = ParseReportDescriptor(FromHex(hex));
    ASSERT_FALSE(parsed.ok()) << hex;
    EXPECT_EQ(parsed.error().code, ErrorCode::kBadData) << hex;
  }
}

// Every cut of a real descriptor either ends between items outside all collections, and then
// parses as the collections completed before it, or is reported as damaged; none reads past
// the end.
TEST(ReportDescriptorParser, EveryCutOfARecordedDescriptorIsCaught) {
  const std::vector<std::uint8_t> full = Recorded("hidraw1");
  // Item boundaries outside every collection, with the number of collections closed by then
  // (this descriptor has no long items).
  std::map<std::size_t, std::size_t> clean_cuts;
  std::size_t depth = 0;
  std::size_t closed = 0;
  for (std::size_t i = 0; i < full.size();) {
    if (depth == 0) {
      clean_cuts[i] = closed;
    }
    const std::uint8_t prefix = full[i];
    if (prefix == 0xA1) {
      ++depth;
    } else if (prefix == 0xC0 && --depth == 0) {
      ++closed;
    }
    const std::size_t sizes[] = {0, 1, 2, 4};
    i += 1 + sizes[prefix & 3];
  }
  ASSERT_EQ(closed, 4u);
  for (std::size_t length = 0; length < full.size(); ++length) {
    std::vector<std::uint8_t> cut(full.begin(), full.begin() + static_cast<long>(length));
    auto parsed = ParseReportDescriptor(cut);
    auto clean = clean_cuts.find(length);
    ASSERT_EQ(parsed.ok(), clean != clean_cuts.end()) << "length " << length;
    if (parsed.ok()) {
      EXPECT_EQ(parsed->size(), clean->second) << "length " << length;
    }
  }
}

}  // namespace
}  // namespace n240qx
