#include <gtest/gtest.h>

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QImage>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionButton>
#include <functional>
#include <memory>
#include <string>

#include "TextOverlap.h"
#include "dialogs/ColourDialogModel.h"
#include "dialogs/KeyAssignmentDialogModel.h"
#include "dialogs/KeyDialogScene.h"
#include "dialogs/MacroDialogModel.h"
#include "dialogs/MacroDialogScene.h"
#include "dialogs/ProfileDialogModel.h"
#include "gui/CCustomColorDialog.h"
#include "gui/SkinPictures.h"
#include "gui/WindowMessageBox.h"
#include "image/ConfigImage.h"
#include "keys/KeyMapEntry.h"
#include "keys/KeyNameTable.h"
#include "keys/KeyTable.h"
#include "keys/KeymapStore.h"
#include "util/VirtualClock.h"

namespace n240qx::testing {
namespace {

constexpr std::uint8_t kQ = 42;
constexpr std::uint8_t kOpenFolder = 7;
constexpr std::uint8_t kKeyA = 0x41;

QString SkinFolder(Language language, const char* dialog_folder) {
  return QDir(QStringLiteral(N240QX_SKIN_DIR))
      .filePath(QString::fromLatin1(language == Language::kGerman ? "german/" : "english/") +
                QString::fromLatin1(dialog_folder));
}

QRect RectOf(const PixelRect& place) {
  return {place.left, place.top, place.Width(), place.Height()};
}

// The macro and colour dialogs give their controls' places as x, y, width and height.
template <typename Place>
QRect PlaceRect(const Place& place) {
  return {place.x, place.y, place.width, place.height};
}

// A hook that takes every key of the system, or only the focused dialog's.
class ReachHook final : public KeyHook {
 public:
  bool Install(int /*mode*/) override { return installed_ = true; }
  void Remove() override { installed_ = false; }
  bool installed() const override { return installed_; }
  KeyHookReach reach() const override { return reach_value; }
  KeyHookReach reach_value = KeyHookReach::kSystemWide;

 private:
  bool installed_ = false;
};

// One dialog in one state: what it paints, where its pictures are and its child controls.
struct DialogScene {
  std::string label;
  std::vector<PaintOp> ops;
  QString folder;
  std::vector<ChildControl> controls;
};

class DialogOverlap : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetKeySettings(image, actions);
    ASSERT_TRUE(macros.entry(0).SetName(u"first").ok());
  }

  void Check(const DialogScene& scene, Language language) {
    for (const std::string& fault : overlap.Faults(scene.ops, scene.folder, scene.controls)) {
      ADD_FAILURE() << scene.label << (language == Language::kGerman ? " (German): " : ": ")
                    << fault;
    }
  }

  // The key dialog on each page; the Advance page with a long folder chosen, the first page
  // with the note that keys are seen only in the dialog, with each reason.
  std::vector<DialogScene> KeyDialogScenes(Language language) {
    std::vector<DialogScene> scenes;
    KeyActionEntry& entry = actions[kQ];
    entry.kind = kOpenFolder;
    entry.SetPath(u"/home/somebody/a/folder/with/a/rather/long/name/at/its/end");
    pending = PendingAssignment{};
    pending.current_key = kQ;
    pending.current_key_vk = KeyTable::ByIndex(kQ)->vk;
    KeyAssignmentDialogModel model{pending, actions, image, macros, names, language};
    model.Open();
    model.SetHook(true, KeyHookReach::kFocusedWindow);
    // Page 4, the host action list, is reached from the Advance page.
    for (int page = 0; page < 5; ++page) {
      const PixelRect& link = KeyDialogGeometry::kHostActionLink;
      model.Release(page < 4 ? 47 + 97 * page : link.left + 5, page < 4 ? 40 : link.top + 5);
      std::vector<ChildControl> controls;
      const std::pair<KeyDialogControl, PixelRect> places[] = {
          {KeyDialogControl::kSingleField, KeyDialogGeometry::kSingleField},
          {KeyDialogControl::kCombineField, KeyDialogGeometry::kCombineField},
          {KeyDialogControl::kMacroList, KeyDialogGeometry::kListPlace},
          {KeyDialogControl::kFunctionTree, KeyDialogGeometry::kListPlace},
          {KeyDialogControl::kHostActionList, KeyDialogGeometry::kListPlace}};
      for (const auto& [control, place] : places) {
        if (model.Shows(control)) {
          controls.push_back({RectOf(place), "control " + std::to_string(int(control))});
        }
      }
      scenes.push_back({"key dialog, page " + std::to_string(page), KeyDialogScene::Paint(model),
                        SkinFolder(language, "Custom"), controls});
    }
    model.Release(47, 40);
    for (const KeyHookLimit limit : {KeyHookLimit::kNotX11, KeyHookLimit::kWayland,
                                     KeyHookLimit::kNoDisplay, KeyHookLimit::kNoXInput22}) {
      model.SetHook(true, KeyHookReach::kFocusedWindow, limit);
      scenes.push_back({"key dialog, capture limit " + std::to_string(int(limit)),
                        KeyDialogScene::Paint(model),
                        SkinFolder(language, "Custom"),
                        {{RectOf(KeyDialogGeometry::kSingleField), "single field"},
                         {RectOf(KeyDialogGeometry::kCombineField), "combine field"}}});
    }
    return scenes;
  }

