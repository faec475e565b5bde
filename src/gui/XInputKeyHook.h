#pragma once

#include <QObject>

#include "keys/KeyHook.h"

class QKeyEvent;
class QSocketNotifier;
struct _XDisplay;

namespace n240qx {

// The key hook on X11: XInput2 raw key events of every master keyboard, selected on the root
// window of a connection of its own (Qt's connection is left alone), read on the UI thread when
// the connection's socket has data. Raw events reach the root window whatever window has the
// focus or a grab, so keys typed into other applications arrive too.
// Where that cannot work (Wayland, no X server, no XInput2) Install still succeeds with reach()
// kFocusedWindow, and the keys the window forwards through WindowKey are delivered instead.
class XInputKeyHook : public QObject, public KeyHook {
 public:
  explicit XInputKeyHook(Sink sink, QObject* parent = nullptr);
  ~XInputKeyHook() override;

  bool Install(int mode) override;
  void Remove() override;
  bool installed() const override { return installed_; }
  KeyHookReach reach() const override { return reach_; }
  void WindowKey(const HookedKey& key) override;

  KeyHookLimit limit() const override { return limit_; }

  // The key of a Qt key event by position: its native scan code where the platform gives one
  // (the X keycode on X11 and Wayland), else the letter or digit Qt names. vk 0 for others.
  static HookedKey KeyOfEvent(const QKeyEvent& event);

 private:
  bool OpenSystemWide();
  void CloseConnection();
  void ReadEvents();

  Sink sink_;
  bool installed_ = false;
  KeyHookReach reach_ = KeyHookReach::kFocusedWindow;
  KeyHookLimit limit_ = KeyHookLimit::kNone;
  _XDisplay* display_ = nullptr;
  int xi_opcode_ = 0;
  QSocketNotifier* notifier_ = nullptr;  // a child of this hook while installed
};

}  // namespace n240qx
