#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "dialogs/KeyAssignmentDialogModel.h"
#include "gui/BackgroundDrag.h"
#include "gui/SkinPictures.h"
#include "keys/KeyHook.h"
#include "util/Language.h"

class QLineEdit;
class QListWidget;

namespace n240qx {

class VividTree;

// Makes the key hook the dialog captures through; tests hand in their own.
using KeyHookFactory = std::function<std::unique_ptr<KeyHook>(KeyHook::Sink sink)>;

struct KeyMapSetup {
  PendingAssignment& pending;
  KeyActionTable& actions;
  const ConfigImage& image;
  const MacroStore& stored_macros;
  const KeyNameTable& names;
  // The language's skin folder ("png/english"); the dialog's pictures are in its "Custom".
  QString skin_folder;
  Language language = Language::kEnglish;
  KeyHookFactory make_hook;  // empty: the X11 hook
  // The library's profiles, offered as keys that apply them.
  std::vector<std::string> profile_names;
};

// The key assignment dialog: a caption-less window painted from "Custom_BK.png", with the two
// capture fields, the macro list and the function tree as its only controls. The rules are
// KeyAssignmentDialogModel's; this class paints, forwards input and runs the file choices and
// message boxes the model asks for.
class CKeyMap : public QDialog {
  Q_OBJECT

 public:
  static constexpr int kFallbackWidth = 386;
  static constexpr int kFallbackHeight = 379;

  CKeyMap(KeyMapSetup setup, QWidget* parent);
  ~CKeyMap() override;

  // Opens on pending.current_key, captures through the hook while shown, and returns true when
  // the dialog ended with Save or Reset, its result in the pending assignment.
  bool Run();

  const KeyAssignmentDialogModel& model() const { return model_; }
  KeyHook& hook() { return *hook_; }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void keyReleaseEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
  bool event(QEvent* event) override;

 private:
  void CreateControls();
  QListWidget* MakeList(const QString& name, std::function<void(int)> select);
  void FillControls();
  void SyncControls();
  void Follow(const KeyDialogReaction& reaction);
  void Browse(std::size_t row);
  bool TakeKey(QKeyEvent& event);
  void OnHookedKey(const HookedKey& key);
  KeyDialogControl ControlOf(const QObject* object) const;
  QString Text(KeyDialogText text) const;

  KeyAssignmentDialogModel model_;
  SkinPictures skins_;
  BackgroundDrag drag_{*this};
  std::unique_ptr<KeyHook> hook_;
  QLineEdit* single_ = nullptr;
  QLineEdit* combine_ = nullptr;
  QListWidget* macros_ = nullptr;
  QListWidget* host_actions_ = nullptr;
  VividTree* tree_ = nullptr;
  bool syncing_ = false;
};

}  // namespace n240qx
