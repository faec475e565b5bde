#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QDBusVariant>
#include <algorithm>
#include <csignal>
#include <vector>

#include "FakeBusService.h"
#include "WindowTestSupport.h"
#include "app/ProfileLibrary.h"
#include "automation/AutomationRules.h"
#include "config/ProfileJson.h"
#include "keys/HostAction.h"
#include "keys/KeyTable.h"
#include "support/ChildProcess.h"

namespace n240qx::testing {
namespace {

// A name no other process of the machine has; /proc keeps 15 bytes of it.
constexpr const char* kProgram = "n240qx-probe";
constexpr const char* kWindowClass = "n240qx-test-window";

constexpr std::uint8_t kF9 = 0x78;

DesktopSetup QuickRules() {
  DesktopSetup desktop;
  desktop.automation_timing = {200'000, 300'000, 100'000};
  return desktop;
}

// The window on the simulator with profile rules in its data folder: a running program and an
// active window reported on the bus pick profiles, each with a brightness of its own.
class Automation : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(window.StartAndWait());
    ASSERT_TRUE(window.program().StartBusService(QDBusConnection::sessionBus()).ok());
    SaveProfile("desk", kDesk);
    SaveProfile("game", kGame);
    SaveProfile("paint", kPaint);
    AutomationRules rules;
    ASSERT_TRUE(rules.Add({AutomationRule::Condition::kProcess, kProgram, "game"}).ok());
    ASSERT_TRUE(rules.Add({AutomationRule::Condition::kWindowClass, kWindowClass, "paint"}).ok());
    ASSERT_TRUE(rules.SetDefault("desk").ok());
    // Written while the window runs: it follows the file.
    ASSERT_TRUE(rules.Save(window.DataFolder() / "rules.json").ok());
  }

  void TearDown() override {
    if (program > 0) {
      kill(program, SIGKILL);
      WaitForProcess(program);
    }
  }

  void SaveProfile(const std::string& name, std::uint8_t brightness) {
    ConfigImage image = window.state().image();
    image.brightness() = brightness;
    const auto& state = window.state();
    const std::string text = profile_json::ToText(
        {image, state.key_actions(), state.stored_macros(), state.key_names(), std::nullopt});
    ASSERT_TRUE(ProfileLibrary(window.DataFolder() / "profiles").Save(name, text).ok());
  }

  // The keyboard holds the profile, the write has ended and the window says who chose it.
  bool Settles(std::uint8_t brightness, const std::string& status) {
    return WaitFor([&] {
      return window.keyboard().Memory().brightness == brightness && !window.window().busy() &&
             Status() == status;
    });
  }

  std::string Status() { return window.program().automation()->status(); }

  // ReportActiveWindow from a connection of the test's own, as a compositor script calls it.
  static QDBusMessage::MessageType Report(const QString& app_id, const QVariant& pid) {
    const QString caller = QStringLiteral("compositor");
    QDBusMessage call =
        QDBusMessage::createMethodCall(QStringLiteral("io.github.n240qx.Configurator"),
                                       QStringLiteral("/io/github/n240qx/Configurator/Keyboard"),
                                       QStringLiteral("io.github.n240qx.Configurator.Automation1"),
                                       QStringLiteral("ReportActiveWindow"));
    call << app_id << QStringLiteral("Untitled") << pid;
    QDBusPendingCall pending =
        QDBusConnection::connectToBus(QDBusConnection::SessionBus, caller).asyncCall(call);
    const auto answer = WaitFor([&] { return pending.isFinished(); })
                            ? pending.reply().type()
                            : QDBusMessage::InvalidMessage;
    QDBusConnection::disconnectFromBus(caller);
    return answer;
  }

