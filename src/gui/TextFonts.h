#pragma once

#include <QFont>
#include <QString>
#include <map>
#include <tuple>

namespace n240qx {

// The fonts texts are drawn in, one per pixel height, measured once and kept. The texts were
// laid out for fonts asked for by cell height (ascent plus descent), the way the original
// drawing code sized them; Qt sizes by em, which is smaller than the cell. The first request
// for a height measures once and scales the em down so the cell comes out at that height.
class TextFonts {
 public:
  struct Entry {
    QFont font;
    int ascent = 0;
  };

  const Entry& For(int height);
  // The largest height up to `height` at which `text` is at most `max_width` pixels wide
  // (`height` itself when max_width is 0); measured once per text.
  int FittedHeight(const QString& text, int height, int max_width);

 private:
  std::map<int, Entry> entries_;
  std::map<std::tuple<QString, int, int>, int> fitted_;
};

}  // namespace n240qx
