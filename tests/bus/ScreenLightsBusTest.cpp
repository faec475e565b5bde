#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <filesystem>

#include "WindowTestSupport.h"

namespace n240qx::testing {
namespace {

const QString kScreenSaver = QStringLiteral("org.freedesktop.ScreenSaver");

// The desktop's screen saver, played by the test on a connection of its own.
class FakeScreenSaver {
 public:
  FakeScreenSaver()
      : bus_(QDBusConnection::connectToBus(QDBusConnection::SessionBus,
                                           QStringLiteral("fake-screen-saver"))) {
    owned_ = bus_.registerService(kScreenSaver);
  }
  ~FakeScreenSaver() { QDBusConnection::disconnectFromBus(QStringLiteral("fake-screen-saver")); }

  bool owned() const { return owned_; }
  void ActiveChanged(bool active) {
    QDBusMessage signal = QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/ScreenSaver"),
                                                     kScreenSaver, QStringLiteral("ActiveChanged"));
    signal << active;
    bus_.send(signal);
  }

 private:
  QDBusConnection bus_;
  bool owned_ = false;
};

TEST(ScreenLightsBus, TheLightsGoOffWhileTheScreenIsLockedAndTheirBrightnessComesBack) {
  WindowUnderTest window;
  ASSERT_TRUE(window.StartAndWait());
  const std::uint8_t lit = window.keyboard().Memory().brightness;
  ASSERT_NE(lit, 0);
  window.program().desktop().lights().Follow(DarkLights::Reason::kScreen, true);
  // No system bus: the suspend is left out, the screen is still followed.
  window.program().WatchDesktop(QDBusConnection::sessionBus(),
                                QDBusConnection(QStringLiteral("no-system-bus")));
  // A round trip on the window's connection: its match rules are in place once answered.
  ASSERT_TRUE(QDBusConnection::sessionBus().interface()->isServiceRegistered(
      QStringLiteral("org.freedesktop.DBus")));
  FakeScreenSaver screen_saver;
  ASSERT_TRUE(screen_saver.owned());

  screen_saver.ActiveChanged(true);
  ASSERT_TRUE(WaitFor([&] { return window.keyboard().Memory().brightness == 0; }));
  ASSERT_TRUE(window.WaitUntilIdle());
  EXPECT_TRUE(window.program().desktop().lights().dark());
  screen_saver.ActiveChanged(false);
  ASSERT_TRUE(WaitFor([&] { return window.keyboard().Memory().brightness == lit; }));
  ASSERT_TRUE(window.WaitUntilIdle());
  EXPECT_EQ(window.state().image.brightness(), lit);
  // Going dark and lighting up are no steps of the user's history.
  EXPECT_FALSE(std::filesystem::exists(window.DataFolder() / "backups"));
}

}  // namespace
}  // namespace n240qx::testing
