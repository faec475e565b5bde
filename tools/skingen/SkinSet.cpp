#include "SkinSet.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QSaveFile>
#include <system_error>

namespace n240qx {

namespace {

QByteArray EncodePng(const QImage& image) {
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return bytes;
}

bool SameBytesOnDisk(const QString& file, const QByteArray& bytes) {
  QFile existing(file);
  if (!existing.open(QIODevice::ReadOnly)) {
    return false;
  }
  return existing.size() == bytes.size() && existing.readAll() == bytes;
}

}  // namespace

void SkinSet::Add(const QString& path, const QImage& image) {
  for (SkinPicture& picture : pictures_) {
    if (picture.path == path) {
      picture.image = image;
      return;
    }
  }
  pictures_.push_back({path, image});
}

void SkinSet::AddSpellings(const QString& folder, const std::vector<QString>& names,
                           const QImage& image) {
  for (const QString& name : names) {
    Add(folder + QLatin1Char('/') + name, image);
  }
}

const QImage* SkinSet::Find(const QString& path) const {
  for (const SkinPicture& picture : pictures_) {
    if (picture.path == path) {
      return &picture.image;
    }
  }
  return nullptr;
}

Status SkinSet::WriteTo(const std::filesystem::path& png_folder) const {
  for (const SkinPicture& picture : pictures_) {
    const std::filesystem::path target = png_folder / picture.path.toStdString();
    std::error_code error;
    std::filesystem::create_directories(target.parent_path(), error);
    if (error) {
      return Error{ErrorCode::kIo,
                   "Cannot create " + target.parent_path().string() + ": " + error.message()};
    }
    const QByteArray bytes = EncodePng(picture.image);
    if (bytes.isEmpty()) {
      return Error{ErrorCode::kIo, "Cannot encode " + picture.path.toStdString() + " as PNG"};
    }
    const QString file = QString::fromStdString(target.string());
    if (SameBytesOnDisk(file, bytes)) {
      continue;
    }
    // QSaveFile renames over the target, so an interrupted run never leaves half a picture.
    QSaveFile out(file);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size() || !out.commit()) {
      return Error{ErrorCode::kIo,
                   "Cannot write " + target.string() + ": " + out.errorString().toStdString()};
    }
  }
  return Status::Ok();
}

}  // namespace n240qx
