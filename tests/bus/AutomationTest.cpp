#include <gtest/gtest.h>

#include <QDBusConnection>
#include <csignal>

#include "WindowTestSupport.h"
#include "app/ProfileLibrary.h"
#include "automation/AutomationRules.h"
#include "config/ProfileJson.h"
#include "support/ChildProcess.h"

namespace n240qx::testing {
namespace {

// A name no other process of the machine has; /proc keeps 15 bytes of it.
constexpr const char* kProgram = "n240qx-probe";
constexpr const char* kWindowClass = "n240qx-test-window";

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
    ConfigImage image = window.state().image;
    image.brightness() = brightness;
    const auto& state = window.state();
    const std::string text = profile_json::ToText(
        {image, state.key_actions, state.stored_macros, state.key_names, std::nullopt});
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
  EXPECT_EQ(window.state().image.brightness(), kGame);

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
  const pid_t call =
      SpawnProcess({N240QX_GDBUS, "call", "--session", "--dest", "io.github.n240qx.Configurator",
                    "--object-path", "/io/github/n240qx/Configurator/Keyboard", "--method",
                    "io.github.n240qx.Configurator.Automation1.ReportActiveWindow", kWindowClass,
                    "Untitled", "0"},
                   "/dev/null", "/dev/null");
  std::optional<int> called;
  ASSERT_TRUE(WaitFor([&] { return (called = ProcessEnded(call)).has_value(); }));
  EXPECT_EQ(*called, 0);
  ASSERT_TRUE(WaitFor([&] {
    return Status() == "Profile paint waits: apply or undo your changes";
  })) << Status();
  EXPECT_EQ(window.keyboard().Memory().brightness, kDesk);

  window.Click(kApply.x(), kApply.y());
  EXPECT_TRUE(
      Settles(kPaint, std::string("Profile paint by rule 2 (window-class ") + kWindowClass + ")"))
      << Status();
}

}  // namespace
}  // namespace n240qx::testing
