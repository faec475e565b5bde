#include <gtest/gtest.h>

#include <QApplication>
#include <QImage>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

#include "dialogs/ColourPalette.h"
#include "gui/CCustomColorDialog.h"
#include "gui/ColourDialogRunner.h"

namespace n240qx {
namespace {

constexpr QRgb kBackgroundColour = 0xFF303438;

// Swatch index from row and column, and a point inside it.
QPoint SwatchPoint(std::size_t row, std::size_t column) {
  const PixelRect rect = ColourPalette::SwatchRect(row * ColourPalette::kColumns + column);
  return {rect.left + 5, rect.top + 5};
}

class ColourDialogTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    QImage background(342, 207, QImage::Format_RGB32);
    background.fill(kBackgroundColour);
    ASSERT_TRUE(background.save(dir_.filePath("Color_BK.png"), "PNG"));
  }

  // Runs `steps` on the open dialog once its modal loop is running; the steps must end it.
  static void WhenOpen(std::function<void(CCustomColorDialog&)> steps) {
    QTimer::singleShot(0, [steps = std::move(steps)] {
      auto* dialog = qobject_cast<CCustomColorDialog*>(QApplication::activeModalWidget());
      if (dialog == nullptr) {
        ADD_FAILURE() << "no colour dialog is open";
        return;
      }
      EXPECT_TRUE(QTest::qWaitForWindowActive(dialog));
      steps(*dialog);
    });
  }

  static QString Box(CCustomColorDialog& dialog, const char* name) {
    auto* box = dialog.findChild<QLineEdit*>(QString::fromLatin1(name));
    return box != nullptr ? box->text() : QStringLiteral("missing");
  }

  static QStringList Boxes(CCustomColorDialog& dialog) {
    return {Box(dialog, "red"), Box(dialog, "green"),      Box(dialog, "blue"),
            Box(dialog, "hue"), Box(dialog, "saturation"), Box(dialog, "luminosity")};
  }

  static void Click(CCustomColorDialog& dialog, const char* button) {
    auto* found = dialog.findChild<QPushButton*>(QString::fromLatin1(button));
    ASSERT_NE(found, nullptr) << button;
    QTest::mouseClick(found, Qt::LeftButton);
  }

  static QImage Grab(QWidget& widget) {
    return widget.grab().toImage().convertToFormat(QImage::Format_RGB32);
  }

  QTemporaryDir dir_;
  SkinPictures skins_{dir_.path()};
};

TEST_F(ColourDialogTest, OpensOnTheSharedColourWithoutSwatchFrame) {
  RgbColour shared{12, 12, 12};
  QStringList boxes;
  QImage painted;
  QSize size;
  WhenOpen([&](CCustomColorDialog& dialog) {
    boxes = Boxes(dialog);
    size = dialog.size();
    painted = Grab(dialog);
    Click(dialog, "ok");
  });
  EXPECT_TRUE(RunColourDialog(nullptr, shared, skins_, Language::kEnglish));
  EXPECT_EQ(boxes, (QStringList{"12", "12", "12", "0", "0", "11"}));
  EXPECT_EQ(size, QSize(342, 207)) << "the dialog takes its background's size";
  EXPECT_EQ(shared, (RgbColour{12, 12, 12}));
  ASSERT_FALSE(painted.isNull());
  // The preview square from (14, 150) to (59, 195) shows the shared colour.
  EXPECT_EQ(painted.pixel(14, 150), qRgb(12, 12, 12));
  EXPECT_EQ(painted.pixel(58, 194), qRgb(12, 12, 12));
  EXPECT_EQ(painted.pixel(13, 150), kBackgroundColour);
  // No swatch holds 12, 12, 12, so no frame is drawn anywhere in the palette's open rows (the
  // last two rows lie under the preview and the boxes).
  for (std::size_t i = 0; i < 6 * ColourPalette::kColumns; ++i) {
    const PixelRect rect = ColourPalette::SwatchRect(i);
    EXPECT_EQ(painted.pixel(rect.left - 1, rect.top - 1), kBackgroundColour) << "swatch " << i;
  }
}

