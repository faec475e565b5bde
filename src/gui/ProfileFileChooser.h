#pragma once

#include <QString>

#include "app/ConfirmPrompt.h"

class QWidget;

namespace n240qx {

// Asks the user for the file of an Import or an Export, and whether an imported profile's new
// launch actions are to be taken; tests answer in its place.
class ProfileFileChooser {
 public:
  virtual ~ProfileFileChooser() = default;
  // An existing file to import; empty when cancelled.
  virtual QString ChooseImport(QWidget* parent, const QString& start_folder) = 0;
  // The file to export to; empty when cancelled.
  virtual QString ChooseExport(QWidget* parent, const QString& start_folder) = 0;
  // An OK/Cancel question about the chosen file; unasked, nothing it would launch is taken.
  virtual bool Confirm(QWidget* /*parent*/, const ConfirmPrompt& /*prompt*/) { return false; }
};

}  // namespace n240qx
