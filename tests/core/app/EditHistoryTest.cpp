#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <vector>

#include "app/ConfiguratorState.h"
#include "app/EditHistory.h"
#include "lighting/KeyboardLightingChange.h"
#include "support/StateStores.h"
#include "support/TempDir.h"

namespace n240qx {
namespace {

struct State {
  ConfigImage image;
  KeyActionTable actions;
};

bool operator==(const State& a, const State& b) {
  return a.image.bytes() == b.image.bytes() && a.actions == b.actions;
}

using Edit = std::function<void(State&)>;

// One of each edit the window makes, some on the same bytes as an earlier one.
const std::vector<Edit>& MixedEdits() {
  static const std::vector<Edit> edits{
      [](State& s) { s.image.brightness() = 33; },
      [](State& s) {
        auto table = s.image.Field(image_field::ColourTable(2));
        table[30] = 0xFF;
        table[32] = 0x20;
      },
      [](State& s) {
        s.image.game_mode() ^= 1;
        s.image.report_rate() = 2;
      },
      [](State& s) {
        s.actions[17].kind = static_cast<std::uint8_t>(AssignmentKind::kOpenFile);
        s.actions[17].SetPath(u"/usr/bin/true");
        s.image.Field(image_field::KeyMapEntry(17))[1] = 0x44;
      },
      [](State& s) {
        s.image.brightness() = 12;
        s.actions[17].SetPath(u"/bin/sh");
      },
  };
  return edits;
}

class EditHistoryTest : public ::testing::Test {
 protected:
  EditHistoryTest() {
    // Not all zero, so that a step that put back zeros would show.
    for (std::size_t i = 0; i < now.image.bytes().size(); ++i) {
      now.image.bytes()[i] = static_cast<std::uint8_t>(i * 7);
    }
    RestoreKeyActionKeys(now.actions);
    history.Reset(now.image, now.actions);
  }

  // Makes each edit and records it; returns the state before the first and after each.
  std::vector<State> EditAndRecord(const std::vector<Edit>& edits) {
    std::vector<State> states{now};
    for (const Edit& edit : edits) {
      edit(now);
      EXPECT_TRUE(history.Record(now.image, now.actions));
      states.push_back(now);
    }
    return states;
  }
  const EditStep* Undo() { return history.Undo(now.image, now.actions); }
  const EditStep* Redo() { return history.Redo(now.image, now.actions); }

  State now;
  EditHistory history;
};

TEST_F(EditHistoryTest, UndoAndRedoReturnEveryStateByteForByte) {
  const std::vector<State> states = EditAndRecord(MixedEdits());
  for (std::size_t step = states.size() - 1; step > 0; --step) {
    ASSERT_NE(Undo(), nullptr) << "undo to " << step - 1;
    EXPECT_TRUE(now == states[step - 1]) << "after undo to " << step - 1;
  }
  EXPECT_FALSE(history.CanUndo());
  EXPECT_EQ(Undo(), nullptr);
  for (std::size_t step = 1; step < states.size(); ++step) {
    ASSERT_NE(Redo(), nullptr) << "redo to " << step;
    EXPECT_TRUE(now == states[step]) << "after redo to " << step;
  }
  EXPECT_FALSE(history.CanRedo());
  EXPECT_EQ(Redo(), nullptr);
  EXPECT_TRUE(now == states.back());
}

TEST_F(EditHistoryTest, AnInputThatChangedNothingMakesNoStep) {
  EXPECT_FALSE(history.Record(now.image, now.actions));
  EXPECT_FALSE(history.CanUndo());
}

TEST_F(EditHistoryTest, ANewEditAfterUndoDropsTheStepsUndone) {
  const std::vector<State> states = EditAndRecord(MixedEdits());
  Undo();
  Undo();
  now.image.brightness() = 99;  // not yet recorded: undo and redo take it as an edit of its own
  const State branched = now;
  EXPECT_EQ(Redo(), nullptr);
  EXPECT_FALSE(history.CanRedo());
  EXPECT_TRUE(now == branched);
  ASSERT_NE(Undo(), nullptr);
  EXPECT_TRUE(now == states[states.size() - 3]);
}

TEST_F(EditHistoryTest, ResetStartsANewHistoryFromTheStateGiven) {
  EditAndRecord(MixedEdits());
  history.Reset(now.image, now.actions);
  const State reset = now;
  EXPECT_FALSE(history.CanUndo() || history.CanRedo());
  EXPECT_EQ(Undo(), nullptr);
  EXPECT_TRUE(now == reset);
}

TEST_F(EditHistoryTest, KeepsTheNewestHundredSteps) {
  std::vector<Edit> edits;
  for (int i = 1; i <= static_cast<int>(EditHistory::kMaxSteps) + 1; ++i) {
    edits.push_back([i](State& s) { s.image.brightness() = static_cast<std::uint8_t>(i); });
  }
  const std::vector<State> states = EditAndRecord(edits);
  std::size_t undone = 0;
  while (Undo() != nullptr) {
    ++undone;
  }
  EXPECT_EQ(undone, EditHistory::kMaxSteps);
  // The first edit is no longer a step: undo stops at the state it made.
  EXPECT_TRUE(now == states[1]);
}

TEST_F(EditHistoryTest, TheOldestStepsGoWhenTheStepsOutgrowTheByteBudget) {
  // Each step rewrites every key action's data and path: about 390 kB as before and after.
  constexpr std::size_t kLargeSteps = 30;
  std::vector<Edit> edits(kLargeSteps, [](State& s) {
    for (auto& entry : s.actions.Entries()) {
      entry.path.fill(entry.path[0] == u'\u1234' ? u'\u4321' : u'\u1234');
      entry.data.fill(static_cast<std::uint8_t>(entry.data[0] + 1));
    }
  });
  const std::vector<State> states = EditAndRecord(edits);
  std::size_t undone = 0;
  while (Undo() != nullptr) {
    ++undone;
  }
  EXPECT_GT(undone, 1u);
  EXPECT_LT(undone, kLargeSteps);
  EXPECT_TRUE(now == states[kLargeSteps - undone]);
}

// The history as the program keeps it: what the keyboard or a write changes is not an edit.
class ProgramEditsTest : public ::testing::Test {
 protected:
  ProgramEditsTest() {
    state.UseStores(testing::StoresIn(dir.path()));
    state.ImageForEditing().brightness() = 10;
    state.ImageForEditing().light_effect() = 3;
    state.CopyToSnapshots();
  }
  void Record() { EXPECT_TRUE(state.RecordEdits()); }
  bool Undo() { return state.UndoEdit() != nullptr; }

