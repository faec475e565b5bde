#pragma once

#include <vector>

#include "app/ConfiguratorState.h"
#include "app/FirmwareCheck.h"
#include "app/KeyAssignment.h"
#include "app/ProgramPaths.h"
#include "app/Texts.h"
#include "gui/WindowDialogs.h"
#include "gui/WindowFeedback.h"
#include "window/MainWindowModel.h"
#include "window/WindowRequest.h"

namespace n240qx {

// The router's handler of the dialogs (key assignment, macros, profiles, the factory reset's
// question), the firmware check and the updater. What a dialog's model answers comes back as
// follow-ups.
class DialogRequests {
 public:
  struct Setup {
    ConfiguratorState& state;
    const ProgramPaths& paths;
    const Texts& texts;
    MainWindowModel& model;
    WindowDialogs& dialogs;
    WindowFeedback& feedback;
  };

  explicit DialogRequests(Setup setup);

  bool Carry(WindowRequest request, std::vector<WindowRequest>& follow_ups);
  // The key assignment the dialog completes; launch keys run through it too.
  const KeyAssignment& key_assignment() const { return key_assignment_; }

 private:
  // The key clicked in Keymap mode (ConfiguratorState::pending()): the key assignment dialog,
  // and on OK the assignment and keymap.bin.
  void OpenKeyDialog(std::vector<WindowRequest>& follow_ups);
  // The macro dialog, and on OK the macro records, keymap.bin and MacroDefine.bin.
  void OpenMacroDialog(std::vector<WindowRequest>& follow_ups);
  void CheckFirmware();
  void LaunchUpdater();

  ConfiguratorState& state_;
  const ProgramPaths& paths_;
  const Texts& texts_;
  MainWindowModel& model_;
  WindowDialogs& dialogs_;
  WindowFeedback& feedback_;
  KeyAssignment key_assignment_;
  FirmwareCheck firmware_check_;
};

}  // namespace n240qx
