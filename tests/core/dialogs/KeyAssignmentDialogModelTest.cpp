#include <gtest/gtest.h>

#include <algorithm>
#include <initializer_list>
#include <string>

#include "app/KeyAssignment.h"
#include "dialogs/KeyAssignmentDialogModel.h"
#include "dialogs/KeyDialogScene.h"
#include "keys/KeyTable.h"
#include "keys/KeymapStore.h"
#include "support/TempDir.h"
#include "util/Utf8.h"

namespace n240qx {
namespace {

using Geometry = KeyDialogGeometry;

constexpr std::uint8_t kQ = 42;
constexpr std::uint8_t kLCtrl = 0xA2;
constexpr std::uint8_t kLAlt = 0xA4;
constexpr std::uint8_t kDel = 0x2E;

// Points inside the dialog's places.
constexpr int kButtonY = 357;
constexpr int kSaveX = 331;
constexpr int kResetX = 151;
constexpr int kCloseX = 241;
int TabX(int page) {
  return 47 + 97 * page;
}
constexpr int kTabY = 40;

class KeyDialog : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetKeySettings(image, actions);
    ASSERT_TRUE(macros.entry(0).SetName(u"first").ok());
    ASSERT_TRUE(macros.entry(1).SetName(u"second").ok());
  }

  void OpenOn(std::uint8_t key, std::uint8_t kind, std::initializer_list<std::uint8_t> data,
              std::u16string path = {}) {
    KeyActionEntry& entry = actions[key];
    entry.kind = kind;
    entry.data = {};
    std::copy(data.begin(), data.end(), entry.data.begin());
    entry.count = static_cast<std::uint8_t>(data.size());
    entry.SetPath(path);
    pending = PendingAssignment{};
    pending.current_key = key;
    pending.current_key_vk = KeyTable::ByIndex(key)->vk;
    model.Open();
    model.SetHook(true, KeyHookReach::kSystemWide);
  }
  KeyDialogReaction Click(int x, int y) { return model.Release(x, y); }
  void Keys(std::initializer_list<std::uint8_t> vks) {
    for (const auto vk : vks) {
      model.KeyCaptured(HookedKey{vk, false});
      model.KeyCaptured(HookedKey{vk, true});
    }
  }
  std::string Captured() const {
    std::string out;
    for (int i = 0; i < 4; ++i) {
      out += std::to_string(pending.captured_keys[static_cast<std::size_t>(i)]) + " ";
    }
    return out;
  }

  testing::TempDir dir;
  ConfigImage image;
  KeyActionTable actions;
  MacroStore macros;
  PendingAssignment pending;
  CustomisedKeyFlags customised;
  KeyNameTable names = BuildKeyNameTable();
  KeyAssignmentDialogModel model{pending, actions, image, macros, names, Language::kEnglish};
};

TEST(KeyDialogGeometry, ButtonsToggleFirstAndGrownThenInOrder) {
  struct Case {
    int x, y, button;
  };
  const Case cases[] = {
      {374, 11, 0},  {0, 28, 1},      {94, 55, 1},    {95, 33, 5},    {300, 40, 4},
      {14, 346, 6},  {34, 365, 6},    {13, 346, 255}, {24, 366, 255}, {130, 346, 7},
      {200, 368, 7}, {201, 357, 255}, {290, 368, 8},  {380, 368, 9},  {381, 368, 255},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Geometry::HitButton(c.x, c.y), c.button) << c.x << "," << c.y;
  }
}

TEST(KeyDialogGeometry, LaunchRowsEveryPitchOf62) {
  struct Case {
    int x, y, hit;
  };
  const Case cases[] = {
      {1, 85, 0},    {11, 94, 0},    {100, 90, 1},   {83, 79, 2},     {377, 104, 3},   {1, 147, 4},
      {317, 141, 7}, {317, 265, 15}, {377, 290, 15}, {317, 259, 255}, {378, 100, 255}, {0, 85, 255},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(Geometry::HitLaunchRow(c.x, c.y), c.hit) << c.x << "," << c.y;
  }
}

