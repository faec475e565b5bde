#include <gtest/gtest.h>

#include <QDir>
#include <QFontInfo>
#include <QFontMetrics>
#include <QImage>
#include <QRect>
#include <algorithm>
#include <map>
#include <sstream>

#include "TextOverlap.h"
#include "WindowTestSupport.h"
#include "app/ProgramVersion.h"
#include "gui/TextFonts.h"
#include "lighting/EffectTable.h"
#include "lighting/LightingRules.h"
#include "window/BitSliderModel.h"
#include "window/MainWindowScene.h"
#include "window/SliderPanels.h"

namespace n240qx::testing {
namespace {

bool HasText(const std::vector<PaintOp>& ops, std::string_view text) {
  return std::ranges::any_of(ops, [&](const PaintOp& op) {
    const auto* painted = std::get_if<PaintText>(&op);
    return painted != nullptr && painted->text.find(text) != std::string::npos;
  });
}

bool HasPicture(const std::vector<PaintOp>& ops, std::string_view name) {
  return std::ranges::any_of(ops, [&](const PaintOp& op) {
    const auto* painted = std::get_if<PaintPicture>(&op);
    return painted != nullptr && painted->name == name;
  });
}

class Scene : public ::testing::Test {
 protected:
  ConfigImage image;
  std::uint32_t shared_colour = 0;
  LightingPage page{image, shared_colour, {}};
  CustomisedKeyFlags customised;
  KeyboardView view{image, page, customised};
  Texts texts;

  std::vector<PaintOp> Paint(MainWindowState state, bool simulated, bool no_keyboard,
                             std::optional<SequenceProgress> progress = {},
                             std::string failure = {}, ChangeSummary changes = {},
                             std::string success = {}) {
    return MainWindowScene::Paint(MainWindowSceneInput{image, page, view, state, texts, simulated,
                                                       no_keyboard, progress, std::move(failure),
                                                       changes, std::move(success)});
  }
};

// Every part a write can change, and more keys than the keyboard has: the longest summary.
ChangeSummary EveryChange() {
  return {true, true, 255, true, true, true, true, true, false};
}

TEST_F(Scene, DrawsTheWindowsPartsInOrderAndTheHelpWindowOnlyWhenOpen) {
  auto ops = Paint({}, false, false);
  ASSERT_FALSE(ops.empty());
  EXPECT_EQ(std::get<PaintPicture>(ops.front()).name, "main.png");
  EXPECT_TRUE(HasPicture(ops, "kb_BK.png"));
  EXPECT_TRUE(HasText(ops, "GAME MODE"));
  EXPECT_TRUE(HasText(ops, "Apply"));
  EXPECT_FALSE(HasPicture(ops, "HelpWindow.png"));
  MainWindowState help;
  help.help_open = true;
  ops = Paint(help, false, false);
  EXPECT_TRUE(HasPicture(ops, "HelpWindow.png"));
  EXPECT_TRUE(HasText(ops, "Software Version: " + std::string(N240QX_RELEASE)));
  texts.SetLanguage(Language::kGerman);
  EXPECT_TRUE(
      HasText(Paint(help, false, false), "Softwareversion: " + std::string(N240QX_RELEASE)));
}

TEST_F(Scene, NoticesForTheSimulatorAMissingKeyboardARunningSequenceAndAFailure) {
  EXPECT_FALSE(HasText(Paint({}, false, false), "Simulated keyboard"));
  EXPECT_TRUE(HasText(Paint({}, true, false), "Simulated keyboard"));
  EXPECT_TRUE(HasText(Paint({}, false, true), "No Gaming Keyboard"));

  MainWindowState writing;
  writing.activity = DeviceActivity::kWriting;
  const auto busy = Paint(writing, false, true, SequenceProgress{SequenceKind::kWrite, 1, 4});
  EXPECT_TRUE(HasText(busy, "the keyboard is busy"));
  // The bar: its track and a quarter of it filled.
  const auto fills = std::ranges::count_if(busy, [](const PaintOp& op) {
    const auto* fill = std::get_if<PaintFill>(&op);
    return fill != nullptr && fill->y == MainWindowScene::kProgressY &&
           fill->width == MainWindowScene::kProgressWidth / 4;
  });
  EXPECT_EQ(fills, 1);

  const auto failed = Paint({}, false, true, {}, "The changes were not applied: unplugged");
  EXPECT_TRUE(HasText(failed, "unplugged"));
  EXPECT_FALSE(HasText(failed, "No Gaming Keyboard"));

  // The profile rules' line shows while a sequence runs too: it says what the sequence is for.
  const auto ruled = MainWindowScene::Paint(MainWindowSceneInput{
      image, page, view, writing, texts, false, false, {}, {}, {}, {}, "Profile desk by rule 1"});
  EXPECT_TRUE(HasText(ruled, "Profile desk by rule 1"));
}

// What the last action did takes the status line; the no-keyboard notice moves a line down.
TEST_F(Scene, TheLastActionsSuccessLineTakesTheStatusLine) {
  const auto line_of = [](const std::vector<PaintOp>& ops, std::string_view text) {
    for (const PaintOp& op : ops) {
      if (const auto* painted = std::get_if<PaintText>(&op);
          painted != nullptr && painted->text.find(text) != std::string::npos) {
        return painted->y;
      }
    }
    return -1;
  };
  const struct {
    bool no_keyboard;
    int success_y;
    int notice_y;
  } cases[] = {{false, MainWindowScene::kStatusY, -1},
               {true, MainWindowScene::kStatusY,
                MainWindowScene::kStatusY + MainWindowScene::kStatusHeight + 2}};
  for (const auto& c : cases) {
    const auto ops = Paint({}, false, c.no_keyboard, {}, {}, {}, "Applied: game mode");
    EXPECT_EQ(line_of(ops, "Applied: game mode"), c.success_y);
    EXPECT_EQ(line_of(ops, "No Gaming Keyboard"), c.notice_y);
  }
}

TEST_F(Scene, SaysWhatApplyWillSendUnlessNothingDiffersOrSomethingCoversItsLine) {
  ChangeSummary lighting;
  lighting.lighting = true;
  MainWindowState writing;
  writing.activity = DeviceActivity::kWriting;
  const struct {
    const char* label;
    MainWindowState state;
    std::string failure;
    ChangeSummary changes;
    bool shown;
  } kCases[] = {
      {"nothing differs", {}, "", {}, false},
      {"lighting", {}, "", lighting, true},
      {"under a short failure", {}, "a\nb\nc", lighting, true},
      {"under a long failure", {}, "a\nb\nc\nd", lighting, false},
      {"while writing", writing, "", lighting, false},
  };
  for (const auto& scene : kCases) {
    const auto ops = Paint(scene.state, false, false, {}, scene.failure, scene.changes);
    EXPECT_EQ(HasText(ops, "Apply: lighting"), scene.shown) << scene.label;
    EXPECT_EQ(HasText(ops, "Apply:"), scene.shown) << scene.label;
  }
}

// A fixed-size screenshot of the window as the generated skins draw it, kept in the build tree
// for people to look at.
TEST(MainWindowScreenshot, GrabsTheWholeWindowAtItsSkinSize) {
  const QString share = QDir(QStringLiteral(N240QX_SKIN_DIR)).filePath(QStringLiteral(".."));
  ASSERT_TRUE(QFile::exists(QDir(share).filePath(QStringLiteral("png/english/main.png"))));
  WindowUnderTest window{QDir::cleanPath(share)};
  ASSERT_TRUE(window.StartAndWait());
  const QImage shot = window.window().grab().toImage();
  EXPECT_EQ(shot.size(), QSize(1000, 640));
  EXPECT_EQ(shot.devicePixelRatio(), 1.0);
  // The keyboard drawing is there: its picture differs from the plain window background.
  EXPECT_NE(shot.pixelColor(350, 200), shot.pixelColor(5, 600));
  const QString folder = QStringLiteral(N240QX_BINARY_DIR "/artifacts");
  QDir().mkpath(folder);
  EXPECT_TRUE(shot.save(QDir(folder).filePath(QStringLiteral("gui-main-window.png"))));
}

// Every main-window state's paint list, in both languages, under the room rule.
class Overlap : public Scene {
 protected:
  TextOverlap overlap;

