#include "gui/QtLauncher.h"

#include <QDesktopServices>
#include <QDir>
#include <QProcess>

namespace n240qx {

namespace {

bool OpenWithDesktop(const QUrl& url) {
  return QDesktopServices::openUrl(url);
}

bool StartDetached(const QString& program, const QString& directory) {
  return QProcess::startDetached(program, QStringList(), directory);
}

// Paths stored by the keyboard's Windows tools use backslashes; here they name nothing that
// exists, but they must not turn into something else either.
QString PathOf(const std::u16string& path) {
  return QDir::cleanPath(QString::fromStdU16String(path));
}

}  // namespace

QtLauncher::QtLauncher(UrlOpener open_url, ProgramStarter start_program)
    : open_url_(open_url ? std::move(open_url) : UrlOpener(OpenWithDesktop)),
      start_program_(start_program ? std::move(start_program) : ProgramStarter(StartDetached)) {}

void QtLauncher::Launch(const LaunchTarget& target) {
  if (target.file.empty()) {
    return;
  }
  const QString path = PathOf(target.path);
  if (target.kind == AssignmentKind::kStartup) {
    start_program_(path, PathOf(target.directory));
    return;
  }
  open_url_(QUrl::fromLocalFile(path));
}

}  // namespace n240qx
