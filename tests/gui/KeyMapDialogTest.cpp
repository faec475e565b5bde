#include <gtest/gtest.h>

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <array>
#include <functional>

#include "WindowTestSupport.h"
#include "gui/CKeyMap.h"
#include "gui/VividTree.h"
#include "image/ConfigImage.h"
#include "keys/KeyMapEntry.h"
#include "keys/KeyTable.h"
#include "keys/KeymapStore.h"

namespace n240qx {
namespace {

constexpr std::uint8_t kQ = 42;

// Stands in for the X11 hook: the test presses keys "anywhere in the system".
class FakeKeyHook : public KeyHook {
 public:
  // `removed` outlives the hook, which goes with its dialog.
  FakeKeyHook(Sink sink, bool& removed) : sink_(std::move(sink)), removed_(removed) {}
  bool Install(int /*mode*/) override {
    removed_ = false;
    return installed_ = true;
  }
  void Remove() override {
    installed_ = false;
    removed_ = true;
  }
  bool installed() const override { return installed_; }
  KeyHookReach reach() const override { return KeyHookReach::kSystemWide; }
  void Press(std::uint8_t vk) {
    ASSERT_TRUE(installed_);
    sink_(HookedKey{vk, false});
    sink_(HookedKey{vk, true});
  }

 private:
  Sink sink_;
  bool& removed_;
  bool installed_ = false;
};

class KeyMapDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetKeySettings(image, actions);
    pending.current_key = kQ;
    pending.current_key_vk = KeyTable::ByIndex(kQ)->vk;
  }

  // Runs the dialog; `steps` act on it once it is open and must end it. With the fake hook
  // unless the program's own is asked for.
  bool RunWith(std::function<void(CKeyMap&)> steps, bool real_hook = false) {
    KeyHookFactory fake = [this](KeyHook::Sink sink) {
      auto made = std::make_unique<FakeKeyHook>(std::move(sink), hook_removed);
      hook = made.get();
      return made;
    };
    KeyMapSetup setup{pending,
                      actions,
                      image,
                      macros,
                      names,
                      QStringLiteral(N240QX_SKIN_DIR "/english"),
                      Language::kEnglish,
                      real_hook ? KeyHookFactory() : fake,
                      profiles};
    CKeyMap dialog(std::move(setup), nullptr);
    QTimer::singleShot(0, [&] {
      EXPECT_TRUE(QTest::qWaitForWindowExposed(&dialog));
      steps(dialog);
      if (dialog.isVisible()) {
        ADD_FAILURE() << "the steps left the dialog open";
        dialog.reject();
      }
    });
    return dialog.Run();
  }

  static void ClickAt(CKeyMap& dialog, int x, int y) {
    QTest::mouseClick(&dialog, Qt::LeftButton, Qt::NoModifier, QPoint(x, y));
  }
  template <typename Control>
  static Control* Find(CKeyMap& dialog, const char* name) {
    return dialog.findChild<Control*>(QString::fromLatin1(name));
  }

  // What Save leaves for a combination of left Ctrl and C.
  void ExpectCombineLCtrlC() const {
    EXPECT_EQ(pending.pending_kind, 1);
    EXPECT_EQ(pending.captured_count, 2);
    const std::array<std::uint8_t, 3> keys = {0xA2, 'C', 0};
    EXPECT_TRUE(std::equal(keys.begin(), keys.end(), pending.captured_keys.begin()));
  }

  ConfigImage image;
  KeyActionTable actions;
  MacroStore macros;
  KeyNameTable names = BuildKeyNameTable();
  PendingAssignment pending;
  std::vector<std::string> profiles = {"Race", "Work"};
  FakeKeyHook* hook = nullptr;  // valid only while the dialog runs
  bool hook_removed = false;
};

