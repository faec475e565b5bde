#include <gtest/gtest.h>

#include <QDir>
#include <QImage>

#include "WindowTestSupport.h"
#include "window/MainWindowScene.h"

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
                             std::string failure = {}) {
    return MainWindowScene::Paint(MainWindowSceneInput{image, page, view, state, texts, simulated,
                                                       no_keyboard, progress, std::move(failure)});
  }
};

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
  EXPECT_TRUE(HasText(ops, "About"));
  texts.SetLanguage(Language::kGerman);
  EXPECT_TRUE(HasText(Paint(help, false, false), "\u00DCber"));
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

}  // namespace
}  // namespace n240qx::testing
