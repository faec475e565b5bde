#include <gtest/gtest.h>

#include <algorithm>

#include "window/WindowVisibility.h"

namespace n240qx {
namespace {

using R = WindowRequest;

TEST(WindowVisibility, StartedMinimizedHidesOnlyWhereATrayCanBringItBack) {
  struct Case {
    bool tray;
    bool minimized;
    bool keyboard;
    bool shown;
  };
  const Case cases[] = {
      {true, true, true, false},  {true, true, false, false},  {false, true, true, true},
      {false, true, false, true}, {true, false, true, true},   {true, false, false, false},
      {false, false, true, true}, {false, false, false, true},
  };
  for (const Case& c : cases) {
    WindowVisibility visibility(c.tray);
    visibility.SetStartMinimized(c.minimized);
    const auto requests = visibility.OnStartup(c.keyboard, c.keyboard);
    EXPECT_EQ(std::ranges::count(requests, R::kShowWindow) == 1, c.shown)
        << "tray " << c.tray << " minimized " << c.minimized << " keyboard " << c.keyboard;
    EXPECT_EQ(std::ranges::count(requests, R::kHideWindow) == 1, !c.shown);
  }
}

TEST(WindowVisibility, AWindowStartedMinimizedComesBackFromTheTray) {
  WindowVisibility visibility(true);
  visibility.SetStartMinimized(true);
  ASSERT_EQ(visibility.OnStartup(true, true), (std::vector<R>{R::kHideWindow}));
  EXPECT_EQ(visibility.OnTrayDoubleClick(), (std::vector<R>{R::kShowWindow}));
}

}  // namespace
}  // namespace n240qx