TEST_F(KeyDialog, OpeningShowsTheStoredAssignment) {
  OpenOn(kQ, 3, {0x00, 0xE0, 0x06, 0x00});
  EXPECT_EQ(model.page(), 2);
  EXPECT_EQ(model.selected_function(), u"Copy");
  EXPECT_EQ(model.expanded_function_group(), u"Shortcut");

  OpenOn(kQ, 3, {0x11, 0x22, 0x33, 0x44});
  EXPECT_EQ(model.selected_function(), u"");
  EXPECT_EQ(model.expanded_function_group(), u"");

  OpenOn(kQ, 1, {kLCtrl, 'C'});
  EXPECT_EQ(model.page(), 0);
  EXPECT_EQ(model.combine_text(), u"LCtrl + C ");
  EXPECT_EQ(model.focus(), KeyDialogControl::kCombineField);

  OpenOn(kQ, 2, {0x04, 0x01, 0x01, 0x00});
  EXPECT_EQ(model.page(), 1);
  EXPECT_EQ(model.selected_macro(), 1);
  EXPECT_EQ(model.macro_names().size(), 2u);

  OpenOn(kQ, 5, {0x03, 0x00, 0x23, 0x02}, u"/usr/bin/xterm");
  EXPECT_EQ(model.page(), 3);
  EXPECT_EQ(model.launch_row(), 1);
  EXPECT_EQ(pending.launch_path, u"/usr/bin/xterm");
}

TEST_F(KeyDialog, StoredCombineIsSavedUnchangedAndANewKeyStartsEmpty) {
  OpenOn(kQ, 1, {kLCtrl, 'C'});
  model.Focused(KeyDialogControl::kCombineField);
  EXPECT_EQ(Click(kSaveX, kButtonY).end, KeyDialogEnd::kAccepted);
  EXPECT_EQ(pending.pending_kind, 1);
  EXPECT_EQ(pending.captured_count, 2);
  EXPECT_EQ(Captured(), "162 67 0 0 ");

  OpenOn(kQ, 1, {kLCtrl, kLAlt, kDel});
  Keys({'X'});
  EXPECT_EQ(model.combine_text(), u"X ");
  EXPECT_EQ(Captured(), "88 0 0 0 ");
}

TEST_F(KeyDialog, CombineTakesThreeKeysAndTheFourthStartsOver) {
  OpenOn(kQ, 0, {'A'});
  model.Focused(KeyDialogControl::kCombineField);
  EXPECT_EQ(model.single_text(), u"");
  Keys({kLCtrl, kLAlt, kDel});
  EXPECT_EQ(model.combine_text(), u"LCtrl + LAlt + Del ");
  Keys({'A'});
  EXPECT_EQ(model.combine_text(), u"A ");
  EXPECT_EQ(Captured(), "65 0 0 0 ");
  EXPECT_EQ(pending.captured_count, 1);
}

TEST_F(KeyDialog, KeysArriveOnlyThroughAnInstalledHookAndOnlyAsPresses) {
  OpenOn(kQ, 0, {});
  model.Focused(KeyDialogControl::kSingleField);
  EXPECT_FALSE(model.KeyCaptured(HookedKey{'B', true}));
  model.SetHook(false, KeyHookReach::kSystemWide);
  EXPECT_FALSE(model.KeyCaptured(HookedKey{'B', false}));
  EXPECT_EQ(model.single_text(), u"");
}

