#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/DarkLights.h"

namespace n240qx {
namespace {

using Reason = DarkLights::Reason;

// Plays `events` on a keyboard lit at `start`, with the window free to write except between
// "busy" and "idle", and returns every brightness written.
std::vector<int> Play(std::uint8_t start, std::vector<Reason> followed,
                      const std::vector<std::string>& events) {
  DarkLights lights;
  for (Reason reason : followed) {
    lights.Follow(reason, true);
  }
  DarkLights::Brightness now{start, start};
  bool busy = false;
  std::vector<int> written;
  for (const std::string& event : events) {
    if (event == "lock" || event == "sleep") {
      lights.Begin(event == "lock" ? Reason::kScreen : Reason::kSleep);
    } else if (event == "unlock" || event == "wake") {
      lights.End(event == "unlock" ? Reason::kScreen : Reason::kSleep);
    } else if (event == "away") {
      lights.Begin(Reason::kIdle);
    } else if (event == "back") {
      lights.End(Reason::kIdle);
    } else if (event == "toggle") {
      lights.Toggle(now);
    } else if (event == "busy" || event == "idle") {
      busy = event == "busy";
    } else if (event.starts_with("keyboard=")) {
      now.shown = now.held = static_cast<std::uint8_t>(std::stoi(event.substr(9)));
    } else if (event.starts_with("slider=")) {
      now.shown = static_cast<std::uint8_t>(std::stoi(event.substr(7)));
    } else {
      ADD_FAILURE() << "no such event: " << event;
    }
    if (busy) {
      continue;
    }
    if (const auto value = lights.Step(now)) {
      now.shown = now.held = *value;
      written.push_back(*value);
    }
  }
  return written;
}

TEST(DarkLights, GoDarkForTheFollowedReasonsAndBringBackTheBrightnessTheUserWants) {
  const std::vector<Reason> kScreen = {Reason::kScreen};
  const std::vector<Reason> kBoth = {Reason::kScreen, Reason::kSleep};
  const struct {
    const char* row;
    std::uint8_t start;
    std::vector<Reason> followed;
    std::vector<std::string> events;
    std::vector<int> written;
  } kRows[] = {
      {"a lock darkens, an unlock restores", 30, kScreen, {"lock", "unlock"}, {0, 30}},
      {"an option left off changes nothing", 30, {}, {"lock", "unlock", "sleep", "wake"}, {}},
      {"only the option chosen", 30, kScreen, {"sleep", "wake"}, {}},
      {"the lights come back once every reason has ended",
       30,
       kBoth,
       {"lock", "sleep", "wake", "unlock"},
       {0, 30}},
      {"a brightness set on the keyboard while dark stays",
       30,
       kScreen,
       {"lock", "keyboard=12", "unlock"},
       {0}},
      {"a brightness set in the window while dark is written",
       30,
       kScreen,
       {"lock", "slider=40", "unlock"},
       {0, 40}},
      {"an unapplied brightness is the one restored",
       30,
       kScreen,
       {"slider=20", "lock", "unlock"},
       {0, 20}},
      {"a keyboard dimmed to 0 stays as it is", 0, kScreen, {"lock", "unlock"}, {}},
      {"a lock and unlock during a sequence write nothing",
       30,
       kScreen,
       {"busy", "lock", "unlock", "idle"},
       {}},
      {"a lock during a sequence darkens after it", 30, kScreen, {"busy", "lock", "idle"}, {0}},
      {"idleness darkens, the next use restores", 30, {Reason::kIdle}, {"away", "back"}, {0, 30}},
      {"idleness not followed changes nothing", 30, kScreen, {"away", "back"}, {}},
      {"a brightness set while idle and locked is the one restored",
       30,
       {Reason::kIdle, Reason::kScreen},
       {"away", "lock", "slider=15", "back", "unlock"},
       {0, 15}},
      {"the lights key turns them off and on", 30, {}, {"toggle", "toggle"}, {0, 30}},
      {"the lights key lights a locked keyboard until the next lock",
       30,
       kScreen,
       {"lock", "toggle", "unlock", "lock"},
       {0, 30, 0}},
      {"the lights key keeps them dark past an unlock",
       30,
       kScreen,
       {"lock", "toggle", "toggle", "unlock"},
       {0, 30, 0}},
      {"the lights key lights a keyboard dimmed to 0 fully", 0, {}, {"toggle"}, {50}},
      {"two presses during a sequence cancel out",
       30,
       {},
       {"busy", "toggle", "toggle", "idle"},
       {}},
  };
  for (const auto& row : kRows) {
    EXPECT_EQ(Play(row.start, row.followed, row.events), row.written) << row.row;
  }
}

TEST(DarkLights, AnOptionSwitchedOffWhileDarkBringsTheLightsBack) {
  DarkLights lights;
  lights.Follow(Reason::kScreen, true);
  lights.Begin(Reason::kScreen);
  EXPECT_EQ(lights.Step({25, 25}), 0);
  EXPECT_TRUE(lights.dark());
  lights.Follow(Reason::kScreen, false);
  EXPECT_EQ(lights.Step({0, 0}), 25);
  EXPECT_FALSE(lights.dark());
  EXPECT_FALSE(lights.Follows(Reason::kScreen));
}

}  // namespace
}  // namespace n240qx
