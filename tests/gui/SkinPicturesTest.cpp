#include <gtest/gtest.h>

#include <QColor>
#include <QFile>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include "gui/SkinPictures.h"

namespace n240qx {
namespace {

// Generous: only a watcher that never reports reaches it.
constexpr int kWatchLimitMs = 5000;

void WritePicture(const QString& path, QColor colour, int width) {
  QImage image(width, 4, QImage::Format_ARGB32);
  image.fill(colour);
  ASSERT_TRUE(image.save(path, "PNG"));
}

TEST(SkinPictures, APictureIsReadOnceHoweverOftenItIsDrawn) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  WritePicture(dir.filePath("main.png"), Qt::red, 8);
  SkinPictures skins(dir.path());
  for (int paint = 0; paint < 100; ++paint) {
    ASSERT_EQ(skins.Picture("main.png").width(), 8);
    ASSERT_TRUE(skins.Picture("absent.png").isNull());
  }
  EXPECT_EQ(skins.loads(), 2) << "one read per picture, the missing one included";

  QTemporaryDir german;
  WritePicture(german.filePath("main.png"), Qt::blue, 5);
  skins.SetFolder(german.path());
  EXPECT_EQ(skins.Picture("main.png").width(), 5) << "a new folder reads its own pictures";
  EXPECT_EQ(skins.loads(), 3);
}

TEST(SkinPictures, AChangeOnDiskIsReadAgainOnceTheWatcherSaysSo) {
  QTemporaryDir dir;
  ASSERT_TRUE(dir.isValid());
  SkinPictures skins(dir.path());
  int told = 0;
  skins.OnChanged([&] { ++told; });
  EXPECT_TRUE(skins.Picture("main.png").isNull());

  WritePicture(dir.filePath("main.png"), Qt::red, 8);
  EXPECT_TRUE(QTest::qWaitFor([&] { return !skins.Picture("main.png").isNull(); }, kWatchLimitMs))
      << "an added picture shows";
  EXPECT_EQ(skins.Picture("main.png").pixelColor(0, 0), QColor(Qt::red));

  WritePicture(dir.filePath("main.png"), Qt::blue, 9);
  EXPECT_TRUE(
      QTest::qWaitFor([&] { return skins.Picture("main.png").width() == 9; }, kWatchLimitMs))
      << "a rewritten picture shows";
  EXPECT_EQ(skins.Picture("main.png").pixelColor(0, 0), QColor(Qt::blue));

  QFile::remove(dir.filePath("main.png"));
  EXPECT_TRUE(QTest::qWaitFor([&] { return skins.Picture("main.png").isNull(); }, kWatchLimitMs));
  EXPECT_GE(told, 3) << "each change asks for a repaint";
}

}  // namespace
}  // namespace n240qx