// Left of Z, Mute, Sleep and a key no X keycode table knows: saved, each would make a dead key.
TEST_F(KeyDialog, KeysTheKeyboardCannotSendAreRefusedAndSaidSo) {
  const PaintOp notice = PaintText{KeyDialogScene::kNoticeX,
                                   KeyDialogScene::kNoticeY,
                                   13,
                                   "The keyboard cannot send this key.",
                                   RgbColour{255, 0, 0},
                                   KeyDialogScene::kNoticeWidth};
  auto shows_notice = [this, &notice] {
    const auto ops = KeyDialogScene::Paint(model);
    return std::find(ops.begin(), ops.end(), notice) != ops.end();
  };
  for (const std::uint8_t vk :
       {std::uint8_t{0xE2}, std::uint8_t{0xAD}, std::uint8_t{0x5F}, std::uint8_t{0}}) {
    OpenOn(kQ, 0, {});
    model.Focused(KeyDialogControl::kSingleField);
    Keys({'B', vk});
    EXPECT_EQ(model.single_text(), u"B ") << int{vk};
    EXPECT_EQ(Captured(), "66 0 0 0 ") << int{vk};
    EXPECT_TRUE(shows_notice()) << int{vk};
    Keys({'C'});
    EXPECT_FALSE(shows_notice()) << "the next key clears it";
  }
}

// Programs here have no suffix: the Startup row's file dialog opens on every file.
TEST_F(KeyDialog, LaunchFileChoicesOpenOnAFilterThatShowsTheFile) {
  struct Case {
    std::size_t row;
    bool folder;
    std::vector<std::string> filters;
  };
  for (const Case& c :
       {Case{0, false, {"mp3 Files(*.mp3)", "All files (*)"}},
        Case{KeyAssignmentDialogModel::kStartupRow, false, {"All files (*)", "exe Files(*.exe)"}},
        Case{2, false, {"txt Files(*.txt)", "All files (*)"}}, Case{3, true, {}}}) {
    const LaunchFileChoice choice = model.FileChoice(c.row);
    EXPECT_EQ(choice.folder, c.folder) << c.row;
    EXPECT_EQ(choice.filters, c.filters) << c.row;
  }
}

TEST_F(KeyDialog, SaveByPage) {
  struct Case {
    const char* what;
    int tab;  // -1: stay on the page the key opened on
    bool mark_disable;
    int expected_kind;
    bool expected_enabled;
  };
  const Case cases[] = {
      {"empty fields restore the default", -1, true, 8, false},
      {"macro page without a line restores and enables", 1, true, 8, true},
      {"advance page without a path restores the default", 3, false, 8, true},
      {"a function leaf is taken", 2, true, 3, false},
  };
  for (const auto& c : cases) {
    OpenOn(kQ, 0, {});
    if (c.tab >= 0) {
      Click(TabX(c.tab), kTabY);
    }
    if (c.tab == 2) {
      model.SelectFunction(u"Paste");
    }
    if (c.mark_disable) {
      Click(24, 355);
    }
    EXPECT_EQ(Click(kSaveX, kButtonY).end, KeyDialogEnd::kAccepted) << c.what;
    EXPECT_EQ(pending.pending_kind, c.expected_kind) << c.what;
    EXPECT_EQ(pending.key_enabled, c.expected_enabled) << c.what;
  }
  EXPECT_EQ(pending.function_name, u"Paste");
}

TEST_F(KeyDialog, GroupOfTheTreeIsNoFunction) {
  OpenOn(kQ, 3, {0x00, 0xE0, 0x06, 0x00});
  model.SelectFunction(u"Shortcut");
  const auto reaction = Click(kSaveX, kButtonY);
  EXPECT_EQ(reaction.end, KeyDialogEnd::kStaysOpen);
  EXPECT_EQ(reaction.message, KeyDialogText::kSelectSubItem);
}

