#include <gtest/gtest.h>

#include <QLineEdit>
#include <QMenu>
#include <QTemporaryDir>
#include <QTest>
#include <fstream>
#include <iterator>

#include "WindowTestSupport.h"
#include "gui/CEditHelper.h"
#include "gui/CMacroRecordDlg.h"
#include "gui/CTransparentListBox.h"
#include "gui/XInputKeyHook.h"
#include "macros/MacroStoreFile.h"

namespace n240qx {
namespace {

// Delivers nothing by itself: the test sends keys through the sink the dialog gave it.
class SinkHook final : public KeyHook {
 public:
  explicit SinkHook(Sink sink) : sink_(std::move(sink)) {}
  bool Install(int /*mode*/) override { return installed_ = true; }
  void Remove() override { installed_ = false; }
  bool installed() const override { return installed_; }
  KeyHookReach reach() const override { return KeyHookReach::kSystemWide; }
  void Send(std::uint8_t vk, bool released) {
    if (installed_) {
      sink_({vk, released});
    }
  }

 private:
  Sink sink_;
  bool installed_ = false;
};

class MacroDialogTest : public ::testing::Test {
 protected:
  MacroDialogTest()
      : state_(std::make_unique<ConfiguratorState>()),
        skins_(dir_.path()),
        dialog_(*state_, skins_, Language::kEnglish, [this](KeyHook::Sink sink) {
          auto hook = std::make_unique<SinkHook>(std::move(sink));
          hook_ = hook.get();
          return hook;
        }) {
    dialog_.SetPrompts({[this](const QString&, const QString& text) { messages_ << text; },
                        [](const QString&, const QString&) { return true; }});
  }

  void Click(MacroButton button) {
    const PixelRect& rect = MacroDialogLayout::Rect(button);
    QTest::mouseClick(&dialog_, Qt::LeftButton, {}, QPoint(rect.left + 2, rect.top + 2));
  }
  void Tap(std::uint8_t vk) {
    hook_->Send(vk, false);
    hook_->Send(vk, true);
  }
  static QStringList Items(const CTransparentListBox& list) {
    QStringList items;
    for (int i = 0; i < list.Count(); ++i) {
      items << list.Text(i);
    }
    return items;
  }
  // A click on item `row`, as the user selects it.
  static void Select(CTransparentListBox& list, int row) {
    QTest::mouseClick(list.viewport(), Qt::LeftButton, {}, list.ItemRect(row).center());
  }
  // Double-clicks item `row`, types `text` into the in-place editor and presses Enter.
  static void EditInPlace(CTransparentListBox& list, int row, const QString& text) {
    QTest::mouseDClick(list.viewport(), Qt::LeftButton, {}, list.ItemRect(row).center());
    ASSERT_EQ(list.EditingIndex(), row);
    list.editor()->setText(text);
    QTest::keyClick(list.editor(), Qt::Key_Return);
  }

