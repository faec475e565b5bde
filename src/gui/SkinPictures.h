#pragma once

#include <QFileSystemWatcher>
#include <QHash>
#include <QImage>
#include <QString>
#include <functional>

#include "gui/TextFonts.h"

namespace n240qx {

// The skin of one folder: its pictures and the fonts its texts are drawn in. A picture is read
// from its file when first drawn and kept; only a new folder (another language) or the file
// watcher's word that a picture changed reads it again, so painting touches no file.
class SkinPictures {
 public:
  explicit SkinPictures(QString folder);

  const QString& folder() const { return folder_; }
  void SetFolder(QString folder);
  // A null image when the file is missing or unreadable; callers draw nothing then.
  const QImage& Picture(const QString& name);
  TextFonts& fonts() { return fonts_; }
  // Called after a picture changed on disk, so its users can draw it again.
  void OnChanged(std::function<void()> changed) { changed_ = std::move(changed); }
  // How many times a picture file was read: a figure for the benchmarks and tests.
  int loads() const { return loads_; }

 private:
  void Forget(const QString& path);
  void ForgetMissing();

  QString folder_;
  QHash<QString, QImage> cache_;
  QFileSystemWatcher watcher_;
  std::function<void()> changed_;
  TextFonts fonts_;
  int loads_ = 0;
};

}  // namespace n240qx