TEST_F(KeyDialog, ResetEnablesAndRestoresEvenWithDisableMarked) {
  OpenOn(kQ, 1, {kLCtrl, 'C'});
  image.SetKeyEnabled(*KeyTable::SlotOf(kQ), false);
  Click(24, 355);
  ASSERT_TRUE(model.disable_toggle());
  EXPECT_EQ(Click(kResetX, kButtonY).end, KeyDialogEnd::kAccepted);
  KeyAssignment assignment{
      image, actions, customised, pending, names, macros, dir.path() / "keymap.bin"};
  ASSERT_TRUE(assignment.CompleteKeyAssignment().ok());
  EXPECT_TRUE(image.KeyEnabled(*KeyTable::SlotOf(kQ)));
  EXPECT_EQ(actions[kQ].kind, 0);
  EXPECT_EQ(actions[kQ].data[0], 0);
  EXPECT_FALSE(customised.IsSet(kQ));
}

// The pages edit a copy of the key's entry: Close leaves the table as it was, OK commits it.
TEST_F(KeyDialog, AdvancePageEditsACopyThatOnlyAcceptingCommits) {
  OpenOn(kQ, 1, {kLCtrl, 'C'});
  const KeyActionEntry opened = actions[kQ];
  Click(TabX(3), kTabY);
  EXPECT_EQ(pending.pending_kind, 8);
  EXPECT_EQ(model.entry().kind, 0xFF) << "the dialog shows the page's entry";
  EXPECT_EQ(Click(kCloseX, kButtonY).end, KeyDialogEnd::kRejected);
  EXPECT_EQ(actions[kQ].kind, opened.kind);
  EXPECT_EQ(actions[kQ].data, opened.data);
  EXPECT_EQ(pending.captured_count, 0);

  OpenOn(kQ, 1, {kLCtrl, 'C'});
  Click(TabX(3), kTabY);
  EXPECT_EQ(Click(kSaveX, kButtonY).end, KeyDialogEnd::kAccepted);
  EXPECT_EQ(actions[kQ].kind, 0xFF);
  EXPECT_EQ(actions[kQ].data[0], 0);
}

TEST_F(KeyDialog, LaunchRowsChooseKindAndPath) {
  OpenOn(kQ, 0, {});
  Click(TabX(3), kTabY);
  auto reaction = Click(340, 90 + 62);
  ASSERT_EQ(reaction.browse_row, 1u);
  EXPECT_EQ(model.launch_choice(), 4);
  EXPECT_EQ(model.LaunchPathChosen(3, u"").message, KeyDialogText::kSelectFolder);
  EXPECT_EQ(model.LaunchPathChosen(1, std::u16string(256, u'a')).message,
            KeyDialogText::kPathTooLong);
  EXPECT_EQ(model.LaunchPathChosen(1, u"/usr/bin/x\x1B[2J").message,
            KeyDialogText::kPathControlCharacter);
  EXPECT_EQ(pending.launch_path.find(u'\x1B'), std::u16string::npos) << "a refused path stays out";
  EXPECT_TRUE(model.LaunchPathChosen(1, u"/usr/bin/xterm").repaint);
  EXPECT_EQ(pending.pending_kind, 5);
  Click(kSaveX, kButtonY);
  EXPECT_EQ(pending.pending_kind, 5);
  EXPECT_EQ(pending.launch_path, u"/usr/bin/xterm");
  // The path field of the chosen row tells the whole path; other fields and rows nothing.
  const struct {
    int x;
    int y;
    std::u16string_view tip;
  } tips[] = {{90, 90 + 62, u"/usr/bin/xterm"},
              {310, 100 + 62, u"/usr/bin/xterm"},
              {90, 90, u""},
              {340, 90 + 62, u""},
              {20, 90 + 62, u""}};
  for (const auto& tip : tips) {
    EXPECT_EQ(model.PathToolTipAt(tip.x, tip.y), tip.tip) << tip.x << "," << tip.y;
  }

  // A radio alone clears the path and keeps the kind; saved so, the key gets its default.
  Click(5, 90);
  EXPECT_EQ(pending.launch_path, u"");
  EXPECT_EQ(model.launch_row(), 0);
  Click(kSaveX, kButtonY);
  EXPECT_EQ(pending.pending_kind, 8);
}

