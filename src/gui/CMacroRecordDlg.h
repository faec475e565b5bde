#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>

#include "app/ConfiguratorState.h"
#include "dialogs/MacroDialogModel.h"
#include "gui/BackgroundDrag.h"
#include "gui/SkinPictures.h"
#include "keys/KeyHook.h"
#include "util/Language.h"
#include "util/RealClock.h"

class QLineEdit;
class QMenu;

namespace n240qx {

class CTransparentListBox;

// The macro management dialog: the skin from "MacroManagement.png", the macro list (renamed in
// place), the event list (delays edited in place, the editor's popup menu), the loop field and
// the eight skin buttons. It edits the working copy of the macros; the rules are
// MacroDialogModel's, the dialog paints, mirrors the model into its controls and forwards input.
class CMacroRecordDlg : public QDialog {
  Q_OBJECT

 public:
  // Makes the key hook that feeds recording and capture; the sink takes its key events.
  using HookFactory = std::function<std::unique_ptr<KeyHook>(KeyHook::Sink)>;
  // The message boxes, replaceable in tests: an OK message, and an OK/Cancel question.
  struct Prompts {
    std::function<void(const QString& title, const QString& text)> message;
    std::function<bool(const QString& title, const QString& text)> confirm;
  };

  // `skins` holds the pictures of the interface language's folder.
  CMacroRecordDlg(ConfiguratorState& state, SkinPictures& skins, Language language,
                  const HookFactory& make_hook, QWidget* parent = nullptr);

  void SetPrompts(Prompts prompts) { prompts_ = std::move(prompts); }
  // Opens on the stored macros and runs modally; true when the dialog ended with OK or its
  // close box, after which the caller commits the stored macros.
  // `macros_unread`: MacroDefine.bin is held unread, and the dialog only shows.
  bool Run(bool macros_unread = false);
  // Run's first half: the working copy taken from the stored macros and shown.
  void Open(bool macros_unread = false);

  // What a choice in the event list's popup menu does.
  void RunMenuCommand(MacroCommand command);
  // The popup menu in the dialog's language; each action's data is its command.
  std::unique_ptr<QMenu> MakeEditorMenu();

  const MacroDialogModel& model() const { return model_; }
  CTransparentListBox* macro_list() const { return macro_list_; }
  CTransparentListBox* event_list() const { return event_list_; }
  QLineEdit* loop_field() const { return loop_field_; }

  // The size the dialog takes when its background picture cannot be read.
  static constexpr int kFallbackWidth = 385;
  static constexpr int kFallbackHeight = 402;

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  void closeEvent(QCloseEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void CreateControls();
  void ConnectLists();
  void FitToBackground();
  void Follow(const MacroDialogOutcome& outcome);
  void SyncControls();
  void ShowMenu(const QPoint& global);
  bool TakeKey(QKeyEvent& event);
  QString Text(MacroText text) const;

  RealClock clock_;
  std::unique_ptr<KeyHook> hook_;
  MacroDialogModel model_;
  SkinPictures& skins_;
  Language language_;
  Prompts prompts_;
  CTransparentListBox* macro_list_ = nullptr;
  CTransparentListBox* event_list_ = nullptr;
  QLineEdit* loop_field_ = nullptr;
  // Set while the controls are filled from the model, whose own changes need no echo.
  bool syncing_ = false;
  BackgroundDrag drag_{*this};
};

}  // namespace n240qx
