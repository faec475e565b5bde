#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <filesystem>
#include <vector>

#include "FakeBusService.h"
#include "WindowTestSupport.h"

namespace n240qx::testing {
namespace {

const QString kScreenSaver = QStringLiteral("org.freedesktop.ScreenSaver");
const QString kIdleMonitor = QStringLiteral("org.gnome.Mutter.IdleMonitor");

// The window on the simulator, its lights following the desktop on the test's session bus (no
// system bus: the suspend is left out).
class ScreenLightsBus : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(window.StartAndWait());
    lit = window.keyboard().Memory().brightness;
    ASSERT_NE(lit, 0);
  }

  void Watch() {
    window.program().WatchDesktop(QDBusConnection::sessionBus(),
                                  QDBusConnection(QStringLiteral("no-system-bus")));
    // A round trip on the window's connection: its match rules are in place once answered.
    ASSERT_TRUE(QDBusConnection::sessionBus().interface()->isServiceRegistered(
        QStringLiteral("org.freedesktop.DBus")));
  }

  // The keyboard's brightness once the write that sets it has ended.
  bool Reaches(std::uint8_t brightness) {
    return WaitFor([&] { return window.keyboard().Memory().brightness == brightness; }) &&
           window.WaitUntilIdle();
  }

  WindowUnderTest window;
  std::uint8_t lit = 0;
};

TEST_F(ScreenLightsBus, TheLightsGoOffWhileTheScreenIsLockedAndTheirBrightnessComesBack) {
  window.program().desktop().lights().Follow(DarkLights::Reason::kScreen, true);
  Watch();
  FakeBusService screen_saver(kScreenSaver, QStringLiteral("/org/freedesktop/ScreenSaver"));
  ASSERT_TRUE(screen_saver.owned());

  screen_saver.Emit(kScreenSaver, QStringLiteral("ActiveChanged"), {true});
  ASSERT_TRUE(Reaches(0));
  EXPECT_TRUE(window.program().desktop().lights().dark());
  screen_saver.Emit(kScreenSaver, QStringLiteral("ActiveChanged"), {false});
  ASSERT_TRUE(Reaches(lit));
  EXPECT_EQ(window.state().image().brightness(), lit);
  // Going dark and lighting up are no steps of the user's history.
  EXPECT_FALSE(std::filesystem::exists(window.DataFolder() / "backups"));
}

// GNOME's idle monitor: a watch for the idle time, then one for the next use.
TEST_F(ScreenLightsBus, TheLightsGoOffAfterTheIdleMinutesAndComeBackWithTheNextUse) {
  std::vector<QString> calls;
  FakeBusService monitor(
      kIdleMonitor, QStringLiteral("/org/gnome/Mutter/IdleMonitor/Core"),
      [&calls](const QDBusMessage& call) -> std::optional<QVariantList> {
        QString text = call.member();
        for (const QVariant& argument : call.arguments()) {
          text += " " + argument.toString();
        }
        calls.push_back(text);
        if (call.member() == QStringLiteral("RemoveWatch")) {
          return QVariantList{};
        }
        return QVariantList{call.member() == QStringLiteral("AddIdleWatch") ? 1U : 2U};
      });
  ASSERT_TRUE(monitor.owned());
  ScreenLights& lights = window.program().desktop().lights();
  lights.SetIdleMinutes(7);
  Watch();
  ASSERT_TRUE(WaitFor([&] { return !calls.empty(); }));
  EXPECT_EQ(calls.front(), "AddIdleWatch 420000");
  EXPECT_TRUE(lights.idle_source());

  monitor.Emit(kIdleMonitor, QStringLiteral("WatchFired"), {1U});
  ASSERT_TRUE(Reaches(0));
  ASSERT_TRUE(WaitFor([&] { return calls.back() == "AddUserActiveWatch"; }));
  monitor.Emit(kIdleMonitor, QStringLiteral("WatchFired"), {2U});
  ASSERT_TRUE(Reaches(lit));
  lights.SetIdleMinutes(0);
  EXPECT_TRUE(WaitFor([&] { return calls.back() == "RemoveWatch 1"; }));
}

}  // namespace
}  // namespace n240qx::testing
