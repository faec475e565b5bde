#pragma once

#include <QFont>
#include <map>

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

 private:
  std::map<int, Entry> entries_;
};

}  // namespace n240qx
