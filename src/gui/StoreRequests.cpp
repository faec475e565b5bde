#include "gui/StoreRequests.h"

namespace n240qx {

bool StoreRequests::Carry(WindowRequest request, std::vector<WindowRequest>& /*follow_ups*/) {
  switch (request) {
    case WindowRequest::kRefreshKeySettings:
      feedback_.StoreFailed(state_.Refresh());
      return true;
    case WindowRequest::kRevertKeySettings: {
      const Status reverted = state_.RevertKeySettings();
      // The image is restored whatever keymap.bin does; the file's failure is said after it.
      feedback_.Succeeded(FeedbackAction::kRestore, Status());
      feedback_.StoreFailed(reverted);
      return true;
    }
    case WindowRequest::kSaveSnapshotsToStore:
      feedback_.StoreFailed(state_.SaveAppliedKeymapStore());
      return true;
    default:
      return false;
  }
}

}  // namespace n240qx
