#include "WindowTestSupport.h"

#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDir>
#include <QKeyEvent>
#include <QKeySequence>
#include <QTest>

#include "app/ProgramPaths.h"
#include "connect/DeviceConnectionFactory.h"
#include "support/StateStores.h"
#include "support/Wait.h"
#include "util/VirtualClock.h"

namespace n240qx::testing {

const QColor PlainSkins::kBackground(20, 20, 20);
const QColor PlainSkins::kEnable(0, 200, 0);
const QColor PlainSkins::kDisable(200, 0, 0);
const QColor PlainSkins::kTrackLeft(0, 0, 200);
const QColor PlainSkins::kTrackRight(90, 90, 90);

namespace {

void WritePlain(const QString& folder, const QString& name, QSize size, const QColor& colour) {
  QImage image(size, QImage::Format_ARGB32);
  image.fill(colour);
  image.save(QDir(folder).filePath(name), "PNG");
}

}  // namespace

bool WaitFor(const std::function<bool()>& done, int timeout_ms) {
  return testing::WaitUntil(
      done, [] { QCoreApplication::processEvents(QEventLoop::AllEvents, 10); },
      std::chrono::milliseconds(timeout_ms));
}

void PlainSkins::WriteTo(const QString& share_folder) {
  const QString folder = QDir(share_folder).filePath(QStringLiteral("png/english"));
  QDir().mkpath(folder);
  WritePlain(folder, QStringLiteral("main.png"), QSize(1000, 640), kBackground);
  WritePlain(folder, QStringLiteral("Enable.png"), QSize(21, 21), kEnable);
  WritePlain(folder, QStringLiteral("Disable.png"), QSize(21, 21), kDisable);
  WritePlain(folder, QStringLiteral("slider_track_left.png"), QSize(220, 17), kTrackLeft);
  WritePlain(folder, QStringLiteral("slider_track_right.png"), QSize(220, 17), kTrackRight);
  WritePlain(folder, QStringLiteral("Thumb.png"), QSize(15, 14), Qt::white);
  WritePlain(folder, QStringLiteral("kb_BK.png"), QSize(656, 301), QColor(40, 40, 40));
  WritePlain(folder, QStringLiteral("kb_hl.png"), QSize(656, 301), QColor(0, 255, 255));
}

WindowUnderTest::WindowUnderTest(QString share_folder, Keyboard keyboard, DesktopSetup desktop)
    : state_(std::make_unique<ConfiguratorState>()) {
  if (share_folder.isEmpty()) {
    share_folder = folder_.filePath(QStringLiteral("share"));
    PlainSkins::WriteTo(share_folder);
  }
  auto link = std::make_shared<SimulatedLink>();
  keyboard_ = link.get();
  if (keyboard == Keyboard::kPermissionDenied) {
    link->SetPermissionDenied(true);
  } else if (keyboard != Keyboard::kSimulated) {
    link->Unplug();
  }
  const bool fallback = keyboard == Keyboard::kHardwareAbsentWithFallback;
  DeviceConnectionFactory::Options setup;
  setup.keyboard = DeviceTransport::OnSimulator(link, true);
  setup.keyboard.simulated = !fallback;
  if (fallback) {
    setup.fallback_state = DataFolder() / "simulated-keyboard.bin";
  }
  setup.clock = std::make_unique<VirtualClock>();
  auto connections = DeviceConnectionFactory::Create(std::move(setup));

  WindowDialogs dialogs;
  dialogs.confirm = [this](const ConfirmPrompt&) {
    ++confirm_count;
    if (while_confirming) {
      while_confirming();
    }
    return confirm_answer;
  };
  dialogs.key_assignment = [this](PendingAssignment& pending) { return key_dialog(pending); };
  dialogs.colour = [this](RgbColour& colour) { return colour_dialog(colour); };
  dialogs.macros = [this] { return macro_dialog(); };
  dialogs.profiles = [this] { return profile_dialog(); };
  dialogs.close_question = [this] {
    ++close_questions;
    return close_answer;
  };
  dialogs.start_updater = [this](const QString&) {
    ++updater_starts;
    return true;
  };
  std::filesystem::create_directories(DataFolder());
  state_->UseStores(testing::StoresIn(DataFolder()));
  const Status loaded = state_->LoadFiles(true);
  if (!loaded.ok()) {
    ADD_FAILURE() << loaded.error().message;
  }
  program_ = std::make_unique<MainWindowComposition>(
      MainWindowSetup{*state_,
                      ProgramPaths(DataFolder(), share_folder.toStdString(), false),
                      desktop.language,
                      desktop.tray,
                      std::move(*connections),
                      std::move(dialogs),
                      nullptr,
                      desktop.minimized,
                      {},
                      desktop.automation_timing});
}

WindowUnderTest::~WindowUnderTest() {
  program_.reset();
}

std::filesystem::path WindowUnderTest::DataFolder() const {
  return std::filesystem::path(folder_.filePath(QStringLiteral("data")).toStdString());
}

bool WindowUnderTest::StartAndWait() {
  program_->Start();
  return WaitFor([this] {
    return window().isVisible() && !window().busy() && state_->firmware().has_value();
  });
}

bool WindowUnderTest::StartAndWaitForWindow() {
  program_->Start();
  return WaitFor([this] { return window().isVisible() && !window().busy(); });
}

void WindowUnderTest::Click(int x, int y) {
  QTest::mouseClick(&window(), Qt::LeftButton, {}, QPoint(x, y));
}

QColor WindowUnderTest::PixelAt(int x, int y) {
  return window().grab().toImage().pixelColor(x, y);
}

void SendHeldKey(QWidget& target, Qt::Key key, int repeats) {
  const QString text = QKeySequence(key).toString().toLower();
  const auto send = [&](QEvent::Type type, bool repeat) {
    QKeyEvent event(type, key, Qt::NoModifier, text, repeat);
    QCoreApplication::sendEvent(&target, &event);
  };
  send(QEvent::KeyPress, false);
  for (int i = 0; i < repeats; ++i) {
    send(QEvent::KeyRelease, true);
    send(QEvent::KeyPress, true);
  }
  send(QEvent::KeyRelease, false);
}

}  // namespace n240qx::testing
