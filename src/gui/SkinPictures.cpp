#include "gui/SkinPictures.h"

#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <optional>

namespace n240qx {

namespace {

struct Stamped {
  ino_t inode;
  off_t size;
  long long changed_ns;
};

std::optional<Stamped> StatFile(const QString& path) {
  struct stat info {};
  if (::stat(QFile::encodeName(path).constData(), &info) != 0) {
    return std::nullopt;
  }
  const long long changed_ns =
      static_cast<long long>(info.st_ctim.tv_sec) * 1'000'000'000LL + info.st_ctim.tv_nsec;
  return Stamped{info.st_ino, info.st_size, changed_ns};
}

}  // namespace

void SkinPictures::SetFolder(QString folder) {
  folder_ = std::move(folder);
  cache_.clear();
}

const QImage& SkinPictures::Picture(const QString& name) {
  const QString path = QDir(folder_).filePath(name);
  const auto stat = StatFile(path);
  if (!stat) {
    cache_.remove(name);
    return missing_;
  }
  const FileStamp stamp{stat->inode, stat->size, stat->changed_ns};
  auto found = cache_.find(name);
  if (found != cache_.end() && found->stamp == stamp) {
    return found->image;
  }
  return cache_.insert(name, Entry{stamp, QImage(path)}).value().image;
}

}  // namespace n240qx
