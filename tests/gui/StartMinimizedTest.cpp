#include <gtest/gtest.h>

#include "WindowTestSupport.h"

namespace n240qx::testing {
namespace {

using Keyboard = WindowUnderTest::Keyboard;

TEST(StartMinimized, WithATrayTheWindowStaysHiddenUntilAskedFor) {
  WindowUnderTest window(QString(), Keyboard::kSimulated, {.tray = true, .minimized = true});
  window.program().Start();
  // The keyboard is read and the program is ready, all without a window on the screen.
  ASSERT_TRUE(
      WaitFor([&] { return window.state().firmware().has_value() && !window.window().busy(); }));
  EXPECT_FALSE(window.window().isVisible());
  window.program().ShowFromOutside();
  EXPECT_TRUE(window.window().isVisible());
}

TEST(StartMinimized, WithoutATrayTheWindowShowsSinceNothingCouldBringItBack) {
  WindowUnderTest window(QString(), Keyboard::kSimulated, {.tray = false, .minimized = true});
  EXPECT_TRUE(window.StartAndWait());
}

}  // namespace
}  // namespace n240qx::testing
