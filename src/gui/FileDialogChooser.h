#pragma once

#include "gui/ProfileFileChooser.h"

namespace n240qx {

// The system's open and save dialogs, profile files offered first and every file second.
class FileDialogChooser : public ProfileFileChooser {
 public:
  QString ChooseImport(QWidget* parent, const QString& start_folder) override;
  QString ChooseExport(QWidget* parent, const QString& start_folder) override;
  bool Confirm(QWidget* parent, const ConfirmPrompt& prompt) override;
};

}  // namespace n240qx
