#pragma once

#include <QImage>
#include <QSize>
#include <QWidget>

#include "dialogs/ColourSpectrum.h"

namespace n240qx {

// The hue/saturation field and luminosity bar of the colour dialog. It paints what its
// `ColourSpectrum` says and hands mouse, keyboard and focus to it; the model's notices come out
// as the two notifications the dialog listens to.
class CXColorSpectrumCtrl : public QWidget {
  Q_OBJECT

 public:
  // The names the notifications were registered under; the signals below carry them.
  static constexpr const char* kSelChangeName = "WM_XCOLORPICKER_SELCHANGE";
  static constexpr const char* kSelEndOkName = "WM_XCOLORPICKER_SELENDOK";

  // The model outlives the control; the control's size is the model's geometry.
  CXColorSpectrumCtrl(ColourSpectrum& model, int control_id, QWidget* parent = nullptr);

  // Moves marker and arrow to the colour; sends no notification.
  void SetColour(RgbColour colour);

  int control_id() const { return control_id_; }
  const ColourSpectrum& model() const { return model_; }
  // How often the picture of the field has been drawn: it is made at the first paint and
  // kept until the control's size or the field's luminosity changes.
  int picture_builds() const { return picture_builds_; }

  QSize sizeHint() const override;

 signals:
  // "WM_XCOLORPICKER_SELCHANGE": the user changed the colour (red in the low byte).
  void SelChange(quint32 colour, int control_id);
  // "WM_XCOLORPICKER_SELENDOK": a double-click in the field or the bar.
  void SelEndOk(quint32 colour, int control_id);

 protected:
  bool event(QEvent* event) override;
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void EnsurePicture();
  void Notify(const SpectrumNotice& notice);
  void TabKey(bool shift);

  ColourSpectrum& model_;
  int control_id_;
  QImage picture_;
  QSize picture_size_;
  int picture_luminosity_ = -1;
  int picture_builds_ = 0;
};

}  // namespace n240qx