  // The macro dialog with a macro selected, recording, armed for an insert, with keys seen only
  // in the dialog, and read-only over an unread store.
  std::vector<DialogScene> MacroDialogScenes(Language language) {
    std::vector<DialogScene> scenes;
    ReachHook hook;
    VirtualClock clock;
    MacroStore stored;
    MacroStore working;
    EXPECT_TRUE(stored.entry(0).SetName(u"Macro_001").ok());
    MacroDialogModel model(stored, working, hook, clock, names);
    const std::vector<ChildControl> controls = {
        {PlaceRect(MacroDialogLayout::kMacroList), "macro list"},
        {PlaceRect(MacroDialogLayout::kEventList), "event list"},
        {PlaceRect(MacroDialogLayout::kLoopField), "loop field"}};
    const auto add = [&](const std::string& label) {
      scenes.push_back({"macro dialog, " + label, MacroDialogScene::Paint(model, language),
                        SkinFolder(language, ""), controls});
    };
    const auto click = [&](MacroButton button) {
      const PixelRect& rect = MacroDialogLayout::Rect(button);
      model.OnButtonUp(rect.left, rect.top);
    };
    model.Open();
    add("a macro selected");
    click(MacroButton::kRecord);
    add("recording");
    model.OnHookedKey({kKeyA, false});
    model.OnHookedKey({kKeyA, true});
    click(MacroButton::kRecord);
    model.SelectEventLine(0);
    model.OnMenuCommand(MacroCommand::kInsertBefore);
    add("armed for an insert");
    hook.reach_value = KeyHookReach::kFocusedWindow;
    model.Open();
    click(MacroButton::kRecord);
    add("keys seen only here");
    model.Open(true);
    add("unread");
    return scenes;
  }

  static std::vector<DialogScene> FixedDialogScenes(Language language) {
    std::uint32_t colour = 0;
    ColourDialogModel colours(colour);
    colours.Open();
    std::vector<ChildControl> colour_controls;
    for (const ColourDialogPlace& place :
         {ColourDialogModel::kSpectrumPlace, ColourDialogModel::kOkPlace,
          ColourDialogModel::kCancelPlace, ColourDialogModel::kRedBox, ColourDialogModel::kGreenBox,
          ColourDialogModel::kBlueBox, ColourDialogModel::kHueBox,
          ColourDialogModel::kSaturationBox, ColourDialogModel::kLuminosityBox}) {
      colour_controls.push_back({PlaceRect(place), "control"});
    }
    return {{"profile dialog",
             ProfileDialogModel::Paint(language),
             SkinFolder(language, "Config"),
             {{RectOf(ProfileDialogModel::kList), "profile list"}}},
            {"colour dialog", colours.Paint(language), SkinFolder(language, ""), colour_controls}};
  }

  TextOverlap overlap;
  ConfigImage image;
  KeyActionTable actions;
  MacroStore macros;
  PendingAssignment pending;
  KeyNameTable names = BuildKeyNameTable();
};

TEST_F(DialogOverlap, NoTextRunsIntoAnotherAPictureNotItsOwnOrAControl) {
  for (const Language language : {Language::kEnglish, Language::kGerman}) {
    std::vector<DialogScene> scenes = KeyDialogScenes(language);
    for (auto& more : {MacroDialogScenes(language), FixedDialogScenes(language)}) {
      scenes.insert(scenes.end(), more.begin(), more.end());
    }
    for (const DialogScene& scene : scenes) {
      ASSERT_FALSE(scene.ops.empty()) << scene.label;
      Check(scene, language);
    }
  }
}

