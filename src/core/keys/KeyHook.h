#pragma once

#include <cstdint>
#include <functional>

namespace n240qx {

// One key event seen by the system-wide key hook: the Windows virtual-key code of the key's
// position and whether it was released. Auto-repeats arrive as further presses.
struct HookedKey {
  std::uint8_t vk = 0;
  bool released = false;
};

// How far a hook reaches once installed. The key dialog and the macro recorder only need the
// keys; a hook that cannot see other applications' keys still reports what its own window gets.
enum class KeyHookReach {
  kSystemWide,     // keys typed into any application
  kFocusedWindow,  // only keys typed while the installing window has the focus
};

// The system-wide key hook that key capture and macro recording rely on. Install returns true
// when events will arrive; from then on every press and release reaches the sink given at
// construction, on the thread that owns the window, until Remove. Mode 0 is the key dialog's
// capture and mode 1 the macro recorder's; both deliver presses and releases here.
class KeyHook {
 public:
  using Sink = std::function<void(const HookedKey&)>;

  virtual ~KeyHook() = default;
  virtual bool Install(int mode) = 0;
  virtual void Remove() = 0;
  virtual bool installed() const = 0;
  // Valid after a successful Install.
  virtual KeyHookReach reach() const = 0;
  // A key event the installing window received itself. A system-wide hook has already seen it
  // and drops it; a hook that reaches only the focused window delivers it, so capture works
  // wherever the window system keeps other applications' keys to themselves.
  // Windows forward every key event they get; a hook that needs none ignores them.
  virtual void WindowKey(const HookedKey& /*key*/) {}
};

}  // namespace n240qx