TEST_F(KeyDialog, FnShowsTheEnableBitOfItsOwnSlot) {
  image.SetKeyEnabled(60, false);
  image.SetKeyEnabled(66, true);
  OpenOn(100, 0, {});
  EXPECT_TRUE(model.disable_toggle());
  EXPECT_FALSE(pending.key_enabled);
  OpenOn(101, 0, {});
  EXPECT_FALSE(model.disable_toggle());
}

TEST_F(KeyDialog, HoverMarksPushButtonsAndBrowseButtons) {
  OpenOn(kQ, 0, {});
  EXPECT_TRUE(model.MouseMove(kSaveX, kButtonY));
  EXPECT_TRUE(model.ButtonHovered(Geometry::kSave));
  EXPECT_FALSE(model.MouseMove(kSaveX + 1, kButtonY));
  EXPECT_TRUE(model.MouseMove(200, 200));
  EXPECT_FALSE(model.ButtonHovered(Geometry::kSave));
  Click(TabX(3), kTabY);
  EXPECT_TRUE(model.MouseMove(340, 90 + 124));
  EXPECT_EQ(model.hovered_browse_row(), 2);
}

TEST(KeyDialogPath, ShortenedFrom14Characters) {
  const std::pair<std::u16string, std::u16string> cases[] = {
      {u"/home/a/b.mp3", u"/home/a/b.mp3"},           {u"C:\\Music\\Song.mp3", u"..\\Song.mp3"},
      {u"/home/user/Music/song.mp3", u"../song.mp3"}, {u"/home/user/dir/", u"../dir/"},
      {u"abcdefghijklmn", u"..cdefghijklmn"},         {u"/abcdefghijklmn", u"..cdefghijklmn"},
  };
  for (const auto& [path, shown] : cases) {
    EXPECT_EQ(KeyAssignmentDialogModel::PathText(path), shown);
  }
}

TEST_F(KeyDialog, SceneFollowsLanguagePageAndReach) {
  KeyAssignmentDialogModel german{pending, actions, image, macros, names, Language::kGerman};
  OpenOn(kQ, 5, {}, u"/usr/bin/xterm");
  german.Open();
  german.SetHook(true, KeyHookReach::kFocusedWindow);
  const auto ops = KeyDialogScene::Paint(german);
  ASSERT_FALSE(ops.empty());
  EXPECT_EQ(std::get<PaintPicture>(ops.front()).name, "Custom_BK.png");
  EXPECT_EQ(std::get<PaintText>(ops[1]), (PaintText{132, 5, 18, "Ausgewählte Taste: Q ", kWhite}));
  const PaintText path{90, 145, 15, "../xterm", RgbColour{255, 0, 0}};
  EXPECT_NE(std::find(ops.begin(), ops.end(), PaintOp{path}), ops.end());
  const auto notice = std::string(german.Text(KeyDialogText::kFocusedCaptureOnly));
  const auto has_notice = [&](const std::vector<PaintOp>& list) {
    return std::any_of(list.begin(), list.end(), [&](const PaintOp& op) {
      const auto* text = std::get_if<PaintText>(&op);
      return text != nullptr && text->text == notice;
    });
  };
  EXPECT_FALSE(has_notice(ops)) << "only the capture page says it";
  german.Release(TabX(0), kTabY);
  EXPECT_TRUE(has_notice(KeyDialogScene::Paint(german)));
}

