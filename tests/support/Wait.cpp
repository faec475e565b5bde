#include "support/Wait.h"

namespace n240qx::testing {

bool WaitUntil(const std::function<bool()>& done, const std::function<void()>& pump,
               std::chrono::milliseconds limit) {
  const auto deadline = std::chrono::steady_clock::now() + limit;
  while (!done()) {
    if (std::chrono::steady_clock::now() >= deadline) {
      return false;
    }
    pump();
  }
  return true;
}

}  // namespace n240qx::testing
