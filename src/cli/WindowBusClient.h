#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include "cli/KeyboardStatus.h"
#include "macros/MacroWords.h"
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
  // Each write returns once the keyboard has acknowledged it, or with the window's refusal.
  Status Set(const std::vector<std::pair<std::string, std::string>>& settings, bool discard_edits);
  // A binary or JSON profile file's bytes as they are.
  Status ApplyProfile(const std::vector<std::uint8_t>& data, bool discard_edits);
  Status ApplyStoredProfile(const std::string& name, bool discard_edits);
  // `assign`'s words after the key.
  Status Assign(const std::string& key, const std::vector<std::string>& words, bool discard_edits);
  Status FactoryReset(bool discard_edits);
  // A backup by number (1 for the newest) or file name.
  Status Restore(const std::string& backup, bool discard_edits);
  // A profile file (named absolutely) into the window's configuration and kept in its
  // profiles folder: the name it is kept under.
  Result<std::string> ImportProfile(const std::string& file, bool discard_edits);
  // `macro`'s change words, made on the window's stored macros, which it saves.
  Result<MacroWords::Done> ChangeMacros(std::span<const std::string> words, bool discard_edits);

 private:
  struct Connection;
  explicit WindowBusClient(std::unique_ptr<Connection> connection);

  std::unique_ptr<Connection> connection_;
};

}  // namespace n240qx