TEST_F(ColourDialogTest, SwatchClickPicksItsColourAndOkHandsItBack) {
  RgbColour shared{12, 12, 12};
  QStringList boxes;
  QImage painted;
  WhenOpen([&](CCustomColorDialog& dialog) {
    QTest::mouseClick(&dialog, Qt::LeftButton, {}, SwatchPoint(1, 0));
    boxes = Boxes(dialog);
    painted = Grab(dialog);
    Click(dialog, "ok");
  });
  EXPECT_TRUE(RunColourDialog(nullptr, shared, skins_, Language::kEnglish));
  EXPECT_EQ(shared, (RgbColour{255, 0, 0}));
  EXPECT_EQ(boxes, (QStringList{"255", "0", "0", "0", "240", "120"}));
  // The black frame runs from (x - 1, y - 1) to (x + 12, y + 11) around swatch (1, 0).
  const PixelRect swatch = ColourPalette::SwatchRect(8);
  EXPECT_EQ(painted.pixel(swatch.left - 1, swatch.top - 1), qRgb(0, 0, 0));
  EXPECT_EQ(painted.pixel(swatch.left + 12, swatch.top + 11), qRgb(0, 0, 0));
  EXPECT_EQ(painted.pixel(swatch.left + 13, swatch.top + 11), kBackgroundColour);
  EXPECT_EQ(painted.pixel(30, 170), qRgb(255, 0, 0)) << "preview";
}

TEST_F(ColourDialogTest, CancelLeavesTheCallersColourAfterChanges) {
  RgbColour shared{12, 12, 12};
  WhenOpen([&](CCustomColorDialog& dialog) {
    QTest::mouseClick(&dialog, Qt::LeftButton, {}, SwatchPoint(3, 4));
    EXPECT_EQ(dialog.model().shared_colour(), (RgbColour{0, 0, 255}));
    Click(dialog, "cancel");
  });
  EXPECT_FALSE(RunColourDialog(nullptr, shared, skins_, Language::kEnglish));
  EXPECT_EQ(shared, (RgbColour{12, 12, 12}));
}

TEST_F(ColourDialogTest, CloseMarkAndEscapeCancel) {
  RgbColour shared{12, 12, 12};
  WhenOpen([&](CCustomColorDialog& dialog) {
    QTest::mouseClick(&dialog, Qt::LeftButton, {}, SwatchPoint(0, 0));
    QTest::mouseClick(&dialog, Qt::LeftButton, {}, QPoint(324, 10));
  });
  EXPECT_FALSE(RunColourDialog(nullptr, shared, skins_, Language::kEnglish));
  EXPECT_EQ(shared, (RgbColour{12, 12, 12}));

  WhenOpen([&](CCustomColorDialog& dialog) {
    QTest::mouseClick(&dialog, Qt::LeftButton, {}, SwatchPoint(0, 0));
    QTest::keyClick(dialog.spectrum(), Qt::Key_Escape);
  });
  EXPECT_FALSE(RunColourDialog(nullptr, shared, skins_, Language::kEnglish));
  EXPECT_EQ(shared, (RgbColour{12, 12, 12}));
}

TEST_F(ColourDialogTest, SpectrumClickPicksTheGeometryColourAndKeepsTheSwatch) {
  RgbColour shared{255, 0, 0};
  const SpectrumGeometry geometry(ColourDialogModel::kSpectrumPlace.width,
                                  ColourDialogModel::kSpectrumPlace.height);
  const Hsl picked = geometry.FieldPointToHsl(62, 40, 120);
  QStringList boxes;
  std::optional<std::size_t> swatch;
  QImage painted;
  WhenOpen([&](CCustomColorDialog& dialog) {
    EXPECT_TRUE(dialog.spectrum()->hasFocus());
    QTest::mouseClick(dialog.spectrum(), Qt::LeftButton, {}, QPoint(62, 40));
    boxes = Boxes(dialog);
    swatch = dialog.model().selected_swatch();
    painted = Grab(dialog);
    Click(dialog, "ok");
  });
  EXPECT_TRUE(RunColourDialog(nullptr, shared, skins_, Language::kEnglish));
  const RgbColour expected = HslToRgb(picked);
  EXPECT_EQ(shared, expected);
  EXPECT_EQ(boxes, (QStringList{QString::number(expected.red), QString::number(expected.green),
                                QString::number(expected.blue), QString::number(picked.hue),
                                QString::number(picked.saturation), "120"}));
  EXPECT_EQ(swatch, std::optional<std::size_t>(8)) << "the swatch stays as it was";
  EXPECT_EQ(painted.pixel(30, 170), qRgb(expected.red, expected.green, expected.blue));
}

