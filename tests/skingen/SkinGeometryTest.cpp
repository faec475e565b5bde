#include <gtest/gtest.h>

#include <QColor>
#include <QImage>
#include <QPainter>
#include <QRect>
#include <string>
#include <vector>

#include "GeneratedSkins.h"
#include "dialogs/ColourDialogModel.h"
#include "dialogs/ColourPalette.h"
#include "image/ConfigImage.h"
#include "keys/KeyTable.h"
#include "window/HelpWindowModel.h"
#include "window/KeyboardViewGeometry.h"
#include "window/MainWindowLayout.h"
#include "window/PageItemTable.h"
#include "window/PerformancePanel.h"

namespace n240qx::test {
namespace {

QImage English(const std::string& name) {
  return GeneratedSkins::Load("english/" + name);
}

std::string Name(std::string_view view) {
  return std::string(view);
}

double Luminance(QRgb pixel) {
  return 0.299 * qRed(pixel) + 0.587 * qGreen(pixel) + 0.114 * qBlue(pixel);
}

double MeanLuminance(const QImage& image, const QRect& area) {
  double sum = 0;
  int count = 0;
  for (int y = area.top(); y <= area.bottom(); ++y) {
    for (int x = area.left(); x <= area.right(); ++x) {
      sum += Luminance(image.pixel(x, y));
      ++count;
    }
  }
  return count == 0 ? 0 : sum / count;
}

QRect ToQRect(const KeyRect& rect) {
  return QRect(QPoint(rect.left, rect.top), QPoint(rect.right, rect.bottom));
}

bool InsideAnyKey(int x, int y) {
  for (const KeyTableRow& row : KeyTable::Rows()) {
    if (KeyboardViewGeometry::Drawn(row.index) && row.rect.Contains(x, y)) {
      return true;
    }
  }
  return false;
}

// The window as the program paints it before any state: main.png with the keyboard on it.
QImage PaintedWindow() {
  QImage window = English(Name(MainWindowLayout::kBackground.file))
                      .convertToFormat(QImage::Format_ARGB32_Premultiplied);
  QPainter painter(&window);
  painter.drawImage(MainWindowLayout::kKeyboard.x, MainWindowLayout::kKeyboard.y,
                    English(Name(MainWindowLayout::kKeyboard.file)));
  return window;
}

TEST(SkinGeometry, StatedSizesAreExact) {
  EXPECT_EQ(English("Thumb.png").size(), QSize(15, 14));
  EXPECT_EQ(English("slider_track_left.png").size(), QSize(220, 17));
  EXPECT_EQ(English("slider_track_right.png").size(), QSize(220, 17));
  const QSize keyboard = English("kb_BK.png").size();
  EXPECT_EQ(English("kb_hl.png").size(), keyboard);
  EXPECT_EQ(English("kb_bk.png").size(), keyboard);
}

TEST(SkinGeometry, MainPictureHoldsEveryItemAndPicture) {
  const QImage main = English("main.png");
  ASSERT_FALSE(main.isNull());
  const QRect window(QPoint(0, 0), main.size());
  for (const PageItemEntry& entry : PageItemTable::Entries()) {
    const QRect item(QPoint(entry.rect.left, entry.rect.top),
                     QPoint(entry.rect.right, entry.rect.bottom));
    EXPECT_TRUE(window.contains(item)) << "page item " << PageItemIndex(entry.item);
  }
  const QSize keyboard = English(Name(MainWindowLayout::kKeyboard.file)).size();
  EXPECT_TRUE(window.contains(
      QRect(QPoint(MainWindowLayout::kKeyboard.x, MainWindowLayout::kKeyboard.y), keyboard)));
  const QImage help = English(Name(HelpWindowModel::kPicture.file));
  EXPECT_TRUE(window.contains(
      QRect(QPoint(HelpWindowModel::kPicture.x, HelpWindowModel::kPicture.y), help.size())));
  for (const PicturePlacement& button : MainWindowLayout::Buttons()) {
    const QImage picture = English(Name(button.file));
    ASSERT_FALSE(picture.isNull()) << button.file;
    EXPECT_TRUE(window.contains(QRect(QPoint(button.x, button.y), picture.size()))) << button.file;
  }
  for (const PicturePlacement& picture : PerformancePanel::Pictures(ConfigImage{})) {
    EXPECT_TRUE(
        window.contains(QRect(QPoint(picture.x, picture.y), English(Name(picture.file)).size())))
        << picture.file;
  }
}

// A button's picture covers exactly the rectangle in which a click presses it.
TEST(SkinGeometry, ButtonPicturesMatchTheirHitRectangles) {
  for (const PicturePlacement& button : MainWindowLayout::Buttons()) {
    bool found = false;
    for (const PageItemEntry& entry : PageItemTable::Entries()) {
      if (entry.rect.left == button.x && entry.rect.top == button.y) {
        found = true;
        EXPECT_EQ(English(Name(button.file)).size(), QSize(entry.rect.Width(), entry.rect.Height()))
            << button.file;
      }
    }
    EXPECT_TRUE(found) << button.file << " has no page item";
  }
  const PixelRect help = HelpWindowModel::kArea;
  EXPECT_EQ(English("HelpWindow.png").size(), QSize(help.Width(), help.Height()));
}

TEST(SkinGeometry, KeysAreDrawnWhereTheKeyTableSays) {
  const QImage window = PaintedWindow();
  // The case between the key blocks (gaps of the function row, the empty corners of the
  // navigation block) is what surrounds every key.
  double gap_sum = 0;
  int gap_count = 0;
  QRect keys;
  for (const KeyTableRow& row : KeyTable::Rows()) {
    if (KeyboardViewGeometry::Drawn(row.index)) {
      keys = keys.isNull() ? ToQRect(row.rect) : keys.united(ToQRect(row.rect));
    }
  }
  ASSERT_FALSE(keys.isNull());
  for (int y = keys.top(); y <= keys.bottom(); ++y) {
    for (int x = keys.left(); x <= keys.right(); ++x) {
      if (!InsideAnyKey(x - 1, y) && !InsideAnyKey(x + 1, y) && !InsideAnyKey(x, y - 1) &&
          !InsideAnyKey(x, y + 1) && !InsideAnyKey(x, y)) {
        gap_sum += Luminance(
            window.pixel(x + MainWindowLayout::kKeyboard.x, y + MainWindowLayout::kKeyboard.y));
        ++gap_count;
      }
    }
  }
  ASSERT_GT(gap_count, 500);
  const double case_luminance = gap_sum / gap_count;

  for (const KeyTableRow& row : KeyTable::Rows()) {
    const auto rect = KeyboardViewGeometry::WindowRect(row.index);
    if (!KeyboardViewGeometry::Drawn(row.index) || !rect) {
      continue;
    }
    // The middle of the key, clear of its rounded edges.
    const QRect middle = QRect(QPoint(rect->left, rect->top), QPoint(rect->right, rect->bottom))
                             .adjusted(4, 4, -4, -4);
    EXPECT_GT(MeanLuminance(window, middle), case_luminance + 8.0)
        << "key " << int(row.index) << " (" << row.label << ") is not drawn at its rectangle";
  }
}

TEST(SkinGeometry, HighlightDiffersOnlyOnTheKeys) {
  const QImage background = English("kb_BK.png").convertToFormat(QImage::Format_ARGB32);
  const QImage highlight = English("kb_hl.png").convertToFormat(QImage::Format_ARGB32);
  ASSERT_EQ(background.size(), highlight.size());
  int outside_differences = 0;
  for (int y = 0; y < background.height(); ++y) {
    for (int x = 0; x < background.width(); ++x) {
      if (!InsideAnyKey(x, y) && background.pixel(x, y) != highlight.pixel(x, y)) {
        ++outside_differences;
      }
    }
  }
  EXPECT_EQ(outside_differences, 0) << "kb_hl.png changes pixels outside the keys";
  for (const KeyTableRow& row : KeyTable::Rows()) {
    if (!KeyboardViewGeometry::Drawn(row.index)) {
      continue;
    }
    for (const KeyboardViewGeometry::Piece& piece : KeyboardViewGeometry::Pieces(row.index)) {
      const QRect middle =
          QRect(piece.x, piece.y, piece.width, piece.height).adjusted(4, 4, -4, -4);
      EXPECT_GT(MeanLuminance(highlight, middle), MeanLuminance(background, middle) + 40.0)
          << "key " << int(row.index) << " is not lit in kb_hl.png";
    }
  }
}

TEST(SkinGeometry, ColourBackgroundShowsThePaletteAndHoldsItsControls) {
  const QImage colour = English(Name(ColourDialogModel::kBackground));
  ASSERT_FALSE(colour.isNull());
  const QRect window(QPoint(0, 0), colour.size());
  for (const ColourDialogPlace& place :
       {ColourDialogModel::kSpectrumPlace, ColourDialogModel::kOkPlace,
        ColourDialogModel::kCancelPlace, ColourDialogModel::kRedBox,
        ColourDialogModel::kLuminosityBox}) {
    EXPECT_TRUE(window.contains(QRect(place.x, place.y, place.width, place.height)));
  }
  const PixelRect close = ColourDialogModel::kCloseMark;
  EXPECT_TRUE(
      window.contains(QRect(QPoint(close.left, close.top), QPoint(close.right, close.bottom))));
  // The rows the preview and the value boxes leave free.
  for (std::size_t index = 0; index < ColourPalette::kColumns * 6; ++index) {
    const PixelRect swatch = ColourPalette::SwatchRect(index);
    const RgbColour expected = ColourPalette::Colours()[index];
    const QColor actual = colour.pixelColor(swatch.left + 5, swatch.top + 5);
    EXPECT_EQ(actual, QColor(expected.red, expected.green, expected.blue)) << "swatch " << index;
  }
}

// Every dialog background holds the places its dialog draws and hit-tests.
TEST(SkinGeometry, DialogBackgroundsHoldTheirItems) {
  struct Expectation {
    std::string name;
    QPoint far_corner;  // the right-most and lowest pixel any item of the dialog uses
  };
  const std::vector<Expectation> expectations = {
      {"Custom/Custom_BK.png", {385, 368}},
      {"MacroManagement/MacroManagement.png", {377, 392}},
      {"Config/Profile_BK.png", {378, 383}},
  };
  for (const Expectation& expectation : expectations) {
    for (const char* language : {"english/", "german/"}) {
      const QImage image = GeneratedSkins::Load(language + expectation.name);
      ASSERT_FALSE(image.isNull()) << expectation.name;
      EXPECT_GT(image.width(), expectation.far_corner.x()) << language << expectation.name;
      EXPECT_GT(image.height(), expectation.far_corner.y()) << language << expectation.name;
    }
  }
}

}  // namespace
}  // namespace n240qx::test
