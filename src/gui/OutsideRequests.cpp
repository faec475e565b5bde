#include "gui/OutsideRequests.h"

#include <QApplication>
#include <utility>

#include "app/ChangeSummary.h"
#include "app/HostActionStep.h"
#include "app/KeyboardBusModel.h"
#include "app/LibraryProfileLoad.h"
#include "app/ProfileLibrary.h"
#include "config/ProfileJson.h"

namespace n240qx {

OutsideRequests::OutsideRequests(Setup setup)
    : state_(setup.state),
      paths_(setup.paths),
      texts_(setup.texts),
      model_(setup.model),
      connection_(setup.connection),
      device_(setup.device),
      key_assignment_(setup.key_assignment),
      feedback_(setup.feedback),
      repaint_(std::move(setup.repaint)),
      launcher_(std::move(setup.launcher)) {}

void OutsideRequests::OnLaunchKey(std::uint8_t code) {
  if (launcher_) {
    key_assignment_.LaunchKeyAction(code, *launcher_);
  }
  if (const auto action = FindHostAction(state_.key_actions(), code)) {
    RunHostAction(*action);
  }
  if (on_launch_key) {
    on_launch_key(code);
  }
}

bool OutsideRequests::Busy() const {
  return model_.state().EditingLocked() || device_.caller_waiting();
}

void OutsideRequests::RunHostAction(const HostAction& action) {
  auto names = ProfileLibrary(paths_.LibraryFolder()).Names();
  if (!names.ok()) {
    feedback_.Failed(TextId::kProfileKeyFailed, names.error());
    return;
  }
  // Every dialog of the window is modal: a profile under one would change what it shows.
  const HostActionStep step = HostActionStep::Plan(
      action, {Busy(), QApplication::activeModalWidget() != nullptr,
               ChangeSummary::Compare(state_).Any(), std::move(*names), active_profile_});
  switch (step.kind) {
    case HostActionStep::Kind::kToggleLights:
      if (toggle_lights) {
        toggle_lights();
      }
      return;
    case HostActionStep::Kind::kRefused:
      feedback_.FailedText(step.RefusalLine(texts_));
      return;
    case HostActionStep::Kind::kApplyProfile:
      ApplyLibraryProfile(step.profile);
      return;
  }
}

// The same road as a bus caller's write: the profile's check, a backup, only the difference.
void OutsideRequests::ApplyLibraryProfile(const std::string& name) {
  const ProfileLibrary library(paths_.LibraryFolder());
  auto load = [&library, &name, language = texts_.language()](ConfiguratorState& state) {
    return LoadLibraryProfile(state, library, name, language);
  };
  device_.WriteForCaller(load, false, [this, name](const Status& status) {
    if (status.ok()) {
      NoteProfileApplied(name, ChosenBy::kProfileKey);
      feedback_.Succeeded(FeedbackAction::kProfileKey, status, name);
    } else {
      feedback_.Failed(TextId::kProfileKeyFailed, status.error());
    }
    repaint_();
  });
}

void OutsideRequests::NoteProfileApplied(const std::string& name, ChosenBy chosen_by) {
  active_profile_ = name;
  if (on_profile_applied) {
    on_profile_applied(name, chosen_by);
  }
}

KeyboardBusAdaptor::Window OutsideRequests::BusWindow() {
  KeyboardBusAdaptor::Window window;
  window.properties = [this] {
    KeyboardBusProperties properties = KeyboardBusModel::Read(
        state_, model_.visibility().keyboard_connected(), connection_.simulated());
    auto names = ProfileLibrary(paths_.LibraryFolder()).Names();
    KeyboardBusModel::ReadProfiles(
        properties, names.ok() ? std::move(*names) : std::vector<std::string>(), active_profile_);
    return properties;
  };
  window.activity = [this] {
    // Every dialog of the window is modal; a caller's write under one would change what it
    // shows behind its back.
    return KeyboardBusWindow{model_.visibility().keyboard_connected(),
                             QApplication::activeModalWidget() != nullptr, Busy(),
                             ChangeSummary::Compare(state_).Any()};
  };
  window.profile_json = [this] {
    // What the keyboard holds, as `read --json` prints it, whatever the window shows.
    ConfigImage held = state_.image();
    RestoreImageFromSnapshot(held, state_.snapshot());
    return profile_json::ToText({held, state_.key_actions_snapshot(), state_.stored_macros(),
                                 state_.key_names(), state_.firmware()});
  };
  window.write = [this](const DeviceRequests::CallerChange& change, bool discard_edits,
                        KeyboardBusAdaptor::WriteDone done) {
    device_.WriteForCaller(change, discard_edits, std::move(done));
  };
  window.change_stores = [this](const DeviceRequests::CallerChange& change, bool discard_edits) {
    return device_.ChangeForCaller(change, discard_edits);
  };
  window.reset = [this](bool discard_edits, KeyboardBusAdaptor::WriteDone done) {
    device_.ResetForCaller(discard_edits, std::move(done));
  };
  window.profile_applied = [this](const std::string& name) { NoteProfileApplied(name); };
  window.key_names = &state_.key_names();
  window.paths = &paths_;
  return window;
}

}  // namespace n240qx
