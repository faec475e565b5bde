#pragma once

#include <QObject>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

#include "app/ConfiguratorSessionEvents.h"
#include "app/ConfiguratorState.h"
#include "app/ProgramPaths.h"
#include "connect/ConnectionSwitch.h"
#include "connect/DeviceConnectionFactory.h"
#include "device/DeviceSession.h"
#include "device/SequenceProgress.h"
#include "gui/QtDispatcher.h"
#include "gui/WindowFeedback.h"
#include "paint/SliderId.h"
#include "window/MainWindowModel.h"
#include "window/WindowRequest.h"
#include "window/WindowRequestRouter.h"

namespace n240qx {

// The window's one connection to the keyboard: the session and what it runs on, the fallback
// to the simulator when none is attached, and what the session reports (progress, arrivals,
// removals, the keyboard's own lighting changes, launch keys). What the models answer a report
// with starts a route of its own. The request handlers start their sequences on `session()`
// and end them through `EndSequence`.
class KeyboardConnection {
 public:
  // What the window does for a session report that is no request: paint, move a slider.
  struct WindowSide {
    std::function<void()> repaint;
    std::function<void(SliderId id, int position)> move_slider;
  };
  struct Setup {
    ConfiguratorState& state;
    const ProgramPaths& paths;
    MainWindowModel& model;
    const WindowRequestRouter& router;
    WindowFeedback& feedback;
    std::unique_ptr<DeviceConnectionFactory> connections;
  };

  KeyboardConnection(Setup setup, WindowSide window);
  KeyboardConnection(const KeyboardConnection&) = delete;
  KeyboardConnection& operator=(const KeyboardConnection&) = delete;

  // Starts the session and connects; without a keyboard (and not asked for the simulator)
  // carries on with the simulator. Ends with the model's start-up requests.
  void Start();
  DeviceSession& session() { return connection_.session(); }
  // A sequence has ended: its requests go to the window, then a waiting switch to the keyboard
  // may happen and on_sequence_ended is told.
  void EndSequence(const std::vector<WindowRequest>& requests);
  // A sequence starts: the last one's progress is no longer shown.
  void ResetProgress() { progress_.reset(); }

  bool simulated() const { return connection_.simulated(); }
  const std::optional<SequenceProgress>& progress() const { return progress_; }

  // Told when a sequence ended, when the keyboard came or went (the simulator counts) and when
  // a launch key was pressed.
  std::function<void()> on_sequence_ended;
  std::function<void(bool present)> on_keyboard_presence;
  std::function<void(std::uint8_t code)> on_launch_key;

 private:
  ConfiguratorSessionEvents::Hooks SessionHooks();
  void OnArrivalRunning(bool running);
  // `arrived`: the keyboard has just been plugged in and needs its settling pause first.
  void Connect(bool arrived = false);
  void OnConnected(const Status& status);
  void FallBackToSimulator();
  void OnReturnedToKeyboard();
  void NoteSequenceEnded();

  // Ends delayed work when this object goes.
  QObject guard_;
  const ProgramPaths& paths_;
  MainWindowModel& model_;
  const WindowRequestRouter& router_;
  WindowFeedback& feedback_;
  WindowSide window_;
  std::optional<SequenceProgress> progress_;
  ConfiguratorSessionEvents events_;
  // Work the sessions posted is dropped with it, after they have stopped.
  QtDispatcher dispatcher_;
  // Last: its session reports to events_ and stops before anything above goes.
  ConnectionSwitch connection_;
};

}  // namespace n240qx
