#pragma once

#include <QDialog>
#include <vector>

#include "app/ActionFeedback.h"
#include "app/ConfiguratorState.h"
#include "app/ProfileTransfer.h"
#include "app/ProgramPaths.h"
#include "app/Texts.h"
#include "config/DiskProfileFiles.h"
#include "config/ProfileStore.h"
#include "dialogs/ProfileDialogModel.h"
#include "gui/BackgroundDrag.h"
#include "gui/CTransparentListBox.h"
#include "gui/ProfileFileChooser.h"
#include "gui/SkinPictures.h"
#include "util/Language.h"

class QLabel;

namespace n240qx {

// The profile manager: the kept profile in a skinned list (renamed in place), Import and
// Export through the file chooser, OK and the close mark. What an operation does is
// ProfileTransfer's; where a click or a drag acts is ProfileDialogModel's. The dialog's message
// line says how the last operation ended; after a failure the folder and the configuration stay
// as they were.
class CConfigureDlg : public QDialog {
  Q_OBJECT

 public:
  CConfigureDlg(ConfiguratorState& state, const ProgramPaths& paths, ProfileFileChooser& chooser,
                Language language, QWidget* parent = nullptr);

  // Each showing starts here: the profiles folder listed afresh, no message.
  void Open();
  // Open, then modally; true when the configuration changed.
  bool Run();

  CTransparentListBox* list() const { return list_; }
  // How the last operation ended: what it did, or why it failed.
  QString message() const;
  // Whether message() tells of a failure.
  bool message_is_failure() const { return !feedback_.failure().empty(); }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void ListProfiles();
  void Act(ProfileDialogAction action);
  void Import();
  void Export();
  void OnRenamed(int old_row, int new_row);
  // `detail`: what the success line names (the file exported to, the profile kept).
  void Reflect(const ProfileOutcome& outcome, ProfileDialogModel::Operation operation,
               const std::string& detail);
  void ShowFailure(std::string_view prefix, const Error& error);
  void ShowFeedback();
  QString StartFolder() const;

  DiskProfileFiles files_;
  ProfileStore store_;
  ProfileTransfer transfer_;
  const ProgramPaths& paths_;
  ProfileFileChooser& chooser_;
  Language language_;
  Texts texts_;
  ActionFeedback feedback_{texts_};
  SkinPictures skins_;
  CTransparentListBox* list_;
  QLabel* message_;
  // Row i of the list shows entries_[i].
  std::vector<ProfileEntry> entries_;
  bool changed_ = false;
  BackgroundDrag drag_{*this};
};

}  // namespace n240qx
