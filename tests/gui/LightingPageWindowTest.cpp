#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <vector>

#include "WindowTestSupport.h"
#include "dialogs/ColourPalette.h"
#include "gui/CCustomColorDialog.h"
#include "gui/ColourDialogRunner.h"
#include "image/ImageField.h"
#include "keys/KeyTable.h"
#include "lighting/EffectTable.h"
#include "window/MainWindowScene.h"

namespace n240qx::testing {
namespace {

// Page items the tests click, in window pixels.
constexpr QPoint kEffectName(100, 165);
constexpr QPoint kMulticolour(213, 233);
constexpr QPoint kKeymap(35, 207);
constexpr QPoint kCustom(137, 207);
const QColor kGreySwatch(192, 192, 192);

constexpr int kBreathingRow = 1;
constexpr int kWaveRow = 2;
constexpr int kStaticRow = 0;
constexpr int kFirstProfileRow = 11;

QPoint SwatchCentre(int k) {
  return {38 + 25 * k, 233};
}

QPoint ListRowCentre(int row) {
  return {100, 173 + 20 * row + 10};
}

// A key's rectangle in the window (picture rectangle offset by the drawing's origin).
QRect KeyRect(const KeyTableRow& key) {
  return QRect(QPoint(key.rect.left + 301, key.rect.top + 95),
               QPoint(key.rect.right + 301, key.rect.bottom + 95));
}

// A pixel inside the key but clear of its label.
QPoint KeyFillPoint(const KeyTableRow& key) {
  return KeyRect(key).topLeft() + QPoint(2, 2);
}

std::vector<std::uint8_t> Bytes(std::span<const std::uint8_t> span) {
  return {span.begin(), span.end()};
}

// Image offsets whose bytes differ, so that a failure names the places rather than printing
// ten thousand bytes.
std::vector<std::size_t> ChangedOffsets(const ImageBlock::Bytes& before,
                                        const ImageBlock::Bytes& after) {
  std::vector<std::size_t> changed;
  for (std::size_t i = 0; i < before.size(); ++i) {
    if (before[i] != after[i]) {
      changed.push_back(i);
    }
  }
  return changed;
}

class LightingPageWindow : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_TRUE(window.StartAndWait()); }

  void Click(QPoint at) { window.Click(at.x(), at.y()); }

  // Opens the effect list with a click on the effect's name and picks a row with a click on it.
  void PickEffect(int row) {
    Click(kEffectName);
    ASSERT_TRUE(window.window().lighting_page().effect_list_open());
    EXPECT_FALSE(window.window().slider(SliderId::kBrightness).isVisible())
        << "the open list hides the sliders";
    Click(ListRowCentre(row));
    ASSERT_FALSE(window.window().lighting_page().effect_list_open());
    ASSERT_EQ(window.state().image().light_effect(),
              EffectTable::Rows()[static_cast<std::size_t>(row)].code);
  }

  std::vector<PaintOp> Scene() {
    return MainWindowScene::Paint(MainWindowSceneInput{window.state().image(),
                                                       window.window().lighting_page(),
                                                       window.window().keyboard_view(),
                                                       window.window().model().state(),
                                                       texts,
                                                       true,
                                                       false,
                                                       {},
                                                       {},
                                                       {},
                                                       {}});
  }

  // A left-button drag over the window: press, moves in steps, release.
  void Drag(QPoint from, QPoint to, int steps = 6) {
    QTest::mousePress(&window.window(), Qt::LeftButton, {}, from);
    for (int i = 1; i <= steps; ++i) {
      QTest::mouseMove(&window.window(), from + (to - from) * i / steps);
    }
    QTest::mouseRelease(&window.window(), Qt::LeftButton, {}, to);
  }

  RgbColour SlotColour(int k) {
    const auto slot =
        window.state().image().Field(image_field::ColourSlot(static_cast<std::size_t>(k)));
    return {slot[0], slot[1], slot[2]};
  }

  WindowUnderTest window;
  Texts texts;
};

