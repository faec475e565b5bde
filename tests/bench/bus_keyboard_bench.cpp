// The window's session bus object as a desktop script calls it: the real window program on the
// simulator (offscreen), called from this process over the session bus. Goals: a property read
// under 5 ms from call to answer; a setting change answered when the keyboard has acknowledged
// it, at most 20 ms over the pauses its write must make. The window's backup and keymap.bin are
// flushed to disk before it answers, so the disk counts too; TMPDIR=/dev/shm leaves it out. The
// simulated keyboard's memory is kept in /dev/shm either way: it saves it after every write
// step, which a real keyboard does in its pauses, not on the host's disk. Run
// by hand under a bus of its own: dbus-run-session -- build/<dir>/tests/bench/
// bench_bus_keyboard_bench.
#include <benchmark/benchmark.h>
#include <signal.h>
#include <unistd.h>

#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusInterface>
#include <QDBusMessage>
#include <QDBusMetaType>
#include <QThread>
#include <chrono>
#include <filesystem>
#include <string>

#include "support/BenchSession.h"
#include "support/ChildProcess.h"
#include "support/TempDir.h"
#include "support/Wait.h"

namespace n240qx {
namespace {

const QString kName = QStringLiteral("io.github.n240qx.Configurator");
const QString kPath = QStringLiteral("/io/github/n240qx/Configurator/Keyboard");
const QString kInterface = QStringLiteral("io.github.n240qx.Configurator.Keyboard1");
using Settings = QMap<QString, QString>;

// The window program on a simulator and a data folder of its own, for as long as it lives.
class RunningWindow {
 public:
  // On the offscreen platform, which the benchmark's main has chosen for itself and its children.
  RunningWindow() {
    std::filesystem::create_directories(memory_);
    pid_ = testing::SpawnProcess({N240QX_WINDOW, "--simulate=" + (memory_ / "state.bin").string(),
                                  "--data-dir", (dir_.path() / "data").string()},
                                 "/dev/null", "/dev/null");
  }
  ~RunningWindow() {
    if (pid_ > 0) {
      ::kill(pid_, SIGTERM);
      testing::WaitForProcess(pid_);
    }
    std::error_code ignored;
    std::filesystem::remove_all(memory_, ignored);
  }
  RunningWindow(const RunningWindow&) = delete;
  RunningWindow& operator=(const RunningWindow&) = delete;

  // The name on the bus and the first read done: until then a write is refused as busy.
  bool Ready(QDBusInterface& keyboard) {
    const auto pump = [] { QThread::msleep(20); };
    return pid_ > 0 &&
           testing::WaitUntil(
               [] {
                 return QDBusConnection::sessionBus()
                     .interface()
                     ->isServiceRegistered(kName)
                     .value();
               },
               pump) &&
           testing::WaitUntil([&] { return Change(keyboard, "off"); }, pump,
                              std::chrono::seconds(20));
  }

  static bool Change(QDBusInterface& keyboard, const char* game_mode) {
    const Settings settings{{QStringLiteral("game_mode"), QString::fromLatin1(game_mode)}};
    const QDBusMessage reply =
        keyboard.call(QStringLiteral("Set"), QVariant::fromValue(settings), false);
    return reply.type() == QDBusMessage::ReplyMessage;
  }

 private:
  testing::TempDir dir_;
  // The simulated keyboard's memory, which stands for its flash: a real keyboard keeps it
  // without the host's disk, whose time its pauses already count, so it is kept in memory
  // here. The window's own files (backup, keymap.bin) stay on the disk under test.
  std::filesystem::path memory_ =
      std::filesystem::path("/dev/shm") / ("n240qx-bench-" + std::to_string(::getpid()));
  pid_t pid_ = -1;
};

void Report(benchmark::State& state, double total_ms, double goal_ms) {
  const double mean_ms = total_ms / static_cast<double>(state.iterations());
  state.counters["mean_ms"] = mean_ms;
  state.counters["goal_ms"] = goal_ms;
  state.counters["within_goal"] = mean_ms <= goal_ms ? 1 : 0;
}

// Times `call` once per iteration on a freshly started window; it returns false on a failure.
void TimeCalls(benchmark::State& state, double goal_ms,
               const std::function<bool(QDBusInterface& keyboard, int round)>& call) {
  if (!QDBusConnection::sessionBus().isConnected()) {
    state.SkipWithError("no session bus: run under dbus-run-session");
    return;
  }
  qDBusRegisterMetaType<Settings>();
  RunningWindow window;
  QDBusInterface keyboard(kName, kPath, kInterface, QDBusConnection::sessionBus());
  keyboard.setTimeout(20000);
  if (!window.Ready(keyboard)) {
    state.SkipWithError("the window did not come up on the bus");
    return;
  }
  double total_ms = 0;
  int round = 0;
  for (auto _ : state) {
    const auto start = std::chrono::steady_clock::now();
    if (!call(keyboard, round++)) {
      state.SkipWithError("the call failed");
      return;
    }
    total_ms +=
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
  }
  Report(state, total_ms, goal_ms);
}

void BM_PropertyRead(benchmark::State& state) {
  QDBusInterface properties(kName, kPath, QStringLiteral("org.freedesktop.DBus.Properties"),
                            QDBusConnection::sessionBus());
  TimeCalls(state, 5.0, [&](QDBusInterface&, int) {
    const QDBusMessage reply =
        properties.call(QStringLiteral("Get"), kInterface, QStringLiteral("Brightness"));
    return reply.type() == QDBusMessage::ReplyMessage;
  });
}

void BM_SettingChangeAcknowledged(benchmark::State& state) {
  // The window's write of one game-mode change, as the keyboard's protocol paces it.
  const auto pauses =
      bench::PausesOf([](bench::BenchSession& session) { return session.ToggleGameMode(); }, true);
  state.counters["pauses_ms"] = static_cast<double>(pauses);
  TimeCalls(state, static_cast<double>(pauses) + 20.0, [](QDBusInterface& keyboard, int round) {
    return RunningWindow::Change(keyboard, round % 2 == 0 ? "on" : "off");
  });
}

BENCHMARK(BM_PropertyRead)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(200);
BENCHMARK(BM_SettingChangeAcknowledged)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime()
    ->Iterations(20);

}  // namespace
}  // namespace n240qx
