#include "gui/DesktopServices.h"

#include <QActionGroup>
#include <QMenu>
#include <QSettings>

#include "app/LibraryProfileLoad.h"
#include "gui/DeviceRequests.h"
#include "gui/OutsideRequests.h"
#include "gui/QtText.h"
#include "gui/TrayIcon.h"

namespace n240qx {

namespace {

const QString kNotificationsSetting = QStringLiteral("Notifications");
const QString kIdleMinutesSetting = QStringLiteral("LightsOffWhenIdleMinutes");
// What the tray offers; another number in the settings is kept and followed all the same.
constexpr int kIdleMinuteChoices[] = {0, 5, 10, 15, 30, 60};

QString SettingOf(DarkLights::Reason reason) {
  return reason == DarkLights::Reason::kScreen ? QStringLiteral("LightsOffWhenLocked")
                                               : QStringLiteral("LightsOffBeforeSuspend");
}

ScreenLights::Window LightsWindow(const DesktopServices::Window& window) {
  return {
      window.busy,
      [&state = window.state] {
        return DarkLights::Brightness{state.image().brightness(), state.snapshot().brightness()};
      },
      [&device = window.device](std::uint8_t brightness) {
        device.WriteOutsideLighting(
            [brightness](ConfigImage& image) { image.brightness() = brightness; });
      }};
}

}  // namespace

DesktopServices::DesktopServices(Window window, QObject* parent)
    : QObject(parent),
      window_(std::move(window)),
      lights_(LightsWindow(window_), this),
      notifier_(window_.texts, QSettings().value(kNotificationsSetting, true).toBool(), this) {
  const QSettings settings;
  for (const auto reason : {DarkLights::Reason::kScreen, DarkLights::Reason::kSleep}) {
    lights_.Follow(reason, settings.value(SettingOf(reason), false).toBool());
  }
  lights_.SetIdleMinutes(settings.value(kIdleMinutesSetting, 0).toInt());
}

void DesktopServices::AddTrayItems(TrayIcon& tray) {
  tray.AddProfiles([this] {
    auto names = ProfileLibrary(window_.paths.LibraryFolder()).Names();
    return names.ok() ? std::move(*names) : std::vector<std::string>();
  });
  connect(&tray, &TrayIcon::ProfileChosen, this, [this](const std::string& name) {
    ApplyLibraryProfile(name, std::string(window_.texts.Get(TextId::kChosenInTheTray)));
  });
  AddLightsItem(tray, TextId::kTrayLightsOffWhenLocked, DarkLights::Reason::kScreen);
  AddLightsItem(tray, TextId::kTrayLightsOffBeforeSuspend, DarkLights::Reason::kSleep);
  AddIdleItems(tray);
  QAction* notifications = tray.AddCheckItem(TextId::kTrayNotifications, notifier_.enabled());
  connect(notifications, &QAction::toggled, this, [this](bool on) {
    notifier_.SetEnabled(on);
    QSettings().setValue(kNotificationsSetting, on);
  });
}

void DesktopServices::AddLightsItem(TrayIcon& tray, TextId text, DarkLights::Reason reason) {
  QAction* item = tray.AddCheckItem(text, lights_.Follows(reason));
  connect(item, &QAction::toggled, this, [this, reason](bool on) {
    lights_.Follow(reason, on);
    QSettings().setValue(SettingOf(reason), on);
  });
}

void DesktopServices::AddIdleItems(TrayIcon& tray) {
  QMenu* menu = tray.AddSubmenu(TextId::kTrayLightsOffWhenIdle);
  QAction* silent = menu->addAction(ToQString(window_.texts.Get(TextId::kTrayIdleNotReported)));
  silent->setEnabled(false);
  auto* choices = new QActionGroup(menu);
  for (const int minutes : kIdleMinuteChoices) {
    const QString text = minutes == 0 ? ToQString(window_.texts.Get(TextId::kTrayIdleNever))
                                      : ToQString(window_.texts.Get(TextId::kTrayIdleAfter)) +
                                            QString::number(minutes) +
                                            ToQString(window_.texts.Get(TextId::kTrayIdleMinutes));
    QAction* item = menu->addAction(text);
    item->setCheckable(true);
    item->setChecked(minutes == lights_.idle_minutes());
    choices->addAction(item);
    connect(item, &QAction::toggled, this, [this, minutes](bool on) {
      if (on) {
        lights_.SetIdleMinutes(minutes);
        QSettings().setValue(kIdleMinutesSetting, minutes);
      }
    });
  }
  // Offered only where the desktop reports idleness; elsewhere the submenu says so.
  const auto show_source = [silent, choices](bool present) {
    silent->setVisible(!present);
    for (QAction* item : choices->actions()) {
      item->setVisible(present);
    }
  };
  show_source(lights_.idle_source());
  connect(&lights_, &ScreenLights::IdleSourceChanged, menu, show_source);
}

void DesktopServices::Watch(QDBusConnection session, QDBusConnection system) {
  notifier_.SetBus(session);
  lights_.Watch(std::move(session), std::move(system));
}

void DesktopServices::ApplyLibraryProfile(const std::string& name, const std::string& why) {
  const ProfileLibrary library(window_.paths.LibraryFolder());
  window_.device.WriteForCaller(
      [&library, &name, language = window_.texts.language()](ConfiguratorState& state) {
        return LoadLibraryProfile(state, library, name, language);
      },
      false,
      [this, name, why](const Status& status) {
        if (status.ok()) {
          window_.outside.NoteProfileApplied(name);
          notifier_.ProfileApplied(name, why);
          return;
        }
        const std::string failure =
            std::string(window_.texts.Get(TextId::kProfileNotApplied)) + status.error().message;
        window_.feedback.FailedText(failure);
        window_.warn(ToQString(failure));
      });
}

}  // namespace n240qx
