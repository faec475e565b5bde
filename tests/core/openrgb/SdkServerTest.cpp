#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "image/DeviceSnapshot.h"
#include "openrgb/SdkByteReader.h"
#include "openrgb/SdkControllerCodec.h"
#include "openrgb/SdkPacket.h"
#include "openrgb/SdkServer.h"
#include "support/Hex.h"

namespace n240qx {
namespace {

namespace field = image_field;
constexpr std::int64_t kSecond = 1'000'000;

std::vector<std::uint8_t> U32(std::uint32_t value) {
  SdkByteWriter out;
  out.U32(value);
  return std::move(out).Take();
}

std::vector<std::uint8_t> Request(SdkPacketId id, const std::vector<std::uint8_t>& payload = {}) {
  return EncodeSdkPacket(0, id, payload);
}

std::vector<std::uint8_t> AllLeds(std::size_t count, RgbColour colour) {
  SdkByteWriter out;
  out.U32(static_cast<std::uint32_t>(4 + 2 + 4 * count));
  out.U16(static_cast<std::uint16_t>(count));
  for (std::size_t i = 0; i < count; ++i) {
    out.U32(colour.Packed());
  }
  return Request(SdkPacketId::kUpdateLeds, std::move(out).Take());
}

// The packets of one reply as (id, payload).
std::vector<SdkPacket> Packets(const std::vector<std::uint8_t>& bytes) {
  SdkStreamDecoder decoder;
  decoder.Append(bytes);
  std::vector<SdkPacket> packets;
  while (auto packet = decoder.Next()) {
    packets.push_back(*packet);
  }
  return packets;
}

class SdkServerTest : public ::testing::Test {
 protected:
  SdkReply Send(SdkServer::ConnectionId id, const std::vector<std::uint8_t>& bytes) {
    return server.Receive(id, bytes, SdkKeyboardView{present, image, "1.2", "sim"});
  }

  SdkServer server;
  ConfigImage image;
  DeviceSnapshot held;
  bool present = true;
  const KeyboardController keyboard;
};

struct VersionCase {
  std::optional<std::uint32_t> client_highest;
  std::uint32_t used;
};

TEST_F(SdkServerTest, NegotiatesTheLowerVersionAndLaysControllerDataOutForIt) {
  const VersionCase cases[] = {{std::nullopt, 0}, {2, 2}, {4, 4}, {5, 4}, {99, 4}};
  for (const VersionCase& c : cases) {
    const auto id = server.Open();
    if (c.client_highest) {
      const auto answer = Packets(
          Send(id, Request(SdkPacketId::kRequestProtocolVersion, U32(*c.client_highest))).bytes);
      ASSERT_EQ(answer.size(), 1u);
      EXPECT_EQ(answer[0].payload, U32(sdk::kServerProtocolVersion));
    }
    EXPECT_EQ(server.connection(id)->protocol, c.used);
    const auto data =
        Packets(Send(id, Request(SdkPacketId::kRequestControllerData,
                                 c.used == 0 ? std::vector<std::uint8_t>{} : U32(c.used)))
                    .bytes);
    ASSERT_EQ(data.size(), 1u);
    EXPECT_EQ(data[0].id, static_cast<std::uint32_t>(SdkPacketId::kRequestControllerData));
    EXPECT_EQ(data[0].payload, SdkControllerCodec::EncodeControllerData(
                                   keyboard.Describe(image, "1.2", "sim"), c.used));
  }
}

TEST_F(SdkServerTest, CountsTheKeyboardOnlyWhileItIsThere) {
  const auto id = server.Open();
  for (const bool there : {false, true}) {
    present = there;
    const auto count = Packets(Send(id, Request(SdkPacketId::kRequestControllerCount)).bytes);
    ASSERT_EQ(count.size(), 1u);
    EXPECT_EQ(count[0].payload, U32(there ? 1 : 0));
    EXPECT_TRUE(Packets(Send(id, AllLeds(3, {1, 2, 3})).bytes).empty());
    EXPECT_EQ(server.frame_pending(), there) << "no lighting for a keyboard that is gone";
  }
  EXPECT_EQ(testing::Hex(server.OnKeyboardPresence(false)),
            "4F 52 47 42 00 00 00 00 64 00 00 00 00 00 00 00");
  EXPECT_FALSE(server.frame_pending());
}

TEST_F(SdkServerTest, FramesAreCoalescedWrittenOncePerIntervalAndOnlyWhenTheyDiffer) {
  const auto id = server.Open();
  const std::size_t leds = keyboard.led_count();
  Send(id, AllLeds(leds, {10, 0, 0}));
  auto first = server.TakeFrame(held, 0);
  ASSERT_TRUE(first) << "the first frame goes out at once";
  EXPECT_EQ(keyboard.LedColours(first->image())[0], (RgbColour{10, 0, 0}));
  std::ranges::copy(first->image().Field(field::kKeyColourTables),
                    held.Field(field::kKeyColourTables).begin());
  Send(id, AllLeds(leds, {20, 0, 0}));
  Send(id, AllLeds(leds, {30, 0, 0}));
  EXPECT_EQ(server.NextWriteUs(), kSecond);
  EXPECT_FALSE(server.TakeFrame(held, kSecond / 2));
  auto latest = server.TakeFrame(held, kSecond);
  ASSERT_TRUE(latest);
  EXPECT_EQ(keyboard.LedColours(latest->image()).back(), (RgbColour{30, 0, 0}));
  EXPECT_FALSE(server.frame_pending());
  Send(id, AllLeds(leds, {10, 0, 0}));
  EXPECT_FALSE(server.TakeFrame(held, 5 * kSecond)) << "the keyboard already holds it";
  EXPECT_FALSE(server.frame_pending());
}

TEST_F(SdkServerTest, ModeChangesReachTheFrameAndRefusalsCloseOnlyTheirConnection) {
  const auto good = server.Open();
  const auto bad = server.Open();
  image.brightness() = 30;
  SdkByteWriter mode;
  mode.U32(0);
  mode.U32(2);  // Wave
  SdkControllerCodec::EncodeMode(SdkMode{.name = "Wave", .speed = 7, .brightness = 25}, 0, mode);
  auto payload = std::move(mode).Take();
  payload[0] = static_cast<std::uint8_t>(payload.size());
  Send(good, Request(SdkPacketId::kUpdateMode, payload));
  auto broken = Request(SdkPacketId::kUpdateLeds, U32(99));
  const SdkReply refused = Send(bad, broken);
  EXPECT_TRUE(refused.close);
  EXPECT_FALSE(refused.reason.empty());
  EXPECT_FALSE(Send(good, Request(SdkPacketId::kRequestControllerCount)).close);
  auto frame = server.TakeFrame(held, 0);
  ASSERT_TRUE(frame);
  EXPECT_EQ(frame->image().light_effect(), 3);
  EXPECT_EQ(frame->image().effect_speed(), 7);
  EXPECT_EQ(frame->image().brightness(), 30) << "protocol 0 carries no brightness";
}

}  // namespace
}  // namespace n240qx
