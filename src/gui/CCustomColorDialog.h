#pragma once

#include <QDialog>
#include <QPoint>
#include <array>
#include <cstdint>

#include "dialogs/ColourDialogModel.h"
#include "gui/BackgroundDrag.h"
#include "gui/CXColorSpectrumCtrl.h"
#include "gui/SkinPictures.h"
#include "util/Language.h"

class QLineEdit;
class QPushButton;

namespace n240qx {

// The colour picker: the palette painted on "Color_BK.png", the spectrum control, six
// read-only boxes, OK and Cancel. It works in place on the shared colour (red in the low
// byte) it was made with; the rules are `ColourDialogModel`'s, the dialog paints and forwards.
class CCustomColorDialog : public QDialog {
  Q_OBJECT

 public:
  // `skins` holds the pictures of the interface language's folder.
  CCustomColorDialog(std::uint32_t& shared_colour, SkinPictures& skins, Language language,
                     QWidget* parent = nullptr);

  void SetLanguage(Language language);
  // Starts on the shared colour and runs modally; true when the dialog ended with OK. The
  // shared colour follows every change while the dialog is open, whatever the ending.
  bool Run();

  const ColourDialogModel& model() const { return model_; }
  CXColorSpectrumCtrl* spectrum() const { return spectrum_; }

  // The size the dialog takes when its background picture cannot be read.
  static constexpr int kFallbackWidth = 340;
  static constexpr int kFallbackHeight = 210;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  void OnSpectrumSelChange(quint32 colour, int control_id);
  void Follow(ColourDialogAction action);
  void UpdateBoxes();
  void ApplyLanguage();
  void FitToBackground();
  QLineEdit* MakeBox(const ColourDialogPlace& place, const char* name);

  ColourDialogModel model_;
  SkinPictures& skins_;
  Language language_;
  CXColorSpectrumCtrl* spectrum_ = nullptr;
  QPushButton* ok_ = nullptr;
  QPushButton* cancel_ = nullptr;
  // Red, green, blue, hue, saturation, luminosity.
  std::array<QLineEdit*, 6> boxes_{};
  // A press on the background drags the dialog; the release that ends a drag is no click.
  BackgroundDrag drag_{*this};
};

}  // namespace n240qx