TEST_F(KeyMapDialogTest, TabsByClickCaptureThroughTheHookAndSave) {
  ASSERT_TRUE(macros.entry(0).SetName(u"first").ok());
  const bool accepted = RunWith([this](CKeyMap& dialog) {
    EXPECT_EQ(dialog.windowTitle(), "Key assignment");
    ClickAt(dialog, 145, 40);
    EXPECT_EQ(dialog.model().page(), 1);
    EXPECT_TRUE(Find<QListWidget>(dialog, "macros")->isVisible());
    EXPECT_EQ(Find<QListWidget>(dialog, "macros")->count(), 1);
    EXPECT_FALSE(Find<QLineEdit>(dialog, "combine")->isVisible());
    ClickAt(dialog, 240, 40);
    EXPECT_TRUE(Find<VividTree>(dialog, "functions")->isVisible());
    ClickAt(dialog, 47, 40);
    auto* combine = Find<QLineEdit>(dialog, "combine");
    ASSERT_TRUE(combine->isVisible());
    QTest::mouseClick(combine, Qt::LeftButton);
    combine->setFocus();
    QApplication::processEvents();
    EXPECT_EQ(dialog.model().focus(), KeyDialogControl::kCombineField);
    hook->Press(0xA2);
    hook->Press('C');
    QTest::keyClick(combine, Qt::Key_A);  // typed, not captured: the hook owns the keys
    EXPECT_EQ(combine->text(), "LCtrl + C ");
    ClickAt(dialog, 331, 357);
  });
  EXPECT_TRUE(accepted);
  ExpectCombineLCtrlC();
  EXPECT_TRUE(pending.key_enabled);
  EXPECT_TRUE(hook_removed) << "the hook goes when the dialog ends";
}

// A key whose macro was deleted opens on the macro list with nothing chosen; the focus alone
// makes row 0 current, which chooses nothing.
TEST_F(KeyMapDialogTest, MacroListBindsOnlyASelectedMacro) {
  struct Case {
    bool click_row;
    int kind;
    int macro;
  };
  ASSERT_TRUE(macros.entry(0).SetName(u"first").ok());
  for (const Case& c : {Case{false, static_cast<int>(AssignmentKind::kRestoreDefault), -1},
                        Case{true, static_cast<int>(AssignmentKind::kMacro), 0}}) {
    actions[kQ].kind = static_cast<std::uint8_t>(AssignmentKind::kMacro);
    actions[kQ].data = {KeyMapEntry::kMacro, 0, 5};
    const bool accepted = RunWith([&c](CKeyMap& dialog) {
      auto* list = Find<QListWidget>(dialog, "macros");
      ASSERT_TRUE(list->isVisible());
      list->setFocus();
      QApplication::processEvents();
      if (c.click_row) {
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                          list->visualItemRect(list->item(0)).center());
      }
      ClickAt(dialog, 331, 357);
    });
    EXPECT_TRUE(accepted);
    EXPECT_EQ(pending.pending_kind, c.kind) << c.click_row;
    EXPECT_EQ(pending.macro_index, c.macro) << c.click_row;
  }
}

TEST_F(KeyMapDialogTest, StoredCombinationShowsInItsFieldAndSavesUnchanged) {
  actions[kQ].kind = 1;
  actions[kQ].count = 2;
  actions[kQ].data = {0xA2, 'C'};
  const bool accepted = RunWith([](CKeyMap& dialog) {
    auto* combine = Find<QLineEdit>(dialog, "combine");
    EXPECT_TRUE(combine->hasFocus());
    EXPECT_EQ(combine->text(), "LCtrl + C ");
    ClickAt(dialog, 331, 357);
  });
  EXPECT_TRUE(accepted);
  ExpectCombineLCtrlC();
}

