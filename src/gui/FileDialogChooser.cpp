#include "gui/FileDialogChooser.h"

#include <QFileDialog>
#include <QMessageBox>
#include <QStringList>

#include "dialogs/ProfileDialogModel.h"
#include "gui/QtText.h"

namespace n240qx {

namespace {

QString Choose(QWidget* parent, const QString& start_folder, QFileDialog::AcceptMode mode) {
  QFileDialog dialog(parent, QString(), start_folder);
  dialog.setAcceptMode(mode);
  dialog.setFileMode(mode == QFileDialog::AcceptOpen ? QFileDialog::ExistingFile
                                                     : QFileDialog::AnyFile);
  dialog.setNameFilters(
      {QString::fromUtf8(ProfileDialogModel::kProfileFilter.data(),
                         static_cast<qsizetype>(ProfileDialogModel::kProfileFilter.size())),
       QString::fromUtf8(ProfileDialogModel::kAllFilesFilter.data(),
                         static_cast<qsizetype>(ProfileDialogModel::kAllFilesFilter.size()))});
  dialog.setDefaultSuffix(QStringLiteral("bin"));
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
    return {};
  }
  return dialog.selectedFiles().constFirst();
}

}  // namespace

QString FileDialogChooser::ChooseImport(QWidget* parent, const QString& start_folder) {
  return Choose(parent, start_folder, QFileDialog::AcceptOpen);
}

QString FileDialogChooser::ChooseExport(QWidget* parent, const QString& start_folder) {
  return Choose(parent, start_folder, QFileDialog::AcceptSave);
}

bool FileDialogChooser::Confirm(QWidget* parent, const ConfirmPrompt& prompt) {
  return QMessageBox::question(parent, ToQString(prompt.title), ToQString(prompt.question),
                               QMessageBox::Ok | QMessageBox::Cancel) == QMessageBox::Ok;
}

}  // namespace n240qx
