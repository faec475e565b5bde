#include <gtest/gtest.h>

#include <QImage>
#include <QPainter>
#include <QTemporaryDir>
#include <algorithm>
#include <utility>

#include "gui/PaintOpPainter.h"

namespace n240qx {
namespace {

constexpr QRgb kGround = 0xFF102030;

class PaintOpPainterTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(dir_.isValid());
    canvas_.fill(kGround);
  }

  void Paint(const std::vector<PaintOp>& ops) {
    QPainter painter(&canvas_);
    PaintOps(painter, ops, skins_);
  }

  QRgb At(int x, int y) const { return canvas_.pixel(x, y); }

  // A picture whose every pixel tells where it came from.
  QImage WriteCodedPicture(const QString& name, int width, int height) {
    QImage picture(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        picture.setPixel(x, y, qRgb(x * 8, y * 8, 200));
      }
    }
    EXPECT_TRUE(picture.save(dir_.filePath(name), "PNG"));
    return picture;
  }

  QTemporaryDir dir_;
  SkinPictures skins_{dir_.path()};
  QImage canvas_{200, 120, QImage::Format_RGB32};
};

TEST_F(PaintOpPainterTest, FrameOuterEdgeCoversWidthByHeight) {
  Paint({PaintFrame{10, 10, 5, 4, {255, 255, 255}}});
  const QRgb white = qRgb(255, 255, 255);
  EXPECT_EQ(At(10, 10), white);
  EXPECT_EQ(At(14, 10), white);
  EXPECT_EQ(At(10, 13), white);
  EXPECT_EQ(At(14, 13), white);
  EXPECT_EQ(At(12, 10), white);
  EXPECT_EQ(At(10, 12), white);
  EXPECT_EQ(At(11, 11), kGround) << "a frame is not filled";
  EXPECT_EQ(At(13, 12), kGround);
  EXPECT_EQ(At(15, 10), kGround);
  EXPECT_EQ(At(10, 14), kGround);
  EXPECT_EQ(At(9, 10), kGround);
  EXPECT_EQ(At(10, 9), kGround);
}

TEST_F(PaintOpPainterTest, OnePixelFrameAndEmptyShapes) {
  Paint({PaintFrame{30, 30, 1, 1, {0, 0, 0}}, PaintFill{40, 40, 0, 5, {255, 0, 0}},
         PaintFrame{50, 50, 3, 0, {255, 0, 0}}});
  EXPECT_EQ(At(30, 30), qRgb(0, 0, 0));
  EXPECT_EQ(At(31, 30), kGround);
  EXPECT_EQ(At(30, 31), kGround);
  EXPECT_EQ(At(40, 40), kGround);
  EXPECT_EQ(At(50, 50), kGround);
}

TEST_F(PaintOpPainterTest, FillCoversExactlyItsRectangle) {
  Paint({PaintFill{30, 30, 4, 3, {200, 10, 20}}});
  const QRgb fill = qRgb(200, 10, 20);
  EXPECT_EQ(At(30, 30), fill);
  EXPECT_EQ(At(33, 30), fill);
  EXPECT_EQ(At(30, 32), fill);
  EXPECT_EQ(At(33, 32), fill);
  EXPECT_EQ(At(34, 30), kGround);
  EXPECT_EQ(At(30, 33), kGround);
  EXPECT_EQ(At(29, 31), kGround);
  EXPECT_EQ(At(31, 29), kGround);
}

TEST_F(PaintOpPainterTest, LinesIncludeBothEnds) {
  Paint({PaintLine{60, 20, 60, 24, {255, 255, 255}}, PaintLine{70, 20, 66, 20, {255, 255, 255}},
         PaintLine{80, 10, 84, 14, {0, 255, 0}}});
  const QRgb white = qRgb(255, 255, 255);
  EXPECT_EQ(At(60, 20), white);
  EXPECT_EQ(At(60, 24), white);
  EXPECT_EQ(At(60, 25), kGround);
  EXPECT_EQ(At(60, 19), kGround);
  EXPECT_EQ(At(61, 22), kGround) << "a line is one pixel wide";
  EXPECT_EQ(At(66, 20), white);
  EXPECT_EQ(At(70, 20), white);
  EXPECT_EQ(At(71, 20), kGround);
  EXPECT_EQ(At(65, 20), kGround);
  for (int step = 0; step <= 4; ++step) {
    EXPECT_EQ(At(80 + step, 10 + step), qRgb(0, 255, 0)) << "diagonal pixel " << step;
  }
  EXPECT_EQ(At(85, 15), kGround);
  EXPECT_EQ(At(79, 9), kGround);
}

