#pragma once

#include <QColor>

namespace n240qx {

// The one palette every skin picture is drawn from: dark greys, with the program's highlight
// colour (0, 255, 255) as the only accent, so pictures drawn by different parts of the
// generator read as one window.
struct SkinStyle {
  // The colour the program draws its texts on.
  static QColor Surface() { return QColor(0x35, 0x35, 0x35); }
  // Behind the cards: the window's frame, the title strip and the footer.
  static QColor Backdrop() { return QColor(0x2b, 0x2b, 0x2b); }
  static QColor TitleTop() { return QColor(0x26, 0x26, 0x26); }
  static QColor TitleBottom() { return QColor(0x1e, 0x1e, 0x1e); }
  // Wells for lists, fields and grooves.
  static QColor Well() { return QColor(0x22, 0x22, 0x22); }
  static QColor Border() { return QColor(0x4a, 0x4a, 0x4a); }
  static QColor BorderLight() { return QColor(0x60, 0x60, 0x60); }
  static QColor Glyph() { return QColor(0x9a, 0x9a, 0x9a); }
  static QColor Legend() { return QColor(0xd8, 0xd8, 0xd8); }

  static QColor Accent() { return QColor(0, 255, 255); }
  static QColor AccentDeep() { return QColor(0, 0x8c, 0x94); }
  static QColor AccentDark() { return QColor(0, 0x4a, 0x50); }
  static QColor AccentInk() { return QColor(0x06, 0x26, 0x28); }

  static QColor ButtonTop() { return QColor(0x45, 0x45, 0x45); }
  static QColor ButtonBottom() { return QColor(0x2e, 0x2e, 0x2e); }

  static QColor CaseTop() { return QColor(0x24, 0x24, 0x24); }
  static QColor CaseBottom() { return QColor(0x17, 0x17, 0x17); }
  static QColor CapTop() { return QColor(0x3c, 0x3c, 0x3c); }
  static QColor CapBottom() { return QColor(0x26, 0x26, 0x26); }
  static QColor CapEdge() { return QColor(0x12, 0x12, 0x12); }
  static QColor CapFaceTop() { return QColor(0x38, 0x38, 0x38); }
  static QColor CapFaceBottom() { return QColor(0x30, 0x30, 0x30); }

  static QColor Transparent() { return QColor(0, 0, 0, 0); }
};

}  // namespace n240qx
