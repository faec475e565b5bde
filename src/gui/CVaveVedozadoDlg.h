#pragma once

#include <QPoint>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/ConfiguratorState.h"
#include "app/ProgramPaths.h"
#include "app/Texts.h"
#include "automation/ProfileSwitcher.h"
#include "connect/DeviceConnectionFactory.h"
#include "gui/AutomationRunner.h"
#include "gui/CBitSlider.h"
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
#include "paint/SliderId.h"
#include "util/Language.h"
#include "window/EditKeys.h"
#include "window/KeyboardView.h"
#include "window/MainWindowModel.h"
#include "window/WindowRequest.h"
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

// The main window: a frameless skinned window that paints everything itself from its models
// and forwards the mouse and the keyboard to them. What the models decide comes back as window
// requests, which all take one route (WindowRequestRouter): this class's handler carries out
// those about the window (showing, hiding, moving, the sliders, repainting), the request
// handlers the rest.
class CVaveVedozadoDlg : public QWidget {
  Q_OBJECT

 public:
  explicit CVaveVedozadoDlg(MainWindowSetup setup);
  ~CVaveVedozadoDlg() override;

  // Start-up after the files were read: sliders from the image, then the keyboard is
  // connected and read on the device worker; the models decide whether the window shows.
  void Start();
  // Another start of the program asked for this window.
  void ShowFromOutside();
  // Shows a failure found before start-up (a file that cannot be read) in the window.
  void ShowFailureText(std::string text) { feedback_->FailedText(std::move(text)); }

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

  const MainWindowModel& model() const { return model_; }
  const KeyboardView& keyboard_view() const { return keyboard_view_; }
  const LightingPage& lighting_page() const { return page_; }
  ConfiguratorState& state() { return state_; }
  CBitSlider& slider(SliderId id);
  bool busy() const { return model_.state().EditingLocked(); }
  bool simulated() const { return connection_->simulated(); }
  const std::string& failure() const { return feedback_->failure(); }
  const std::string& success() const { return feedback_->success(); }
  int paint_count() const { return paint_count_; }
  bool repaint_ticking() const { return repaint_timer_.isActive(); }
  SkinPictures& skins() { return skins_; }

  // The window as the skin pictures make it: "main.png"'s size.
  QSize SkinSize();

 signals:
  // The program is to end (close button after writing the snapshots, or the tray's Exit).
  void EndRequested();
  void Painted();

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void CreateRequests(std::unique_ptr<DeviceConnectionFactory> connections,
                      std::unique_ptr<Launcher> launcher);
  void CreateSliders();
  void CreateTray();
  void CreateDesktopServices();
  void OnOpenRgbServerToggled(bool on);
  void StartAutomation();
  void OnRuleStatusChanged();
  void ListRulesInTray();
  void FillDefaultDialogs();
  bool AskColour();

  void CreateRoute();
  bool CarryWindowRequest(WindowRequest request);
  CloseAnswer AskBeforeClosing();
  void SyncControls();
  void SetSlidersFromImage();
  void HandleRelease(QMouseEvent* event);
  // The edit keys take their keys first; other keys do nothing here.
  void StepEdits(const QKeyEvent* event);
  void RecordEdits();
  void OnHover(const QPoint& at);
  void StartWindowMove(const QPoint& global);

  ConfiguratorState& state_;
  ProgramPaths paths_;
  Language language_;
  Texts texts_;
  SkinPictures skins_;
  WindowDialogs dialogs_;
  std::uint32_t shared_colour_ = 0;
  LightingPage page_;
  MainWindowModel model_;
  KeyboardView keyboard_view_;
  EditKeys edit_keys_;
  std::array<CBitSlider*, 4> sliders_{};
  TrayIcon* tray_ = nullptr;
  std::optional<quint16> openrgb_port_;
  ProfileSwitcher::Timing automation_timing_;
  QTimer repaint_timer_;
  // Where the window system cannot take a caption drag over, the window follows the pointer.
  std::optional<QPoint> manual_drag_offset_;
  int paint_count_ = 0;
  WindowRequestRouter router_;
  // The request handlers and the connection they share: the destructor stops the connection
  // first, so nothing the session posts reaches a half-destroyed handler.
  std::unique_ptr<WindowFeedback> feedback_;
  std::unique_ptr<KeyboardConnection> connection_;
  std::unique_ptr<EndingRequests> ending_;
  std::unique_ptr<DeviceRequests> device_;
  std::unique_ptr<StoreRequests> store_;
  std::unique_ptr<DialogRequests> dialog_;
  std::unique_ptr<OutsideRequests> outside_;
  // After the requests: its clients go before the session they write through.
  std::unique_ptr<OpenRgbServer> openrgb_;
  std::unique_ptr<KeyboardBusService> bus_;
  // Last: a write it started may still tell it its end while the requests go.
  std::unique_ptr<AutomationRunner> automation_;
  std::unique_ptr<X11ActiveWindowWatch> active_window_watch_;
  // Writes through the device requests.
  std::unique_ptr<DesktopServices> desktop_;
};

}  // namespace n240qx
