#pragma once

#include <QDBusConnection>
#include <memory>

#include "gui/KeyboardBusAdaptor.h"
#include "util/Result.h"

namespace n240qx {

// The window's name and keyboard object on the session bus, for as long as it lives: while it
// holds the name, n240qx-ctl goes through the window instead of opening the keyboard itself.
class KeyboardBusService {
 public:
  static constexpr const char* kName = "io.github.n240qx.Configurator";

  KeyboardBusService(KeyboardBusAdaptor::Window window, QDBusConnection bus);
  ~KeyboardBusService();
  KeyboardBusService(const KeyboardBusService&) = delete;
  KeyboardBusService& operator=(const KeyboardBusService&) = delete;

  // kNotOpen with the reason when there is no session bus or another program holds the name;
  // the window then runs as it did without one.
  Status Register();
  KeyboardBusAdaptor& adaptor() { return *adaptor_; }

 private:
  QDBusConnection bus_;
  std::unique_ptr<KeyboardBusAdaptor> adaptor_;
  bool registered_ = false;
};

}  // namespace n240qx
