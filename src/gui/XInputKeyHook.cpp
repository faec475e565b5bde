#include "gui/XInputKeyHook.h"

#include <QtGui/qguiapplication_platform.h>

#include <QGuiApplication>
#include <QKeyEvent>
#include <QSocketNotifier>
#include <array>

#include "keys/XKeycodeTable.h"

// Xlib's macros (None, Status, KeyPress, ...) collide with Qt and our own names: it comes last.
#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>
#undef KeyPress
#undef KeyRelease

namespace n240qx {

namespace {

// Raw events of every master device; 2.2 is the version from which raw events reach the
// root window while another client holds a grab.
constexpr int kXiMajor = 2;
constexpr int kXiMinor = 2;

void SelectRawKeys(Display* display, bool on) {
  std::array<unsigned char, XIMaskLen(XI_LASTEVENT)> bits{};
  if (on) {
    XISetMask(bits.data(), XI_RawKeyPress);
    XISetMask(bits.data(), XI_RawKeyRelease);
  }
  XIEventMask mask;
  mask.deviceid = XIAllMasterDevices;
  mask.mask_len = static_cast<int>(bits.size());
  mask.mask = bits.data();
  XISelectEvents(display, DefaultRootWindow(display), &mask, 1);
  XFlush(display);
}

}  // namespace

XInputKeyHook::XInputKeyHook(Sink sink, QObject* parent)
    : QObject(parent), sink_(std::move(sink)) {}

XInputKeyHook::~XInputKeyHook() {
  Remove();
}

bool XInputKeyHook::Install(int /*mode*/) {
  // Both modes want every press and release; the sink tells them apart.
  if (installed_) {
    return true;
  }
  reach_ = OpenSystemWide() ? KeyHookReach::kSystemWide : KeyHookReach::kFocusedWindow;
  installed_ = true;
  return true;
}

void XInputKeyHook::Remove() {
  CloseConnection();
  installed_ = false;
}

void XInputKeyHook::WindowKey(const HookedKey& key) {
  if (installed_ && reach_ == KeyHookReach::kFocusedWindow && key.vk != 0 && sink_) {
    sink_(key);
  }
}

bool XInputKeyHook::OpenSystemWide() {
  limit_ = KeyHookLimit::kNone;
  // Under XWayland raw events stop at the X clients: keys typed into the session's own
  // windows would never arrive, and a capture that works only sometimes is worse than one
  // that says where it works. Checked first: a Wayland session is the reason that matters.
  if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY")) {
    limit_ = KeyHookLimit::kWayland;
    return false;
  }
  if (QGuiApplication::platformName() != QLatin1String("xcb")) {
    limit_ = KeyHookLimit::kNotX11;
    return false;
  }
  // The display Qt shows its windows on, by name: a connection of our own leaves Qt's alone.
  const auto* x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
  Display* qt_display = x11 != nullptr ? x11->display() : nullptr;
  display_ = XOpenDisplay(qt_display != nullptr ? DisplayString(qt_display) : nullptr);
  if (display_ == nullptr) {
    limit_ = KeyHookLimit::kNoDisplay;
    return false;
  }
  int first_event = 0;
  int first_error = 0;
  int major = kXiMajor;
  int minor = kXiMinor;
  if (!XQueryExtension(display_, "XInputExtension", &xi_opcode_, &first_event, &first_error) ||
      XIQueryVersion(display_, &major, &minor) != Success || major < kXiMajor ||
      (major == kXiMajor && minor < kXiMinor)) {
    limit_ = KeyHookLimit::kNoXInput22;
    CloseConnection();
    return false;
  }
  SelectRawKeys(display_, true);
  notifier_ = new QSocketNotifier(ConnectionNumber(display_), QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] { ReadEvents(); });
  // Events Xlib already read while setting up would not wake the notifier.
  ReadEvents();
  return true;
}

void XInputKeyHook::CloseConnection() {
  if (notifier_ != nullptr) {
    // A sink may remove the hook while the notifier is still delivering its signal.
    notifier_->setEnabled(false);
    notifier_->deleteLater();
    notifier_ = nullptr;
  }
  if (display_ != nullptr) {
    SelectRawKeys(display_, false);
    XCloseDisplay(display_);
    display_ = nullptr;
  }
}

void XInputKeyHook::ReadEvents() {
  // A sink may remove the hook; the connection is then gone and reading stops.
  while (display_ != nullptr && XPending(display_) > 0) {
    XEvent event;
    XNextEvent(display_, &event);
    XGenericEventCookie* cookie = &event.xcookie;
    if (cookie->type != GenericEvent || cookie->extension != xi_opcode_ ||
        !XGetEventData(display_, cookie)) {
      continue;
    }
    const bool press = cookie->evtype == XI_RawKeyPress;
    const bool release = cookie->evtype == XI_RawKeyRelease;
    const auto* raw = static_cast<const XIRawEvent*>(cookie->data);
    const std::uint8_t vk =
        (press || release) ? XKeycodeTable::VirtualKeyOf(static_cast<unsigned>(raw->detail)) : 0;
    XFreeEventData(display_, cookie);
    // A key no table knows still arrives, as 0, so that the dialogs can say it cannot be sent.
    if ((press || release) && sink_) {
      sink_(HookedKey{vk, release});
    }
  }
}

HookedKey XInputKeyHook::KeyOfEvent(const QKeyEvent& event) {
  const bool released = event.type() == QEvent::KeyRelease;
  if (const auto vk = XKeycodeTable::VirtualKeyOf(event.nativeScanCode()); vk != 0) {
    return HookedKey{vk, released};
  }
  // Qt's codes of letters and digits are their virtual-key codes.
  const int key = event.key();
  const bool letter_or_digit =
      (key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9);
  return HookedKey{letter_or_digit ? static_cast<std::uint8_t>(key) : std::uint8_t{0}, released};
}

}  // namespace n240qx
