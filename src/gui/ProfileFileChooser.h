#pragma once

#include <QString>

class QWidget;

namespace n240qx {

// Asks the user for the file of an Import or an Export; tests answer in its place.
class ProfileFileChooser {
 public:
  virtual ~ProfileFileChooser() = default;
  // An existing file to import; empty when cancelled.
  virtual QString ChooseImport(QWidget* parent, const QString& start_folder) = 0;
  // The file to export to; empty when cancelled.
  virtual QString ChooseExport(QWidget* parent, const QString& start_folder) = 0;
};

}  // namespace n240qx
