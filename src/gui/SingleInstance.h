#pragma once

#include <QLocalServer>
#include <QObject>
#include <QString>
#include <filesystem>
#include <memory>

#include "sim/FileLock.h"

namespace n240qx {

// One running program per user and data folder: the first start listens on a local socket; a
// later start finds it there, asks it to show its window, and ends. Keyed by the data folder
// because that is what two instances must not share (keymap.bin, the macro store).
class SingleInstance : public QObject {
  Q_OBJECT

 public:
  explicit SingleInstance(QString server_name, QObject* parent = nullptr);

  // A name private to this user and data folder.
  static QString ServerNameFor(const std::filesystem::path& data_folder);

  // False when another instance runs (or is starting at this very moment): it has been asked
  // to show its window and this process is to end. True otherwise, even when the socket could
  // not be set up. The claim is a lock file beside the socket, held while this object lives,
  // so that two starts at the same moment cannot both run (nor remove each other's socket).
  bool Claim();
  const QString& server_name() const { return server_name_; }
  static std::filesystem::path LockFileFor(const QString& server_name);

 signals:
  void ShowRequested();

 private:
  bool AskRunningInstance();
  void OnNewConnection();

  QString server_name_;
  std::unique_ptr<FileLock> claim_;
  QLocalServer server_;
};

}  // namespace n240qx
