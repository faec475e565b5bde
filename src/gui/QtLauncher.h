#pragma once

#include <QString>
#include <QUrl>
#include <functional>

#include "keys/Launcher.h"

namespace n240qx {

// Launch keys on the desktop: a program is started directly with no arguments (never through
// a shell, so nothing in a stored path is ever interpreted); music, text files and folders
// open with the desktop's handler for them.
class QtLauncher final : public Launcher {
 public:
  using UrlOpener = std::function<bool(const QUrl&)>;
  using ProgramStarter = std::function<bool(const QString& program, const QString& directory)>;

  // Empty functions mean the desktop's own: QDesktopServices::openUrl and
  // QProcess::startDetached.
  explicit QtLauncher(UrlOpener open_url = {}, ProgramStarter start_program = {});

  void Launch(const LaunchTarget& target) override;

 private:
  UrlOpener open_url_;
  ProgramStarter start_program_;
};

}  // namespace n240qx
