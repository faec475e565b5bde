#pragma once

#include <QObject>
#include <QSocketNotifier>
#include <memory>

namespace n240qx {

// SIGTERM (logout) and SIGINT (Ctrl+C) as a Qt signal on the user-interface thread, so that
// the program ends as through tray Exit: the session lets a running write close its bracket.
// The handler only writes the signal's number into a pipe; everything else happens here.
// One per process: the handler can reach only the one pipe.
class StopSignalNotifier : public QObject {
  Q_OBJECT

 public:
  explicit StopSignalNotifier(QObject* parent = nullptr);
  ~StopSignalNotifier() override;
  StopSignalNotifier(const StopSignalNotifier&) = delete;
  StopSignalNotifier& operator=(const StopSignalNotifier&) = delete;

 signals:
  void StopRequested(int signal_number);

 private:
  void ReadPipe();

  int fds_[2] = {-1, -1};
  std::unique_ptr<QSocketNotifier> notifier_;
};

}  // namespace n240qx
