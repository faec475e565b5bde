#include "gui/SkinPictures.h"

#include <QDir>
#include <QFileInfo>

namespace n240qx {

void SkinPictures::SetFolder(QString folder) {
  folder_ = std::move(folder);
  cache_.clear();
}

const QImage& SkinPictures::Picture(const QString& name) {
  const QFileInfo file(QDir(folder_).filePath(name));
  if (!file.exists()) {
    cache_.remove(name);
    return missing_;
  }
  auto found = cache_.find(name);
  if (found != cache_.end() && found->modified == file.lastModified() &&
      found->size == file.size()) {
    return found->image;
  }
  Entry entry{file.lastModified(), file.size(), QImage(file.filePath())};
  return cache_.insert(name, std::move(entry)).value().image;
}

}  // namespace n240qx