// Offscreen there is no X server: the program's hook reaches only the dialog, which forwards
// what is typed into it and says so on the capture page.
TEST_F(KeyMapDialogTest, WithoutGlobalCaptureKeysTypedIntoTheDialogAreCaptured) {
  const bool accepted = RunWith(
      [](CKeyMap& dialog) {
        EXPECT_EQ(dialog.hook().reach(), KeyHookReach::kFocusedWindow);
        EXPECT_TRUE(dialog.model().capture_focused_only());
        auto* single = Find<QLineEdit>(dialog, "single");
        QTest::keyClick(single, Qt::Key_B);
        EXPECT_EQ(single->text(), "B ");
        QTest::keyClick(single, Qt::Key_Return);
        EXPECT_TRUE(dialog.isVisible()) << "Enter does not save";
        ClickAt(dialog, 331, 357);
      },
      /*real_hook=*/true);
  EXPECT_TRUE(accepted);
  EXPECT_EQ(pending.pending_kind, 0);
  EXPECT_EQ(pending.captured_keys[0], 'B');
}

TEST_F(KeyMapDialogTest, AHeldKeyTypedIntoTheDialogCombinesOnce) {
  const bool accepted = RunWith(
      [](CKeyMap& dialog) {
        ClickAt(dialog, 47, 40);
        auto* combine = Find<QLineEdit>(dialog, "combine");
        combine->setFocus();
        QApplication::processEvents();
        ASSERT_EQ(dialog.model().focus(), KeyDialogControl::kCombineField);
        testing::SendHeldKey(*combine, Qt::Key_A, 4);
        testing::SendHeldKey(*combine, Qt::Key_B, 0);
        EXPECT_EQ(combine->text(), "A + B ");
        ClickAt(dialog, 241, 357);
      },
      /*real_hook=*/true);
  EXPECT_FALSE(accepted);
}

TEST_F(KeyMapDialogTest, StoredFunctionIsSelectedUnderItsOpenedGroupAndCloseEndsWithoutOk) {
  actions[kQ].kind = 3;
  actions[kQ].data = {0x00, 0xE0, 0x06, 0x00};
  const bool accepted = RunWith([](CKeyMap& dialog) {
    auto* tree = Find<VividTree>(dialog, "functions");
    ASSERT_TRUE(tree->isVisible());
    ASSERT_EQ(tree->topLevelItemCount(), 9);
    EXPECT_EQ(tree->topLevelItem(0)->text(0), "Search");
    QTreeWidgetItem* shortcut = tree->topLevelItem(3);
    EXPECT_EQ(shortcut->text(0), "Shortcut");
    EXPECT_TRUE(shortcut->isExpanded());
    EXPECT_FALSE(tree->topLevelItem(2)->isExpanded());
    EXPECT_EQ(tree->SelectedText(), "Copy");
    QTest::keyClick(&dialog, Qt::Key_Escape);
    EXPECT_TRUE(dialog.isVisible()) << "Esc does not close";
    ClickAt(dialog, 241, 357);
  });
  EXPECT_FALSE(accepted);
}

TEST_F(KeyMapDialogTest, ProfileKeysAreChosenFromTheListTheAdvancePageLeadsTo) {
  const bool accepted = RunWith([](CKeyMap& dialog) {
    ClickAt(dialog, 330, 40);
    auto* list = Find<QListWidget>(dialog, "host_actions");
    EXPECT_FALSE(list->isVisible());
    const PixelRect& link = KeyDialogGeometry::kHostActionLink;
    ClickAt(dialog, link.left + 5, link.top + 5);
    ASSERT_TRUE(list->isVisible());
    ASSERT_EQ(list->count(), 5);
    EXPECT_EQ(list->item(4)->text(), "Profile: Work");
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualItemRect(list->item(4)).center());
    ClickAt(dialog, 331, 357);
  });
  EXPECT_TRUE(accepted);
  EXPECT_EQ(pending.pending_kind, static_cast<int>(AssignmentKind::kOpenFile));
  EXPECT_EQ(pending.launch_path, u"n240qx:profile/Work");
}

}  // namespace
}  // namespace n240qx
