#include <gtest/gtest.h>

#include <QDir>
#include <QSignalSpy>
#include <QTest>
#include <fstream>

#include "WindowTestSupport.h"
#include "dialogs/KeyAssignmentDialogModel.h"
#include "keys/KeyTable.h"
#include "keys/KeymapStore.h"
#include "sim/FileLock.h"
#include "sim/SimulatorStateFile.h"
#include "util/AtomicFile.h"

namespace n240qx::testing {
namespace {

// Centres of the page items the tests click, in window pixels.
constexpr QPoint kWindowsKeyLock(166, 512);
constexpr QPoint kClose(986, 12);

class MainWindow : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(window.StartAndWait()); }

  void Click(QPoint at) { window.Click(at.x(), at.y()); }

  WindowUnderTest window;
};

TEST_F(MainWindow, StartsOnTheSimulatorShownWithTheKeyboardsSettingsOnItsSliders) {
  EXPECT_TRUE(window.window().isVisible());
  EXPECT_TRUE(window.window().simulated());
  EXPECT_EQ(window.window().size(), QSize(1000, 640));
  const SimulatedMemory memory = window.keyboard().Memory();
  EXPECT_EQ(window.window().slider(SliderId::kBrightness).position(), memory.brightness);
  EXPECT_EQ(window.window().slider(SliderId::kReportRate).position(), memory.report_rate);
  EXPECT_EQ(window.state().image().brightness(), memory.brightness);
  EXPECT_TRUE(window.window().failure().empty()) << window.window().failure();
}

// Game mode starts as the full read leaves it (the read's mode selection goes out on the game
// mode command), so the toggles are checked from wherever they start.
TEST_F(MainWindow, GameModeToggleSwapsItsPictureAndTheField) {
  const std::uint8_t before = window.state().image().game_mode();
  const auto picture = [](std::uint8_t on) {
    return on != 0 ? PlainSkins::kEnable : PlainSkins::kDisable;
  };
  EXPECT_EQ(window.PixelAt(kGameMode.x(), kGameMode.y()), picture(before));
  Click(kGameMode);
  EXPECT_EQ(window.state().image().game_mode(), before == 0 ? 1 : 0);
  EXPECT_EQ(window.PixelAt(kGameMode.x(), kGameMode.y()), picture(before == 0));
  Click(kGameMode);
  EXPECT_EQ(window.state().image().game_mode(), before != 0 ? 1 : 0);
  EXPECT_EQ(window.PixelAt(kGameMode.x(), kGameMode.y()), picture(before));
}

TEST_F(MainWindow, WindowsKeyLockToggleSwapsItsPictureAndTheField) {
  EXPECT_EQ(window.PixelAt(kWindowsKeyLock.x(), kWindowsKeyLock.y()), PlainSkins::kDisable);
  Click(kWindowsKeyLock);
  EXPECT_EQ(window.state().image().windows_key_lock(), 1);
  EXPECT_EQ(window.PixelAt(kWindowsKeyLock.x(), kWindowsKeyLock.y()), PlainSkins::kEnable);
}

TEST_F(MainWindow, ClickAtTheFarRightOfTheReportRateSliderSetsThree) {
  CBitSlider& report_rate = window.window().slider(SliderId::kReportRate);
  report_rate.SetPosition(0);
  QTest::mouseClick(&report_rate, Qt::LeftButton, {}, QPoint(report_rate.width() - 1, 8));
  EXPECT_EQ(report_rate.position(), 3);
  EXPECT_EQ(window.state().image().report_rate(), 3);
  // The track left of the thumb is the filled picture, right of it the empty one.
  const QImage track = report_rate.grab().toImage();
  EXPECT_EQ(track.pixelColor(2, 8), PlainSkins::kTrackLeft);
  QTest::mouseClick(&report_rate, Qt::LeftButton, {}, QPoint(0, 8));
  EXPECT_EQ(report_rate.position(), 0);
  EXPECT_EQ(report_rate.grab().toImage().pixelColor(report_rate.width() - 2, 8),
            PlainSkins::kTrackRight);
}

