#include <gtest/gtest.h>

#include <QTcpSocket>
#include <vector>

#include "WindowTestSupport.h"
#include "openrgb/KeyboardController.h"
#include "openrgb/SdkByteWriter.h"
#include "openrgb/SdkPacket.h"
#include "openrgb/SdkStreamDecoder.h"

namespace n240qx::testing {
namespace {

namespace field = image_field;

// A client speaking the protocol by hand; its stream goes through the server's own framing
// but keeps every id, the server-only device-list update included.
class Client {
 public:
  explicit Client(quint16 port) { socket_.connectToHost(QStringLiteral("127.0.0.1"), port); }

  bool Connected() {
    return WaitFor([this] { return socket_.state() == QAbstractSocket::ConnectedState; });
  }
  void Send(SdkPacketId id, const std::vector<std::uint8_t>& payload = {}) {
    const auto packet = EncodeSdkPacket(0, id, payload);
    socket_.write(reinterpret_cast<const char*>(packet.data()), static_cast<qint64>(packet.size()));
  }
  void SendRaw(const QByteArray& bytes) { socket_.write(bytes); }
  // Waits for a packet of this id and returns its payload.
  std::optional<std::vector<std::uint8_t>> Await(SdkPacketId id) {
    std::optional<std::vector<std::uint8_t>> found;
    WaitFor([&] {
      const QByteArray bytes = socket_.readAll();
      received_.insert(received_.end(), bytes.begin(), bytes.end());
      while (received_.size() >= sdk::kHeaderSize) {
        const std::uint32_t size = received_[12] | received_[13] << 8;
        if (received_.size() < sdk::kHeaderSize + size) {
          break;
        }
        if (received_[8] == (static_cast<std::uint32_t>(id) & 0xFF) &&
            received_[9] == static_cast<std::uint32_t>(id) >> 8) {
          found.emplace(received_.begin() + sdk::kHeaderSize,
                        received_.begin() + static_cast<long>(sdk::kHeaderSize + size));
        }
        received_.erase(received_.begin(),
                        received_.begin() + static_cast<long>(sdk::kHeaderSize + size));
      }
      return found.has_value();
    });
    return found;
  }
  bool Closed() {
    return WaitFor([this] { return socket_.state() == QAbstractSocket::UnconnectedState; });
  }

 private:
  QTcpSocket socket_;
  std::vector<std::uint8_t> received_;
};

std::vector<std::uint8_t> U32(std::uint32_t value) {
  SdkByteWriter out;
  out.U32(value);
  return std::move(out).Take();
}

std::vector<std::uint8_t> AllLeds(std::size_t count, RgbColour colour) {
  SdkByteWriter out;
  out.U32(static_cast<std::uint32_t>(6 + 4 * count));
  out.U16(static_cast<std::uint16_t>(count));
  for (std::size_t i = 0; i < count; ++i) {
    out.U32(colour.Packed());
  }
  return std::move(out).Take();
}

class OpenRgbServerWindow : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(window.StartAndWait());
    ASSERT_TRUE(window.program().StartOpenRgbServer(0).ok());
    port = window.program().openrgb_server()->port();
  }

  WindowUnderTest window;
  quint16 port = 0;
};

TEST_F(OpenRgbServerWindow, ClientColoursReachTheKeyboardThroughTheWindowsWrite) {
  Client client(port);
  ASSERT_TRUE(client.Connected());
  client.Send(SdkPacketId::kRequestProtocolVersion, U32(5));
  EXPECT_EQ(client.Await(SdkPacketId::kRequestProtocolVersion), U32(4));
  client.Send(SdkPacketId::kRequestControllerCount);
  EXPECT_EQ(client.Await(SdkPacketId::kRequestControllerCount), U32(1));
  const KeyboardController keyboard;
  client.Send(SdkPacketId::kSetCustomMode);
  client.Send(SdkPacketId::kUpdateLeds, AllLeds(keyboard.led_count(), {200, 10, 30}));
  ASSERT_TRUE(WaitFor([&] {
    const auto memory = window.keyboard().Memory();
    return memory.light_effect == 51 && memory.colour_tables[4 * 5 + 1] == 200;
  }));
  ASSERT_TRUE(window.WaitUntilIdle());
  EXPECT_EQ(keyboard.LedColours(window.state().image()),
            std::vector<RgbColour>(keyboard.led_count(), RgbColour{200, 10, 30}));
  EXPECT_TRUE(
      window.state().image().FieldEquals(window.state().snapshot(), field::kKeyColourTables))
      << "the window shows what was written";
  EXPECT_TRUE(window.window().model().state().per_key_mode);
}

TEST_F(OpenRgbServerWindow, ARefusedClientIsClosedAndTheOthersAreToldOfAnUnplugAndReplug) {
  Client refused(port);
  Client other(port);
  ASSERT_TRUE(refused.Connected());
  ASSERT_TRUE(other.Connected());
  refused.SendRaw(QByteArray("GET / HTTP/1.1\r\n\r\n"));
  EXPECT_TRUE(refused.Closed());
  other.Send(SdkPacketId::kRequestControllerCount);
  EXPECT_EQ(other.Await(SdkPacketId::kRequestControllerCount), U32(1));
  // Each change of the plug is told, and the count then follows it.
  for (const bool plugged : {false, true}) {
    if (plugged) {
      window.keyboard().Replug();
    } else {
      window.keyboard().Unplug();
    }
    EXPECT_TRUE(other.Await(SdkPacketId::kDeviceListUpdated)) << plugged;
    other.Send(SdkPacketId::kRequestControllerCount);
    EXPECT_EQ(other.Await(SdkPacketId::kRequestControllerCount), U32(plugged ? 1 : 0));
  }
}

}  // namespace
}  // namespace n240qx::testing
