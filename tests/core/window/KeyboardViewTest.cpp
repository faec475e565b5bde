#include <gtest/gtest.h>

#include <algorithm>
#include <variant>
#include <vector>

#include "image/ImageField.h"
#include "keys/FactoryKeyMap.h"
#include "keys/KeyTable.h"
#include "keys/KeyboardViewMarking.h"
#include "window/KeyboardView.h"
#include "window/KeyboardViewGeometry.h"

namespace n240qx {
namespace {

// Window centre of a key.
PixelPoint Centre(std::size_t key) {
  const auto rect = *KeyboardViewGeometry::WindowRect(key);
  return {(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
}

RgbColour TableColour(const ConfigImage& image, std::size_t table, std::size_t key) {
  const auto entry = image.Field(image_field::ColourTable(table))
                         .subspan(4 * std::size_t{*KeyTable::SlotOf(key)}, 4);
  return {entry[1], entry[2], entry[3]};
}

class KeyboardViewTest : public ::testing::Test {
 protected:
  KeyboardViewTest() {
    image_.light_effect() = 52;  // table 1
    page_.SetPerKeyMode(true);
  }
  KeyClickResult Click(std::size_t key) {
    const auto p = Centre(key);
    view_.OnButtonDown(p.x, p.y);
    return view_.OnKeyClick(p.x, p.y);
  }
  int dialogs_ = 0;
  std::optional<RgbColour> answer_ = RgbColour{10, 20, 30};
  ConfigImage image_;
  std::uint32_t shared_ = 0;
  CustomisedKeyFlags customised_;
  LightingPage page_{image_, shared_, [this] {
                       ++dialogs_;
                       if (answer_) {
                         shared_ = answer_->Packed();
                       }
                       return answer_.has_value();
                     }};
  KeyboardView view_{image_, page_, customised_};
};

TEST(KeyboardViewGeometry, HitTestUsesTheDrawingOrigin) {
  EXPECT_EQ(KeyboardViewGeometry::HitTest(301, 95, false), 17U) << "empty rectangle of key 17";
  EXPECT_EQ(KeyboardViewGeometry::HitTest(301 + 44, 95 + 106, false), 0U);
  EXPECT_EQ(KeyboardViewGeometry::HitTest(301 + 68, 95 + 130, false), 0U) << "edges included";
  EXPECT_FALSE(KeyboardViewGeometry::HitTest(301 + 69, 95 + 106, false).has_value());
  EXPECT_FALSE(KeyboardViewGeometry::HitTest(302, 96, true).has_value());
}

TEST(KeyboardViewGeometry, KeysThatCannotBeReassignedAreHitOnlyInPerKeyMode) {
  for (const std::size_t key : {95U, 96U, 100U, 102U}) {
    const auto p = Centre(key);
    EXPECT_FALSE(KeyboardViewGeometry::HitTest(p.x, p.y, false).has_value()) << key;
    EXPECT_EQ(KeyboardViewGeometry::HitTest(p.x, p.y, true), key);
  }
  const auto app = Centre(101);
  EXPECT_EQ(KeyboardViewGeometry::HitTest(app.x, app.y, false), 101U);
}

TEST(KeyboardViewGeometry, EnterKeyIsTwoPiecesWithAnLShapedFrame) {
  const auto pieces = KeyboardViewGeometry::Pieces(54);
  ASSERT_EQ(pieces.size(), 2U);
  EXPECT_EQ(pieces[0], (KeyboardViewGeometry::Piece{385, 164, 36, 24}));
  EXPECT_EQ(pieces[1], (KeyboardViewGeometry::Piece{391, 188, 30, 25}));
  EXPECT_EQ(pieces[1].x + 301, 692);
  EXPECT_EQ(pieces[1].y + 95, 283);
  const auto outline = KeyboardViewGeometry::EnterOutline();
  // The six lines close: each ends where another begins or ends.
  for (const auto& line : outline) {
    const auto touches = [&](int x, int y) {
      return std::count_if(outline.begin(), outline.end(), [&](const PaintLine& other) {
               return (other.x0 == x && other.y0 == y) || (other.x1 == x && other.y1 == y);
             }) == 2;
    };
    EXPECT_TRUE(touches(line.x0, line.y0) && touches(line.x1, line.y1));
  }
  EXPECT_TRUE(KeyboardViewGeometry::Pieces(18).empty());
}

TEST(KeyboardViewGeometry, SelectionFrameIsTwoPixelsOutTheTopLeft) {
  const auto frame = *KeyboardViewGeometry::SelectionFrame(0);  // Esc: 44,106 - 68,130
  EXPECT_EQ(frame.x, 343);
  EXPECT_EQ(frame.y, 199);
  EXPECT_EQ(frame.width, 27);
  EXPECT_EQ(frame.height, 27);
  EXPECT_FALSE(KeyboardViewGeometry::SelectionFrame(17).has_value());
  EXPECT_FALSE(KeyboardViewGeometry::SelectionFrame(108).has_value());
}

TEST_F(KeyboardViewTest, ReleaseOnTheDrawingsCornerDoesNothing) {
  page_.SetPerKeyMode(false);
  view_.OnButtonDown(301, 95);
  const auto result = view_.OnKeyClick(301, 95);
  EXPECT_EQ(result.action, KeyClickResult::Action::kNone);
  page_.SetPerKeyMode(true);
  view_.OnKeyClick(301, 95);
  EXPECT_EQ(dialogs_, 0);
}

TEST_F(KeyboardViewTest, KeymapClickOpensTheKeyDialogWithTheKeysCode) {
  page_.SetPerKeyMode(false);
  const auto result = Click(42);
  EXPECT_EQ(result.action, KeyClickResult::Action::kOpenKeyDialog);
  EXPECT_EQ(result.key, 42U);
  EXPECT_EQ(result.key_vk, 0x51);
  EXPECT_EQ(Click(96).action, KeyClickResult::Action::kNone) << "left Windows key";
  EXPECT_EQ(dialogs_, 0);
}

// Only a Keymap click starts a pending assignment, and a fresh one: a dialog closed with OK
// and no choice must not assign what the last one left behind.
TEST_F(KeyboardViewTest, ClickEffectsOpenTheKeyDialogOnAFreshPendingAssignmentThenRepaint) {
  using R = WindowRequest;
  const struct {
    bool per_key;
    std::vector<R> requests;
    std::uint8_t pending_key;
  } cases[] = {{false, {R::kOpenKeyDialog, R::kRepaint}, 42}, {true, {R::kRepaint}, 7}};
  for (const auto& c : cases) {
    page_.SetPerKeyMode(c.per_key);
    PendingAssignment pending;
    pending.current_key = 7;
    pending.pending_kind = 1;
    EXPECT_EQ(Click(42).Effects(pending), c.requests) << c.per_key;
    EXPECT_EQ(pending.current_key, c.pending_key);
    EXPECT_EQ(pending.current_key_vk, c.per_key ? 0 : 0x51);
    EXPECT_EQ(pending.pending_kind, c.per_key ? 1 : PendingAssignment{}.pending_kind);
  }
  PendingAssignment untouched;
  EXPECT_TRUE(KeyClickResult{}.Effects(untouched).empty()) << "a click on no key";
}

TEST_F(KeyboardViewTest, HoverSkipsUnassignableKeysInKeymapMode) {
  page_.SetPerKeyMode(false);
  const auto win = Centre(96);
  EXPECT_FALSE(view_.OnHover(win.x, win.y, false, false));
  EXPECT_EQ(view_.hovered_key(), KeyboardView::kNoKey);
  const auto q = Centre(42);
  EXPECT_TRUE(view_.OnHover(q.x, q.y, false, false));
  EXPECT_FALSE(view_.OnHover(q.x + 1, q.y, false, false)) << "same key, no repaint";
  EXPECT_TRUE(view_.OnHover(5, 5, false, false));
  EXPECT_EQ(view_.hovered_key(), KeyboardView::kNoKey);
  EXPECT_TRUE(view_.OnHover(5, 5, true, false)) << "over a page item";
  EXPECT_FALSE(view_.OnHover(301, 95, false, false)) << "key 17 is never hovered";
  page_.SetPerKeyMode(true);
  EXPECT_TRUE(view_.OnHover(win.x, win.y, false, false));
  EXPECT_EQ(view_.hovered_key(), 96);
}

TEST_F(KeyboardViewTest, SingleClickColoursOneKeyAndClearsTheSelection) {
  const auto result = Click(96);
  EXPECT_EQ(result.action, KeyClickResult::Action::kColourRequested);
  EXPECT_EQ(dialogs_, 1);
  EXPECT_EQ(TableColour(image_, 1, 96), (RgbColour{10, 20, 30}));
  EXPECT_FALSE(view_.selection().Any());

  answer_.reset();
  Click(42);
  EXPECT_EQ(dialogs_, 2);
  EXPECT_EQ(TableColour(image_, 1, 42), (RgbColour{}));
  EXPECT_FALSE(view_.selection().Any()) << "cleared after Cancel too";
  EXPECT_EQ(view_.selection().state(), KeySelection::State::kIdle);
}

TEST_F(KeyboardViewTest, CtrlClickThreeKeysThenClickAFourth) {
  view_.OnCtrlDown();
  for (const std::size_t key : {42U, 44U, 46U}) {
    EXPECT_EQ(Click(key).action, KeyClickResult::Action::kNone);
  }
  EXPECT_EQ(dialogs_, 0);
  view_.OnCtrlUp();
  EXPECT_EQ(view_.selection().state(), KeySelection::State::kPending);
  EXPECT_EQ(Click(60).action, KeyClickResult::Action::kColourRequested);
  EXPECT_EQ(dialogs_, 1);
  for (const std::size_t key : {42U, 44U, 46U}) {
    EXPECT_EQ(TableColour(image_, 1, key), (RgbColour{10, 20, 30})) << key;
  }
  EXPECT_EQ(TableColour(image_, 1, 60), (RgbColour{})) << "the clicked key is not added";
  // Nothing outside the three entries changed.
  int coloured = 0;
  for (std::size_t t = 0; t < 5; ++t) {
    const auto table = image_.Field(image_field::ColourTable(t));
    for (std::size_t i = 0; i < table.size(); i += 4) {
      coloured += table[i + 1] != 0 ? 1 : 0;
    }
  }
  EXPECT_EQ(coloured, 3);
  EXPECT_FALSE(view_.selection().Any());
}

TEST_F(KeyboardViewTest, CtrlClickTwiceUnselects) {
  view_.OnCtrlDown();
  Click(42);
  Click(42);
  view_.OnCtrlUp();
  EXPECT_EQ(view_.selection().state(), KeySelection::State::kIdle);
  EXPECT_FALSE(view_.selection().Any());
}

TEST_F(KeyboardViewTest, BandFromQToPSelectsExactlyTheRow) {
  const auto q = *KeyboardViewGeometry::WindowRect(42);
  const auto p = *KeyboardViewGeometry::WindowRect(51);
  view_.OnButtonDown(q.left, q.top);
  EXPECT_TRUE(view_.OnBandMove(p.right, p.bottom));
  std::vector<std::size_t> expected;
  for (std::size_t key = 42; key <= 51; ++key) {
    expected.push_back(key);
  }
  EXPECT_EQ(view_.selection().Keys(), expected);
  EXPECT_EQ(view_.selection().state(), KeySelection::State::kBand);

  // One pixel short of P's bottom-right: P is no longer wholly inside.
  view_.OnBandMove(p.right - 1, p.bottom);
  EXPECT_FALSE(view_.selection().IsSelected(51));
  EXPECT_TRUE(view_.selection().IsSelected(50));
}

TEST_F(KeyboardViewTest, BandFromBottomRightToTopLeftSelectsNothing) {
  const auto q = *KeyboardViewGeometry::WindowRect(42);
  const auto p = *KeyboardViewGeometry::WindowRect(51);
  view_.OnButtonDown(q.left, q.top);
  view_.OnBandMove(p.right, p.bottom);
  view_.OnKeyClick(p.right, p.bottom);
  view_.OnButtonDown(p.right, p.bottom);
  view_.OnBandMove(q.left, q.top);
  EXPECT_FALSE(view_.selection().Any()) << "and the earlier selection is gone";
  EXPECT_EQ(view_.selection().state(), KeySelection::State::kIdle);
}

TEST_F(KeyboardViewTest, BandReleaseThenClickColoursTheBand) {
  const auto q = *KeyboardViewGeometry::WindowRect(42);
  const auto w = *KeyboardViewGeometry::WindowRect(43);
  view_.OnButtonDown(q.left - 1, q.top - 1);
  view_.OnBandMove(w.right + 1, w.bottom + 1);
  EXPECT_EQ(view_.OnKeyClick(w.right + 1, w.bottom + 1).action, KeyClickResult::Action::kNone);
  EXPECT_EQ(view_.selection().state(), KeySelection::State::kPending);
  EXPECT_FALSE(view_.band_active());
  Click(98);
  EXPECT_EQ(dialogs_, 1);
  EXPECT_EQ(TableColour(image_, 1, 42), (RgbColour{10, 20, 30}));
  EXPECT_EQ(TableColour(image_, 1, 43), (RgbColour{10, 20, 30}));
  EXPECT_EQ(TableColour(image_, 1, 98), (RgbColour{}));
}

TEST_F(KeyboardViewTest, BandReleasedOnAKeyWaitsForTheNextClick) {
  const auto q = *KeyboardViewGeometry::WindowRect(42);
  view_.OnButtonDown(q.left, q.top);
  view_.OnBandMove(q.right, q.bottom);
  EXPECT_EQ(view_.OnKeyClick(q.right, q.bottom).action, KeyClickResult::Action::kNone);
  EXPECT_EQ(view_.selection().state(), KeySelection::State::kPending);
  EXPECT_EQ(dialogs_, 0);
}

TEST_F(KeyboardViewTest, PerKeyClickWithoutAColourTableLeavesTheModeAndWritesNothing) {
  for (const std::uint8_t effect : {std::uint8_t{3}, std::uint8_t{56}, std::uint8_t{255}}) {
    image_.light_effect() = effect;  // changed on the keyboard while Custom was on
    page_.SetPerKeyMode(true);
    const ConfigImage before = image_;
    view_.OnCtrlDown();
    EXPECT_EQ(Click(42).action, KeyClickResult::Action::kLeftPerKeyMode);
    view_.OnCtrlUp();
    EXPECT_EQ(Click(44).action, KeyClickResult::Action::kOpenKeyDialog) << int{effect};
    EXPECT_FALSE(page_.per_key_mode());
    EXPECT_EQ(dialogs_, 0);
    EXPECT_EQ(image_.bytes(), before.bytes());
  }
}

TEST_F(KeyboardViewTest, PaintColoursKeysWithComplementaryLabels) {
  auto table = image_.Field(image_field::ColourTable(1));
  const std::size_t esc = 4 * std::size_t{*KeyTable::SlotOf(0)};
  table[esc + 1] = 255;
  table[esc + 2] = 0;
  table[esc + 3] = 100;
  const std::size_t enter = 4 * std::size_t{*KeyTable::SlotOf(54)};
  table[enter + 3] = 1;
  const auto ops = view_.Paint();
  std::vector<PaintFill> fills;
  std::vector<PaintText> texts;
  for (const auto& op : ops) {
    if (const auto* fill = std::get_if<PaintFill>(&op)) {
      fills.push_back(*fill);
    } else if (const auto* text = std::get_if<PaintText>(&op)) {
      texts.push_back(*text);
    }
  }
  ASSERT_EQ(fills.size(), 3U) << "Esc, and Enter in two pieces; black keys stay plain";
  EXPECT_EQ(fills[0].x, 345);
  EXPECT_EQ(fills[0].y, 201);
  EXPECT_EQ(fills[0].width, 24);
  EXPECT_EQ(fills[0].colour, (RgbColour{255, 0, 100}));
  EXPECT_EQ(fills[2].x, 692);
  EXPECT_EQ(fills[2].y, 283);
  ASSERT_EQ(texts.size(), 2U);
  EXPECT_EQ(texts[0].text, "Esc");
  EXPECT_EQ(texts[0].x, 55 + 296);
  EXPECT_EQ(texts[0].y, 117 + 92);
  EXPECT_EQ(texts[0].height, 10);
  EXPECT_EQ(texts[0].colour, (RgbColour{0, 255, 155}));
}

TEST_F(KeyboardViewTest, PaintHoveredEnterAsSixLinesAndSelectedKeysAsFrames) {
  view_.OnCtrlDown();
  Click(0);
  const auto enter = Centre(54);
  view_.OnHover(enter.x, enter.y, false, false);
  const auto ops = view_.Paint();
  int lines = 0;
  int frames = 0;
  for (const auto& op : ops) {
    lines += std::holds_alternative<PaintLine>(op) ? 1 : 0;
    frames += std::holds_alternative<PaintFrame>(op) ? 1 : 0;
  }
  EXPECT_EQ(lines, 6);
  EXPECT_EQ(frames, 1);
}

TEST_F(KeyboardViewTest, PaintWithoutAColourTableShowsOnlyThePlainPicture) {
  image_.light_effect() = 60;
  view_.OnCtrlDown();
  EXPECT_TRUE(view_.Paint().empty());
}

TEST_F(KeyboardViewTest, KeymapPaintMarksCustomisedKeysButNeverTheWindowsKey) {
  page_.SetPerKeyMode(false);
  std::ranges::fill(image_.key_enable_mask(), std::uint8_t{0xFF});
  customised_.Set(96, true);
  customised_.Set(42, true);
  customised_.Set(54, true);
  const auto ops = view_.Paint();
  ASSERT_EQ(ops.size(), 3U);
  const auto& q = std::get<PaintPictureCut>(ops[0]);
  EXPECT_EQ(q.name, "kb_hl.png");
  EXPECT_EQ(q.source_x, 85);
  EXPECT_EQ(q.x, 386);
  EXPECT_EQ(std::get<PaintPictureCut>(ops[2]).y, 283) << "Enter's lower piece";
}

// A disabled key is highlighted as a remapped one is, and framed red besides.
TEST_F(KeyboardViewTest, KeymapPaintFramesDisabledKeysApartFromRemappedOnes) {
  page_.SetPerKeyMode(false);
  std::ranges::fill(image_.key_enable_mask(), std::uint8_t{0xFF});
  constexpr std::size_t kQ = 42;
  const struct {
    bool enabled;
    bool framed;
  } cases[] = {{true, false}, {false, true}};
  for (const auto& c : cases) {
    customised_.Set(kQ, true);
    image_.SetKeyEnabled(*KeyTable::SlotOf(kQ), c.enabled);
    const auto ops = view_.Paint();
    PaintFrame red = *KeyboardViewGeometry::SelectionFrame(kQ);
    red.colour = RgbColour{255, 0, 0};
    const auto red_frames = std::ranges::count(ops, PaintOp{red});
    EXPECT_EQ(red_frames, c.framed ? 1 : 0) << c.enabled;
    EXPECT_TRUE(std::holds_alternative<PaintPictureCut>(ops.front())) << "highlighted either way";
  }
}

class CustomisedKeyMarking : public ::testing::Test {
 protected:
  CustomisedKeyMarking() {
    const auto factory = FactoryKeyMap();
    std::copy(factory.begin(), factory.end(), image_.key_map().begin());
    std::fill(image_.key_enable_mask().begin(), image_.key_enable_mask().end(), 0xFF);
    RestoreKeyActionKeys(actions_);
  }
  ConfigImage image_;
  KeyActionTable actions_;
  CustomisedKeyFlags flags_;
};

TEST_F(CustomisedKeyMarking, FactorySettingsMarkNothing) {
  flags_.Set(5, true);
  RecomputeCustomisedKeyFlags(image_, actions_, flags_);
  EXPECT_EQ(flags_, CustomisedKeyFlags());
}

TEST_F(CustomisedKeyMarking, EachRuleMarksItsKey) {
  image_.Field(image_field::KeyMapEntry(*KeyTable::SlotOf(42)))[2] ^= 0x01;
  actions_[43].kind = 2;
  actions_[44].count = 1;
  actions_[44].data[0] = 0x99;
  actions_[45].count = 1;
  actions_[45].data[0] = actions_[45].key_vk;  // a single key assigned to itself
  image_.SetKeyEnabled(*KeyTable::SlotOf(46), false);
  image_.SetKeyEnabled(*KeyTable::SlotOf(100), false);
  image_.SetKeyEnabled(6, false);  // Windows key lock
  RecomputeCustomisedKeyFlags(image_, actions_, flags_);
  EXPECT_TRUE(flags_.IsSet(42));
  EXPECT_TRUE(flags_.IsSet(43));
  EXPECT_TRUE(flags_.IsSet(44));
  EXPECT_FALSE(flags_.IsSet(45));
  EXPECT_TRUE(flags_.IsSet(46));
  EXPECT_FALSE(flags_.IsSet(100)) << "Fn is never marked";
  EXPECT_TRUE(flags_.IsSet(96)) << "flagged, but the drawing leaves it out";
}

}  // namespace
}  // namespace n240qx
