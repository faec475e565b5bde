// The window's drawing cost: one full repaint of the main window into an image, and the time
// from constructing the program's state to the first painted window. Offscreen platform, the
// generated skins, the keyboard simulator.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QImage>
#include <QTemporaryDir>
#include <memory>

#include "app/ConfiguratorState.h"
#include "app/ProgramPaths.h"
#include "connect/DeviceConnectionFactory.h"
#include "gui/MainWindowComposition.h"
#include "sim/SimulatedLink.h"
#include "support/Wait.h"
#include "util/VirtualClock.h"

namespace n240qx {
namespace {

// One program: its state, files in a temporary folder, the simulator behind the window.
struct Program {
  explicit Program(const QTemporaryDir& folder) : state(std::make_unique<ConfiguratorState>()) {
    const std::filesystem::path data = folder.filePath(QStringLiteral("data")).toStdString();
    std::filesystem::create_directories(data);
    state->UseStores(StorePaths::Saved(data / "keymap.bin", data / "MacroDefine.bin"));
    if (!state->LoadFiles(true).ok()) {
      return;
    }
    auto link = std::make_shared<SimulatedLink>();
    DeviceConnectionFactory::Options setup;
    setup.keyboard = DeviceTransport::OnSimulator(link, true);
    setup.clock = std::make_unique<VirtualClock>();
    auto connections = DeviceConnectionFactory::Create(std::move(setup));
    WindowDialogs dialogs;
    dialogs.confirm = [](const ConfirmPrompt&) { return false; };
    composed = std::make_unique<MainWindowComposition>(
        MainWindowSetup{*state, ProgramPaths(data, N240QX_SHARE_DIR, false), Language::kEnglish,
                        false, std::move(*connections), std::move(dialogs), nullptr});
    window = &composed->window();
  }

  bool WaitUntil(const std::function<bool()>& done) const {
    return testing::WaitUntil(
        done, [] { QCoreApplication::processEvents(QEventLoop::AllEvents, 1); },
        std::chrono::seconds(20));
  }

  std::unique_ptr<ConfiguratorState> state;
  std::unique_ptr<MainWindowComposition> composed;
  CVaveVedozadoDlg* window = nullptr;
};

void BM_FullRepaint(benchmark::State& run) {
  QTemporaryDir folder;
  Program program(folder);
  program.composed->Start();
  if (!program.WaitUntil([&] { return program.window->isVisible() && !program.window->busy(); })) {
    run.SkipWithError("the window never became ready");
    return;
  }
  QImage image(program.window->size(), QImage::Format_ARGB32_Premultiplied);
  for (auto _ : run) {
    program.window->render(&image);
    benchmark::DoNotOptimize(image.constBits());
  }
}
BENCHMARK(BM_FullRepaint)->Unit(benchmark::kMicrosecond);

void BM_StartToFirstPaintedWindow(benchmark::State& run) {
  for (auto _ : run) {
    run.PauseTiming();
    QTemporaryDir folder;
    run.ResumeTiming();
    Program program(folder);
    program.composed->Start();
    if (!program.WaitUntil([&] { return program.window->paint_count() > 0; })) {
      run.SkipWithError("the window was never painted");
      return;
    }
    run.PauseTiming();
    program.composed.reset();
    program.window = nullptr;
    run.ResumeTiming();
  }
}
BENCHMARK(BM_StartToFirstPaintedWindow)->Unit(benchmark::kMillisecond)->Iterations(20);

}  // namespace
}  // namespace n240qx