TEST_F(MainWindow, TheWheelLeavesASliderWhereItIs) {
  CBitSlider& speed = window.window().slider(SliderId::kSpeed);
  const int before = speed.position();
  QWheelEvent wheel(QPointF(100, 8), speed.mapToGlobal(QPointF(100, 8)), QPoint(), QPoint(0, 120),
                    Qt::NoButton, Qt::NoModifier, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(&speed, &wheel);
  EXPECT_EQ(speed.position(), before);
}

TEST_F(MainWindow, ApplySendsTheChangeThroughTheSimulator) {
  const std::uint8_t toggled = window.keyboard().Memory().game_mode == 0 ? 1 : 0;
  Click(kGameMode);
  Click(kWindowsKeyLock);
  Click(kApply);
  EXPECT_TRUE(window.window().busy());
  ASSERT_TRUE(window.WaitUntilIdle());
  EXPECT_EQ(window.keyboard().Memory().game_mode, toggled);
  // The lock reaches the keyboard as the left Windows key's bit cleared in the mask.
  EXPECT_EQ(window.keyboard().Memory().key_enable_mask[1], 0x3E);
  EXPECT_EQ(window.state().snapshot().game_mode(), toggled);
  EXPECT_TRUE(window.window().failure().empty()) << window.window().failure();
  // keymap.bin follows what was applied.
  ConfigImage stored;
  KeyActionTable table;
  ASSERT_TRUE(LoadKeymapStore(window.DataFolder() / "keymap.bin", false, stored, table).ok());
  EXPECT_EQ(stored.game_mode(), toggled);
}

TEST_F(MainWindow, EditingIsLockedWhileTheWriteRunsAndAFailedWriteSaysWhy) {
  const std::uint8_t applied = window.state().image().game_mode() == 0 ? 1 : 0;
  window.keyboard().DelayAcknowledgements(std::chrono::milliseconds(200));
  Click(kGameMode);
  Click(kApply);
  ASSERT_TRUE(window.window().busy());
  EXPECT_FALSE(window.window().slider(SliderId::kBrightness).isEnabled());
  Click(kWindowsKeyLock);
  EXPECT_EQ(window.state().image().windows_key_lock(), 0);
  ASSERT_TRUE(window.WaitUntilIdle());
  EXPECT_TRUE(window.window().slider(SliderId::kBrightness).isEnabled());

  window.keyboard().ClearFaults();
  Click(kGameMode);
  window.keyboard().Unplug();
  Click(kApply);
  ASSERT_TRUE(window.WaitUntilIdle());
  EXPECT_EQ(window.window().failure().rfind("The changes were not applied: ", 0), 0u)
      << window.window().failure();
  // The edit stays, unapplied: the snapshot still holds what the keyboard got before.
  EXPECT_EQ(window.state().image().game_mode(), applied == 0 ? 1 : 0);
  EXPECT_EQ(window.state().snapshot().game_mode(), applied);
}

TEST_F(MainWindow, AnApplyThatSucceedsSaysWhatItWroteAndClearsTheLastFailure) {
  Click(kGameMode);
  // A file where the backups folder belongs stops the write before it starts.
  const auto backups = window.DataFolder() / "backups";
  std::filesystem::remove_all(backups);
  std::ofstream(backups) << "in the way";
  window.confirm_answer = false;  // "Send without a backup?" answered no
  Click(kApply);
  ASSERT_TRUE(window.WaitUntilIdle());
  EXPECT_EQ(window.confirm_count, 1);
  EXPECT_EQ(window.window().failure().rfind("Nothing was sent", 0), 0u)
      << window.window().failure();
  EXPECT_TRUE(window.window().success().empty());

  std::filesystem::remove(backups);
  Click(kApply);
  ASSERT_TRUE(window.WaitUntilIdle());
  EXPECT_TRUE(window.window().failure().empty()) << window.window().failure();
  EXPECT_EQ(window.window().success(), "Applied: game mode");
}

TEST_F(MainWindow, ApplyAfterAnotherProgramsWriteKeepsItsChangesAndSaysItReadAgain) {
  const auto state_file = window.DataFolder() / "shared-keyboard.bin";
  window.keyboard().PersistTo(state_file);
  constexpr std::size_t kKey = 30;
  const std::uint8_t other_brightness = window.state().image().brightness() == 9 ? 10 : 9;
  {
    // The tool's write, as it makes one: under the keyboard lock, keymap.bin saved, counted.
    auto other = FileLock::TryLock(state_file.string() + ".lock");
    ASSERT_TRUE(other.ok() && *other != nullptr);
    auto memory = LoadSimulatorState(state_file);
    ASSERT_TRUE(memory.ok());
    memory->brightness = other_brightness;
    ASSERT_TRUE(SaveSimulatorState(state_file, *memory).ok());
    KeyActionTable table = window.state().key_actions_snapshot();
    table[kKey].kind = static_cast<std::uint8_t>(AssignmentKind::kStartup);
    table[kKey].SetPath(u"/usr/bin/other");
    ASSERT_TRUE(
        SaveKeymapStore(window.DataFolder() / "keymap.bin", window.state().image(), table).ok());
    (*other)->CountWrite();
  }
  Click(kGameMode);
  const std::uint8_t mine = window.state().image().game_mode();
  Click(kApply);
  ASSERT_TRUE(window.WaitUntilIdle());
  EXPECT_TRUE(window.window().failure().empty()) << window.window().failure();
  EXPECT_NE(window.window().success().find("read again"), std::string::npos)
      << window.window().success();
  EXPECT_EQ(window.keyboard().Memory().game_mode, mine);
  EXPECT_EQ(window.keyboard().Memory().brightness, other_brightness);
  ConfigImage image;
  KeyActionTable saved;
  ASSERT_TRUE(LoadKeymapStore(window.DataFolder() / "keymap.bin", true, image, saved).ok());
  EXPECT_EQ(saved[kKey].PathString(), u"/usr/bin/other") << "the other program's launch path";
}

TEST_F(MainWindow, EnterAndEscLeaveTheWindowOpen) {
  QSignalSpy ended(&window.window(), &CVaveVedozadoDlg::EndRequested);
  QTest::keyClick(&window.window(), Qt::Key_Return);
  QTest::keyClick(&window.window(), Qt::Key_Enter);
  QTest::keyClick(&window.window(), Qt::Key_Escape);
  QCoreApplication::processEvents();
  EXPECT_TRUE(window.window().isVisible());
  EXPECT_EQ(ended.count(), 0);
}

TEST_F(MainWindow, CloseDropsUnappliedEditsFromTheStoreAndEnds) {
  QSignalSpy ended(&window.window(), &CVaveVedozadoDlg::EndRequested);
  const std::uint8_t applied = window.state().snapshot().game_mode();
  Click(kGameMode);
  Click(kClose);
  EXPECT_EQ(ended.count(), 1);
  ConfigImage stored;
  KeyActionTable table;
  ASSERT_TRUE(LoadKeymapStore(window.DataFolder() / "keymap.bin", false, stored, table).ok());
  EXPECT_EQ(stored.game_mode(), applied);
  EXPECT_NE(window.state().image().game_mode(), applied);
}

// Discard is the test above; the question is asked only while edits are unapplied.
TEST(MainWindowClosing, UnappliedEditsAskApplyOrCancel) {
  struct Case {
    CloseAnswer answer;
    bool ends;
    bool keyboard_gets_edit;
  };
  for (const Case& c :
       {Case{CloseAnswer::kCancel, false, false}, Case{CloseAnswer::kApply, true, true}}) {
    WindowUnderTest window;
    ASSERT_TRUE(window.StartAndWait());
    QSignalSpy ended(&window.window(), &CVaveVedozadoDlg::EndRequested);
    window.close_answer = c.answer;
    const std::uint8_t applied = window.state().snapshot().game_mode();
    window.Click(kGameMode.x(), kGameMode.y());
    window.Click(kClose.x(), kClose.y());
    EXPECT_EQ(window.close_questions, 1);
    ASSERT_TRUE(window.WaitUntilIdle());
    EXPECT_EQ(ended.count(), c.ends ? 1 : 0) << static_cast<int>(c.answer);
    EXPECT_EQ(window.keyboard().Memory().game_mode != applied, c.keyboard_gets_edit);
    EXPECT_NE(window.state().image().game_mode(), applied) << "the edit stays in memory";
    if (!c.ends) {
      window.close_answer = CloseAnswer::kDiscard;
      window.Click(kClose.x(), kClose.y());
      EXPECT_EQ(window.close_questions, 2) << "a cancelled close asks again next time";
      EXPECT_EQ(ended.count(), 1);
    }
  }
}

TEST_F(MainWindow, AKeyboardLightingChangeMovesTheBrightnessSlider) {
  window.keyboard().SendLightingChange(4, 37);
  ASSERT_TRUE(
      WaitFor([this] { return window.window().slider(SliderId::kBrightness).position() == 37; }));
  EXPECT_EQ(window.state().image().brightness(), 37);
  EXPECT_EQ(window.state().snapshot().brightness(), 37);
}

TEST_F(MainWindow, KeyClickRunsTheKeyDialogAndItsOkPathAssignsTheKey) {
  const KeyTableRow& q = *KeyTable::ByLabel("Q");
  const KeyTableRow& w = *KeyTable::ByLabel("W");
  int opened = 0;
  window.key_dialog = [&](PendingAssignment& pending) {
    ++opened;
    EXPECT_EQ(pending.current_key, q.index);
    EXPECT_EQ(pending.current_key_vk, q.vk);
    pending.pending_kind = static_cast<std::uint8_t>(AssignmentKind::kSingle);
    pending.captured_keys[0] = w.vk;
    pending.captured_count = 1;
    return true;
  };
  const int x = (q.rect.left + q.rect.right) / 2 + 301;
  const int y = (q.rect.top + q.rect.bottom) / 2 + 95;
  window.Click(x, y);
  EXPECT_EQ(opened, 1);
  EXPECT_TRUE(window.state().customised().IsSet(q.index));
  EXPECT_EQ(window.state().key_actions()[q.index].kind,
            static_cast<std::uint8_t>(AssignmentKind::kSingle));
  // The marked key is drawn from the highlighted keyboard picture.
  EXPECT_EQ(window.PixelAt(x, y), QColor(0, 255, 255));
  ConfigImage stored;
  KeyActionTable table;
  ASSERT_TRUE(LoadKeymapStore(window.DataFolder() / "keymap.bin", false, stored, table).ok());
  EXPECT_EQ(table[q.index].data[0], w.vk);
}

TEST_F(MainWindow, AKeyDialogClosedWithoutOkChangesNothing) {
  const KeyTableRow& q = *KeyTable::ByLabel("Q");
  const KeyActionTable before = window.state().key_actions();
  // The dialog's own model, taken to the Advance page (which clears the entry it shows) and
  // closed with Close.
  window.key_dialog = [&](PendingAssignment& pending) {
    ConfiguratorState& state = window.state();
    KeyAssignmentDialogModel model(pending, state.KeyActionsForEditing(), state.image(),
                                   state.stored_macros(), state.key_names(), Language::kEnglish);
    model.Open();
    model.Release(47 + 97 * 3, 40);
    return model.Release(241, 357).end == KeyDialogEnd::kAccepted;
  };
  window.Click((q.rect.left + q.rect.right) / 2 + 301, (q.rect.top + q.rect.bottom) / 2 + 95);
  EXPECT_FALSE(window.state().customised().IsSet(q.index));
  EXPECT_EQ(window.state().key_actions(), before);
}

TEST_F(MainWindow, FactoryResetAsksAndOnCancelSendsNothing) {
  Click(QPoint(944, 12));  // help
  const int commands_before = window.keyboard().Counters().commands_accepted;
  window.confirm_answer = false;
  window.Click(900, 30);  // the help window's first row
  EXPECT_EQ(window.confirm_count, 1);
  EXPECT_FALSE(window.window().model().state().help_open);
  EXPECT_FALSE(window.window().busy());
  EXPECT_EQ(window.keyboard().Counters().commands_accepted, commands_before);
}

TEST_F(MainWindow, FactoryResetOnOkResetsTheKeyboardOnTheWorker) {
  Click(kWindowsKeyLock);
  Click(kApply);
  ASSERT_TRUE(window.WaitUntilIdle());
  ASSERT_EQ(window.keyboard().Memory().key_enable_mask[1], 0x3E);
  Click(QPoint(944, 12));
  window.Click(900, 30);
  EXPECT_TRUE(window.window().busy());
  ASSERT_TRUE(window.WaitUntilIdle());
  EXPECT_EQ(window.keyboard().Memory().key_enable_mask[1], 0xFF);
  EXPECT_EQ(window.state().image().windows_key_lock(), 0);
  EXPECT_EQ(window.state().image().key_enable_mask()[1], 0xFF);
  EXPECT_TRUE(window.window().failure().empty()) << window.window().failure();
}

TEST_F(MainWindow, TheHelpWindowsSecondRowStartsTheUpdater) {
  Click(QPoint(944, 12));
  window.Click(900, 55);
  EXPECT_EQ(window.updater_starts, 1);
}

}  // namespace
}  // namespace n240qx::testing

