#include <gtest/gtest.h>

#include "automation/X11WindowProperties.h"

namespace n240qx {
namespace {

using namespace std::string_literals;

TEST(X11WindowProperties, SplitsTheClassPrefersTheUtf8TitleAndKeepsOnlyAPidThatFits) {
  const struct {
    const char* name;
    X11WindowProperties properties;
    ActiveWindow expected;
  } kCases[] = {
      {"all set",
       {"steam\0Steam\0"s, "Steam \xE2\x80\x93 Library", "Steam", 4242u},
       {"steam", "Steam", "Steam \xE2\x80\x93 Library", 4242}},
      {"old title only, no pid",
       {"xterm\0XTerm\0"s, "", "xterm", std::nullopt},
       {"xterm", "XTerm", "xterm", 0}},
      {"class without its ending NUL", {"a\0B"s, "t", "", 1u}, {"a", "B", "t", 1}},
      {"instance only", {"solo"s, "", "", 0x80000000u}, {"solo", "", "", 0}},
      {"nothing", {}, {}},
  };
  for (const auto& c : kCases) {
    const ActiveWindow window = c.properties.ToActiveWindow();
    EXPECT_EQ(window.instance_name, c.expected.instance_name) << c.name;
    EXPECT_EQ(window.class_name, c.expected.class_name) << c.name;
    EXPECT_EQ(window.title, c.expected.title) << c.name;
    EXPECT_EQ(window.pid, c.expected.pid) << c.name;
  }
}

}  // namespace
}  // namespace n240qx
