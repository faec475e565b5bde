#include <gtest/gtest.h>

#include <QKeyEvent>
#include <vector>

#include "gui/XInputKeyHook.h"

namespace n240qx {
namespace {

// The widget tests run on the offscreen platform: no X server, so the hook falls back to the
// keys its window forwards, and says so.
TEST(XInputKeyHook, WithoutX11ItDeliversTheWindowsOwnKeysUntilRemoved) {
  std::vector<std::pair<int, bool>> seen;
  XInputKeyHook hook([&](const HookedKey& key) { seen.emplace_back(key.vk, key.released); });
  hook.WindowKey(HookedKey{'A', false});
  ASSERT_TRUE(hook.Install(0));
  EXPECT_EQ(hook.reach(), KeyHookReach::kFocusedWindow);
  EXPECT_NE(hook.limit(), KeyHookLimit::kNone);
  hook.WindowKey(HookedKey{'B', false});
  hook.WindowKey(HookedKey{0, false});
  hook.WindowKey(HookedKey{'B', true});
  hook.Remove();
  EXPECT_FALSE(hook.installed());
  hook.WindowKey(HookedKey{'C', false});
  const std::vector<std::pair<int, bool>> expected = {{'B', false}, {'B', true}};
  EXPECT_EQ(seen, expected);
}

// A Wayland session is named before the window system: it is the reason a user can act on.
TEST(XInputKeyHook, SaysWhyItReachesOnlyTheFocusedWindow) {
  const QByteArray wayland = qgetenv("WAYLAND_DISPLAY");
  const struct {
    const char* wayland_display;
    KeyHookLimit limit;
  } cases[] = {{nullptr, KeyHookLimit::kNotX11}, {"wayland-0", KeyHookLimit::kWayland}};
  for (const auto& c : cases) {
    if (c.wayland_display != nullptr) {
      qputenv("WAYLAND_DISPLAY", c.wayland_display);
    } else {
      qunsetenv("WAYLAND_DISPLAY");
    }
    XInputKeyHook hook([](const HookedKey&) {});
    ASSERT_TRUE(hook.Install(0));
    EXPECT_EQ(hook.reach(), KeyHookReach::kFocusedWindow);
    EXPECT_EQ(hook.limit(), c.limit);
  }
  if (wayland.isNull()) {
    qunsetenv("WAYLAND_DISPLAY");
  } else {
    qputenv("WAYLAND_DISPLAY", wayland);
  }
}

TEST(XInputKeyHook, KeyOfEventGoesByPositionThenByQtsLettersAndDigits) {
  struct Case {
    QEvent::Type type;
    int qt_key;
    quint32 scan_code;
    int vk;
    bool released;
  };
  const Case cases[] = {
      {QEvent::KeyPress, Qt::Key_A, 24, 'Q', false},  // an AZERTY board's A sits where Q is
      {QEvent::KeyRelease, Qt::Key_Return, 104, 0x6C, true},
      {QEvent::KeyPress, Qt::Key_5, 0, '5', false},
      {QEvent::KeyPress, Qt::Key_Z, 0, 'Z', false},
      {QEvent::KeyPress, Qt::Key_Escape, 0, 0, false},
  };
  for (const auto& c : cases) {
    const QKeyEvent event(c.type, c.qt_key, Qt::NoModifier, c.scan_code, 0, 0);
    const HookedKey key = XInputKeyHook::KeyOfEvent(event);
    EXPECT_EQ(key.vk, c.vk) << c.qt_key;
    EXPECT_EQ(key.released, c.released) << c.qt_key;
  }
}

}  // namespace
}  // namespace n240qx
