#include "gui/DialogRequests.h"

#include "gui/QtText.h"
#include "window/FactoryResetFlow.h"

namespace n240qx {

DialogRequests::DialogRequests(Setup setup)
    : state_(setup.state),
      paths_(setup.paths),
      texts_(setup.texts),
      model_(setup.model),
      dialogs_(setup.dialogs),
      feedback_(setup.feedback),
      key_assignment_(state_.BindKeyAssignment()),
      firmware_check_(FirmwareCheck::FromVersionFile(paths_.VersionFile())) {}

bool DialogRequests::Carry(WindowRequest request, std::vector<WindowRequest>& follow_ups) {
  switch (request) {
    case WindowRequest::kOpenKeyDialog:
      OpenKeyDialog(follow_ups);
      return true;
    case WindowRequest::kOpenMacroDialog:
      OpenMacroDialog(follow_ups);
      return true;
    case WindowRequest::kConfirmFactoryReset:
      follow_ups = model_.OnFactoryResetAnswer(dialogs_.confirm(FactoryResetFlow::Prompt(texts_)));
      return true;
    case WindowRequest::kLaunchUpdater:
      LaunchUpdater();
      return true;
    case WindowRequest::kOpenProfileDialog:
      // Whatever the dialog did, the window shows the image again; the keyboard is not read
      // and receives a loaded profile only on Apply.
      dialogs_.profiles();
      follow_ups = model_.OnProfileDialogClosed();
      return true;
    case WindowRequest::kCheckFirmware:
      CheckFirmware();
      return true;
    default:
      return false;
  }
}

void DialogRequests::OpenKeyDialog(std::vector<WindowRequest>& follow_ups) {
  // The dialog starts from the key action table as last saved.
  if (auto loaded = key_assignment_.LoadKeymapStore(true); !loaded.ok()) {
    feedback_.Failed(TextId::kSaveFailed, loaded.error());
  }
  if (!dialogs_.key_assignment(state_.PendingForEditing())) {
    return;
  }
  feedback_.StoreFailed(state_.CompleteKeyAssignment());
  follow_ups = {WindowRequest::kRepaint};
}

void DialogRequests::OpenMacroDialog(std::vector<WindowRequest>& follow_ups) {
  if (!dialogs_.macros()) {
    return;
  }
  feedback_.StoreFailed(state_.CommitMacros());
  follow_ups = {WindowRequest::kRepaint};
}

void DialogRequests::CheckFirmware() {
  if (firmware_check_.ShouldOfferUpdate(state_.firmware()) &&
      dialogs_.confirm(FirmwareCheck::Prompt(texts_))) {
    LaunchUpdater();
  }
}

void DialogRequests::LaunchUpdater() {
  if (!dialogs_.start_updater(ToQString(paths_.Updater()))) {
    feedback_.Failed(TextId::kUpdaterNotStarted);
  }
}

}  // namespace n240qx
