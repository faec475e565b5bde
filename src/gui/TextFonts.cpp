#include "gui/TextFonts.h"

#include <QFontMetrics>
#include <algorithm>
#include <cmath>

namespace n240qx {

namespace {

QFont MakeFont(int pixel_size) {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(std::max(pixel_size, 1));
  font.setWeight(QFont::Light);
  return font;
}

}  // namespace

const TextFonts::Entry& TextFonts::For(int height) {
  auto found = entries_.find(height);
  if (found != entries_.end()) {
    return found->second;
  }
  QFont font = MakeFont(height);
  const QFontMetrics metrics(font);
  if (metrics.height() > height && metrics.height() > 0) {
    const int scaled =
        static_cast<int>(std::lround(static_cast<double>(height) * height / metrics.height()));
    font = MakeFont(std::max(scaled, 1));
  }
  const int ascent = QFontMetrics(font).ascent();
  return entries_.emplace(height, Entry{font, ascent}).first->second;
}

}  // namespace n240qx
