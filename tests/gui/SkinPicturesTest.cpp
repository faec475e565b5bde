#include <gtest/gtest.h>

#include <QColor>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <thread>

#include "gui/SkinPictures.h"

namespace n240qx {
namespace {

void WritePicture(const QString& path, QColor colour, int width) {
  QImage image(width, 4, QImage::Format_ARGB32);
  image.fill(colour);
  ASSERT_TRUE(image.save(path, "PNG"));
}

TEST(SkinPictures, AChangedFileIsDrawnChangedAndAMissingOneIsNull) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  SkinPictures skins(dir.path());
  EXPECT_TRUE(skins.Picture("main.png").isNull());

  WritePicture(dir.filePath("main.png"), Qt::red, 8);
  EXPECT_EQ(skins.Picture("main.png").pixelColor(0, 0), QColor(Qt::red));

  // A replacement of another size is seen even when the clock has not ticked in between.
  WritePicture(dir.filePath("main.png"), Qt::blue, 9);
  EXPECT_EQ(skins.Picture("main.png").pixelColor(0, 0), QColor(Qt::blue));
  EXPECT_EQ(skins.Picture("main.png").width(), 9);

  QFile::remove(dir.filePath("main.png"));
  EXPECT_TRUE(skins.Picture("main.png").isNull());
}

}  // namespace
}  // namespace n240qx
