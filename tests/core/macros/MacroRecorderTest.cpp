#include <gtest/gtest.h>

#include <functional>

#include "MacroDialogFixture.h"

namespace n240qx {
namespace {

using testing::MacroDialogFixture;
using Strings = std::vector<std::string>;

struct KeyStep {
  std::uint8_t vk;
  bool released;
  std::int64_t after_ms;
};

struct RecordingCase {
  const char* name;
  bool has_delay;
  std::vector<KeyStep> keys;
  const char* key_hex;
  Strings lines;
};

class Recording : public testing::MacroDialogFixture,
                  public ::testing::WithParamInterface<RecordingCase> {};

TEST_P(Recording, EncodesTheKeysWithTheirDelays) {
  const RecordingCase& c = GetParam();
  OpenWith({u"Macro_001"});
  if (c.has_delay) {
    Click(MacroButton::kDelayBox);
  }
  Click(MacroButton::kRecord);
  ASSERT_TRUE(model_.recording());
  EXPECT_EQ(hook_.last_mode, 1);
  for (const KeyStep& step : c.keys) {
    Key(step.vk, step.released, step.after_ms);
  }
  EXPECT_EQ(KeyHex(), c.key_hex);
  EXPECT_EQ(ShownLines(), c.lines);
  // Saved after every event: the working copy holds what the buffers hold.
  EXPECT_EQ(testing::UsedHex(working_.entry(0).key_events), c.key_hex);
  EXPECT_EQ(working_.entry(0).has_delay(), c.has_delay);
  EXPECT_EQ(model_.selected_line(), c.lines.size() - 1);
}

INSTANTIATE_TEST_SUITE_P(
    MacroRecorder, Recording,
    ::testing::Values(
        RecordingCase{"NoDelayOption",
                      false,
                      {{0x41, false, 0}, {0x41, true, 300}},
                      "01 41 81 41",
                      {"A  dn", "A  up"}},
        RecordingCase{"HeldFor300ms",
                      true,
                      {{0x41, false, 5000}, {0x41, true, 300}},
                      "01 41 FF 41 01 2C",
                      {"A  dn", "300 ms", "A  up"}},
        RecordingCase{"TwoMinutesAreAMinute",
                      true,
                      {{0x41, false, 0}, {0x41, true, 120000}},
                      "01 41 FF 41 EA 60",
                      {"A  dn", "60000 ms", "A  up"}},
        RecordingCase{"AutoRepeatDropped",
                      true,
                      {{0x41, false, 0}, {0x41, false, 30}, {0x41, false, 30}, {0x41, true, 40}},
                      "01 41 E4 41",
                      {"A  dn", "100 ms", "A  up"}},
        RecordingCase{"SameMillisecondIsNoZeroDelay",
                      true,
                      {{0x41, false, 0}, {0x42, false, 0}, {0x41, true, 0}},
                      "01 41 01 42 81 41",
                      {"A  dn", "B  dn", "A  up"}}),
    [](const auto& test) { return std::string(test.param.name); });

TEST_F(MacroDialogFixture, AFullBufferTakesNothingMore) {
  OpenWith({u"Macro_001"});
  Click(MacroButton::kRecord);
  for (int pair = 0; pair < 46; ++pair) {  // 92 events, 184 bytes
    Tap(0x41);
  }
  Key(0x42, false);  // a press must begin before byte 184
  Key(0x42, true);   // a release before byte 188
  Key(0x43, true);
  const std::string full = KeyHex();
  const auto lines = model_.event_lines();
  EXPECT_EQ(full.substr(full.size() - 17), "81 41 81 42 81 43");
  Tap(0x44);
  Key(0x45, true);
  EXPECT_EQ(KeyHex(), full);
  EXPECT_EQ(model_.event_lines(), lines);
  model_.SelectEventLine(0);
  model_.OnMenuCommand(MacroCommand::kLeftClick);
  EXPECT_EQ(KeyHex(), full) << "a click that does not fit goes in not at all";
  model_.OnMenuCommand(MacroCommand::kLeftDown);
  EXPECT_EQ(model_.UsedBytes(), 190u);
}

// A captured press without its release would hold the key down whenever the macro plays.
TEST_F(MacroDialogFixture, ACapturedPairGoesInWholeOrNotAtAll) {
  struct Case {
    int lone_releases;  // after 46 pairs (184 bytes), 2 bytes each
    std::size_t used_after;
    bool hook_after;
  };
  for (const Case& c : {Case{2, 188, false}, Case{1, 190, false}}) {
    SCOPED_TRACE(c.lone_releases);
    stored_.Clear();
    OpenWith({u"Macro_001"});
    Click(MacroButton::kRecord);
    for (int pair = 0; pair < 46; ++pair) {
      Tap(0x41);
    }
    for (int release = 0; release < c.lone_releases; ++release) {
      Key(static_cast<std::uint8_t>(0x42 + release), true);
    }
    Click(MacroButton::kRecord);
    model_.SelectEventLine(0);
    model_.OnMenuCommand(MacroCommand::kInsertBefore);
    Key(0x44, false);
    Key(0x44, false);  // an auto-repeat that no longer fits with its release
    Key(0x44, true);
    EXPECT_EQ(model_.UsedBytes(), c.used_after);
    const std::string hex = KeyHex();
    const std::size_t presses = hex.find("01 44") == std::string::npos ? 0 : 1;
    const std::size_t releases = hex.find("81 44") == std::string::npos ? 0 : 1;
    EXPECT_EQ(presses, releases) << hex;
    EXPECT_EQ(hook_.installed(), c.hook_after);
  }
}

TEST_F(MacroDialogFixture, CaptureKeepsAutoRepeatsAndEndsAtTheRelease) {
  OpenWith({u"Macro_001"});
  Click(MacroButton::kRecord);
  Tap(0x41);
  Click(MacroButton::kRecord);
  ASSERT_FALSE(hook_.installed());
  model_.SelectEventLine(1);
  model_.OnMenuCommand(MacroCommand::kInsertAfter);
  ASSERT_TRUE(hook_.installed());
  Key(0x42, false);
  Key(0x42, false);
  Key(0x42, true);
  EXPECT_EQ(KeyHex(), "01 41 81 41 01 42 01 42 81 42");
  EXPECT_FALSE(hook_.installed()) << "the release ends the capture";
  Tap(0x43);
  EXPECT_EQ(KeyHex(), "01 41 81 41 01 42 01 42 81 42") << "nothing arrives after the capture";

  model_.SelectEventLine(0);
  model_.OnMenuCommand(MacroCommand::kInsertBefore);
  Tap(0x43);
  EXPECT_EQ(ShownLines(), (Strings{"C  dn", "C  up", "A  dn", "A  up", "B  dn", "B  dn", "B  up"}));
  EXPECT_EQ(testing::UsedHex(working_.entry(0).key_events), KeyHex());
}

// An edit that gives up a capture takes the hook with it, or keys typed into the loop field
// would keep vanishing into it; a recording keeps its hook.
TEST_F(MacroDialogFixture, AGivenUpCaptureRemovesTheHookUnlessRecording) {
  struct Case {
    const char* edit;
    std::function<void()> run;
    bool hook_stays;
  };
  const std::vector<Case> cases = {
      {"Insert Delay", [this] { model_.OnMenuCommand(MacroCommand::kInsertDelay); }, false},
      {"Delete", [this] { model_.OnMenuCommand(MacroCommand::kDelete); }, false},
      {"delay edit", [this] { model_.OnDelayEdited(1, 300); }, false},
      {"other macro", [this] { model_.SelectMacro(1); }, false},
      {"Start Recording", [this] { Click(MacroButton::kRecord); }, true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.edit);
    stored_.Clear();
    OpenWith({u"Macro_001", u"Macro_002"});
    Click(MacroButton::kRecord);
    Click(MacroButton::kDelayBox);
    Tap(0x41);
    Click(MacroButton::kRecord);
    model_.SelectEventLine(0);
    model_.OnMenuCommand(MacroCommand::kInsertBefore);
    ASSERT_TRUE(hook_.installed());
    c.run();
    EXPECT_FALSE(model_.recorder().capture_armed());
    EXPECT_EQ(hook_.installed(), c.hook_stays);
  }
}

// A pending capture never survives these: its key would land in an unexpected place.
TEST_F(MacroDialogFixture, StartRecordingNewAndAnotherMacroDisarmACapture) {
  for (const char* action : {"Start Recording", "New", "other macro"}) {
    SCOPED_TRACE(action);
    stored_.Clear();
    OpenWith({u"Macro_001", u"Macro_002"});
    model_.OnMenuCommand(MacroCommand::kInsertAfter);  // no line selected: nothing armed
    EXPECT_FALSE(model_.recorder().capture_armed());
    Click(MacroButton::kRecord);
    Tap(0x41);
    Click(MacroButton::kRecord);
    model_.SelectEventLine(0);
    model_.OnMenuCommand(MacroCommand::kInsertBefore);
    ASSERT_TRUE(model_.recorder().capture_armed());
    if (std::string(action) == "Start Recording") {
      Click(MacroButton::kRecord);
    } else if (std::string(action) == "New") {
      Click(MacroButton::kNew);
    } else {
      model_.SelectMacro(1);
    }
    EXPECT_FALSE(model_.recorder().capture_armed());
  }
}

TEST_F(MacroDialogFixture, RecordingGoesOnBehindTheLastEventOfAnotherMacro) {
  // A release after 256 ms: its delay's low byte is 0, which is no end of the events.
  stored_.entry(1).key_events = testing::Buffer({0x01, 0x41, 0xFF, 0x41, 0x01, 0x00});
  stored_.entry(1).device_events = testing::Buffer({0x01, 0x04, 0xFF, 0x04, 0x01, 0x00});
  OpenWith({u"Macro_001", u"Macro_002"});
  Click(MacroButton::kRecord);
  model_.SelectMacro(1);
  EXPECT_TRUE(model_.recording());
  Tap(0x42);
  EXPECT_EQ(KeyHex(), "01 41 FF 41 01 00 01 42 81 42");
  EXPECT_EQ(testing::UsedHex(working_.entry(1).device_events), "01 04 FF 04 01 00 01 05 81 05");
}

TEST_F(MacroDialogFixture, AFailedHookIsTriedAgainAtTheNextStart) {
  OpenWith({u"Macro_001"});
  hook_.succeeds = false;
  Click(MacroButton::kRecord);
  EXPECT_TRUE(model_.recording());
  Tap(0x41);
  EXPECT_EQ(KeyHex(), "");
  hook_.succeeds = true;
  Click(MacroButton::kRecord);
  Click(MacroButton::kRecord);
  Tap(0x41);
  EXPECT_EQ(KeyHex(), "01 41 81 41");
  EXPECT_EQ(hook_.installs, 2);
}

}  // namespace
}  // namespace n240qx
