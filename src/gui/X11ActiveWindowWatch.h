#pragma once

#include <QObject>
#include <cstdint>
#include <functional>
#include <string>

#include "automation/ActiveWindow.h"

class QSocketNotifier;
struct xcb_connection_t;

namespace n240qx {

// The active window of an X11 desktop, as the window manager announces it: the root window's
// _NET_ACTIVE_WINDOW changes, read on a connection of our own through a socket notifier (no
// polling), and the title changes of the window it names. On Wayland it stays off: XWayland
// would name only the X programs' windows, and a compositor script reports instead.
class X11ActiveWindowWatch : public QObject {
 public:
  using Sink = std::function<void(ActiveWindow window)>;

  explicit X11ActiveWindowWatch(Sink sink, QObject* parent = nullptr);
  ~X11ActiveWindowWatch() override;
  X11ActiveWindowWatch(const X11ActiveWindowWatch&) = delete;
  X11ActiveWindowWatch& operator=(const X11ActiveWindowWatch&) = delete;

  // False, with nothing running, where there is no X11 desktop to watch.
  bool Start();

 private:
  std::uint32_t Atom(const char* name) const;
  std::uint32_t ActiveWindowId() const;
  std::string Property(std::uint32_t window, std::uint32_t property, std::uint32_t type) const;
  // The active window's properties to the sink, following its title from now on.
  void ReportActive();
  void FollowTitleOf(std::uint32_t window);
  // True when an event told of a new active window or title.
  bool TakeEvents();
  void ReadEvents();

  Sink sink_;
  xcb_connection_t* connection_ = nullptr;
  QSocketNotifier* notifier_ = nullptr;
  std::uint32_t root_ = 0;
  std::uint32_t followed_ = 0;
  std::uint32_t net_active_window_ = 0;
  std::uint32_t net_wm_name_ = 0;
  std::uint32_t net_wm_pid_ = 0;
  std::uint32_t utf8_string_ = 0;
};

}  // namespace n240qx