namespace n240qx::testing {
namespace {

TEST(MainWindowWithoutKeyboard, WithoutATrayTheWindowStaysAndSaysTheKeyboardIsMissing) {
  WindowUnderTest window(QString(), WindowUnderTest::Keyboard::kAbsent);
  ASSERT_TRUE(window.StartAndWaitForWindow());
  EXPECT_TRUE(window.window().model().visibility().ShowsNoKeyboardNotice());
  EXPECT_FALSE(window.state().firmware().has_value());
  // Nothing was read, so the image keeps what keymap.bin held; a later plug-in reads it.
  window.keyboard().Replug();
  EXPECT_TRUE(WaitFor([&] { return window.state().firmware().has_value(); }, 15000));
  EXPECT_FALSE(window.window().model().visibility().ShowsNoKeyboardNotice());
}

class KeyboardNotPermitted : public ::testing::TestWithParam<bool> {};

TEST_P(KeyboardNotPermitted, TheWindowStaysShownWithTheCommandsThatInstallTheRule) {
  const bool tray = GetParam();
  WindowUnderTest window(QString(), WindowUnderTest::Keyboard::kPermissionDenied, {.tray = tray});
  ASSERT_TRUE(window.StartAndWaitForWindow()) << "hidden with its explanation";
  const std::string& shown = window.window().failure();
  EXPECT_NE(shown.find("may not open it"), std::string::npos) << shown;
  EXPECT_NE(shown.find("\nsudo cp '"), std::string::npos) << shown;
  EXPECT_NE(shown.find("70-n240qx.rules' /etc/udev/rules.d/"), std::string::npos) << shown;
  EXPECT_NE(shown.find("\nsudo udevadm control --reload && sudo udevadm trigger"),
            std::string::npos)
      << shown;
  EXPECT_TRUE(window.window().model().visibility().permission_denied());
  const auto double_click = window.window().model().visibility().OnTrayDoubleClick();
  EXPECT_EQ(double_click.front(), WindowRequest::kShowWindow) << "the tray shows it again";
}

INSTANTIATE_TEST_SUITE_P(WithAndWithoutTray, KeyboardNotPermitted, ::testing::Bool());

TEST(MainWindowWithoutKeyboard, NoKeyboardAttachedFallsBackToTheSimulator) {
  WindowUnderTest window(QString(), WindowUnderTest::Keyboard::kHardwareAbsentWithFallback);
  EXPECT_FALSE(window.window().simulated());
  ASSERT_TRUE(window.StartAndWait());
  EXPECT_TRUE(window.window().simulated());
  EXPECT_FALSE(window.window().model().visibility().ShowsNoKeyboardNotice());
  // The stand-in keyboard keeps its memory beside the settings.
  EXPECT_TRUE(std::filesystem::exists(window.DataFolder() / "simulated-keyboard.bin"));
}

TEST(MainWindowWithoutKeyboard, AKeyboardPluggedInLaterTakesOverFromTheFallbackSimulator) {
  WindowUnderTest window(QString(), WindowUnderTest::Keyboard::kHardwareAbsentWithFallback);
  ASSERT_TRUE(window.StartAndWait());
  ASSERT_TRUE(window.window().simulated());
  const auto stand_in_file = window.DataFolder() / "simulated-keyboard.bin";
  // An edit on the stand-in, never applied: the keyboard's full read replaces it.
  window.Click(kWindowsKeyLock.x(), kWindowsKeyLock.y());
  ASSERT_EQ(window.state().image().windows_key_lock(), 1);

  SimulatedMemory hardware = SimulatedMemory::Factory();
  hardware.brightness = 7;
  window.keyboard().SetMemory(hardware);
  window.keyboard().Replug();
  ASSERT_TRUE(WaitFor(
      [&] {
        return !window.window().simulated() && !window.window().busy() &&
               window.state().firmware().has_value() && window.state().image().brightness() == 7;
      },
      15000));
  EXPECT_EQ(window.window().slider(SliderId::kBrightness).position(), 7);
  EXPECT_EQ(window.state().image().windows_key_lock(), 0);
  EXPECT_TRUE(window.window().failure().empty()) << window.window().failure();
  EXPECT_TRUE(window.window().isVisible());

  auto stand_in = SimulatedLink::WithStateFile(stand_in_file);
  ASSERT_TRUE(stand_in.ok());
  const SimulatedMemory stand_in_before = (*stand_in)->Memory();
  window.Click(kGameMode.x(), kGameMode.y());
  window.Click(kApply.x(), kApply.y());
  ASSERT_TRUE(window.WaitUntilIdle());
  EXPECT_TRUE(window.window().failure().empty()) << window.window().failure();
  EXPECT_EQ(window.keyboard().Memory().game_mode, 1);
  EXPECT_EQ(window.keyboard().Memory().brightness, 7);
  auto stand_in_after = SimulatedLink::WithStateFile(stand_in_file);
  ASSERT_TRUE(stand_in_after.ok());
  EXPECT_EQ((*stand_in_after)->Memory(), stand_in_before);
  EXPECT_EQ((*stand_in_after)->Memory().game_mode, 0);
}

TEST(BitSlider, TellsItsOwnerOnInputAndMovesButNeverOnPaintAndKeysMoveItByOne) {
  SkinPictures skins(QStringLiteral("/nonexistent"));
  CBitSlider slider(SliderId::kResponseTime, skins, nullptr);
  QSignalSpy told(&slider, &CBitSlider::PositionMayHaveChanged);
  slider.show();
  ASSERT_TRUE(QTest::qWaitForWindowExposed(&slider));
  slider.repaint();
  EXPECT_EQ(told.count(), 0) << "painting only paints";
  QTest::mouseMove(&slider, QPoint(50, 8));
  EXPECT_EQ(told.count(), 1);
  EXPECT_EQ(told.last().at(0).value<SliderId>(), SliderId::kResponseTime);
  slider.SetPosition(4);
  slider.SetPosition(4);
  EXPECT_EQ(told.count(), 2) << "a move tells once, staying put tells nothing";
  QTest::keyClick(&slider, Qt::Key_Right);
  EXPECT_EQ(slider.position(), 5);
  QTest::keyClick(&slider, Qt::Key_Left);
  QTest::keyClick(&slider, Qt::Key_Left);
  EXPECT_EQ(slider.position(), 3);
  slider.SetPosition(42);
  EXPECT_EQ(slider.position(), 9);
}

TEST(BitSlider, EveryKeyMovesItAndTellsTheOwnerTheNewPositionAsAClickDoes) {
  SkinPictures skins(QStringLiteral("/nonexistent"));
  CBitSlider slider(SliderId::kSpeed, skins, nullptr);
  std::vector<int> seen;  // the position the owner reads when told
  QObject::connect(&slider, &CBitSlider::PositionMayHaveChanged,
                   [&](SliderId) { seen.push_back(slider.position()); });
  struct Case {
    int from;
    Qt::Key key;
    int to;
  };
  for (const Case c :
       {Case{4, Qt::Key_Home, 0}, Case{4, Qt::Key_End, 9}, Case{0, Qt::Key_Home, 0},
        Case{9, Qt::Key_End, 9}, Case{4, Qt::Key_Up, 5}, Case{4, Qt::Key_PageDown, 3}}) {
    slider.SetPosition(c.from);
    seen.clear();
    QTest::keyClick(&slider, c.key);
    EXPECT_EQ(slider.position(), c.to) << "key " << c.key << " from " << c.from;
    EXPECT_EQ(seen, std::vector<int>{c.to}) << "key " << c.key << " from " << c.from;
  }
}

}  // namespace
}  // namespace n240qx::testing
