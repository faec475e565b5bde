#pragma once

#include <QDateTime>
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
  struct Entry {
    QDateTime modified;
    qint64 size = -1;
    QImage image;
  };

  QString folder_;
  QHash<QString, Entry> cache_;
  QImage missing_;
};

}  // namespace n240qx
