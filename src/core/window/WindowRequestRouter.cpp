#include "window/WindowRequestRouter.h"

#include <deque>

namespace n240qx {

void WindowRequestRouter::Route(std::vector<WindowRequest> requests) const {
  std::deque<WindowRequest> queue(requests.begin(), requests.end());
  while (!queue.empty()) {
    const WindowRequest request = queue.front();
    queue.pop_front();
    Run(before_each_step_);
    std::vector<WindowRequest> follow_ups = Carry(request);
    queue.insert(queue.begin(), follow_ups.begin(), follow_ups.end());
  }
  Run(after_route_);
}

void WindowRequestRouter::Run(const std::function<void()>& step) {
  if (step) {
    step();
  }
}

std::vector<WindowRequest> WindowRequestRouter::Carry(WindowRequest request) const {
  std::vector<WindowRequest> follow_ups;
  for (const Handler& handler : handlers_) {
    if (handler(request, follow_ups)) {
      break;
    }
  }
  return follow_ups;
}

}  // namespace n240qx
