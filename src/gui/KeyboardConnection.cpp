#include "gui/KeyboardConnection.h"

#include <QTimer>
#include <utility>

#include "app/UdevRuleHelp.h"

namespace n240qx {

KeyboardConnection::KeyboardConnection(Setup setup, WindowSide window)
    : paths_(setup.paths),
      model_(setup.model),
      router_(setup.router),
      feedback_(setup.feedback),
      window_(std::move(window)),
      events_(setup.state, SessionHooks()),
      connection_(
          std::move(setup.connections), dispatcher_, events_,
          {[this] { return model_.state().EditingLocked(); }, [this] { OnReturnedToKeyboard(); }}) {
}

ConfiguratorSessionEvents::Hooks KeyboardConnection::SessionHooks() {
  ConfiguratorSessionEvents::Hooks hooks;
  hooks.launch_key = [this](std::uint8_t code) {
    if (on_launch_key) {
      on_launch_key(code);
    }
  };
  hooks.progress = [this](const SequenceProgress& progress) {
    progress_ = progress;
    window_.repaint();
  };
  hooks.connection = [this](bool connected) {
    router_.Route(connected ? model_.visibility().OnKeyboardConnected()
                            : model_.visibility().OnKeyboardRemoved());
    if (on_keyboard_presence) {
      on_keyboard_presence(connected);
    }
  };
  hooks.arrival = [this](const SequenceEnd& end, bool reset_after_update, bool listening) {
    if (!end.device.ok()) {
      feedback_.Failed(TextId::kReadFailed, end.device.error());
      return;
    }
    feedback_.StoreFailed(end.store);
    router_.Route(model_.OnArrivalRead(reset_after_update, listening));
  };
  hooks.arrival_running = [this](bool running) { OnArrivalRunning(running); };
  hooks.waiting_for_keyboard = [this](bool waiting) {
    model_.OnWaitingForKeyboard(waiting);
    window_.repaint();
  };
  hooks.lighting = [this](const std::optional<SliderMove>& move) {
    if (move) {
      window_.move_slider(move->id, move->position);
    }
    // The effect may have changed what the page offers (the speed slider) at once.
    router_.Route({WindowRequest::kStartRepaintCountdown});
  };
  return hooks;
}

void KeyboardConnection::OnArrivalRunning(bool running) {
  model_.OnArrivalRunning(running);
  window_.repaint();
  if (!running) {
    NoteSequenceEnded();
  }
}

void KeyboardConnection::Start() {
  connection_.Start();
  Connect();
}

void KeyboardConnection::Connect(bool arrived) {
  if (const auto unwatched = connection_.watch_failure()) {
    feedback_.Failed(TextId::kHotplugFailed, *unwatched);
  }
  auto done = [this](Status status) { OnConnected(status); };
  if (arrived) {
    connection_.session().ConnectAfterArrival(done);
  } else {
    connection_.session().Connect(done);
  }
}

void KeyboardConnection::OnConnected(const Status& status) {
  const bool absent = !status.ok() && status.error().code == ErrorCode::kNotFound;
  if (absent && connection_.CanFallBack()) {
    // The session is replaced outside its own reply.
    QTimer::singleShot(0, &guard_, [this] { FallBackToSimulator(); });
    return;
  }
  if (!status.ok() && status.error().code == ErrorCode::kPermissionDenied) {
    // Attached, but no udev rule yet: the usual first start. The window stays up and says
    // how to install the rule; so does the tray's balloon.
    const auto rule = UdevRuleHelp::ShippedRule(paths_.share_folder());
    feedback_.PermissionDenied(UdevRuleHelp::Lines(feedback_.texts(), rule),
                               UdevRuleHelp::OneLine(feedback_.texts(), rule));
    model_.visibility().SetPermissionDenied(true);
  } else if (!status.ok() && !absent) {
    feedback_.Failed(TextId::kReadFailed, status.error());
  }
  router_.Route(model_.OnStartup(status.ok(), status.ok()));
}

void KeyboardConnection::FallBackToSimulator() {
  // No keyboard attached: the program still works, on the simulator, and the title strip
  // says so.
  const Status simulator = connection_.FallBackToSimulator();
  if (!simulator.ok()) {
    feedback_.Failed(TextId::kReadFailed, simulator.error());
    router_.Route(model_.OnStartup(false, false));
    return;
  }
  Connect();
}

void KeyboardConnection::OnReturnedToKeyboard() {
  // Connected and read as at start-up; unapplied edits on the simulator go with it.
  window_.repaint();
  Connect(true);
}

void KeyboardConnection::EndSequence(const std::vector<WindowRequest>& requests) {
  router_.Route(requests);
  NoteSequenceEnded();
}

void KeyboardConnection::NoteSequenceEnded() {
  connection_.OnSequenceEnded();
  if (on_sequence_ended) {
    on_sequence_ended();
  }
}

}  // namespace n240qx
