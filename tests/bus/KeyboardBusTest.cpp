#include <gtest/gtest.h>

#include <QDBusConnection>
#include <fstream>
#include <sstream>

#include "WindowTestSupport.h"
#include "config/ProfileJson.h"
#include "support/ChildProcess.h"

namespace n240qx::testing {
namespace {

constexpr const char* kName = "io.github.n240qx.Configurator";
constexpr const char* kPath = "/io/github/n240qx/Configurator/Keyboard";

struct Ran {
  int status = -1;
  std::string out;
  std::string err;
};

std::string Contents(const std::filesystem::path& file) {
  std::ifstream in(file);
  std::stringstream text;
  text << in.rdbuf();
  return text.str();
}

// The window on the simulator with its object on the test's own session bus (the test runs
// under dbus-run-session), and the outside programs that call it.
class KeyboardBus : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(window.StartAndWait());
    const Status served = window.window().StartBusService(QDBusConnection::sessionBus());
    ASSERT_TRUE(served.ok()) << served.error().message;
  }

  // Runs `words` while the window keeps serving its bus.
  Ran Call(std::vector<std::string> words) {
    const auto folder = window.DataFolder();
    const pid_t pid = SpawnProcess(std::move(words), folder / "out.txt", folder / "err.txt");
    std::optional<int> ended;
    EXPECT_TRUE(WaitFor([&] { return (ended = ProcessEnded(pid)).has_value(); }));
    return {ended.value_or(-1), Contents(folder / "out.txt"), Contents(folder / "err.txt")};
  }

  Ran Tool(std::vector<std::string> words) {
    words.insert(words.begin(), N240QX_CTL);
    return Call(std::move(words));
  }

  Ran Brightness() {
    return Call({N240QX_GDBUS, "call", "--session", "--dest", kName, "--object-path", kPath,
                 "--method", "org.freedesktop.DBus.Properties.Get",
                 "io.github.n240qx.Configurator.Keyboard1", "Brightness"});
  }

  WindowUnderTest window;
};

TEST_F(KeyboardBus, IntrospectionListsTheInterfaceItsPropertiesMethodsAndSignals) {
  const Ran listed =
      Call({N240QX_GDBUS, "introspect", "--session", "--dest", kName, "--object-path", kPath});
  ASSERT_EQ(listed.status, 0) << listed.err;
  for (const char* part : {"interface io.github.n240qx.Configurator.Keyboard1",
                           "readonly i Brightness", "readonly as ColourSlots", "ReadProfile(",
                           "Set(in  a{ss}", "KeyboardPresence(", "ProfileApplied("}) {
    EXPECT_NE(listed.out.find(part), std::string::npos) << part << " in\n" << listed.out;
  }
}

TEST_F(KeyboardBus, TheToolsSetGoesThroughTheWindowAndTheWindowsApplyKeepsIt) {
  const std::uint8_t game_mode = window.keyboard().Memory().game_mode;
  // No --simulate: a tool opening a keyboard itself would find none here.
  const Ran set = Tool({"set", "brightness", "20"});
  ASSERT_EQ(set.status, 0) << set.err;
  EXPECT_NE(set.out.find("-> 20"), std::string::npos) << set.out;
  EXPECT_EQ(window.keyboard().Memory().brightness, 20);
  EXPECT_EQ(window.state().image.brightness(), 20);
  EXPECT_EQ(Brightness().out, "(<20>,)\n");

  window.Click(kGameMode.x(), kGameMode.y());
  window.Click(kApply.x(), kApply.y());
  ASSERT_TRUE(window.WaitUntilIdle());
  EXPECT_EQ(window.keyboard().Memory().brightness, 20);
  EXPECT_NE(window.keyboard().Memory().game_mode, game_mode);

  const Ran read = Tool({"read", "--json"});
  ASSERT_EQ(read.status, 0) << read.err;
  EXPECT_NE(read.out.find("\"brightness\":20"), std::string::npos) << read.out;
}

TEST_F(KeyboardBus, UnappliedEditsInTheWindowRefuseACallersWriteAndStay) {
  const std::uint8_t held = window.keyboard().Memory().brightness;
  window.Click(kGameMode.x(), kGameMode.y());
  const std::uint8_t edited = window.state().image.game_mode();
  const Ran set = Tool({"set", "brightness", "7", "--json"});
  EXPECT_EQ(set.status, 1);
  EXPECT_NE(set.err.find("unapplied edits"), std::string::npos) << set.err;
  EXPECT_NE(set.out.find("\"exit_status\""), std::string::npos) << set.out;
  EXPECT_EQ(window.keyboard().Memory().brightness, held);
  EXPECT_EQ(window.state().image.game_mode(), edited);
}

TEST_F(KeyboardBus, AStoredProfileAppliedOverTheBusBecomesTheActiveProfile) {
  ConfiguratorState& state = window.state();
  ConfigImage image = state.image;
  image.brightness() = 33;
  std::filesystem::create_directories(window.DataFolder() / "profiles");
  std::ofstream(window.DataFolder() / "profiles" / "race.json") << profile_json::ToText(
      {image, state.key_actions, state.stored_macros, state.key_names, state.firmware});
  const Ran applied =
      Call({N240QX_GDBUS, "call", "--session", "--dest", kName, "--object-path", kPath, "--method",
            "io.github.n240qx.Configurator.Keyboard1.ApplyStoredProfile", "race", "false"});
  ASSERT_EQ(applied.status, 0) << applied.err;
  EXPECT_EQ(window.keyboard().Memory().brightness, 33);
  const Ran active = Call({N240QX_GDBUS, "call", "--session", "--dest", kName, "--object-path",
                           kPath, "--method", "org.freedesktop.DBus.Properties.Get",
                           "io.github.n240qx.Configurator.Keyboard1", "ActiveProfile"});
  EXPECT_EQ(active.out, "(<'race'>,)\n");
}

}  // namespace
}  // namespace n240qx::testing
