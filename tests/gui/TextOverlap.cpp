#include "TextOverlap.h"

#include <QDir>
#include <QFontMetrics>
#include <QImage>
#include <algorithm>

namespace n240qx::testing {

namespace {
// A list drawn over the surface (the effect list): what its rows cover is hidden, not
// overlapped.
constexpr int kCoveringFillWidth = 200;
}  // namespace

QSize TextOverlap::PictureSize(const QString& folder, const std::string& name) {
  const QString path = QDir(folder).filePath(QString::fromStdString(name));
  auto found = picture_sizes_.find(path);
  if (found == picture_sizes_.end()) {
    found = picture_sizes_.emplace(path, QImage(path).size()).first;
  }
  return found->second;
}

std::vector<TextOverlap::Drawn> TextOverlap::Layout(const std::vector<PaintOp>& ops,
                                                    const QString& picture_folder) {
  std::vector<Drawn> drawn;
  for (const PaintOp& op : ops) {
    if (const auto* text = std::get_if<PaintText>(&op)) {
      const QString words = QString::fromStdString(text->text);
      const int height = fonts_.FittedHeight(words, text->height, text->max_width);
      const int width = QFontMetrics(fonts_.For(height).font).horizontalAdvance(words);
      const int x =
          text->align_right && text->max_width > 0 ? text->x + text->max_width - width : text->x;
      drawn.push_back({QRect(x, text->y, width, height), text->text, true});
    } else if (const auto* picture = std::get_if<PaintPicture>(&op)) {
      drawn.push_back(
          {QRect(QPoint(picture->x, picture->y), PictureSize(picture_folder, picture->name)),
           picture->name, false});
    } else if (const auto* fill = std::get_if<PaintFill>(&op);
               fill != nullptr && fill->width >= kCoveringFillWidth) {
      const QRect cover(fill->x, fill->y, fill->width, fill->height);
      std::erase_if(drawn, [&](const Drawn& below) { return below.rect.intersects(cover); });
    }
  }
  return drawn;
}

std::vector<std::string> TextOverlap::Faults(const std::vector<PaintOp>& ops,
                                             const QString& picture_folder,
                                             const std::vector<ChildControl>& controls) {
  const std::vector<Drawn> drawn = Layout(ops, picture_folder);
  std::vector<std::string> faults;
  for (std::size_t i = 0; i < drawn.size(); ++i) {
    const Drawn& text = drawn[i];
    if (!text.text) {
      continue;
    }
    for (std::size_t j = 0; j < drawn.size(); ++j) {
      const Drawn& other = drawn[j];
      if (i == j || !text.rect.intersects(other.rect)) {
        continue;
      }
      const bool on_its_picture = !other.text && other.rect.contains(text.rect);
      if (!on_its_picture && (i < j || !other.text)) {
        faults.push_back("\"" + text.what + "\" / " + other.what);
      }
    }
    for (const ChildControl& control : controls) {
      if (text.rect.intersects(control.rect)) {
        faults.push_back("\"" + text.what + "\" / " + control.what);
      }
    }
  }
  return faults;
}

}  // namespace n240qx::testing
