#pragma once

#include <QApplication>
#include <memory>

#include "app/ConfiguratorState.h"
#include "gui/AppOptions.h"

namespace n240qx {

class MainWindowComposition;
class SingleInstance;
class StopSignalNotifier;

// The program: reads the command line, makes sure one instance runs per data folder, reads the
// program's files, chooses the keyboard (or the simulator), composes the main window with its
// models, handlers and services (MainWindowComposition) and runs it until it asks to end.
class CVaveVedozadoApp {
 public:
  explicit CVaveVedozadoApp(QApplication& app);
  ~CVaveVedozadoApp();
  CVaveVedozadoApp(const CVaveVedozadoApp&) = delete;
  CVaveVedozadoApp& operator=(const CVaveVedozadoApp&) = delete;

  // The process's exit code: 0 also when another instance was asked to show its window,
  // 2 for a command line that was not understood, 1 when the program cannot start.
  int Run();

 private:
  int Fail(const QString& message, int code);
  Language ChooseLanguage(const AppOptions& options) const;

  QApplication& app_;
  // The owning object of the program's state, on the heap (it is large).
  std::unique_ptr<ConfiguratorState> state_;
  std::unique_ptr<SingleInstance> instance_;
  std::unique_ptr<MainWindowComposition> program_;
  std::unique_ptr<StopSignalNotifier> stop_signals_;
};

}  // namespace n240qx
