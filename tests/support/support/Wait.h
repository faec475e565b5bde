#pragma once

#include <chrono>
#include <functional>

namespace n240qx::testing {

// Runs `pump` (one round of the thread's own queue or event loop) until `done` holds; false
// when `limit` passed first. A hang limit, not a timing goal: keep it generous.
bool WaitUntil(const std::function<bool()>& done, const std::function<void()>& pump,
               std::chrono::milliseconds limit = std::chrono::seconds(10));

}  // namespace n240qx::testing
