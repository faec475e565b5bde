#include "gui/CMacroRecordDlg.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPainter>
#include <QRegularExpressionValidator>
#include <algorithm>

#include "dialogs/MacroDialogScene.h"
#include "gui/CTransparentListBox.h"
#include "gui/PaintOpPainter.h"
#include "gui/WindowMessageBox.h"
#include "gui/XInputKeyHook.h"

namespace n240qx {

namespace {

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QRect ToQRect(const MacroDialogPlace& place) {
  return {place.x, place.y, place.width, place.height};
}

int RowOf(std::optional<std::size_t> index) {
  return index ? static_cast<int>(*index) : -1;
}

std::optional<std::size_t> IndexOf(int row) {
  return row >= 0 ? std::optional<std::size_t>(static_cast<std::size_t>(row)) : std::nullopt;
}

// Fills `list` with `items` when it shows anything else, and selects `selected`.
void Mirror(CTransparentListBox& list, const std::vector<std::u16string>& items,
            std::optional<std::size_t> selected) {
  bool same = list.Count() == static_cast<int>(items.size());
  for (int i = 0; same && i < list.Count(); ++i) {
    same = list.Text(i) == QString::fromStdU16String(items[static_cast<std::size_t>(i)]);
  }
  if (!same) {
    list.ResetContent();
    for (const std::u16string& item : items) {
      list.AddString(QString::fromStdU16String(item));
    }
  }
  list.SetCurrentRow(RowOf(selected));
}

void AddItems(QMenu& menu, const std::vector<MacroMenuItem>& items) {
  for (const MacroMenuItem& item : items) {
    if (item.items.empty()) {
      QAction* action = menu.addAction(FromUtf8(item.label));
      action->setData(static_cast<int>(item.command));
    } else {
      AddItems(*menu.addMenu(FromUtf8(item.label)), item.items);
    }
  }
}

}  // namespace

CMacroRecordDlg::CMacroRecordDlg(ConfiguratorState& state, SkinPictures& skins, Language language,
                                 const HookFactory& make_hook, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      hook_(make_hook([this](const HookedKey& key) {
        model_.OnHookedKey(key);
        SyncControls();
        update();
      })),
      model_(state.MacrosForDialog().stored, state.MacrosForDialog().working, *hook_, clock_,
             state.key_names()),
      skins_(skins),
      language_(language) {
  setWindowTitle(Text(MacroText::kTitle));
  setMouseTracking(true);
  prompts_.message = [this](const QString& title, const QString& text) {
    WindowMessageBox::Tell(this, language_, QMessageBox::Information, title, text);
  };
  prompts_.confirm = [this](const QString& title, const QString& text) {
    return WindowMessageBox::Ask(this, language_, title, text);
  };
  CreateControls();
  ConnectLists();
  FitToBackground();
}

QString CMacroRecordDlg::Text(MacroText text) const {
  return FromUtf8(MacroDialogText(text, language_));
}

void CMacroRecordDlg::CreateControls() {
  QFont font(QStringLiteral("Arial"));
  font.setPixelSize(13);
  for (CTransparentListBox** list : {&macro_list_, &event_list_}) {
    *list = new CTransparentListBox(this);
    (*list)->setFont(font);
    (*list)->SetColours(ToQColor(MacroDialogLayout::kListText),
                        ToQColor(MacroDialogLayout::kListHighlight));
  }
  macro_list_->setObjectName(QStringLiteral("macro_list"));
  macro_list_->setGeometry(ToQRect(MacroDialogLayout::kMacroList));
  macro_list_->SetEditMode(ListEditMode::kPlainNames);
  event_list_->setObjectName(QStringLiteral("event_list"));
  event_list_->setGeometry(ToQRect(MacroDialogLayout::kEventList));
  event_list_->SetEditMode(ListEditMode::kDelayValues);
  event_list_->viewport()->installEventFilter(this);
  macro_list_->installEventFilter(this);
  event_list_->installEventFilter(this);

  loop_field_ = new QLineEdit(this);
  loop_field_->setObjectName(QStringLiteral("loop_field"));
  loop_field_->setGeometry(ToQRect(MacroDialogLayout::kLoopField));
  loop_field_->setMaxLength(MacroDialogLayout::kLoopFieldDigits);
  loop_field_->setValidator(
      new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), loop_field_));
  loop_field_->installEventFilter(this);
  connect(loop_field_, &QLineEdit::textEdited, this, [this](const QString& text) {
    const QString shown = QString::fromStdU16String(model_.SetLoopText(text.toStdU16String()));
    if (shown != text) {
      loop_field_->setText(shown);
    }
  });
}

void CMacroRecordDlg::ConnectLists() {
  connect(macro_list_, &CTransparentListBox::CurrentRowChanged, this, [this](int row) {
    if (!syncing_) {
      model_.SelectMacro(IndexOf(row));
      SyncControls();
      update();
    }
  });
  connect(event_list_, &CTransparentListBox::CurrentRowChanged, this, [this](int row) {
    if (!syncing_) {
      model_.SelectEventLine(IndexOf(row));
    }
  });
  // An edit in either list stops a recording: the keys typed into it are no macro.
  for (CTransparentListBox* list : {macro_list_, event_list_}) {
    connect(list, &CTransparentListBox::EditBegins, this, [this] {
      model_.OnEditBegins();
      update();
    });
  }
  connect(macro_list_, &CTransparentListBox::EditAccepted, this, [this](int first, int second) {
    Follow(model_.OnMacroRenamed(static_cast<std::size_t>(first),
                                 macro_list_->Text(second).toStdU16String()));
  });
  connect(event_list_, &CTransparentListBox::EditAccepted, this, [this](int line, int delay_ms) {
    Follow(model_.OnDelayEdited(static_cast<std::size_t>(line), delay_ms));
  });
}

