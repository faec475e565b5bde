#include <gtest/gtest.h>

#include <QTest>

#include "WindowTestSupport.h"
#include "keys/KeyTable.h"
#include "keys/KeymapStore.h"

namespace n240qx::testing {
namespace {

struct Keys {
  Qt::Key key;
  Qt::KeyboardModifiers modifiers;
};
constexpr Keys kUndo{Qt::Key_Z, Qt::ControlModifier};
constexpr Keys kRedoKeys[] = {{Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier},
                              {Qt::Key_Y, Qt::ControlModifier}};

class WindowEdits : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(window.StartAndWait()); }

  void Press(Keys keys, QWidget* target = nullptr) {
    QTest::keyClick(target != nullptr ? target : &window.window(), keys.key, keys.modifiers);
  }
  std::uint8_t game_mode() { return window.state().image().game_mode(); }

  WindowUnderTest window;
};

TEST_F(WindowEdits, CtrlZTakesAToggleBackAndBothRedoKeysBringItAgain) {
  const std::uint8_t before = game_mode();
  window.Click(kGameMode.x(), kGameMode.y());
  const std::uint8_t toggled = game_mode();
  ASSERT_NE(toggled, before);
  for (const Keys redo : kRedoKeys) {
    Press(kUndo);
    EXPECT_EQ(game_mode(), before);
    EXPECT_EQ(window.PixelAt(kGameMode.x(), kGameMode.y()),
              before != 0 ? PlainSkins::kEnable : PlainSkins::kDisable);
    Press(redo);
    EXPECT_EQ(game_mode(), toggled);
  }
}

TEST_F(WindowEdits, ASliderEditByMouseOrArrowKeyIsOneStepAndTheSliderFollowsTheUndo) {
  CBitSlider& report_rate = window.window().slider(SliderId::kReportRate);
  const int start = report_rate.position();
  const bool to_right_end = start != 3;
  QTest::mouseClick(&report_rate, Qt::LeftButton, {},
                    QPoint(to_right_end ? report_rate.width() - 1 : 0, 8));
  const int clicked = report_rate.position();
  ASSERT_NE(clicked, start);
  // The arrow key goes to the slider, which has the focus since the click.
  QTest::keyClick(&report_rate, to_right_end ? Qt::Key_Left : Qt::Key_Right);
  const int arrowed = report_rate.position();
  ASSERT_NE(arrowed, clicked);

  Press(kUndo, &report_rate);
  EXPECT_EQ(report_rate.position(), clicked);
  EXPECT_EQ(window.state().image().report_rate(), clicked);
  Press(kUndo);
  EXPECT_EQ(report_rate.position(), start);
  EXPECT_EQ(window.state().image().report_rate(), start);
  Press(kRedoKeys[1]);
  EXPECT_EQ(report_rate.position(), clicked);
  EXPECT_EQ(window.state().image().report_rate(), clicked);
}

TEST_F(WindowEdits, UndoingAKeyAssignmentTakesItsMarkAndItsStoredEntryBack) {
  const KeyTableRow& q = *KeyTable::ByLabel("Q");
  const KeyActionEntry before = window.state().key_actions()[q.index];
  window.key_dialog = [&](PendingAssignment& pending) {
    pending.pending_kind = static_cast<std::uint8_t>(AssignmentKind::kSingle);
    pending.captured_keys[0] = KeyTable::ByLabel("W")->vk;
    pending.captured_count = 1;
    return true;
  };
  window.Click((q.rect.left + q.rect.right) / 2 + 301, (q.rect.top + q.rect.bottom) / 2 + 95);
  ASSERT_TRUE(window.state().customised().IsSet(q.index));
  const KeyActionEntry assigned = window.state().key_actions()[q.index];

  const auto stored = [&] {
    ConfigImage image;
    KeyActionTable table;
    EXPECT_TRUE(LoadKeymapStore(window.DataFolder() / "keymap.bin", false, image, table).ok());
    return table[q.index];
  };
  Press(kUndo);
  EXPECT_EQ(window.state().key_actions()[q.index], before);
  EXPECT_FALSE(window.state().customised().IsSet(q.index));
  // The key dialog starts from keymap.bin: it must not bring the assignment back.
  EXPECT_EQ(stored(), before);
  Press(kRedoKeys[0]);
  EXPECT_EQ(window.state().key_actions()[q.index], assigned);
  EXPECT_TRUE(window.state().customised().IsSet(q.index));
  EXPECT_EQ(stored(), assigned);
}

TEST_F(WindowEdits, UndoWaitsWhileAWriteRunsAndApplyStartsANewHistory) {
  window.keyboard().DelayAcknowledgements(std::chrono::milliseconds(200));
  window.Click(kGameMode.x(), kGameMode.y());
  const std::uint8_t applied = game_mode();
  window.Click(kApply.x(), kApply.y());
  ASSERT_TRUE(window.window().busy());
  Press(kUndo);
  EXPECT_EQ(game_mode(), applied);
  ASSERT_TRUE(window.WaitUntilIdle());
  Press(kUndo);
  EXPECT_EQ(game_mode(), applied);
  EXPECT_EQ(window.state().snapshot().game_mode(), applied);
}

}  // namespace
}  // namespace n240qx::testing
