#include "util/QueueDispatcher.h"

#include <utility>

namespace n240qx {

void QueueDispatcher::Post(std::function<void()> task) {
  {
    std::lock_guard lock(mutex_);
    tasks_.push_back(std::move(task));
  }
  posted_.notify_all();
}

int QueueDispatcher::Drain() {
  std::deque<std::function<void()>> batch;
  {
    std::lock_guard lock(mutex_);
    batch.swap(tasks_);
  }
  for (auto& task : batch) {
    task();
  }
  return static_cast<int>(batch.size());
}

bool QueueDispatcher::RunOne(std::chrono::milliseconds timeout) {
  std::function<void()> task;
  {
    std::unique_lock lock(mutex_);
    if (!posted_.wait_for(lock, timeout, [this] { return !tasks_.empty(); })) {
      return false;
    }
    task = std::move(tasks_.front());
    tasks_.pop_front();
  }
  task();
  return true;
}

}  // namespace n240qx
