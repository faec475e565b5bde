#pragma once

#include <functional>

namespace n240qx {

// Hands work to the thread that owns the configuration state. The window posts through Qt's
// event loop; the command-line tool and the tests through a queue the main thread drains.
class Dispatcher {
 public:
  virtual ~Dispatcher() = default;
  virtual void Post(std::function<void()> task) = 0;
};

}  // namespace n240qx
