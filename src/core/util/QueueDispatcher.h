#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

#include "util/Dispatcher.h"

namespace n240qx {

// A Dispatcher for programs without an event loop: any thread posts, the owning thread drains.
class QueueDispatcher final : public Dispatcher {
 public:
  void Post(std::function<void()> task) override;
  // Runs every task posted so far on the calling thread; returns how many ran.
  int Drain();
  // Waits up to `timeout` for one task and runs it; returns whether one ran.
  bool RunOne(std::chrono::milliseconds timeout);

 private:
  std::mutex mutex_;
  std::condition_variable posted_;
  std::deque<std::function<void()>> tasks_;
};

}  // namespace n240qx
