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

int TextFonts::FittedHeight(const QString& text, int height, int max_width) {
  if (max_width <= 0) {
    return height;
  }
  const auto key = std::make_tuple(text, height, max_width);
  auto found = fitted_.find(key);
  if (found != fitted_.end()) {
    return found->second;
  }
  int fitted = height;
  while (fitted > 1 && QFontMetrics(For(fitted).font).horizontalAdvance(text) > max_width) {
    --fitted;
  }
  return fitted_.emplace(key, fitted).first->second;
}

}  // namespace n240qx
