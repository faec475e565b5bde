#include <gtest/gtest.h>

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusPendingCall>
#include <QObject>
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "WindowTestSupport.h"
#include "config/ProfileJson.h"
#include "sim/SimulatedMemory.h"
#include "support/ChildProcess.h"

namespace n240qx::testing {
namespace {

constexpr const char* kName = "io.github.n240qx.Configurator";
constexpr const char* kPath = "/io/github/n240qx/Configurator/Keyboard";
constexpr const char* kInterface = "io.github.n240qx.Configurator.Keyboard1";

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

// The names in the ProfileApplied signals a caller has received.
class AppliedNames : public QObject {
  Q_OBJECT

 public:
  std::vector<std::string> names;

 public slots:
  void ProfileApplied(const QString& name) { names.push_back(name.toStdString()); }
};

// The window on the simulator with its object on the test's own session bus (the test runs
// under dbus-run-session), and the outside programs that call it.
class KeyboardBus : public ::testing::Test {
 protected:
  void SetUp() override {
    // The tool finds the window's data folder where it looks by default.
    const auto data_home = window.DataFolder().parent_path() / "data-home";
    std::filesystem::create_directories(data_home);
    std::filesystem::create_directory_symlink(window.DataFolder(), data_home / "n240qx");
    ::setenv("XDG_DATA_HOME", data_home.c_str(), 1);
    ASSERT_TRUE(window.StartAndWait());
    const Status served = window.program().StartBusService(QDBusConnection::sessionBus());
    ASSERT_TRUE(served.ok()) << served.error().message;
  }
  void TearDown() override {
    ::unsetenv("XDG_DATA_HOME");
    QDBusConnection::disconnectFromBus(QStringLiteral("caller"));
  }

  // A caller on a connection of its own in this process, answered while the window's event
  // loop runs.
  QDBusMessage Ask(const QString& method, const QList<QVariant>& arguments) {
    QDBusMessage call =
        QDBusMessage::createMethodCall(QString::fromLatin1(kName), QString::fromLatin1(kPath),
                                       QString::fromLatin1(kInterface), method);
    call.setArguments(arguments);
    QDBusPendingCall pending = caller.asyncCall(call, 20000);
    EXPECT_TRUE(WaitFor([&] { return pending.isFinished(); }));
    return pending.reply();
  }

  // What the keyboard holds with `brightness` instead, as a JSON profile.
  std::string ProfileWith(std::uint8_t brightness) {
    ConfiguratorState& state = window.state();
    ConfigImage image = state.image();
    image.brightness() = brightness;
    return profile_json::ToText(
        {image, state.key_actions(), state.stored_macros(), state.key_names(), state.firmware()});
  }