TEST_F(PaintOpPainterTest, CutCopiesTheRightSourcePixels) {
  const QImage source = WriteCodedPicture("kb_hl.png", 20, 10);
  Paint({PaintPictureCut{"kb_hl.png", 3, 2, 4, 2, 100, 50}});
  EXPECT_EQ(At(100, 50), source.pixel(3, 2));
  EXPECT_EQ(At(103, 50), source.pixel(6, 2));
  EXPECT_EQ(At(100, 51), source.pixel(3, 3));
  EXPECT_EQ(At(103, 51), source.pixel(6, 3));
  EXPECT_EQ(At(104, 50), kGround);
  EXPECT_EQ(At(99, 50), kGround);
  EXPECT_EQ(At(100, 52), kGround);
  EXPECT_EQ(At(100, 49), kGround);
}

TEST_F(PaintOpPainterTest, PictureAtItsOwnSizeAndMissingPictureDrawsNothing) {
  const QImage source = WriteCodedPicture("Thumb.png", 6, 4);
  Paint({PaintPicture{120, 5, "Thumb.png"}, PaintPicture{150, 5, "Absent.png"},
         PaintPictureCut{"Absent.png", 0, 0, 4, 4, 160, 5}});
  EXPECT_EQ(At(120, 5), source.pixel(0, 0));
  EXPECT_EQ(At(125, 8), source.pixel(5, 3));
  EXPECT_EQ(At(126, 5), kGround);
  EXPECT_EQ(At(120, 9), kGround);
  EXPECT_EQ(At(150, 5), kGround);
  EXPECT_EQ(At(160, 5), kGround);
}

TEST_F(PaintOpPainterTest, TextStaysInsideItsCellOverATransparentBackground) {
  Paint({PaintText{20, 60, 15, "HW", {255, 0, 0}}});
  int inked = 0;
  int outside = 0;
  for (int y = 0; y < canvas_.height(); ++y) {
    for (int x = 0; x < canvas_.width(); ++x) {
      if (At(x, y) == kGround) {
        continue;
      }
      const bool in_cell = x >= 20 && x < 60 && y >= 60 && y < 75;
      (in_cell ? inked : outside) += 1;
      // Only the glyphs' own pixels change: red ink, possibly blended at the edges.
      EXPECT_GT(qRed(At(x, y)), qRed(kGround)) << x << "," << y;
    }
  }
  EXPECT_GT(inked, 20);
  EXPECT_EQ(outside, 0);
  // Between the letters' strokes the ground shows through.
  EXPECT_EQ(At(21, 61), kGround);
}

TEST_F(PaintOpPainterTest, LaterOpsDrawOverEarlierOnes) {
  Paint({PaintFill{10, 80, 10, 10, {255, 0, 0}}, PaintFrame{10, 80, 10, 10, {0, 0, 255}}});
  EXPECT_EQ(At(10, 80), qRgb(0, 0, 255));
  EXPECT_EQ(At(15, 85), qRgb(255, 0, 0));
}

// The columns that hold anything but the ground colour, as [first, last].
std::pair<int, int> InkedColumns(const QImage& canvas) {
  int first = canvas.width();
  int last = -1;
  for (int y = 0; y < canvas.height(); ++y) {
    for (int x = 0; x < canvas.width(); ++x) {
      if (canvas.pixel(x, y) != kGround) {
        first = std::min(first, x);
        last = std::max(last, x);
      }
    }
  }
  return {first, last};
}

TEST_F(PaintOpPainterTest, RightAlignedTextEndsAtItsWidthAndLeftAlignedStartsAtX) {
  PaintText text{20, 40, 16, "Apply: lighting", kWhite, 150};
  Paint({text});
  const auto [left_first, left_last] = InkedColumns(canvas_);
  EXPECT_GE(left_first, 20);
  EXPECT_LT(left_first, 25);

  canvas_.fill(kGround);
  text.align_right = true;
  Paint({text});
  const auto [right_first, right_last] = InkedColumns(canvas_);
  EXPECT_LE(right_last, 20 + 150);
  EXPECT_GT(right_last, 20 + 150 - 5);
  EXPECT_EQ(right_last - right_first, left_last - left_first) << "the same text, moved";
}

}  // namespace
}  // namespace n240qx
