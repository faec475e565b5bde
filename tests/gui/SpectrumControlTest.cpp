#include <gtest/gtest.h>

#include <QImage>
#include <QSignalSpy>
#include <QTest>
#include <QVBoxLayout>

#include "gui/CXColorSpectrumCtrl.h"

namespace n240qx {
namespace {

constexpr int kControlId = 9001;

QRgb ToRgb(RgbColour colour) {
  return qRgb(colour.red, colour.green, colour.blue);
}

// The control in a window of its own, with a button after it for Tab to move on to.
class SpectrumControlTest : public ::testing::Test {
 protected:
  void SetUp() override {
    auto* layout = new QVBoxLayout(&window_);
    control_ = new CXColorSpectrumCtrl(model_, kControlId, &window_);
    next_ = new QWidget(&window_);
    next_->setFocusPolicy(Qt::StrongFocus);
    layout->addWidget(control_);
    layout->addWidget(next_);
    window_.show();
    window_.activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
  }

  QImage Grab() { return control_->grab().toImage().convertToFormat(QImage::Format_RGB32); }
  QRgb WindowText() const { return control_->palette().color(QPalette::WindowText).rgb(); }

  ColourSpectrum model_;
  QWidget window_;
  CXColorSpectrumCtrl* control_ = nullptr;
  QWidget* next_ = nullptr;
};

TEST_F(SpectrumControlTest, FieldClickPicksTheGeometryColourAndTakesTheFocus) {
  control_->SetColour({255, 0, 0});
  QSignalSpy changes(control_, &CXColorSpectrumCtrl::SelChange);
  QTest::mouseClick(control_, Qt::LeftButton, {}, QPoint(62, 40));

  const SpectrumGeometry& g = model_.geometry();
  const RgbColour expected = HslToRgb(g.FieldPointToHsl(62, 40, 120));
  ASSERT_EQ(changes.count(), 1);
  EXPECT_EQ(changes[0][0].value<quint32>(), expected.Packed());
  EXPECT_EQ(changes[0][1].toInt(), kControlId);
  EXPECT_EQ(model_.colour(), expected);
  EXPECT_EQ(model_.marker(), (PixelPoint{62, 40}));
  EXPECT_TRUE(control_->hasFocus());
  EXPECT_EQ(model_.focus(), ColourSpectrum::Part::kField);

  // Crosshair arms drawn in the window-text colour around the new marker: the upper arm's
  // middle column at rows marker - 9 .. marker - 5.
  const QImage image = Grab();
  EXPECT_EQ(image.pixel(62, 40 - 9), WindowText());
  EXPECT_EQ(image.pixel(62, 40 - 5), WindowText());
  EXPECT_EQ(image.pixel(62, 40 - 4), ToRgb(g.CachedPixel(62, 36))) << "the centre stays open";
}

TEST_F(SpectrumControlTest, BarPressKeepsTheBarFocusedAndDragFollowsOnlyInside) {
  control_->SetColour({255, 0, 0});
  next_->setFocus();
  QSignalSpy changes(control_, &CXColorSpectrumCtrl::SelChange);
  const SpectrumGeometry& g = model_.geometry();
  QTest::mousePress(control_, Qt::LeftButton, {}, QPoint(140, 70));
  EXPECT_TRUE(control_->hasFocus());
  EXPECT_EQ(model_.focus(), ColourSpectrum::Part::kBar) << "the press chose the bar";
  EXPECT_EQ(model_.arrow(), 60);
  EXPECT_EQ(model_.hsl().luminosity, g.ArrowToLuminosity(60));

  QTest::mouseMove(control_, QPoint(140, 90));
  QTest::mouseMove(control_, QPoint(100, 90));  // left of the bar: ignored
  QTest::mouseRelease(control_, Qt::LeftButton, {}, QPoint(100, 90));
  EXPECT_EQ(model_.arrow(), 80);
  EXPECT_FALSE(model_.bar_drag());
  EXPECT_GE(changes.count(), 2);
  EXPECT_EQ(changes.last()[0].value<quint32>(), model_.colour().Packed());

  // Focused bar: the arrow's inside is drawn in the window-text colour; its point sits level
  // with the strip row of the luminosity.
  const QImage image = Grab();
  const int middle = g.ArrowTop(80) + 8;
  EXPECT_EQ(image.pixel(g.ArrowColumns().left + 3, middle), WindowText());
  EXPECT_EQ(image.pixel(g.ArrowColumns().left - 1, middle), ToRgb(SpectrumGeometry::kBackground));
}

TEST_F(SpectrumControlTest, ArrowKeysMoveTheCrosshair) {
  control_->setFocus(Qt::TabFocusReason);
  ASSERT_EQ(model_.focus(), ColourSpectrum::Part::kField);
  control_->SetColour(HslToRgb({100, 120, 120}));
  const Hsl start = model_.hsl();
  const PixelPoint before = model_.marker();
  QSignalSpy changes(control_, &CXColorSpectrumCtrl::SelChange);

  QTest::keyClick(control_, Qt::Key_Right);
  QTest::keyClick(control_, Qt::Key_Up, Qt::ShiftModifier);
  EXPECT_EQ(model_.hsl().hue, start.hue + 5);
  EXPECT_EQ(model_.hsl().saturation, start.saturation + 10);
  EXPECT_EQ(changes.count(), 2);
  const PixelPoint after = model_.marker();
  EXPECT_GT(after.x, before.x);
  EXPECT_LT(after.y, before.y) << "more saturation is higher up";
  EXPECT_EQ(after, model_.geometry().MarkerOf(model_.hsl()));

  const QImage image = Grab();
  const SpectrumGeometry& g = model_.geometry();
  // The left arm now ends at the new marker - 5; at the old marker nothing is drawn.
  EXPECT_EQ(image.pixel(after.x - 5, after.y), WindowText());
  EXPECT_EQ(image.pixel(before.x - 5, before.y), ToRgb(g.CachedPixel(before.x - 5, before.y)));

  QTest::keyClick(control_, Qt::Key_End);
  EXPECT_EQ(model_.hsl().hue, Hsl::kHueMax);
  EXPECT_EQ(model_.marker().x, g.FieldHitRect().right);
  QTest::keyClick(control_, Qt::Key_Left, Qt::ControlModifier);
  EXPECT_EQ(model_.hsl().hue, Hsl::kHueMax - 1);
}

TEST_F(SpectrumControlTest, TabGoesFieldThenBarThenNextControl) {
  control_->setFocus(Qt::TabFocusReason);
  ASSERT_EQ(model_.focus(), ColourSpectrum::Part::kField);
  QTest::keyClick(control_, Qt::Key_Tab);
  EXPECT_TRUE(control_->hasFocus());
  EXPECT_EQ(model_.focus(), ColourSpectrum::Part::kBar);

  QTest::keyClick(control_, Qt::Key_PageDown);
  EXPECT_EQ(model_.colour(), (RgbColour{0, 0, 0}));

  QTest::keyClick(control_, Qt::Key_Tab);
  EXPECT_TRUE(next_->hasFocus());
  EXPECT_EQ(model_.focus(), ColourSpectrum::Part::kNone) << "losing the focus unfocuses both";

  // Coming back with Shift+Tab lands on the bar.
  next_->setFocus();
  control_->setFocus(Qt::BacktabFocusReason);
  EXPECT_EQ(model_.focus(), ColourSpectrum::Part::kBar);
}

TEST_F(SpectrumControlTest, DoubleClickSendsTheEndNotification) {
  control_->SetColour({0, 0, 255});
  QSignalSpy ends(control_, &CXColorSpectrumCtrl::SelEndOk);
  QTest::mouseDClick(control_, Qt::LeftButton, {}, QPoint(140, 50));
  ASSERT_EQ(ends.count(), 1);
  EXPECT_EQ(ends[0][0].value<quint32>(), model_.colour().Packed());
  QTest::mouseDClick(control_, Qt::LeftButton, {}, QPoint(127, 5));
  EXPECT_EQ(ends.count(), 1) << "between the parts nothing is hit";
}

TEST_F(SpectrumControlTest, CachedPictureIsDrawnOnceAndPaintedFromTheGeometry) {
  control_->SetColour({255, 0, 0});
  QImage image = Grab();
  EXPECT_EQ(control_->picture_builds(), 1);
  control_->repaint();
  control_->SetColour({0, 255, 0});
  image = Grab();
  control_->repaint();
  EXPECT_EQ(control_->picture_builds(), 1) << "repaints reuse the picture";

  const SpectrumGeometry& g = model_.geometry();
  // Away from the crosshair the field is the cached picture.
  EXPECT_EQ(image.pixel(100, 120), ToRgb(g.CachedPixel(100, 120)));
  EXPECT_EQ(image.pixel(5, 135), ToRgb(g.CachedPixel(5, 135)));
  EXPECT_EQ(image.pixel(10, 2), ToRgb(SpectrumGeometry::kBackground));
  // The strip shows the current hue from white at the top to black at the bottom.
  const PixelRect strip = g.StripRect();
  EXPECT_EQ(image.pixel(strip.left, strip.top), qRgb(255, 255, 255));
  EXPECT_EQ(image.pixel(strip.right, strip.bottom), qRgb(0, 0, 0));
  EXPECT_EQ(image.pixel(strip.left, 70), ToRgb(*g.StripColour(model_.hsl(), 70)));
}

}  // namespace
}  // namespace n240qx
