#pragma once

#include <QDBusConnection>
#include <QObject>
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "app/ConfiguratorState.h"
#include "app/ProgramPaths.h"
#include "app/Texts.h"
#include "automation/ProfileSwitcher.h"
#include "connect/DeviceConnectionFactory.h"
#include "gui/AutomationRunner.h"
#include "gui/CVaveVedozadoDlg.h"
#include "gui/DesktopServices.h"
#include "gui/DeviceRequests.h"
#include "gui/DialogRequests.h"
#include "gui/EndingRequests.h"
#include "gui/KeyboardBusService.h"
#include "gui/KeyboardConnection.h"
#include "gui/OpenRgbServer.h"
#include "gui/OutsideRequests.h"
#include "gui/SkinPictures.h"
#include "gui/StoreRequests.h"
#include "gui/WindowDialogs.h"
#include "gui/WindowFeedback.h"
#include "gui/X11ActiveWindowWatch.h"
#include "keys/Launcher.h"
#include "lighting/LightingPage.h"
#include "util/Language.h"
#include "window/EditKeys.h"
#include "window/KeyboardView.h"
#include "window/MainWindowModel.h"
#include "window/WindowRequestRouter.h"

namespace n240qx {

class TrayIcon;

struct MainWindowSetup {
  ConfiguratorState& state;
  ProgramPaths paths;
  Language language = Language::kEnglish;
  bool tray_available = false;
  std::unique_ptr<DeviceConnectionFactory> connections;
  WindowDialogs dialogs;               // empty entries get the real dialogs
  std::unique_ptr<Launcher> launcher;  // a QtLauncher when null
  bool start_minimized = false;        // --minimized
  // --openrgb-server[=PORT]; otherwise the remembered tray item decides.
  std::optional<quint16> openrgb_port{};
  // How long a profile rule's pick must hold, and how far apart its writes are.
  ProfileSwitcher::Timing automation_timing{};
};

// The window program put together: page, model, keyboard view, edit keys and the router; the
// request handlers and the connection they share; the dialogs, the tray and the services
// around the window (session bus, OpenRGB SDK server, profile rules, desktop). The window
// gets what it paints and forwards; the rest is wired here and nowhere else.
class MainWindowComposition : public QObject {
 public:
  explicit MainWindowComposition(MainWindowSetup setup);
  ~MainWindowComposition() override;
  MainWindowComposition(const MainWindowComposition&) = delete;
  MainWindowComposition& operator=(const MainWindowComposition&) = delete;

  // Start-up after the files were read: sliders from the image, then the keyboard is
  // connected and read on the device worker; the models decide whether the window shows.
  void Start();
  // Another start of the program asked for this window.
  void ShowFromOutside();
  // Shows a failure found before start-up (a file that cannot be read) in the window.
  void ShowFailureText(std::string text) { feedback_.FailedText(std::move(text)); }

  // The OpenRGB SDK server on 127.0.0.1:port, writing through the window's own write of
  // changes; an error when the port cannot be taken. Stop closes every client.
  Status StartOpenRgbServer(quint16 port);
  void StopOpenRgbServer();
  const OpenRgbServer* openrgb_server() const { return openrgb_.get(); }
  // The profile rules, from Start() on.
  AutomationRunner* automation() { return automation_.get(); }
  // Null without a system tray.
  const TrayIcon* tray() const { return tray_; }
  // The keyboard's object and name on `bus`; kNotOpen with the reason when the bus has none to
  // give, and the window runs as before.
  Status StartBusService(QDBusConnection bus);
  // The desktop's screen saver, logind and notifications, from now on.
  void WatchDesktop(QDBusConnection session, QDBusConnection system);
  // The lights key: the keyboard's lights off when lit, back when dark (no backup).
  void ToggleLights() { desktop_->lights().ToggleLights(); }
  DesktopServices& desktop() { return *desktop_; }
  CVaveVedozadoDlg& window() { return *window_; }

 private:
  std::unique_ptr<CVaveVedozadoDlg> CreateWindow();
  bool AskColour();
  void CreateRoute();
  void WireListeners();
  void CreateTray();
  void CreateDesktopServices();
  void OnOpenRgbServerToggled(bool on);
  void StartAutomation();
  void OnRuleStatusChanged();
  // A library profile was applied: the rules and the desktop's notification hear of it.
  void OnProfileApplied(const std::string& name, OutsideRequests::ChosenBy chosen_by);
  void ListRulesInTray();
  void ShowNoKeyboardBalloon(const QString& message);
  bool Busy() const { return model_.state().EditingLocked(); }

  ConfiguratorState& state_;
  ProgramPaths paths_;
  Texts texts_;
  SkinPictures skins_;
  WindowDialogs dialogs_;
  std::uint32_t shared_colour_ = 0;
  LightingPage page_;
  MainWindowModel model_;
  KeyboardView keyboard_view_;
  EditKeys edit_keys_;
  WindowRequestRouter router_;
  WindowFeedback feedback_;
  std::optional<quint16> openrgb_port_;
  ProfileSwitcher::Timing automation_timing_;
  // The connection and the request handlers; the destructor stops the connection first, so
  // nothing the session posts reaches a half-destroyed handler.
  std::unique_ptr<KeyboardConnection> connection_;
  EndingRequests ending_;
  DeviceRequests device_;
  StoreRequests store_;
  DialogRequests dialog_;
  OutsideRequests outside_;
  std::unique_ptr<CVaveVedozadoDlg> window_;
  // A child of the window; null without a system tray.
  TrayIcon* tray_ = nullptr;
  // After the requests: its clients go before the session they write through.
  std::unique_ptr<OpenRgbServer> openrgb_;
  std::unique_ptr<KeyboardBusService> bus_;
  // A write it started may still tell it its end while the requests go.
  std::unique_ptr<AutomationRunner> automation_;
  std::unique_ptr<X11ActiveWindowWatch> active_window_watch_;
  // Writes through the device requests.
  std::unique_ptr<DesktopServices> desktop_;
};

}  // namespace n240qx