bool HasFill(const std::vector<PaintOp>& ops, int x, int y, RgbColour colour) {
  return std::ranges::any_of(ops, [&](const PaintOp& op) {
    const auto* fill = std::get_if<PaintFill>(&op);
    return fill != nullptr && fill->x == x && fill->y == y && fill->colour == colour;
  });
}

bool HasPicture(const std::vector<PaintOp>& ops, std::string_view name) {
  return std::ranges::any_of(ops, [&](const PaintOp& op) {
    const auto* picture = std::get_if<PaintPicture>(&op);
    return picture != nullptr && picture->name == name;
  });
}

QColor ToQColor(RgbColour colour) {
  return {colour.red, colour.green, colour.blue};
}

TEST_F(LightingPageWindow, PickingWaveFromTheListGreysTheSwatchesAndChoosesMulticolour) {
  PickEffect(kStaticRow);
  for (int k = 0; k < 7; ++k) {
    const QPoint at = SwatchCentre(k);
    EXPECT_EQ(window.PixelAt(at.x(), at.y()), ToQColor(SlotColour(k))) << "swatch " << k;
  }
  EXPECT_EQ(window.state().image().colour_choice(), 1);

  PickEffect(kWaveRow);
  EXPECT_EQ(window.state().image().colour_choice(), 8);
  EXPECT_FALSE(window.window().lighting_page().per_key_mode());
  EXPECT_TRUE(window.window().slider(SliderId::kBrightness).isVisible());
  for (int k = 0; k < 7; ++k) {
    const QPoint at = SwatchCentre(k);
    EXPECT_EQ(window.PixelAt(at.x(), at.y()), kGreySwatch) << "swatch " << k;
  }
  const auto ops = Scene();
  EXPECT_TRUE(HasFill(ops, 28, 223, RgbColour{192, 192, 192}));
  EXPECT_FALSE(HasFill(ops, 28, 223, SlotColour(0)));
  // Swatch clicks are ignored while the swatches are grey.
  Click(SwatchCentre(2));
  Click(SwatchCentre(2));
  EXPECT_EQ(window.state().image().colour_choice(), 8);
}

TEST_F(LightingPageWindow, PickingStaticWithMulticolourChosenChoosesTheFirstSlot) {
  PickEffect(kBreathingRow);
  Click(kMulticolour);
  ASSERT_EQ(window.state().image().colour_choice(), 8);
  EXPECT_TRUE(HasPicture(Scene(), "8.png"));

  PickEffect(kStaticRow);
  EXPECT_EQ(window.state().image().colour_choice(), 1);
  EXPECT_FALSE(HasPicture(Scene(), "8.png"));
  // The first swatch carries the selection frame, white, two pixels outside it.
  EXPECT_EQ(window.PixelAt(26, 221), QColor(Qt::white));
  Click(kMulticolour);
  EXPECT_EQ(window.state().image().colour_choice(), 1) << "Static takes no multicolour";
}

TEST_F(LightingPageWindow, TheChosenSwatchEditsItsSlotThroughTheSharedColour) {
  PickEffect(kStaticRow);
  std::vector<RgbColour> started_on;
  bool answer_ok = true;
  window.colour_dialog = [&](RgbColour& shared) {
    started_on.push_back(shared);
    shared = answer_ok ? RgbColour{10, 200, 30} : RgbColour{1, 2, 3};
    return answer_ok;
  };
  const RgbColour slot_two = SlotColour(1);

  // The first click only chooses the swatch.
  Click(SwatchCentre(2));
  EXPECT_EQ(window.state().image().colour_choice(), 3);
  EXPECT_TRUE(started_on.empty());

  Click(SwatchCentre(2));
  ASSERT_EQ(started_on.size(), 1u);
  EXPECT_EQ(started_on[0], (RgbColour{12, 12, 12})) << "not the slot's own colour";
  EXPECT_EQ(SlotColour(2), (RgbColour{10, 200, 30}));
  EXPECT_EQ(SlotColour(1), slot_two);
  EXPECT_EQ(window.state().image().colour_choice(), 3);
  EXPECT_EQ(window.PixelAt(SwatchCentre(2).x(), SwatchCentre(2).y()), QColor(10, 200, 30));

  answer_ok = false;
  Click(SwatchCentre(2));
  ASSERT_EQ(started_on.size(), 2u);
  EXPECT_EQ(started_on[1], (RgbColour{12, 12, 12}));
  EXPECT_EQ(SlotColour(2), (RgbColour{10, 200, 30})) << "Cancel leaves the slot";
}

