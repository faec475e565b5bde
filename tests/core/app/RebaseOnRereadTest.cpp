#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <vector>

#include "app/ConfiguratorState.h"

namespace n240qx {
namespace {

// One setting: what the keyboard held at the window's read, the window's unapplied edit (if
// any), what another program wrote (if any), and what the image must hold after the re-read.
struct Case {
  const char* name;
  std::uint8_t read;
  int edit;   // -1: none
  int other;  // -1: unchanged
  std::uint8_t expected;
};

TEST(RebaseOnRereadTest, UnappliedEditsStayOnTopOfTheOtherProgramsChange) {
  const std::vector<Case> cases = {
      {"edit only", 5, 7, -1, 7},
      {"other only", 5, -1, 9, 9},
      {"both: the edit wins", 5, 7, 9, 7},
      {"neither", 5, -1, -1, 5},
      {"edit taken back to the read value", 5, 5, 9, 9},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    auto state = std::make_unique<ConfiguratorState>();
    DeviceRead first;
    first.image.brightness() = c.read;
    first.image.game_mode() = 0;
    first.write_count = 4;
    state->ApplyFullRead(first);
    if (c.edit >= 0) {
      state->image.brightness() = static_cast<std::uint8_t>(c.edit);
    }
    state->image.game_mode() = 1;  // an edit elsewhere, always kept
    state->edits.Record(state->image, state->key_actions);

    DeviceRead fresh = first;
    if (c.other >= 0) {
      fresh.image.brightness() = static_cast<std::uint8_t>(c.other);
    }
    fresh.write_count = 5;
    state->RebaseOnReread(fresh);

    EXPECT_EQ(state->image.brightness(), c.expected);
    EXPECT_EQ(state->image.game_mode(), 1);
    EXPECT_EQ(state->snapshot.brightness(), fresh.image.brightness()) << "what the keyboard holds";
    EXPECT_EQ(state->keyboard_writes, 5u);
    // Undo takes back the user's edits only, down to what the keyboard now holds.
    while (state->edits.Undo(state->image, state->key_actions) != nullptr) {
    }
    EXPECT_EQ(state->image.game_mode(), 0);
    EXPECT_EQ(state->image.brightness(), fresh.image.brightness());
  }
}

}  // namespace
}  // namespace n240qx
