#pragma once

#include <QPoint>
#include <QTimer>
#include <QWidget>
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "app/ConfiguratorState.h"
#include "app/Texts.h"
#include "gui/CBitSlider.h"
#include "gui/KeyboardConnection.h"
#include "gui/SkinPictures.h"
#include "gui/WindowDialogs.h"
#include "gui/WindowFeedback.h"
#include "lighting/LightingPage.h"
#include "paint/SliderId.h"
#include "window/EditKeys.h"
#include "window/KeyboardView.h"
#include "window/MainWindowModel.h"
#include "window/WindowRequest.h"
#include "window/WindowRequestRouter.h"

namespace n240qx {

// What the main window paints and forwards its input to; MainWindowComposition owns them all
// and outlives the window.
struct MainWindowParts {
  ConfiguratorState& state;
  const Texts& texts;
  SkinPictures& skins;
  const WindowDialogs& dialogs;
  LightingPage& page;
  MainWindowModel& model;
  KeyboardView& keyboard_view;
  EditKeys& edit_keys;
  const WindowRequestRouter& router;
  const WindowFeedback& feedback;
  const KeyboardConnection& connection;
  // The profile rules' status line, empty when none.
  std::function<std::string()> rule_status;
  // The tray's no-keyboard balloon, when there is a tray.
  std::function<void()> show_no_keyboard_balloon;
};

// The main window: a frameless skinned window that paints everything itself from its models
// and forwards the mouse and the keyboard to them. What the models decide comes back as window
// requests, which all take one route (WindowRequestRouter): this class's handler carries out
// those about the window (showing, hiding, moving, the sliders, repainting), the request
// handlers the rest.
class CVaveVedozadoDlg : public QWidget {
  Q_OBJECT

 public:
  explicit CVaveVedozadoDlg(MainWindowParts parts);
  ~CVaveVedozadoDlg() override;

  // The window's own requests; false for the others.
  bool CarryWindowRequest(WindowRequest request);
  // The sliders, the cursor and the title follow the model.
  void SyncControls();
  void SetSlidersFromImage();

  const MainWindowModel& model() const { return parts_.model; }
  const KeyboardView& keyboard_view() const { return parts_.keyboard_view; }
  const LightingPage& lighting_page() const { return parts_.page; }
  ConfiguratorState& state() { return parts_.state; }
  CBitSlider& slider(SliderId id);
  bool busy() const { return parts_.model.state().EditingLocked(); }
  bool simulated() const { return parts_.connection.simulated(); }
  const std::string& failure() const { return parts_.feedback.failure(); }
  const std::string& success() const { return parts_.feedback.success(); }
  int paint_count() const { return paint_count_; }
  bool repaint_ticking() const { return repaint_timer_.isActive(); }
  SkinPictures& skins() { return parts_.skins; }

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
  void CreateSliders();
  void HandleRelease(QMouseEvent* event);
  // The edit keys take their keys first; other keys do nothing here.
  void StepEdits(const QKeyEvent* event);
  void OnHover(const QPoint& at);
  void StartWindowMove(const QPoint& global);

  MainWindowParts parts_;
  std::array<CBitSlider*, 4> sliders_{};
  QTimer repaint_timer_;
  // Where the window system cannot take a caption drag over, the window follows the pointer.
  std::optional<QPoint> manual_drag_offset_;
  int paint_count_ = 0;
};

}  // namespace n240qx
