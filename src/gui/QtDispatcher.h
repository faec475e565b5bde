#pragma once

#include <QObject>
#include <functional>

#include "util/Dispatcher.h"

namespace n240qx {

// Runs posted work on the thread that created the dispatcher, through Qt's event loop. Work
// still queued when the dispatcher goes is dropped, so destroy whatever posts (the device
// session) first.
class QtDispatcher final : public Dispatcher {
 public:
  QtDispatcher() = default;
  QtDispatcher(const QtDispatcher&) = delete;
  QtDispatcher& operator=(const QtDispatcher&) = delete;

  // Any thread.
  void Post(std::function<void()> task) override;

 private:
  QObject receiver_;
};

}  // namespace n240qx