  static constexpr const char* kByDefault = "Profile desk as the rules' default";
  static constexpr std::uint8_t kDesk = 11;
  static constexpr std::uint8_t kGame = 22;
  static constexpr std::uint8_t kPaint = 33;
  WindowUnderTest window{QString(), WindowUnderTest::Keyboard::kSimulated, QuickRules()};
  pid_t program = -1;
};

TEST_F(Automation, ARunningProgramSwitchesToItsProfileAndBackToTheDefaultWithoutBackups) {
  ASSERT_TRUE(Settles(kDesk, kByDefault)) << Status();

  const auto copy = window.DataFolder() / kProgram;
  std::filesystem::copy_file("/bin/sleep", copy);
  program = SpawnProcess({copy.string(), "60"}, "/dev/null", "/dev/null");
  ASSERT_GT(program, 0);
  ASSERT_TRUE(Settles(kGame, std::string("Profile game by rule 1 (process ") + kProgram + ")"))
      << Status();
  EXPECT_EQ(window.state().image().brightness(), kGame);

  kill(program, SIGTERM);
  WaitForProcess(program);
  program = -1;
  EXPECT_TRUE(Settles(kDesk, kByDefault)) << Status();
  EXPECT_FALSE(std::filesystem::exists(window.DataFolder() / "backups"))
      << "an automatic switch made a backup";
}

TEST_F(Automation, AReportedWindowSwitchesOnceTheUsersEditsAreApplied) {
  ASSERT_TRUE(Settles(kDesk, kByDefault)) << Status();
  window.Click(kGameMode.x(), kGameMode.y());
  // As KWin's scripts send it: every JavaScript number is a double.
  ASSERT_EQ(Report(kWindowClass, 4242.0), QDBusMessage::ReplyMessage);
  ASSERT_TRUE(WaitFor([&] {
    return Status() == "Profile paint waits: apply or undo your changes";
  })) << Status();
  EXPECT_EQ(window.keyboard().Memory().brightness, kDesk);

  window.Click(kApply.x(), kApply.y());
  EXPECT_TRUE(
      Settles(kPaint, std::string("Profile paint by rule 2 (window-class ") + kWindowClass + ")"))
      << Status();
}

// The profiles were saved before the key was given: each switch keeps it all the same.
TEST_F(Automation, AProfileKeyNotifiesAndKeepsItsKeyThroughProfilesWithoutIt) {
  // Each notification as its summary and body.
  std::vector<QString> shown;
  FakeBusService notifications(
      QStringLiteral("org.freedesktop.Notifications"),
      QStringLiteral("/org/freedesktop/Notifications"),
      [&shown](const QDBusMessage& call) -> std::optional<QVariantList> {
        const QVariantList arguments = call.arguments();
        if (call.member() != QStringLiteral("Notify") || arguments.size() < 5) {
          return std::nullopt;
        }
        shown.push_back(arguments[3].toString() + "\n" + arguments[4].toString());
        return QVariantList{7U};
      });
  ASSERT_TRUE(notifications.owned());
  window.program().WatchDesktop(QDBusConnection::sessionBus(),
                                QDBusConnection(QStringLiteral("no-system-bus")));
  ASSERT_TRUE(Settles(kDesk, kByDefault)) << Status();
  ConfiguratorState& state = window.state();
  KeyActionEntry& entry = state.KeyActionsForEditing()[KeyTable::ByVirtualKey(kF9)->index];
  entry.kind = static_cast<std::uint8_t>(HostAction::kStoredKind);
  entry.SetPath(HostAction{HostActionKind::kNextProfile, ""}.Path());
  state.CopyToSnapshots();
  // As `assign` leaves it: in keymap.bin too.
  ASSERT_TRUE(state.SaveKeymapStore().ok());

  window.keyboard().SendLaunchKey(kF9);
  ASSERT_TRUE(Settles(kGame, "")) << Status();
  const QString notice = QStringLiteral("Profile applied: game\nChosen with a profile key");
  EXPECT_TRUE(WaitFor([&] { return std::ranges::count(shown, notice) == 1; }));
  window.keyboard().SendLaunchKey(kF9);
  EXPECT_TRUE(Settles(kPaint, ""))
      << "the key went with the switch: " << Status() << "; " << window.window().failure();
}

TEST_F(Automation, AReportedPidMayComeAsAnyNumberType) {
  struct PidCase {
    const char* what;
    QVariant pid;
    QDBusMessage::MessageType answer;
    QString app_id = QStringLiteral("other");
  };
  const PidCase cases[] = {
      {"uint32", QVariant::fromValue(4242U), QDBusMessage::ReplyMessage},
      // Dropped; the rows after it find the window still answering.
      {"over-long app id", QVariant::fromValue(4242U), QDBusMessage::ReplyMessage,
       QString(5000, QLatin1Char('a'))},
      {"int32", QVariant::fromValue(-1), QDBusMessage::ReplyMessage},
      {"int64", QVariant::fromValue(qlonglong{4242}), QDBusMessage::ReplyMessage},
      {"uint64", QVariant::fromValue(qulonglong{4242}), QDBusMessage::ReplyMessage},
      {"variant", QVariant::fromValue(QDBusVariant(4242.5)), QDBusMessage::ReplyMessage},
      {"text", QVariant(QStringLiteral("4242")), QDBusMessage::ErrorMessage},
      {"variant text, no pid", QVariant::fromValue(QDBusVariant(QStringLiteral("x"))),
       QDBusMessage::ReplyMessage},
  };
  for (const PidCase& c : cases) {
    EXPECT_EQ(Report(c.app_id, c.pid), c.answer) << c.what;
  }
}

}  // namespace
}  // namespace n240qx::testing
