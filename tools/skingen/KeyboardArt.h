#pragma once

#include <QImage>
#include <QRect>
#include <QSize>

namespace n240qx {

// The keyboard drawing: "kb_BK.png" with every key of the key table as a dark cap at its
// rectangle, and "kb_hl.png", the same picture with every key lit in the accent colour, from
// which the program copies single keys to show hover and customised keys.
class KeyboardArt {
 public:
  // The picture keeps the key table's own left margin on the right as well, and room around
  // the keys for the case.
  static QSize PictureSize();
  // The case around the keys, in picture coordinates.
  static QRect CaseRect();
  // Where the keys are: the union of every drawn key's rectangle.
  static QRect KeyArea();

  static QImage Background();
  static QImage Highlight();

 private:
  static QImage Draw(bool lit);
};

}  // namespace n240qx
