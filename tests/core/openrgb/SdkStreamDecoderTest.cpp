#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "openrgb/SdkRequestParser.h"
#include "openrgb/SdkStreamDecoder.h"
#include "support/Hex.h"

namespace n240qx {
namespace {

using testing::FromHex;

std::vector<std::uint8_t> Packet(std::uint32_t id, const std::string& payload_hex,
                                 std::uint32_t device = 0) {
  return EncodeSdkPacket(device, static_cast<SdkPacketId>(id), FromHex(payload_hex));
}

std::vector<std::uint8_t> Joined(std::initializer_list<std::vector<std::uint8_t>> parts) {
  std::vector<std::uint8_t> all;
  for (const auto& part : parts) {
    all.insert(all.end(), part.begin(), part.end());
  }
  return all;
}

// Feeds the stream in chunks of `chunk` bytes and collects the ids of the packets it yields.
std::vector<std::uint32_t> Ids(SdkStreamDecoder& decoder, const std::vector<std::uint8_t>& stream,
                               std::size_t chunk) {
  std::vector<std::uint32_t> ids;
  for (std::size_t at = 0; at < stream.size(); at += chunk) {
    decoder.Append(std::span(stream).subspan(at, std::min(chunk, stream.size() - at)));
    while (auto packet = decoder.Next()) {
      ids.push_back(packet->id);
    }
  }
  return ids;
}

TEST(SdkStreamDecoderTest, FramesKnownPacketsAndSkipsUnknownOnesBySizeInAnyChunking) {
  const auto stream =
      Joined({Packet(0, ""), Packet(9999, "AA BB CC DD EE"), Packet(40, "05 00 00 00"),
              Packet(1000, "01 02 03 04 05 06 07 08"), Packet(1100, "", 0)});
  for (const std::size_t chunk : {std::size_t{1}, std::size_t{7}, stream.size()}) {
    SCOPED_TRACE(chunk);
    SdkStreamDecoder decoder;
    EXPECT_EQ(Ids(decoder, stream, chunk), (std::vector<std::uint32_t>{0, 40, 1100}));
    EXPECT_FALSE(decoder.refused());
  }
}

TEST(SdkStreamDecoderTest, RefusesStreamsThatAreNotTheSdks) {
  auto oversized = Packet(1050, "");
  oversized[12] = 0x01;
  oversized[14] = 0x10;  // 0x100001 bytes
  auto bad_magic = Packet(0, "");
  bad_magic[3] = 'X';
  for (const auto& stream : {oversized, bad_magic, Joined({Packet(0, ""), bad_magic})}) {
    SdkStreamDecoder decoder;
    Ids(decoder, stream, stream.size());
    EXPECT_TRUE(decoder.refused());
    decoder.Append(Packet(0, ""));
    EXPECT_FALSE(decoder.Next()) << "a refused stream stays closed";
  }
}

struct ParseCase {
  const char* what;
  std::uint32_t id;
  std::string payload;
  bool ok;
};

TEST(SdkRequestParserTest, RefusesSizesStringsAndCountsThatDoNotFitThePacket) {
  const ParseCase cases[] = {
      {"leds", 1050, "0E 00 00 00 02 00 01 02 03 00 04 05 06 00", true},
      {"leds size field", 1050, "0F 00 00 00 02 00 01 02 03 00 04 05 06 00", false},
      {"leds count too large", 1050, "0E 00 00 00 03 00 01 02 03 00 04 05 06 00", false},
      {"leds count too small", 1050, "0E 00 00 00 01 00 01 02 03 00 04 05 06 00", false},
      {"leds empty", 1050, "", false},
      {"zone leds", 1051, "0E 00 00 00 00 00 00 00 01 00 01 02 03 00", true},
      {"zone leds without zone", 1051, "06 00 00 00 01 00", false},
      {"single led", 1052, "04 00 00 00 01 02 03 00", true},
      {"single led short", 1052, "04 00 00 00 01 02 03", false},
      {"controller data v0", 1, "", true},
      {"controller data odd", 1, "03 00 00", false},
      {"protocol short", 40, "04 00", false},
      {"mode", 1101,
       "32 00 00 00 00 00 00 00 02 00 4D 00 03 00 00 00 00 00 00 00 00 00 00 00 09 00 00 00 "
       "00 00 00 00 00 00 00 00 00 00 00 00 01 00 00 00 00 00 00 00 00 00",
       true},
      {"mode name past packet", 1101, "0E 00 00 00 00 00 00 00 FF 00 4D 00 03 00", false},
      {"mode colours past packet", 1101,
       "32 00 00 00 00 00 00 00 02 00 4D 00 03 00 00 00 00 00 00 00 00 00 00 00 09 00 00 00 "
       "00 00 00 00 00 00 00 00 00 00 00 00 01 00 00 00 00 00 00 00 05 00",
       false},
  };
  for (const ParseCase& c : cases) {
    SdkPacket packet{0, c.id, FromHex(c.payload)};
    EXPECT_EQ(ParseSdkRequest(packet, 0).ok(), c.ok) << c.what;
  }
}

TEST(SdkRequestParserTest, ReadsTheFieldsOfColourAndVersionRequests) {
  auto leds = ParseSdkRequest({3, 1050, FromHex("0E 00 00 00 02 00 01 02 03 00 04 05 06 00")}, 4);
  ASSERT_TRUE(leds.ok());
  EXPECT_EQ(leds->device_index, 3u);
  const auto& colours = std::get<sdk_request::UpdateLeds>(leds->kind).colours;
  EXPECT_EQ(colours, (std::vector<RgbColour>{{1, 2, 3}, {4, 5, 6}}));
  auto version = ParseSdkRequest({0, 40, FromHex("05 00 00 00")}, 0);
  ASSERT_TRUE(version.ok());
  EXPECT_EQ(std::get<sdk_request::ProtocolVersion>(version->kind).client_highest, 5u);
  auto name = ParseSdkRequest({0, 50, FromHex("61 62 00")}, 0);
  ASSERT_TRUE(name.ok());
  EXPECT_EQ(std::get<sdk_request::ClientName>(name->kind).name, "ab");
}

}  // namespace
}  // namespace n240qx
