#pragma once

#include <QImage>
#include <QString>
#include <filesystem>
#include <vector>

#include "util/Result.h"

namespace n240qx {

// One skin picture and where it goes below the "png" folder ("english/Custom/view.png").
struct SkinPicture {
  QString path;
  QImage image;
};

// The pictures of one run of the generator, in the order they were added.
class SkinSet {
 public:
  // A later picture with the same path replaces the earlier one.
  void Add(const QString& path, const QImage& image);
  // The same picture under every spelling the program looks it up by.
  void AddSpellings(const QString& folder, const std::vector<QString>& names, const QImage& image);

  const std::vector<SkinPicture>& pictures() const { return pictures_; }
  const QImage* Find(const QString& path) const;

  // Writes every picture below `png_folder`, creating sub-folders; a picture whose bytes
  // are already on disk is left alone so that its time stamp does not trigger rebuilds.
  Status WriteTo(const std::filesystem::path& png_folder) const;

 private:
  std::vector<SkinPicture> pictures_;
};

}  // namespace n240qx
