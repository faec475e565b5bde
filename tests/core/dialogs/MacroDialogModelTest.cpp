#include <gtest/gtest.h>

#include <algorithm>
#include <string_view>
#include <variant>
#include <vector>

#include "core/macros/MacroDialogFixture.h"
#include "dialogs/MacroDialogScene.h"

namespace n240qx {
namespace {

using testing::MacroDialogFixture;
using Names = std::vector<std::u16string>;
using Strings = std::vector<std::string>;

TEST(NextMacroName, TakesTheFirstFreeNumber) {
  const struct {
    Names names;
    std::u16string next;
  } cases[] = {
      {{}, u"Macro_001"},
      {{u"Macro_001", u"Macro_003"}, u"Macro_002"},
      {{u"Macro_002", u"Mine"}, u"Macro_001"},
      {{u"Macro_001", u"Macro_002", u"Macro_003", u"Macro_004", u"Macro_005", u"Macro_006",
        u"Macro_007", u"Macro_008", u"Macro_009"},
       u"Macro_010"},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(NextMacroName(c.names), c.next) << c.names.size();
  }
}

// Whether a text is drawn at a place, at whatever height it was fitted to its room.
bool ShowsText(const std::vector<PaintOp>& ops, int x, int y, std::string_view text) {
  return std::ranges::any_of(ops, [&](const PaintOp& op) {
    const auto* drawn = std::get_if<PaintText>(&op);
    return drawn != nullptr && drawn->x == x && drawn->y == y && drawn->text == text;
  });
}

TEST_F(MacroDialogFixture, NewStopsAtThirtyTwoMacros) {
  OpenWith({});
  for (int i = 0; i < 33; ++i) {
    Click(MacroButton::kNew);
  }
  ASSERT_EQ(model_.macro_names().size(), 32u);
  EXPECT_EQ(model_.macro_names().back(), u"Macro_032");
  EXPECT_EQ(model_.selected_macro(), 31u);
  EXPECT_EQ(working_.UsedCount(), 32u);
  EXPECT_EQ(working_.entry(31).repeat_count, 1);
  EXPECT_EQ(stored_.UsedCount(), 0u) << "only OK stores";
}

TEST_F(MacroDialogFixture, DeletingTheMiddleOfThreeMovesTheLastDown) {
  OpenWith({u"One", u"Two", u"Three"});
  model_.SelectMacro(2);
  Click(MacroButton::kRecord);
  Tap(0x41);
  model_.SelectMacro(1);
  Click(MacroButton::kDelete);
  EXPECT_EQ(last_.effect, MacroDialogEffect::kConfirmDelete);
  model_.OnDeleteConfirmed();
  EXPECT_EQ(model_.macro_names(), (Names{u"One", u"Three"}));
  EXPECT_EQ(model_.selected_macro(), 1u);
  EXPECT_FALSE(model_.recording());
  EXPECT_EQ(ShownLines(), (Strings{"A  dn", "A  up"})) << "the moved macro is shown";
  Click(MacroButton::kOk);
  EXPECT_EQ(last_.effect, MacroDialogEffect::kAccept);
  EXPECT_EQ(stored_.UsedCount(), 2u);
  EXPECT_EQ(stored_.entry(1).Name(), u"Three");
  EXPECT_EQ(testing::UsedHex(stored_.entry(1).key_events), "01 41 81 41");
  EXPECT_FALSE(stored_.entry(2).InUse());
}

TEST_F(MacroDialogFixture, DeletingTheOnlyMacroLeavesNothingSelected) {
  OpenWith({u"One"});
  model_.OnDeleteConfirmed();
  EXPECT_TRUE(model_.macro_names().empty());
  EXPECT_FALSE(model_.selected_macro());
  EXPECT_EQ(model_.OnDeleteConfirmed().message, MacroText::kSelectToDelete);
  Click(MacroButton::kRecord);
  EXPECT_EQ(last_.message, MacroText::kSelectToRecord);
  EXPECT_FALSE(model_.recording());
}

TEST_F(MacroDialogFixture, LoopFieldKeepsUpToThreeDigitsAndNeverZero) {
  OpenWith({u"One"});
  const struct {
    std::u16string typed;
    std::u16string shown;
  } cases[] = {{u"0", u"1"}, {u"", u"1"}, {u"25", u"25"}, {u"1234", u"123"}, {u"x7", u"7"}};
  for (const auto& c : cases) {
    EXPECT_EQ(model_.SetLoopText(c.typed), c.shown);
  }
  Click(MacroButton::kLoopBox);
  model_.SetLoopText(u"25");
  Click(MacroButton::kOk);
  EXPECT_EQ(stored_.entry(0).repeat_count, 25);

  model_.Open();
  EXPECT_TRUE(model_.loop());
  Click(MacroButton::kLoopBox);
  EXPECT_EQ(model_.loop_text(), u"1");
  Click(MacroButton::kOk);
  EXPECT_EQ(stored_.entry(0).repeat_count, 1);
}

TEST_F(MacroDialogFixture, RenameReachesTheWorkingCopyOnly) {
  OpenWith({u"One", u"Two"});
  Click(MacroButton::kRecord);
  Tap(0x41);
  const auto events = working_.entry(0).key_events;
  EXPECT_EQ(model_.RenameMacro(0, u"Jump"), u"Jump");
  EXPECT_EQ(working_.entry(0).Name(), u"Jump");
  EXPECT_EQ(working_.entry(0).key_events, events);
  EXPECT_EQ(model_.RenameMacro(1, u""), u"Two") << "an empty name is refused";
  EXPECT_EQ(model_.RenameMacro(1, std::u16string(300, u'x')).size(), 254u);
  EXPECT_EQ(stored_.entry(0).Name(), u"One");
  Tap(0x42);
  EXPECT_EQ(working_.entry(0).Name(), u"Jump") << "a later save keeps the new name";
}

TEST_F(MacroDialogFixture, CancelAndCloseKeepTheStoredCopy) {
  OpenWith({u"One"});
  const MacroStore before = stored_;
  for (const MacroButton ending : {MacroButton::kCancel, MacroButton::kClose}) {
    model_.Open();
    Click(MacroButton::kRecord);
    Tap(0x41);
    Click(MacroButton::kNew);
    Click(ending);
    EXPECT_EQ(stored_, before);
    EXPECT_FALSE(hook_.installed());
  }
  EXPECT_EQ(last_.effect, MacroDialogEffect::kAccept) << "the close box ends as OK";
}

TEST_F(MacroDialogFixture, EditorCommandsThroughTheMenu) {
  OpenWith({u"One"});
  Click(MacroButton::kRecord);
  Tap(0x41);
  Click(MacroButton::kRecord);
  model_.SelectEventLine(0);
  model_.OnMenuCommand(MacroCommand::kLeftClick);
  EXPECT_EQ(KeyHex(), "01 41 01 F0 81 F0 81 41");
  EXPECT_EQ(ShownLines(), (Strings{"A  dn", "MsLB dn", "MsLB up", "A  up"}));

  model_.SelectEventLine(0);
  model_.OnMenuCommand(MacroCommand::kInsertDelay);
  EXPECT_EQ(KeyHex(), "01 41 32 F0 81 F0 81 41");
  model_.SelectEventLine(1);
  EXPECT_EQ(model_.OnMenuCommand(MacroCommand::kInsertDelay).message, MacroText::kEditCurrentDelay);
  model_.OnDelayEdited(1, 300);
  EXPECT_EQ(KeyHex(), "01 41 7F F0 01 2C 81 F0 81 41");
  model_.OnDelayEdited(1, 100);
  EXPECT_EQ(KeyHex(), "01 41 64 F0 81 F0 81 41");
  model_.OnDelayEdited(1, 70000);
  EXPECT_EQ(KeyHex(), "01 41 7F F0 EA 60 81 F0 81 41");
  model_.SelectEventLine(1);
  model_.OnMenuCommand(MacroCommand::kDelete);
  EXPECT_EQ(ShownLines(), (Strings{"A  dn", "MsLB dn", "MsLB up", "A  up"}));
  model_.SelectEventLine(3);
  model_.OnMenuCommand(MacroCommand::kRightUp);
  EXPECT_EQ(KeyHex(), "01 41 01 F0 81 F0 81 41 81 F1");
  EXPECT_EQ(testing::UsedHex(working_.entry(0).key_events), KeyHex());
  EXPECT_EQ(model_.UsedBytes(), 10u);
}

TEST_F(MacroDialogFixture, InsertDelayOnTheFirstLineGivesTheReleaseFiftyMs) {
  OpenWith({u"One"});
  Click(MacroButton::kRecord);
  Tap(0x41);
  model_.SelectEventLine(0);
  model_.OnMenuCommand(MacroCommand::kInsertDelay);
  EXPECT_EQ(KeyHex(), "01 41 B2 41");
  EXPECT_EQ(ShownLines(), (Strings{"A  dn", "50 ms", "A  up"}));
}

TEST_F(MacroDialogFixture, AnArmedInsertSaysPressAKeyUntilTheKeyComes) {
  OpenWith({u"One"});
  Click(MacroButton::kRecord);
  Tap(0x41);
  Click(MacroButton::kRecord);
  const auto shows = [this](Language language, std::string_view text) {
    const auto ops = MacroDialogScene::Paint(model_, language);
    return ShowsText(ops, 260, 212, text);
  };
  const struct {
    MacroCommand command;
    bool tap;
    bool shown;
  } steps[] = {{MacroCommand::kInsertBefore, false, true},
               {MacroCommand::kInsertBefore, true, false},
               {MacroCommand::kInsertAfter, false, true},
               {MacroCommand::kInsertAfter, true, false}};
  for (const auto& step : steps) {
    model_.SelectEventLine(0);
    if (step.tap) {
      Tap(0x42);
    } else {
      model_.OnMenuCommand(step.command);
    }
    EXPECT_EQ(shows(Language::kEnglish, "Insert: press a key"), step.shown);
    EXPECT_EQ(shows(Language::kGerman, "Einf\u00FCgen: Taste dr\u00FCcken"), step.shown);
  }
}

TEST_F(MacroDialogFixture, HoverHighlightsPushButtonsAndTheBackgroundDrags) {
  OpenWith({});
  const struct {
    int x, y;
    bool left_down;
    std::optional<MacroButton> hovered;
    MacroDialogEffect effect;
  } moves[] = {
      {300, 110, false, MacroButton::kRecord, MacroDialogEffect::kRepaint},
      {345, 175, false, MacroButton::kRecord, MacroDialogEffect::kNone},  // the delay box
      {21, 370, false, MacroButton::kNew, MacroDialogEffect::kRepaint},
      {367, 392, false, MacroButton::kCancel, MacroDialogEffect::kRepaint},
      {368, 392, false, std::nullopt, MacroDialogEffect::kRepaint},
      {5, 5, false, std::nullopt, MacroDialogEffect::kNone},
      {6, 5, true, std::nullopt, MacroDialogEffect::kStartWindowMove},
  };
  for (const auto& m : moves) {
    EXPECT_EQ(model_.OnMouseMove(m.x, m.y, m.left_down).effect, m.effect) << m.x << "," << m.y;
    EXPECT_EQ(model_.hovered(), m.hovered) << m.x << "," << m.y;
  }
}

TEST(MacroEditorMenu, LabelsAndCommandsInBothLanguages) {
  const auto english = MacroEditorMenu(Language::kEnglish);
  const auto german = MacroEditorMenu(Language::kGerman);
  ASSERT_EQ(english.size(), 5u);
  const Strings english_top{"Insert Before", "Insert After", "Insert Mouse Key", "Insert Delay",
                            "Delete"};
  const Strings german_top{"Vorher aufnehmen", "Nachher aufnehmen", "Maus Funktion umdrehen",
                           "Verz\u00F6gerung einf\u00FCgen", "L\u00F6schen"};
  for (std::size_t i = 0; i < english.size(); ++i) {
    EXPECT_EQ(english[i].label, english_top[i]);
    EXPECT_EQ(german[i].label, german_top[i]);
    EXPECT_EQ(german[i].command, english[i].command);
  }
  const auto& right = german[2].items.at(1);
  EXPECT_EQ(right.label, "Rechtsklick");
  EXPECT_EQ(right.items.at(2).label, "klicken");
  EXPECT_EQ(static_cast<int>(right.items.at(1).command), 32806);
  EXPECT_EQ(static_cast<int>(english[2].items.at(2).items.at(0).command), 32811);
}

TEST_F(MacroDialogFixture, SceneFollowsRecordingBoxesAndRoom) {
  OpenWith({u"One"});
  Click(MacroButton::kRecord);
  Click(MacroButton::kDelayBox);
  Tap(0x41);
  const auto ops = MacroDialogScene::Paint(model_, Language::kEnglish);
  auto has = [&ops](const PaintOp& op) {
    return std::find(ops.begin(), ops.end(), op) != ops.end();
  };
  EXPECT_TRUE(has(PaintText{265, 103, 15, "Stop Recording"}));
  EXPECT_TRUE(has(PaintPicture{338, 168, "MacroManagement/PaneMakingTick.png"}));
  EXPECT_TRUE(has(PaintPicture{265, 315, "MacroManagement/Pane.png"}));
  EXPECT_TRUE(has(PaintText{260, 230, 14, "4 / 190 bytes"}));
  const PaintOp note = PaintText{260, 248, 12, "Only keys typed"};
  EXPECT_FALSE(has(note)) << "a system-wide hook needs no note";
  hook_.reach_value = KeyHookReach::kFocusedWindow;
  const auto focused = MacroDialogScene::Paint(model_, Language::kEnglish);
  EXPECT_NE(std::find(focused.begin(), focused.end(), note), focused.end());
  const auto german = MacroDialogScene::Paint(model_, Language::kGerman);
  EXPECT_TRUE(ShowsText(german, 313, 372, "Abbrechen"));
}

// Macros that could not be read can be looked at, never changed: nothing here could be saved.
TEST_F(MacroDialogFixture, UnreadMacrosOpenReadOnly) {
  struct Case {
    MacroButton button;
    MacroDialogEffect effect;
  };
  OpenWith({u"One"});
  Click(MacroButton::kRecord);
  Tap(0x41);
  Click(MacroButton::kOk);
  const MacroStore before = stored_;
  for (const Case& c : {Case{MacroButton::kRecord, MacroDialogEffect::kShowMessage},
                        Case{MacroButton::kNew, MacroDialogEffect::kShowMessage},
                        Case{MacroButton::kDelete, MacroDialogEffect::kShowMessage},
                        Case{MacroButton::kDelayBox, MacroDialogEffect::kShowMessage},
                        Case{MacroButton::kOk, MacroDialogEffect::kReject},
                        Case{MacroButton::kClose, MacroDialogEffect::kReject}}) {
    model_.Open(/*unread=*/true);
    model_.SelectEventLine(0);
    Click(c.button);
    EXPECT_EQ(last_.effect, c.effect) << static_cast<int>(c.button);
    EXPECT_EQ(model_.OnMenuCommand(MacroCommand::kDelete).message, MacroText::kUnreadChange);
    EXPECT_EQ(model_.RenameMacro(0, u"Two"), u"One");
    model_.OnDelayEdited(0, 500);
    Tap(0x42);
    EXPECT_EQ(working_, before) << static_cast<int>(c.button);
    EXPECT_FALSE(hook_.installed());
  }
  const auto ops = MacroDialogScene::Paint(model_, Language::kEnglish);
  EXPECT_NE(
      std::find(ops.begin(), ops.end(), PaintOp{PaintText{260, 248, 12, "MacroDefine.bin is"}}),
      ops.end());
  model_.Open();
  Click(MacroButton::kNew);
  EXPECT_EQ(model_.macro_names().size(), 2u) << "a readable store is editable again";
}

// Names the dialog refuses as n240qx-ctl does; the list keeps the old one and says why.
TEST_F(MacroDialogFixture, RenamesAnotherMacrosNameOrControlCharactersAreRefused) {
  struct Case {
    std::u16string typed;
    std::u16string shown;
    MacroDialogEffect effect;
    MacroText message;
  };
  OpenWith({u"One", u"Two"});
  for (const Case& c :
       {Case{u"One", u"Two", MacroDialogEffect::kShowMessage, MacroText::kNameTaken},
        Case{u"T\tx", u"Two", MacroDialogEffect::kShowMessage, MacroText::kNameControl},
        Case{u"Two", u"Two", MacroDialogEffect::kRepaint, MacroText::kTitle},
        Case{u"Three", u"Three", MacroDialogEffect::kRepaint, MacroText::kTitle}}) {
    const MacroDialogOutcome outcome = model_.OnMacroRenamed(1, c.typed);
    EXPECT_EQ(outcome.effect, c.effect) << std::string(c.typed.begin(), c.typed.end());
    EXPECT_EQ(outcome.message, c.message);
    EXPECT_EQ(model_.macro_names()[1], c.shown);
    EXPECT_EQ(working_.entry(1).Name(), c.shown);
  }
}

TEST_F(MacroDialogFixture, AnEditThatDoesNotFitSaysTheMacroIsFull) {
  struct Case {
    MacroCommand command;
    MacroDialogEffect effect;
    std::size_t used_after;
  };
  OpenWith({u"Macro_001"});
  Click(MacroButton::kRecord);
  for (int pair = 0; pair < 46; ++pair) {
    Tap(0x41);
  }
  Key(0x42, true);
  Key(0x43, true);  // 188 bytes: room for one event, not a click
  Click(MacroButton::kRecord);
  for (const Case& c : {Case{MacroCommand::kLeftClick, MacroDialogEffect::kShowMessage, 188},
                        Case{MacroCommand::kLeftDown, MacroDialogEffect::kRepaint, 190},
                        Case{MacroCommand::kLeftUp, MacroDialogEffect::kShowMessage, 190}}) {
    model_.SelectEventLine(0);
    const MacroDialogOutcome outcome = model_.OnMenuCommand(c.command);
    EXPECT_EQ(outcome.effect, c.effect) << static_cast<int>(c.command);
    if (c.effect == MacroDialogEffect::kShowMessage) {
      EXPECT_EQ(outcome.message, MacroText::kMacroFull);
    }
    EXPECT_EQ(model_.UsedBytes(), c.used_after) << static_cast<int>(c.command);
  }
}

TEST_F(MacroDialogFixture, ARepeatCountAboveTheFieldsDigitsIsKept) {
  OpenWith({u"One", u"Two"});
  stored_.entry(0).repeat_count = 1500;
  model_.Open();
  EXPECT_EQ(model_.loop_text(), u"1500");
  model_.SelectMacro(1);
  model_.SelectMacro(0);
  EXPECT_EQ(model_.loop_text(), u"1500");
  Click(MacroButton::kOk);
  EXPECT_EQ(stored_.entry(0).repeat_count, 1500);
}

}  // namespace
}  // namespace n240qx
