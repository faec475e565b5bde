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

// Why a hook reaches only the focused window, so that the dialogs can say it in words a user
// can act on.
enum class KeyHookLimit {
  kNone,        // system-wide, or a hook that gives no reason
  kNotX11,      // a window system other than X11
  kWayland,     // a Wayland session: XWayland sees only the keys of X clients
  kNoDisplay,   // the X display cannot be opened
  kNoXInput22,  // the X server has no XInput 2.2
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
  // Why reach() is kFocusedWindow; valid after a successful Install.
  virtual KeyHookLimit limit() const { return KeyHookLimit::kNone; }
  // A key event the installing window received itself. A system-wide hook has already seen it
  // and drops it; a hook that reaches only the focused window delivers it, so capture works
  // wherever the window system keeps other applications' keys to themselves.
  // Windows forward every key event they get; a hook that needs none ignores them.
  virtual void WindowKey(const HookedKey& /*key*/) {}
};

}  // namespace n240qx
