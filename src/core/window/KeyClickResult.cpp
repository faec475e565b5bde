#include "window/KeyClickResult.h"

namespace n240qx {

std::vector<WindowRequest> KeyClickResult::Effects(PendingAssignment& pending) const {
  std::vector<WindowRequest> requests;
  if (action == Action::kOpenKeyDialog) {
    pending = PendingAssignment{};
    pending.current_key = static_cast<std::uint8_t>(key);
    pending.current_key_vk = key_vk;
    requests.push_back(WindowRequest::kOpenKeyDialog);
  }
  if (repaint) {
    requests.push_back(WindowRequest::kRepaint);
  }
  return requests;
}

}  // namespace n240qx
