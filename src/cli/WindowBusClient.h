#pragma once

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "cli/KeyboardStatus.h"
#include "util/Result.h"

namespace n240qx {

// The running window's keyboard object on the session bus, as the tool calls it. Every call
// blocks until the window answers; a failure comes back with the kind the window gave it, so
// that the tool ends with the exit status of a direct run.
class WindowBusClient {
 public:
  // The window's object when a window holds its name on the session bus; nullptr without a
  // session bus or a window.
  static std::unique_ptr<WindowBusClient> Find();
  ~WindowBusClient();
  WindowBusClient(const WindowBusClient&) = delete;
  WindowBusClient& operator=(const WindowBusClient&) = delete;

  // What the keyboard holds, in the JSON profile format.
  Result<std::string> ReadProfile();
  Result<KeyboardStatus> ReadState();
  // Returns once the keyboard has acknowledged the write, or with the window's refusal.
  Status Set(const std::vector<std::pair<std::string, std::string>>& settings, bool discard_edits);

 private:
  struct Connection;
  explicit WindowBusClient(std::unique_ptr<Connection> connection);

  std::unique_ptr<Connection> connection_;
};

}  // namespace n240qx
