#include "gui/X11ActiveWindowWatch.h"

#include <xcb/xcb.h>

#include <QGuiApplication>
#include <QSocketNotifier>
#include <cstdlib>
#include <cstring>
#include <memory>

#include "automation/X11WindowProperties.h"

namespace n240qx {

namespace {

// Longer titles are cut: the rules look for a part of them.
constexpr std::uint32_t kMaxPropertyWords = 1024;

struct FreeReply {
  void operator()(void* reply) const { std::free(reply); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeReply>;

}  // namespace

X11ActiveWindowWatch::X11ActiveWindowWatch(Sink sink, QObject* parent)
    : QObject(parent), sink_(std::move(sink)) {}

X11ActiveWindowWatch::~X11ActiveWindowWatch() {
  if (connection_ != nullptr) {
    xcb_disconnect(connection_);
  }
}

bool X11ActiveWindowWatch::Start() {
  if (qEnvironmentVariableIsSet("WAYLAND_DISPLAY") ||
      QGuiApplication::platformName() != QLatin1String("xcb")) {
    return false;
  }
  int screen_number = 0;
  connection_ = xcb_connect(nullptr, &screen_number);
  if (xcb_connection_has_error(connection_) != 0) {
    xcb_disconnect(connection_);
    connection_ = nullptr;
    return false;
  }
  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(connection_));
  for (int skip = 0; skip < screen_number && screens.rem > 0; ++skip) {
    xcb_screen_next(&screens);
  }
  root_ = screens.data->root;
  net_active_window_ = Atom("_NET_ACTIVE_WINDOW");
  net_wm_name_ = Atom("_NET_WM_NAME");
  net_wm_pid_ = Atom("_NET_WM_PID");
  utf8_string_ = Atom("UTF8_STRING");
  const std::uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE;
  xcb_change_window_attributes(connection_, root_, XCB_CW_EVENT_MASK, &mask);
  xcb_flush(connection_);
  notifier_ =
      new QSocketNotifier(xcb_get_file_descriptor(connection_), QSocketNotifier::Read, this);
  connect(notifier_, &QSocketNotifier::activated, this, [this] { ReadEvents(); });
  ReportActive();
  return true;
}

std::uint32_t X11ActiveWindowWatch::Atom(const char* name) const {
  const Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
      connection_,
      xcb_intern_atom(connection_, 0, static_cast<std::uint16_t>(std::strlen(name)), name),
      nullptr));
  return reply ? reply->atom : static_cast<std::uint32_t>(XCB_ATOM_NONE);
}

std::string X11ActiveWindowWatch::Property(std::uint32_t window, std::uint32_t property,
                                           std::uint32_t type) const {
  // A window gone meanwhile answers with an error, which only leaves the property empty.
  const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
      connection_, xcb_get_property(connection_, 0, window, property, type, 0, kMaxPropertyWords),
      nullptr));
  if (!reply || reply->format != 8) {
    return {};
  }
  const auto* bytes = static_cast<const char*>(xcb_get_property_value(reply.get()));
  return std::string(bytes, static_cast<std::size_t>(xcb_get_property_value_length(reply.get())));
}

std::uint32_t X11ActiveWindowWatch::ActiveWindowId() const {
  const Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
      connection_,
      xcb_get_property(connection_, 0, root_, net_active_window_, XCB_ATOM_WINDOW, 0, 1), nullptr));
  if (!reply || reply->format != 32 || xcb_get_property_value_length(reply.get()) < 4) {
    return XCB_WINDOW_NONE;
  }
  return *static_cast<const std::uint32_t*>(xcb_get_property_value(reply.get()));
}

void X11ActiveWindowWatch::ReportActive() {
  const std::uint32_t window = ActiveWindowId();
  FollowTitleOf(window);
  X11WindowProperties properties;
  if (window != XCB_WINDOW_NONE) {
    properties.wm_class = Property(window, XCB_ATOM_WM_CLASS, XCB_ATOM_STRING);
    properties.net_wm_name = Property(window, net_wm_name_, utf8_string_);
    properties.wm_name = Property(window, XCB_ATOM_WM_NAME, XCB_ATOM_ANY);
    const Reply<xcb_get_property_reply_t> pid(xcb_get_property_reply(
        connection_, xcb_get_property(connection_, 0, window, net_wm_pid_, XCB_ATOM_CARDINAL, 0, 1),
        nullptr));
    if (pid && pid->format == 32 && xcb_get_property_value_length(pid.get()) >= 4) {
      properties.net_wm_pid = *static_cast<const std::uint32_t*>(xcb_get_property_value(pid.get()));
    }
  }
  sink_(properties.ToActiveWindow());
}

void X11ActiveWindowWatch::FollowTitleOf(std::uint32_t window) {
  if (window == followed_) {
    return;
  }
  const std::uint32_t none = XCB_EVENT_MASK_NO_EVENT;
  const std::uint32_t changes = XCB_EVENT_MASK_PROPERTY_CHANGE;
  if (followed_ != XCB_WINDOW_NONE) {
    xcb_change_window_attributes(connection_, followed_, XCB_CW_EVENT_MASK, &none);
  }
  if (window != XCB_WINDOW_NONE) {
    xcb_change_window_attributes(connection_, window, XCB_CW_EVENT_MASK, &changes);
  }
  xcb_flush(connection_);
  followed_ = window;
}

bool X11ActiveWindowWatch::TakeEvents() {
  bool changed = false;
  while (xcb_generic_event_t* raw = xcb_poll_for_event(connection_)) {
    const Reply<xcb_generic_event_t> event(raw);
    if ((event->response_type & 0x7F) != XCB_PROPERTY_NOTIFY) {
      continue;
    }
    const auto* notify = reinterpret_cast<const xcb_property_notify_event_t*>(event.get());
    changed = changed || (notify->window == root_ && notify->atom == net_active_window_) ||
              (notify->window == followed_ &&
               (notify->atom == net_wm_name_ || notify->atom == XCB_ATOM_WM_NAME));
  }
  return changed;
}

void X11ActiveWindowWatch::ReadEvents() {
  // A burst of changes (a title typed into, Alt+Tab) is one report. The report's own requests
  // may queue events the socket will not announce again, so they are taken until none is new.
  while (TakeEvents()) {
    ReportActive();
  }
  if (xcb_connection_has_error(connection_) != 0) {
    // The display has gone, and the desktop this watched with it.
    notifier_->setEnabled(false);
  }
}

}  // namespace n240qx