TEST_F(ColourDialogTest, KeysOnTheSpectrumChangeTheColourAndEnterIsOk) {
  RgbColour shared{255, 0, 0};
  WhenOpen([&](CCustomColorDialog& dialog) {
    QTest::keyClick(dialog.spectrum(), Qt::Key_End);
    QTest::keyClick(dialog.spectrum(), Qt::Key_Tab);
    QTest::keyClick(dialog.spectrum(), Qt::Key_Down, Qt::ShiftModifier);
    EXPECT_EQ(Box(dialog, "hue"), "239");
    EXPECT_EQ(Box(dialog, "luminosity"), "110");
    QTest::keyClick(dialog.spectrum(), Qt::Key_Return);
  });
  EXPECT_TRUE(RunColourDialog(nullptr, shared, skins_, Language::kEnglish));
  EXPECT_EQ(shared, HslToRgb({239, 240, 110}));
}

TEST_F(ColourDialogTest, OneDialogServesManyOpeningsAndSpeaksGerman) {
  std::uint32_t shared = RgbColour{12, 12, 12}.Packed();
  CCustomColorDialog dialog(shared, skins_, Language::kGerman);
  EXPECT_EQ(dialog.windowTitle(), "Farbe");
  EXPECT_EQ(dialog.findChild<QPushButton*>("cancel")->text(), "Abbrechen");

  WhenOpen([](CCustomColorDialog& open) {
    Grab(open);
    QTest::mouseClick(&open, Qt::LeftButton, {}, SwatchPoint(1, 0));
    Click(open, "ok");
  });
  EXPECT_TRUE(dialog.Run());
  EXPECT_EQ(shared, (RgbColour{255, 0, 0}).Packed());
  const int builds = dialog.spectrum()->picture_builds();
  EXPECT_EQ(builds, 1);

  // The next opening starts on the shared colour as the caller left it, not on the last one.
  shared = RgbColour{12, 12, 12}.Packed();
  QStringList boxes;
  WhenOpen([&](CCustomColorDialog& open) {
    Grab(open);
    boxes = Boxes(open);
    Click(open, "cancel");
  });
  EXPECT_FALSE(dialog.Run());
  EXPECT_EQ(boxes, (QStringList{"12", "12", "12", "0", "0", "11"}));
  EXPECT_FALSE(dialog.model().selected_swatch().has_value());
  EXPECT_EQ(dialog.spectrum()->picture_builds(), builds) << "the picture outlives an opening";

  dialog.SetLanguage(Language::kEnglish);
  EXPECT_EQ(dialog.findChild<QPushButton*>("cancel")->text(), "Cancel");
}

TEST_F(ColourDialogTest, MissingBackgroundStillGivesAUsableDialog) {
  QTemporaryDir empty;
  SkinPictures no_skins(empty.path());
  RgbColour shared{12, 12, 12};
  QSize size;
  WhenOpen([&](CCustomColorDialog& dialog) {
    size = dialog.size();
    QTest::mouseClick(&dialog, Qt::LeftButton, {}, SwatchPoint(5, 7));
    Click(dialog, "ok");
  });
  EXPECT_TRUE(RunColourDialog(nullptr, shared, no_skins, Language::kEnglish));
  EXPECT_EQ(size, QSize(CCustomColorDialog::kFallbackWidth, CCustomColorDialog::kFallbackHeight));
  EXPECT_EQ(shared, (RgbColour{255, 255, 255}));
}

}  // namespace
}  // namespace n240qx