  std::filesystem::path Store(const std::string& name, const std::string& text) {
    const auto file = window.DataFolder() / "profiles" / (name + ".json");
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file) << text;
    return file;
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
  QDBusConnection caller =
      QDBusConnection::connectToBus(QDBusConnection::SessionBus, QStringLiteral("caller"));
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
  EXPECT_EQ(window.state().image().brightness(), 20);
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
  const std::uint8_t edited = window.state().image().game_mode();
  const std::size_t macros = window.state().stored_macros().UsedCount();
  for (const std::vector<std::string>& words :
       {std::vector<std::string>{"set", "brightness", "7", "--json"},
        std::vector<std::string>{"macro", "new", "Late", "--json"}}) {
    const Ran refused = Tool(words);
    EXPECT_EQ(refused.status, 1) << words[0];
    EXPECT_NE(refused.err.find("unapplied edits"), std::string::npos) << refused.err;
    EXPECT_NE(refused.out.find("\"exit_status\""), std::string::npos) << refused.out;
  }
  EXPECT_EQ(window.keyboard().Memory().brightness, held);
  EXPECT_EQ(window.state().image().game_mode(), edited);
  EXPECT_EQ(window.state().stored_macros().UsedCount(), macros);
}

TEST_F(KeyboardBus, AStoredProfileAppliedOverTheBusBecomesTheActiveProfileAndIsAnnounced) {
  AppliedNames announced;
  ASSERT_TRUE(caller.connect(QString::fromLatin1(kName), QString::fromLatin1(kPath),
                             QString::fromLatin1(kInterface), QStringLiteral("ProfileApplied"),
                             &announced, SLOT(ProfileApplied(QString))));
  Store("race", ProfileWith(33));
  const Ran applied =
      Call({N240QX_GDBUS, "call", "--session", "--dest", kName, "--object-path", kPath, "--method",
            "io.github.n240qx.Configurator.Keyboard1.ApplyStoredProfile", "race", "false"});
  ASSERT_EQ(applied.status, 0) << applied.err;
  EXPECT_EQ(window.keyboard().Memory().brightness, 33);
  const Ran active = Call({N240QX_GDBUS, "call", "--session", "--dest", kName, "--object-path",
                           kPath, "--method", "org.freedesktop.DBus.Properties.Get",
                           "io.github.n240qx.Configurator.Keyboard1", "ActiveProfile"});
  EXPECT_EQ(active.out, "(<'race'>,)\n");
  EXPECT_TRUE(WaitFor([&] { return !announced.names.empty(); }));
  EXPECT_EQ(announced.names, std::vector<std::string>{"race"});
}

TEST_F(KeyboardBus, ProfilesAndBackupsAppliedOverTheBusReachTheKeyboardOrAreRefused) {
  const std::uint8_t held = window.keyboard().Memory().brightness;
  const std::string json = ProfileWith(44);
  const auto binary = profile_json::FromText(window.state().key_names(), ProfileWith(22));
  ASSERT_TRUE(binary.ok());
  struct Row {
    const char* method;
    QList<QVariant> arguments;
    // The refusal's error name; empty for a write.
    QString error;
    std::uint8_t brightness;
  };
  const Row rows[] = {
      {"ApplyProfile", {QByteArray::fromStdString(json), false}, {}, 44},
      {"ApplyProfile",
       {QByteArray(reinterpret_cast<const char*>(binary->data()),
                   static_cast<qsizetype>(binary->size())),
        false},
       {},
       22},
      {"ApplyProfile", {QByteArray("{\"format\": 1}"), false}, "Error.BadData", 22},
      // Backup 1 holds what the keyboard held before the last write.
      {"Restore", {QStringLiteral("1"), false}, {}, 44},
      {"Restore", {QStringLiteral("99"), false}, "Error.InvalidArgument", 44},
  };
  for (const Row& row : rows) {
    const QDBusMessage reply = Ask(QString::fromLatin1(row.method), row.arguments);
    if (row.error.isEmpty()) {
      EXPECT_EQ(reply.type(), QDBusMessage::ReplyMessage)
          << row.method << " " << reply.errorMessage().toStdString();
    } else {
      EXPECT_TRUE(reply.errorName().endsWith(row.error))
          << row.method << " " << reply.errorName().toStdString();
    }
    EXPECT_EQ(window.keyboard().Memory().brightness, row.brightness) << row.method;
  }
  EXPECT_NE(held, 44);
}

// Without --simulate a direct run would find no keyboard here: exit 0 means the window wrote,
// and Call's wait ends well before the keyboard lock's 15 s.
TEST_F(KeyboardBus, TheToolsWritingCommandsGoThroughTheWindowWithADirectRunsOutput) {
  const auto apply = Store("evening", ProfileWith(44));
  Store("race", ProfileWith(33));
  SimulatedMemory factory = window.keyboard().Memory();
  factory.RestoreFactorySettings();
  struct Row {
    std::vector<std::string> words;
    const char* out;
    std::function<bool(const SimulatedMemory&)> holds;
  };
  const auto key_map = window.keyboard().Memory().key_map;
  const Row rows[] = {
      {{"apply", apply.string()}, "applied ", [](const auto& m) { return m.brightness == 44; }},
      {{"profiles", "apply", "race", "--json"},
       "\"changed\":true",
       [](const auto& m) { return m.brightness == 33; }},
      {{"restore", "1"}, "brightness: 33 -> 44", [](const auto& m) { return m.brightness == 44; }},
      {{"assign", "Q", "combine", "LCtrl", "LAlt", "Del"},
       "Q: ",
       [&](const auto& m) { return m.key_map != key_map; }},
      {{"reset", "--yes"},
       "factory settings restored",
       [&](const auto& m) { return m == factory; }},
  };
  for (const Row& row : rows) {
    const Ran ran = Tool(row.words);
    EXPECT_EQ(ran.status, 0) << row.words[0] << ": " << ran.err;
    EXPECT_NE(ran.out.find(row.out), std::string::npos) << row.words[0] << ": " << ran.out;
    EXPECT_TRUE(row.holds(window.keyboard().Memory())) << row.words[0];
  }
}

// Without --simulate a direct run would find no keyboard: these read what the window holds.
TEST_F(KeyboardBus, TheToolsReadingCommandsReadThroughTheWindow) {
  const std::uint8_t brightness = window.state().image().brightness();
  const std::string firmware = std::to_string(window.state().firmware()->major) + "." +
                               std::to_string(window.state().firmware()->minor);
  struct Row {
    std::vector<std::string> words;
    std::string out;
  };
  const Row rows[] = {
      {{"read"}, "brightness: " + std::to_string(brightness)},
      {{"read", "--raw"}, firmware},
      {{"keys", "--keyboard"}, "keyboard"},
      {{"profiles", "save", "kept"}, "saved profile kept"},
      {{"diagnose"}, "the running window"},
  };
  for (const Row& row : rows) {
    const Ran ran = Tool(row.words);
    EXPECT_EQ(ran.status, 0) << row.words[0] << ": " << ran.err;
    EXPECT_NE(ran.out.find(row.out), std::string::npos) << row.words[0] << ": " << ran.out;
  }
  EXPECT_TRUE(std::filesystem::exists(window.DataFolder() / "profiles" / "kept.json"));
}

// The window keeps its stores in memory and saves them whole: a macro or a profile the tool
// brings while it runs must be the window's own, or the window's next save of its files drops it.
TEST_F(KeyboardBus, StoreChangesByTheToolOutliveTheWindowsNextSave) {
  const Ran made = Tool({"macro", "new", "Fire", "A dn", "A up"});
  ASSERT_EQ(made.status, 0) << made.err;
  const std::size_t index = window.state().stored_macros().UsedCount() - 1;
  EXPECT_EQ(made.out, "macro " + std::to_string(index) + " Fire created\n");
  EXPECT_TRUE(window.state().stored_macros().entry(index).Name() == u"Fire");
  const Ran assigned = Tool({"assign", "Q", "macro", std::to_string(index)});
  ASSERT_EQ(assigned.status, 0) << assigned.err;
  const Ran listed = Tool({"--direct", "macros"});
  EXPECT_NE(listed.out.find("Fire"), std::string::npos) << listed.out;

  const auto profile = window.DataFolder().parent_path() / "night.json";
  std::ofstream(profile) << ProfileWith(33);
  ASSERT_NE(window.state().image().brightness(), 33);
  const Ran imported = Tool({"profile", "import", profile.string()});
  ASSERT_EQ(imported.status, 0) << imported.err;
  EXPECT_NE(imported.out.find("kept as profile night"), std::string::npos) << imported.out;
  EXPECT_EQ(window.state().image().brightness(), 33);
  const Ran with_launches = Tool({"profile", "import", profile.string(), "--allow-launch"});
  EXPECT_EQ(with_launches.status, 2);
  EXPECT_NE(with_launches.err.find("profile dialog"), std::string::npos) << with_launches.err;
}

}  // namespace
}  // namespace n240qx::testing

#include "KeyboardBusTest.moc"