  // The slider widgets stand over the painting: a label running under one loses its top.
  // The open effect list hides them.
  std::vector<ChildControl> Sliders(const MainWindowState& state) const {
    std::vector<ChildControl> sliders;
    if (state.effect_list_open) {
      return sliders;
    }
    const BitSliderGeometry size;
    for (const SliderPlacement& placement : kSliderPlacements) {
      if (placement.id != SliderId::kSpeed ||
          LightingRules::ForEffect(image.light_effect()).speed_slider) {
        sliders.push_back({QRect(placement.x, placement.y, size.width, size.height),
                           "slider " + std::to_string(static_cast<int>(placement.id))});
      }
    }
    return sliders;
  }

  // With the longest summary beside Apply, and the most failure lines it shares the area with.
  void Check(MainWindowState state, Language language, const std::string& label) {
    texts.SetLanguage(language);
    const auto ops = MainWindowScene::Paint(MainWindowSceneInput{
        image,
        page,
        view,
        state,
        texts,
        true,
        false,
        SequenceProgress{SequenceKind::kWrite, 1, 4},
        "The keyboard could not be read: a long first line of a failure\nsecond\nthird",
        EveryChange(),
        {},
        // The longest line the profile rules give, beside the simulator's notice.
        std::string(texts.Get(TextId::kRuleProfile)) + "Night drive 2" +
            std::string(texts.Get(TextId::kRuleWaitsForEdits))});
    const QString folder = QDir(QStringLiteral(N240QX_SKIN_DIR))
                               .filePath(language == Language::kGerman ? "german" : "english");
    for (const std::string& fault : overlap.Faults(ops, folder, Sliders(state))) {
      ADD_FAILURE() << label << (language == Language::kGerman ? " (German): " : ": ") << fault;
    }
  }
};

TEST_F(Overlap, TheFontIsTheMetricTwinOfArial) {
  const QFontInfo info(overlap.fonts().For(15).font);
  EXPECT_EQ(info.family(), "Liberation Sans")
      << "install fonts-liberation: the layout is checked with Arial's metrics";
}

TEST_F(Overlap, NoTextRunsIntoAnotherOrIntoAPictureNotItsOwn) {
  // Every key coloured, so every key label is drawn in per-key mode.
  std::ranges::fill(image.key_colour_tables(), std::uint8_t{0x80});
  for (const Language language : {Language::kEnglish, Language::kGerman}) {
    for (const EffectEntry& effect : EffectTable::Rows()) {
      image.light_effect() = effect.code;
      image.light_direction() = 3;
      for (const bool per_key : {false, true}) {
        page.SetPerKeyMode(per_key);
        for (const bool help : {false, true}) {
          MainWindowState state;
          state.help_open = help;
          state.per_key_mode = per_key;
          std::ostringstream label;
          label << "effect " << int(effect.code) << (per_key ? ", per-key" : "")
                << (help ? ", help open" : "");
          Check(state, language, label.str());
        }
      }
    }
    page.OpenEffectList();
    MainWindowState listed;
    listed.effect_list_open = true;
    Check(listed, language, "effect list open");
    page.CloseEffectList();
  }
}

}  // namespace
}  // namespace n240qx::testing
