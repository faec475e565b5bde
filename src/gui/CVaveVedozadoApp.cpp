#include "gui/CVaveVedozadoApp.h"

#include <QDBusConnection>
#include <QSettings>
#include <QSystemTrayIcon>
#include <cstdio>

#include "app/FilesystemPathProbe.h"
#include "app/ProgramPaths.h"
#include "connect/DeviceConnectionFactory.h"
#include "gui/KeyboardBusService.h"
#include "gui/MainWindowComposition.h"
#include "gui/QtText.h"
#include "gui/SingleInstance.h"
#include "gui/StopSignalNotifier.h"

namespace n240qx {

namespace {

// Beside the settings, so that the stand-in keeps what was tried out on it between runs.
constexpr const char* kStandInStateName = "simulated-keyboard.bin";

}  // namespace

CVaveVedozadoApp::CVaveVedozadoApp(QApplication& app) : app_(app) {
  QApplication::setApplicationName(QStringLiteral("n240qx"));
  QApplication::setOrganizationName(QStringLiteral("n240qx"));
  // The desktop entry is named by the bus name, so that the desktop matches the window (and its
  // notifications) with the entry and with the program that serves the name.
  QApplication::setDesktopFileName(QString::fromLatin1(KeyboardBusService::kName));
  // The window hides to the tray; only the close button and Exit end the program.
  QApplication::setQuitOnLastWindowClosed(false);
}

CVaveVedozadoApp::~CVaveVedozadoApp() = default;

int CVaveVedozadoApp::Fail(const QString& message, int code) {
  std::fprintf(stderr, "n240qx: %s\n", message.toLocal8Bit().constData());
  return code;
}

Language CVaveVedozadoApp::ChooseLanguage(const AppOptions& options) const {
  if (options.language) {
    return *options.language;
  }
  // ~/.config/n240qx/n240qx.conf; anything but a German setting is English.
  const QSettings settings;
  return ParseLanguage(settings.value(QStringLiteral("Language")).toString())
      .value_or(Language::kEnglish);
}

int CVaveVedozadoApp::Run() {
  auto options = ParseAppOptions(QApplication::arguments());
  if (!options.ok()) {
    return Fail(ToQString(options.error().message) + QStringLiteral("\n") + AppUsage(), 2);
  }
  if (const auto text = InformationText(*options)) {
    std::fputs(text->toLocal8Bit().constData(), stdout);
    return 0;
  }
  const auto inputs = ProgramPaths::InputsFromEnvironment(
      QApplication::applicationFilePath().toStdString(), options->data_dir);
  auto paths = ProgramPaths::Resolve(inputs, FilesystemPathProbe());
  if (!paths.ok()) {
    return Fail(ToQString(paths.error().message), 1);
  }
  std::error_code ignored;
  std::filesystem::create_directories(paths->data_folder(), ignored);
  instance_ = std::make_unique<SingleInstance>(SingleInstance::ServerNameFor(paths->data_folder()));
  if (!instance_->Claim()) {
    return 0;
  }
  state_ = std::make_unique<ConfiguratorState>();
  state_->UseStores(StorePaths::Saved(paths->KeymapFile(), paths->MacroFile()));
  // Chosen first: what the load finds wrong is shown in the window's language.
  const Language language = ChooseLanguage(*options);
  const Status loaded = state_->LoadFiles(true, language);
  auto connections = DeviceConnectionFactory::FromChoice(
      {options->simulate, options->state_file, options->wire_log,
       paths->data_folder() / kStandInStateName, true});
  if (!connections.ok()) {
    return Fail(ToQString(connections.error().message), 1);
  }
  MainWindowSetup setup{*state_,
                        *paths,
                        language,
                        QSystemTrayIcon::isSystemTrayAvailable(),
                        std::move(*connections),
                        {},
                        nullptr,
                        options->minimized,
                        options->openrgb_port};
  program_ = std::make_unique<MainWindowComposition>(std::move(setup));
  QObject::connect(&program_->window(), &CVaveVedozadoDlg::EndRequested, &app_, &QApplication::quit,
                   Qt::QueuedConnection);
  QObject::connect(instance_.get(), &SingleInstance::ShowRequested, program_.get(),
                   &MainWindowComposition::ShowFromOutside);
  if (!loaded.ok()) {
    // The files stay as they are; the program runs on what memory holds.
    program_->ShowFailureText(loaded.error().message);
  } else if (!state_->StoreSizeNotes().empty()) {
    program_->ShowFailureText(state_->StoreSizeNotes());
  }
  // Logout and Ctrl+C end the program as tray Exit does.
  stop_signals_ = std::make_unique<StopSignalNotifier>();
  QObject::connect(stop_signals_.get(), &StopSignalNotifier::StopRequested, &app_,
                   &QApplication::quit, Qt::QueuedConnection);
  program_->Start();
  if (Status served = program_->StartBusService(QDBusConnection::sessionBus()); !served.ok()) {
    std::fprintf(stderr, "n240qx: %s\n", served.error().message.c_str());
  }
  program_->WatchDesktop(QDBusConnection::sessionBus(), QDBusConnection::systemBus());
  const int code = QApplication::exec();
  program_.reset();
  return code;
}

}  // namespace n240qx