// The real dialog, modal over the window, answered by clicks once its loop runs.
TEST_F(LightingPageWindow, TheRealColourDialogsOkAndCancelReachTheSlot) {
  SkinPictures skins(window.folder().filePath(QStringLiteral("share/png/english")));
  window.colour_dialog = [&](RgbColour& shared) {
    return RunColourDialog(&window.window(), shared, skins, Language::kEnglish);
  };
  // Palette row 0, column 1: 255, 255, 128.
  const PixelRect swatch = ColourPalette::SwatchRect(1);
  // Owns the queued answers, so that one left waiting by a dialog that never opened dies with
  // the test.
  QObject answers;
  int answered = 0;
  const auto answer = [&](const char* button) {
    QTimer::singleShot(0, &answers, [&, button] {
      ++answered;
      auto* dialog = qobject_cast<CCustomColorDialog*>(QApplication::activeModalWidget());
      ASSERT_NE(dialog, nullptr) << "no colour dialog is open";
      EXPECT_EQ(dialog->model().shared_colour(), (RgbColour{12, 12, 12}));
      QTest::mouseClick(dialog, Qt::LeftButton, {}, QPoint(swatch.left + 5, swatch.top + 5));
      QTest::mouseClick(dialog->findChild<QPushButton*>(QString::fromLatin1(button)),
                        Qt::LeftButton);
    });
  };
  PickEffect(kStaticRow);
  Click(SwatchCentre(4));
  const RgbColour before = SlotColour(4);
  ASSERT_NE(before, (RgbColour{255, 255, 128}));

  answer("cancel");
  Click(SwatchCentre(4));
  EXPECT_EQ(answered, 1);
  EXPECT_EQ(SlotColour(4), before);
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

  answer("ok");
  Click(SwatchCentre(4));
  EXPECT_EQ(answered, 2);
  EXPECT_EQ(SlotColour(4), (RgbColour{255, 255, 128}));
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(LightingPageWindow, BandSelectedKeysGetTheColourInTableZeroAndApplySendsIt) {
  PickEffect(kFirstProfileRow);
  EXPECT_TRUE(window.window().lighting_page().per_key_mode()) << "a profile switches it on";
  // The Keymap / Custom choice: the enabled picture marks the mode.
  Click(kKeymap);
  EXPECT_FALSE(window.window().lighting_page().per_key_mode());
  EXPECT_EQ(window.PixelAt(30, 201), PlainSkins::kEnable);
  EXPECT_EQ(window.PixelAt(132, 201), PlainSkins::kDisable);
  Click(kCustom);
  ASSERT_TRUE(window.window().lighting_page().per_key_mode());
  EXPECT_EQ(window.PixelAt(30, 201), PlainSkins::kDisable);
  EXPECT_EQ(window.PixelAt(132, 201), PlainSkins::kEnable);

  const KeyTableRow& q = *KeyTable::ByLabel("Q");
  const KeyTableRow& w = *KeyTable::ByLabel("W");
  const KeyTableRow& e = *KeyTable::ByLabel("E");
  const KeyTableRow& r = *KeyTable::ByLabel("R");
  const ImageBlock::Bytes image_before = window.state().image().bytes();
  const QColor r_before = window.PixelAt(KeyFillPoint(r).x(), KeyFillPoint(r).y());

  // From two pixels above-left of Q to just past E's bottom-right: R starts inside the band but
  // ends outside it, so only Q, W and E lie wholly within.
  Drag(KeyRect(q).topLeft() - QPoint(2, 2), KeyRect(e).bottomRight() + QPoint(2, 2));
  const auto& selection = window.window().keyboard_view().selection();
  EXPECT_EQ(selection.Keys(), (std::vector<std::size_t>{q.index, w.index, e.index}));
  EXPECT_EQ(selection.state(), KeySelection::State::kPending);
  EXPECT_EQ(window.PixelAt(KeyRect(w).left() - 2, KeyRect(w).top() - 2), QColor(Qt::white))
      << "a selected key's frame";

  const RgbColour chosen{0, 128, 255};
  int asked = 0;
  window.colour_dialog = [&](RgbColour& shared) {
    ++asked;
    EXPECT_EQ(shared, (RgbColour{12, 12, 12}));
    shared = chosen;
    return true;
  };
  // Any key click now colours the selection; R itself is not added.
  Click(KeyRect(r).center());
  EXPECT_EQ(asked, 1);
  EXPECT_TRUE(selection.Keys().empty());
  EXPECT_EQ(selection.state(), KeySelection::State::kIdle);

  // Exactly the three keys' entries of table 0 change (byte 0 of an entry is 0 before and
  // after, so only the colour bytes can differ).
  std::vector<std::size_t> expected_changes;
  const auto& image = window.state().image();
  for (const KeyTableRow* key : {&q, &w, &e}) {
    const std::size_t at = image_field::ColourTable(0).offset + 4 * std::size_t{key->slot};
    EXPECT_EQ(image.bytes()[at], 0) << key->label;
    EXPECT_EQ((RgbColour{image.bytes()[at + 1], image.bytes()[at + 2], image.bytes()[at + 3]}),
              chosen)
        << key->label;
    for (std::size_t i = 1; i <= 3; ++i) {
      if (image_before[at + i] != image.bytes()[at + i]) {
        expected_changes.push_back(at + i);
      }
    }
  }
  EXPECT_EQ(ChangedOffsets(image_before, image.bytes()), expected_changes);
  for (const KeyTableRow* key : {&q, &w, &e}) {
    EXPECT_EQ(window.PixelAt(KeyFillPoint(*key).x(), KeyFillPoint(*key).y()), ToQColor(chosen))
        << key->label;
  }
  EXPECT_EQ(window.PixelAt(KeyFillPoint(r).x(), KeyFillPoint(r).y()), r_before);

  Click(kApply);
  ASSERT_TRUE(window.WaitUntilIdle());
  EXPECT_TRUE(window.window().failure().empty()) << window.window().failure();
  const auto table = Bytes(window.state().image().Field(image_field::ColourTable(0)));
  const auto& stored = window.keyboard().Memory().colour_tables;
  EXPECT_TRUE(std::equal(table.begin(), table.end(), stored.begin()))
      << "the keyboard holds table 0 as edited";
  EXPECT_EQ(Bytes(window.state().snapshot().Field(image_field::ColourTable(0))), table);
}

TEST_F(LightingPageWindow, BesideTheOpenListTheDrawingStillHoversAndTakesABand) {
  PickEffect(kFirstProfileRow);
  Click(kEffectName);
  const KeyTableRow& q = *KeyTable::ByLabel("Q");
  const KeyTableRow& w = *KeyTable::ByLabel("W");
  const KeyTableRow& e = *KeyTable::ByLabel("E");
  QTest::mouseMove(&window.window(), KeyRect(q).center());
  EXPECT_EQ(window.window().keyboard_view().hovered_key(), q.index);
  QTest::mouseMove(&window.window(), ListRowCentre(kWaveRow));
  EXPECT_EQ(window.window().keyboard_view().hovered_key(), q.index) << "a move over the list";

  Drag(KeyRect(q).topLeft() - QPoint(2, 2), KeyRect(e).bottomRight() + QPoint(2, 2));
  EXPECT_EQ(window.window().keyboard_view().selection().Keys(),
            (std::vector<std::size_t>{q.index, w.index, e.index}));
  EXPECT_FALSE(window.window().lighting_page().effect_list_open());
  EXPECT_EQ(window.state().image().light_effect(), EffectTable::Rows()[kFirstProfileRow].code)
      << "the release only closed the list";
}

TEST_F(LightingPageWindow, ABandReleasedOverApplyWaitsForTheNextKeyClickLikeAnyOther) {
  PickEffect(kFirstProfileRow);
  const KeyTableRow& q = *KeyTable::ByLabel("Q");
  Drag(KeyRect(q).topLeft() - QPoint(2, 2), kApply);
  EXPECT_TRUE(window.window().busy()) << "Apply took the release";
  const auto& selection = window.window().keyboard_view().selection();
  EXPECT_TRUE(selection.IsSelected(q.index));
  EXPECT_EQ(selection.state(), KeySelection::State::kPending);
  ASSERT_TRUE(window.WaitUntilIdle());
}

TEST_F(LightingPageWindow, CtrlClickedKeysWaitForTheNextClickAndGetOneColour) {
  PickEffect(kFirstProfileRow);
  int asked = 0;
  window.colour_dialog = [&](RgbColour& shared) {
    ++asked;
    shared = RgbColour{255, 255, 0};
    return true;
  };
  const auto entry = [&](const char* label) {
    const std::size_t at =
        image_field::ColourTable(0).offset + 4 * std::size_t{KeyTable::ByLabel(label)->slot};
    const auto& bytes = window.state().image().bytes();
    return RgbColour{bytes[at + 1], bytes[at + 2], bytes[at + 3]};
  };
  const RgbColour space_before = entry("Space");

  QTest::keyPress(&window.window(), Qt::Key_Control);
  for (const char* label : {"Esc", "Tab", "Fn"}) {
    QTest::mouseClick(&window.window(), Qt::LeftButton, Qt::ControlModifier,
                      KeyRect(*KeyTable::ByLabel(label)).center());
  }
  EXPECT_EQ(asked, 0) << "Ctrl-clicks only select";
  QTest::keyRelease(&window.window(), Qt::Key_Control);
  EXPECT_EQ(window.window().keyboard_view().selection().state(), KeySelection::State::kPending);

  Click(KeyRect(*KeyTable::ByLabel("Space")).center());
  EXPECT_EQ(asked, 1);
  for (const char* label : {"Esc", "Tab", "Fn"}) {
    EXPECT_EQ(entry(label), (RgbColour{255, 255, 0})) << label;
  }
  EXPECT_EQ(entry("Space"), space_before) << "the clicked key is not added";
}

TEST_F(LightingPageWindow, AKeyClickAfterTheKeyboardLeftTheProfilesWritesNothingAndEndsPerKeyMode) {
  PickEffect(kFirstProfileRow);
  ASSERT_TRUE(window.window().lighting_page().per_key_mode());
  int colour_asked = 0;
  window.colour_dialog = [&](RgbColour& shared) {
    ++colour_asked;
    shared = RgbColour{1, 2, 3};
    return true;
  };
  int key_dialog_opened = 0;
  window.key_dialog = [&](PendingAssignment&) {
    ++key_dialog_opened;
    return false;
  };
  // The keyboard's own effect key switches to "Wave" while the view shows table 0.
  window.keyboard().SendLightingChange(2, EffectTable::kWave);
  ASSERT_TRUE(WaitFor([&] { return window.state().image().light_effect() == EffectTable::kWave; }));
  const ImageBlock::Bytes before = window.state().image().bytes();

  const KeyTableRow& q = *KeyTable::ByLabel("Q");
  Click(KeyRect(q).center());
  EXPECT_EQ(colour_asked, 0);
  EXPECT_EQ(key_dialog_opened, 0);
  EXPECT_EQ(ChangedOffsets(before, window.state().image().bytes()), std::vector<std::size_t>{});
  EXPECT_FALSE(window.window().lighting_page().per_key_mode()) << "the click leaves per-key mode";

  // Back in Keymap mode the next click is a key assignment, still without a write.
  Click(KeyRect(q).center());
  EXPECT_EQ(key_dialog_opened, 1);
  EXPECT_EQ(colour_asked, 0);
  EXPECT_EQ(ChangedOffsets(before, window.state().image().bytes()), std::vector<std::size_t>{});
}

}  // namespace
}  // namespace n240qx::testing
