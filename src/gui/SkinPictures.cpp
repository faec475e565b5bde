#include "gui/SkinPictures.h"

#include <QDir>
#include <QFileInfo>

namespace n240qx {

SkinPictures::SkinPictures(QString folder) : folder_(std::move(folder)) {
  // A picture rewritten in place, or replaced by a rename (the watch then ends with the old
  // file), is read again at its next drawing.
  QObject::connect(&watcher_, &QFileSystemWatcher::fileChanged,
                   [this](const QString& path) { Forget(path); });
  // A picture that was missing may have been added since.
  QObject::connect(&watcher_, &QFileSystemWatcher::directoryChanged,
                   [this](const QString&) { ForgetMissing(); });
}

void SkinPictures::SetFolder(QString folder) {
  if (folder == folder_) {
    return;
  }
  folder_ = std::move(folder);
  cache_.clear();
  if (!watcher_.files().isEmpty()) {
    watcher_.removePaths(watcher_.files());
  }
  if (!watcher_.directories().isEmpty()) {
    watcher_.removePaths(watcher_.directories());
  }
}

const QImage& SkinPictures::Picture(const QString& name) {
  auto found = cache_.find(name);
  if (found != cache_.end()) {
    return *found;
  }
  const QString path = QDir(folder_).filePath(name);
  ++loads_;
  QImage image(path);
  if (image.isNull()) {
    if (QFileInfo(folder_).isDir() && !watcher_.directories().contains(folder_)) {
      watcher_.addPath(folder_);
    }
  } else if (!watcher_.files().contains(path)) {
    watcher_.addPath(path);
  }
  return *cache_.insert(name, std::move(image));
}

void SkinPictures::Forget(const QString& path) {
  cache_.remove(QFileInfo(path).fileName());
  // A file replaced by a rename is no longer watched; the next load watches the new one.
  watcher_.removePath(path);
  if (changed_) {
    changed_();
  }
}

void SkinPictures::ForgetMissing() {
  for (auto it = cache_.begin(); it != cache_.end();) {
    it = it->isNull() ? cache_.erase(it) : std::next(it);
  }
  if (changed_) {
    changed_();
  }
}

}  // namespace n240qx