void CMacroRecordDlg::FitToBackground() {
  const QImage& background = skins_.Picture(FromUtf8(MacroDialogLayout::kBackground));
  setFixedSize(background.isNull() ? QSize(kFallbackWidth, kFallbackHeight) : background.size());
}

bool CMacroRecordDlg::Run(bool macros_unread) {
  Open(macros_unread);
  return exec() == QDialog::Accepted;
}

void CMacroRecordDlg::Open(bool macros_unread) {
  model_.Open(macros_unread);
  drag_.Reset();
  SyncControls();
  update();
}

void CMacroRecordDlg::SyncControls() {
  syncing_ = true;
  Mirror(*macro_list_, model_.macro_names(), model_.selected_macro());
  Mirror(*event_list_, model_.event_lines(), model_.selected_line());
  const QString loop_text = QString::fromStdU16String(model_.loop_text());
  // A count from a file may be longer than the user can type; it is shown whole.
  loop_field_->setMaxLength(
      std::max<int>(MacroDialogLayout::kLoopFieldDigits, static_cast<int>(loop_text.size())));
  if (loop_field_->text() != loop_text) {
    loop_field_->setText(loop_text);
  }
  loop_field_->setEnabled(model_.loop());
  syncing_ = false;
}

void CMacroRecordDlg::Follow(const MacroDialogOutcome& outcome) {
  SyncControls();
  switch (outcome.effect) {
    case MacroDialogEffect::kNone:
      return;
    case MacroDialogEffect::kRepaint:
      update();
      return;
    case MacroDialogEffect::kShowMessage:
      prompts_.message(Text(MacroText::kTitle), Text(outcome.message));
      return;
    case MacroDialogEffect::kConfirmDelete:
      if (prompts_.confirm(Text(MacroText::kTitle), Text(outcome.message))) {
        Follow(model_.OnDeleteConfirmed());
      }
      return;
    case MacroDialogEffect::kAccept:
      done(QDialog::Accepted);
      return;
    case MacroDialogEffect::kReject:
      done(QDialog::Rejected);
      return;
    case MacroDialogEffect::kStartWindowMove:
      return;  // taken by the mouse move itself
  }
}

void CMacroRecordDlg::RunMenuCommand(MacroCommand command) {
  Follow(model_.OnMenuCommand(command));
}

std::unique_ptr<QMenu> CMacroRecordDlg::MakeEditorMenu() {
  auto menu = std::make_unique<QMenu>(this);
  AddItems(*menu, MacroEditorMenu(language_));
  return menu;
}

void CMacroRecordDlg::ShowMenu(const QPoint& global) {
  const std::unique_ptr<QMenu> menu = MakeEditorMenu();
  if (const QAction* chosen = menu->exec(global); chosen != nullptr) {
    RunMenuCommand(static_cast<MacroCommand>(chosen->data().toInt()));
  }
}

bool CMacroRecordDlg::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::KeyPress || event->type() == QEvent::KeyRelease) {
    return TakeKey(*static_cast<QKeyEvent*>(event));
  }
  if (watched == event_list_->viewport() && event->type() == QEvent::MouseButtonPress) {
    const auto* press = static_cast<QMouseEvent*>(event);
    if (press->button() == Qt::RightButton) {
      ShowMenu(press->globalPosition().toPoint());
      return true;
    }
  }
  return QDialog::eventFilter(watched, event);
}

void CMacroRecordDlg::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  PaintOps(painter, MacroDialogScene::Paint(model_, language_), skins_);
}

void CMacroRecordDlg::mousePressEvent(QMouseEvent* event) {
  if (!drag_.Press(*event)) {
    QDialog::mousePressEvent(event);
  }
}

void CMacroRecordDlg::mouseMoveEvent(QMouseEvent* event) {
  const QPoint at = event->position().toPoint();
  const MacroDialogOutcome outcome =
      model_.OnMouseMove(at.x(), at.y(), (event->buttons() & Qt::LeftButton) != 0);
  if (outcome.effect == MacroDialogEffect::kStartWindowMove) {
    drag_.Move(*event);
    return;
  }
  Follow(outcome);
}

void CMacroRecordDlg::mouseReleaseEvent(QMouseEvent* event) {
  if (drag_.ReleaseIsClick(*event)) {
    // An in-place edit still open counts as typed: OK must not save without it.
    for (CTransparentListBox* list : {macro_list_, event_list_}) {
      if (list->EditingIndex() >= 0) {
        list->EndEditing(true);
      }
    }
    const QPoint at = event->position().toPoint();
    Follow(model_.OnButtonUp(at.x(), at.y()));
  }
}

bool CMacroRecordDlg::TakeKey(QKeyEvent& event) {
  if (model_.recorder().hook_installed()) {
    // Recorded keys come through the hook alone, wherever they were typed; a hook that sees
    // only this window's keys gets them from here. Qt delivers a held key's repeats as a
    // release and a press each, which would record as dozens of taps.
    if (!event.isAutoRepeat()) {
      hook_->WindowKey(XInputKeyHook::KeyOfEvent(event));
    }
    return true;
  }
  // Enter and Esc never end the dialog: only its buttons do.
  return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter ||
         event.key() == Qt::Key_Escape;
}

void CMacroRecordDlg::keyPressEvent(QKeyEvent* event) {
  TakeKey(*event);
  event->accept();
}

void CMacroRecordDlg::keyReleaseEvent(QKeyEvent* event) {
  TakeKey(*event);
  event->accept();
}

void CMacroRecordDlg::closeEvent(QCloseEvent* event) {
  model_.Close();
  SyncControls();
  QDialog::closeEvent(event);
}

}  // namespace n240qx