TEST_F(KeyDialog, NoticeSaysWhyCaptureStaysInTheDialog) {
  using T = KeyDialogText;
  const std::vector<T> desktop = {T::kFocusedCaptureOnly, T::kDesktopShortcuts,
                                  T::kDesktopShortcutKeys};
  const auto with = [&](std::initializer_list<T> reason) {
    std::vector<T> lines(reason);
    lines.insert(lines.end(), desktop.begin(), desktop.end());
    return lines;
  };
  const struct {
    bool installed;
    KeyHookReach reach;
    KeyHookLimit limit;
    std::vector<T> lines;
  } cases[] = {
      {true, KeyHookReach::kSystemWide, KeyHookLimit::kNone, {}},
      {false, KeyHookReach::kFocusedWindow, KeyHookLimit::kWayland, {}},
      {true, KeyHookReach::kFocusedWindow, KeyHookLimit::kNone, desktop},
      {true, KeyHookReach::kFocusedWindow, KeyHookLimit::kWayland, with({T::kLimitWayland})},
      {true, KeyHookReach::kFocusedWindow, KeyHookLimit::kNotX11, with({T::kLimitNotX11})},
      {true, KeyHookReach::kFocusedWindow, KeyHookLimit::kNoDisplay, with({T::kLimitNoDisplay})},
      {true, KeyHookReach::kFocusedWindow, KeyHookLimit::kNoXInput22, with({T::kLimitNoXInput22})},
  };
  for (const auto& c : cases) {
    OpenOn(kQ, 0, {});
    model.SetHook(c.installed, c.reach, c.limit);
    EXPECT_EQ(model.CaptureNotice(), c.lines) << int(c.limit) << " " << c.installed;
    if (c.installed) {
      // A key the keyboard cannot send is what the user needs to hear about first.
      model.KeyCaptured(HookedKey{0x5F, false});
      EXPECT_EQ(model.CaptureNotice(), std::vector<T>{T::kCannotSendKey});
    }
  }
}

// The program's own actions sit on a page reached from the Advance page and are stored as
// "Open file" launches of their n240qx: paths.
TEST_F(KeyDialog, HostActionPageAssignsTheProgramsActionsAndReopensOnThem) {
  constexpr std::uint8_t kOpenFile = 6;
  const PixelRect& link = Geometry::kHostActionLink;
  model.SetProfileNames({"Race", "Work"});
  OpenOn(kQ, 0, {});
  Click(TabX(3), kTabY);
  Click(link.left + 5, link.top + 5);
  EXPECT_EQ(model.page(), KeyAssignmentDialogModel::kHostActionPage);
  EXPECT_EQ(model.tab(), 3) << "the page belongs to the Advance tab";
  EXPECT_TRUE(model.Shows(KeyDialogControl::kHostActionList));
  ASSERT_EQ(model.host_actions().size(), 5U);
  Click(kSaveX, kButtonY);
  EXPECT_EQ(pending.pending_kind, 8) << "nothing chosen restores the default";
  EXPECT_TRUE(pending.key_enabled);

  const struct {
    std::u16string stored;
    std::size_t line;
  } cases[] = {{u"n240qx:next-profile", 0},
               {u"n240qx:lights-toggle", 2},
               {u"n240qx:profile/Work", 4},
               {u"n240qx:profile/Gone", 5}};
  for (const auto& c : cases) {
    OpenOn(kQ, kOpenFile, {}, c.stored);
    EXPECT_EQ(model.page(), KeyAssignmentDialogModel::kHostActionPage) << Utf8FromUtf16(c.stored);
    ASSERT_EQ(model.selected_host_action(), static_cast<int>(c.line)) << Utf8FromUtf16(c.stored);
    Click(kSaveX, kButtonY);
    EXPECT_EQ(pending.pending_kind, kOpenFile);
    EXPECT_EQ(pending.launch_path, c.stored)
        << "saved unchanged, a profile gone from the library too";
  }
  OpenOn(kQ, kOpenFile, {}, u"n240qx:next-profile");
  model.SelectHostAction(3);
  Click(kSaveX, kButtonY);
  EXPECT_EQ(pending.launch_path, u"n240qx:profile/Race");
  OpenOn(kQ, kOpenFile, {}, u"/home/me/notes.txt");
  EXPECT_EQ(model.page(), 3) << "a file stays a launch row";
}

}  // namespace
}  // namespace n240qx
