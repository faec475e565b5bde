#pragma once

#include <QRect>
#include <QSize>
#include <QString>
#include <map>
#include <string>
#include <vector>

#include "gui/TextFonts.h"
#include "paint/PaintOp.h"

namespace n240qx::testing {

// A child widget over the painted surface: nothing painted may run under it.
struct ChildControl {
  QRect rect;
  std::string what;
};

// The room rule for painted texts, laid out with the fonts the program draws with: a text may
// sit wholly on a picture (its button or panel) but must not run into another text, partly over
// a picture, or under a child control.
class TextOverlap {
 public:
  // Each fault as "\"text\" / what it runs into"; empty when none. Pictures are read from
  // `picture_folder`.
  std::vector<std::string> Faults(const std::vector<PaintOp>& ops, const QString& picture_folder,
                                  const std::vector<ChildControl>& controls = {});
  TextFonts& fonts() { return fonts_; }

 private:
  struct Drawn {
    QRect rect;
    std::string what;
    bool text = false;
  };
  QSize PictureSize(const QString& folder, const std::string& name);
  std::vector<Drawn> Layout(const std::vector<PaintOp>& ops, const QString& picture_folder);

  TextFonts fonts_;
  std::map<QString, QSize> picture_sizes_;
};

}  // namespace n240qx::testing