// Laid out as shown: each push button's text within the room its style gives the text.
std::vector<std::string> ButtonFaults(QWidget& dialog) {
  dialog.show();
  QApplication::processEvents();
  std::vector<std::string> faults;
  for (const QPushButton* button : dialog.findChildren<QPushButton*>()) {
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    const QRect room =
        button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button);
    const int width = QFontMetrics(button->font()).horizontalAdvance(button->text());
    if (width > room.width()) {
      faults.push_back(button->text().toStdString() + " needs " + std::to_string(width) +
                       " pixels, has " + std::to_string(room.width()));
    }
  }
  dialog.hide();
  return faults;
}

std::vector<std::string> ButtonTexts(const QWidget& dialog) {
  std::vector<std::string> texts;
  for (const QPushButton* button : dialog.findChildren<QPushButton*>()) {
    texts.push_back(button->text().toStdString());
  }
  std::ranges::sort(texts);
  return texts;
}

// The colour dialog's fixed buttons and the message boxes, whose buttons are the program's own
// words in the window's language.
TEST(DialogButtons, SayTheWindowsWordsAndFitThem) {
  SkinPictures skins(SkinFolder(Language::kEnglish, ""));
  std::uint32_t colour = 0;
  using Strings = std::vector<std::string>;
  const struct {
    Language language;
    Strings ok_cancel;
  } cases[] = {{Language::kEnglish, {"Cancel", "OK"}}, {Language::kGerman, {"Abbrechen", "OK"}}};
  for (const auto& c : cases) {
    CCustomColorDialog colours(colour, skins, c.language);
    const auto ask = WindowMessageBox::Make(nullptr, c.language, QMessageBox::Question, "Title",
                                            "Question?", WindowMessageBox::Buttons::kOkCancel);
    const auto tell = WindowMessageBox::Make(nullptr, c.language, QMessageBox::Information, "Title",
                                             "Note", WindowMessageBox::Buttons::kOk);
    const auto about = WindowMessageBox::MakeAbout(nullptr, c.language, "About", "Version 1");
    EXPECT_EQ(ButtonTexts(colours), c.ok_cancel);
    EXPECT_EQ(ButtonTexts(*ask), c.ok_cancel);
    EXPECT_EQ(ButtonTexts(*tell), Strings{"OK"});
    EXPECT_EQ(ButtonTexts(*about), Strings{"OK"});
    for (QWidget* dialog :
         {static_cast<QWidget*>(&colours), static_cast<QWidget*>(ask.get()),
          static_cast<QWidget*>(tell.get()), static_cast<QWidget*>(about.get())}) {
      for (const std::string& fault : ButtonFaults(*dialog)) {
        ADD_FAILURE() << dialog->metaObject()->className() << ": " << fault;
      }
    }
  }
}

// Beside the dark skin a box in the desktop's light default glares: the About box and the
// message boxes are drawn dark, their text light.
TEST(DialogLooks, AboutAndMessageBoxesTakeTheWindowsDarkColours) {
  constexpr int kDark = 80;
  constexpr int kLight = 200;
  std::vector<std::unique_ptr<QMessageBox>> boxes;
  boxes.push_back(WindowMessageBox::MakeAbout(nullptr, Language::kGerman, "Über", "Version 1"));
  boxes.push_back(WindowMessageBox::Make(nullptr, Language::kEnglish, QMessageBox::Warning, "Title",
                                         "Careful", WindowMessageBox::Buttons::kOkCancel));
  for (const auto& box : boxes) {
    box->show();
    QApplication::processEvents();
    const QImage shot = box->grab().toImage();
    box->hide();
    ASSERT_FALSE(shot.isNull());
    EXPECT_LT(shot.pixelColor(2, 2).lightness(), kDark) << box->windowTitle().toStdString();
    int light = 0;
    for (int y = 0; y < shot.height(); ++y) {
      for (int x = 0; x < shot.width(); ++x) {
        light += shot.pixelColor(x, y).lightness() > kLight ? 1 : 0;
      }
    }
    EXPECT_GT(light, 0) << "no light text on " << box->windowTitle().toStdString();
  }
}

}  // namespace
}  // namespace n240qx::testing