  QTemporaryDir dir_;
  std::unique_ptr<ConfiguratorState> state_;
  SkinPictures skins_;
  SinkHook* hook_ = nullptr;
  CMacroRecordDlg dialog_;
  QStringList messages_;
};

TEST_F(MacroDialogTest, RecordsThroughTheHookAndStoresOnlyOnOk) {
  dialog_.Open();
  dialog_.show();
  EXPECT_EQ(dialog_.windowTitle(), "Macro Management");
  Click(MacroButton::kRecord);
  EXPECT_EQ(messages_, QStringList{"Select a Macro file to record \n"});
  Click(MacroButton::kNew);
  Click(MacroButton::kRecord);
  ASSERT_TRUE(hook_->installed());
  Tap(0x41);
  Tap(0x42);
  EXPECT_EQ(Items(*dialog_.event_list()), (QStringList{"A  dn", "A  up", "B  dn", "B  up"}));
  EXPECT_EQ(dialog_.event_list()->CurrentRow(), 3);
  Click(MacroButton::kRecord);
  EXPECT_FALSE(hook_->installed());
  QTest::keyClick(&dialog_, Qt::Key_Escape);
  QTest::keyClick(&dialog_, Qt::Key_Return);
  EXPECT_TRUE(dialog_.isVisible()) << "Enter and Esc leave the dialog open";
  EXPECT_FALSE(state_->stored_macros().entry(0).InUse());
  Click(MacroButton::kOk);
  EXPECT_EQ(dialog_.result(), QDialog::Accepted);
  EXPECT_EQ(state_->stored_macros().entry(0).Name(), u"Macro_001");
  EXPECT_EQ(state_->stored_macros().entry(0).key_events[6], 0x81);
}

TEST_F(MacroDialogTest, AnEditOpenAtOkIsTakenAndALongRepeatCountIsShownWhole) {
  ASSERT_TRUE(state_->MacrosForDialog().stored.entry(0).SetName(u"One").ok());
  state_->MacrosForDialog().stored.entry(0).repeat_count = 1500;
  dialog_.Open();
  dialog_.show();
  EXPECT_EQ(dialog_.loop_field()->text(), "1500");
  CTransparentListBox& macros = *dialog_.macro_list();
  QTest::mouseDClick(macros.viewport(), Qt::LeftButton, {}, macros.ItemRect(0).center());
  ASSERT_EQ(macros.EditingIndex(), 0);
  macros.editor()->setText(QStringLiteral("Jump"));
  Click(MacroButton::kOk);
  EXPECT_EQ(dialog_.result(), QDialog::Accepted);
  EXPECT_EQ(state_->stored_macros().entry(0).Name(), u"Jump") << "the open edit counts";
  EXPECT_EQ(state_->stored_macros().entry(0).repeat_count, 1500);
}

// The colour values handed to the lists are packed with red in the low byte: cyan, not yellow.
TEST_F(MacroDialogTest, BothListsDrawTheirSelectionAsTheProfileListDoes) {
  const CTransparentListBox profile_like(nullptr);
  for (const CTransparentListBox* list : {dialog_.macro_list(), dialog_.event_list()}) {
    EXPECT_EQ(list->palette().color(QPalette::HighlightedText),
              profile_like.palette().color(QPalette::HighlightedText))
        << list->objectName().toStdString();
    EXPECT_EQ(list->palette().color(QPalette::HighlightedText), QColor(0, 255, 255));
  }
}

TEST_F(MacroDialogTest, MenuCommandsAndInPlaceEditsReachTheMacro) {
  dialog_.Open();
  dialog_.show();
  Click(MacroButton::kNew);
  Click(MacroButton::kDelayBox);
  Click(MacroButton::kRecord);
  Tap(0x41);
  Click(MacroButton::kRecord);
  CTransparentListBox& events = *dialog_.event_list();
  Select(events, 0);
  dialog_.RunMenuCommand(MacroCommand::kLeftClick);
  EXPECT_EQ(Items(events), (QStringList{"A  dn", "MsLB dn", "MsLB up", "A  up"}));
  Select(events, 0);
  dialog_.RunMenuCommand(MacroCommand::kInsertDelay);
  Select(events, 1);
  dialog_.RunMenuCommand(MacroCommand::kInsertDelay);
  EXPECT_EQ(messages_, QStringList{"Please edit current delay\n"});

  EditInPlace(events, 1, QStringLiteral("70000"));
  EXPECT_EQ(events.Text(1), "60000 ms");
  const auto& entry = state_->working_macros().entry(0);
  EXPECT_EQ(entry.key_events[2], 0x7F);
  EXPECT_EQ(entry.key_events[4], 0xEA);

  CTransparentListBox& macros = *dialog_.macro_list();
  EditInPlace(macros, 0, QStringLiteral("Jump"));
  EXPECT_EQ(entry.Name(), u"Jump");
  EditInPlace(macros, 0, QString());
  EXPECT_EQ(macros.Text(0), "Jump") << "an empty name is refused";
  EXPECT_EQ(entry.Name(), u"Jump");

  const auto menu = dialog_.MakeEditorMenu();
  ASSERT_EQ(menu->actions().size(), 5);
  EXPECT_EQ(menu->actions()[2]->text(), "Insert Mouse Key");
  EXPECT_EQ(menu->actions()[2]->menu()->actions()[1]->menu()->actions()[2]->data().toInt(),
            static_cast<int>(MacroCommand::kRightClick));
  Click(MacroButton::kCancel);
  EXPECT_EQ(dialog_.result(), QDialog::Rejected);
  EXPECT_FALSE(state_->stored_macros().entry(0).InUse());
}

// Offscreen the program's own hook sees only the dialog's keys, as on every Wayland desktop.
TEST(MacroDialogFocusedCapture, AHeldKeyRecordsOneTapNotItsRepeats) {
  for (const int repeats : {0, 5}) {
    QTemporaryDir dir;
    ConfiguratorState state;
    ASSERT_TRUE(state.MacrosForDialog().stored.entry(0).SetName(u"held").ok());
    SkinPictures skins(dir.path());
    CMacroRecordDlg dialog(state, skins, Language::kEnglish, [](KeyHook::Sink sink) {
      return std::make_unique<XInputKeyHook>(std::move(sink));
    });
    dialog.Open();
    const PixelRect& record = MacroDialogLayout::Rect(MacroButton::kRecord);
    QTest::mouseClick(&dialog, Qt::LeftButton, {}, QPoint(record.left + 2, record.top + 2));
    ASSERT_TRUE(dialog.model().recorder().focused_window_only());
    testing::SendHeldKey(*dialog.event_list(), Qt::Key_A, repeats);
    EXPECT_EQ(dialog.model().event_lines(), (std::vector<std::u16string>{u"A  dn", u"A  up"}))
        << repeats;
  }
}

TEST(MacroDialogWindow, OkRebuildsTheRecordsAndWritesTheMacroFile) {
  testing::WindowUnderTest window;
  ASSERT_TRUE(window.StartAndWait());
  const auto macro_file = window.DataFolder() / kMacroStoreFileName;
  auto contents = [&macro_file] {
    std::ifstream in(macro_file, std::ios::binary);
    return std::vector<char>(std::istreambuf_iterator<char>(in), {});
  };
  const auto before = contents();
  MacroStore& stored = window.state().MacrosForDialog().stored;
  window.macro_dialog = [&stored] {
    (void)stored.entry(0).SetName(u"Macro_001");
    stored.entry(0).repeat_count = 3;
    return false;
  };
  window.Click(120, 570);
  EXPECT_EQ(contents(), before) << "Cancel writes nothing";
  window.macro_dialog = [] { return true; };
  window.Click(120, 570);
  MacroStore reloaded;
  ASSERT_TRUE(LoadMacroStore(macro_file, reloaded).ok());
  EXPECT_EQ(reloaded.entry(0).Name(), u"Macro_001");
  const auto record = window.state().image().Field(image_field::MacroRecord(0));
  EXPECT_EQ(record[0], 0);
  EXPECT_EQ(record[1], 3) << "the repeat count leads the record, big-endian";
}

}  // namespace
}  // namespace n240qx