  const testing::TempDir dir;
  ConfiguratorState state;
};

TEST_F(ProgramEditsTest, AKeyboardLightingChangeBetweenEditsSurvivesUndoAndRedo) {
  struct Case {
    const char* what;
    std::uint8_t sub_code;
    std::uint8_t value;
    std::uint8_t effect_after_undo;
    std::uint8_t brightness_after_undo;
  };
  const Case cases[] = {
      {"another field", KeyboardLightingChange::kEffect, 7, 7, 10},
      {"the field the user edited", KeyboardLightingChange::kBrightness, 40, 3, 40},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    state.ImageForEditing().brightness() = 10;
    state.ImageForEditing().light_effect() = 3;
    state.ImageForEditing().colour_slots()[4] = 0;
    state.CopyToSnapshots();
    state.ImageForEditing().colour_slots()[4] = 0x80;
    Record();
    state.ImageForEditing().brightness() = 30;
    Record();
    state.ApplyKeyboardLightingChange(c.sub_code, c.value);
    // Not the user's: the next input that changes nothing makes no step.
    EXPECT_FALSE(state.RecordEdits());
    ASSERT_TRUE(Undo());
    ASSERT_TRUE(Undo());
    EXPECT_EQ(state.image().light_effect(), c.effect_after_undo);
    EXPECT_EQ(state.image().brightness(), c.brightness_after_undo);
    EXPECT_EQ(state.image().colour_slots()[4], state.snapshot().colour_slots()[4]);
    ASSERT_NE(state.RedoEdit(), nullptr);
    EXPECT_EQ(state.image().colour_slots()[4], 0x80);
    EXPECT_EQ(state.image().light_effect(), c.effect_after_undo);
  }
}

TEST_F(ProgramEditsTest, EveryEndingThatLeavesImageAndSnapshotAlikeStartsANewHistory) {
  DeviceRead read;
  read.image.brightness() = 20;
  const std::vector<std::pair<const char*, std::function<void()>>> endings{
      {"write",
       [&] {
         state.FinishWrite({Status::Ok(), state.image(), {}, {}, 0});
       }},
      {"full read", [&] { state.FinishFullRead(read); }},
      {"arrival", [&] { state.FinishArrival(read, false, true); }},
      {"factory reset", [&] { state.FinishFactoryReset(read); }},
  };
  for (const auto& [what, ending] : endings) {
    SCOPED_TRACE(what);
    state.ImageForEditing().game_mode() ^= 1;
    Record();
    ending();
    const ConfigImage ended = state.image();
    EXPECT_FALSE(Undo());
    EXPECT_EQ(state.image().bytes(), ended.bytes());
  }
}

TEST_F(ProgramEditsTest, AFailedWriteKeepsTheEditsAndItsFoldedLockIsNoStep) {
  std::ranges::fill(state.ImageForEditing().key_enable_mask(), 0x3F);
  state.CopyToSnapshots();
  state.ImageForEditing().windows_key_lock() = 1;
  Record();
  WriteOutcome failed{Error{ErrorCode::kIo, "unplugged"}, state.image(), {}, {}, 0};
  failed.written.ApplyWindowsKeyLock();
  state.FinishWrite(failed);
  ASSERT_TRUE(Undo());
  EXPECT_EQ(state.image().windows_key_lock(), 0);
  // The mask keeps what the write folded in; the next write folds the lock out again.
  EXPECT_EQ(state.image().key_enable_mask()[1], failed.written.key_enable_mask()[1]);
  EXPECT_FALSE(Undo());
}

TEST_F(ProgramEditsTest, MacroRecordsRebuiltByTheMacroDialogAreNoStep) {
  std::ranges::fill(state.ImageForEditing().macros(), 0xAB);
  state.CopyToSnapshots();
  state.ImageForEditing().brightness() = 30;
  Record();
  state.MacrosForDialog().stored.entry(0).name[0] = u'M';
  state.MacrosForDialog().stored.entry(0).repeat_count = 1;
  ASSERT_TRUE(state.CommitMacros().ok());
  const ConfigImage committed = state.image();
  ASSERT_FALSE(std::ranges::equal(committed.macros(), state.snapshot().macros()));
  ASSERT_TRUE(Undo());
  EXPECT_EQ(state.image().brightness(), 10);
  EXPECT_TRUE(std::ranges::equal(state.image().macros(), committed.macros()));
  EXPECT_FALSE(Undo());
}

}  // namespace
}  // namespace n240qx
