#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <utility>

namespace n240qx::testing {

// Runs `pump` (one round of the thread's own queue or event loop) until `done` holds; false
// when `limit` passed first. A hang limit, not a timing goal: keep it generous.
bool WaitUntil(const std::function<bool()>& done, const std::function<void()>& pump,
               std::chrono::milliseconds limit = std::chrono::seconds(10));

// Runs `start` with a `done` that keeps the answer, then `wait_until` (a WaitUntil of the
// owning thread, given the condition) until the answer has come; nullopt on a hang.
template <typename T, typename WaitForCondition>
std::optional<T> AwaitAnswer(const std::function<void(std::function<void(T)>)>& start,
                             WaitForCondition&& wait_until) {
  std::optional<T> answer;
  start([&answer](T value) { answer.emplace(std::move(value)); });
  std::forward<WaitForCondition>(wait_until)([&] { return answer.has_value(); });
  return answer;
}

}  // namespace n240qx::testing
