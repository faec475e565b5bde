#pragma once

#include <sys/types.h>

#include <QHash>
#include <QImage>
#include <QString>

namespace n240qx {

// The skin pictures of one folder. A picture is read from its file when first drawn and again
// whenever the file changes, so a replaced skin shows without a restart.
class SkinPictures {
 public:
  explicit SkinPictures(QString folder) : folder_(std::move(folder)) {}

  const QString& folder() const { return folder_; }
  void SetFolder(QString folder);
  // A null image when the file is missing or unreadable; callers draw nothing then.
  const QImage& Picture(const QString& name);

 private:
  // What identifies one version of a file: a skin replaced by rename gets a new inode, one
  // rewritten in place a new change time, to the nanosecond.
  struct FileStamp {
    ino_t inode = 0;
    off_t size = -1;
    long long changed_ns = -1;
    bool operator==(const FileStamp&) const = default;
  };
  struct Entry {
    FileStamp stamp;
    QImage image;
  };

  QString folder_;
  QHash<QString, Entry> cache_;
  QImage missing_;
};

}  // namespace n240qx
