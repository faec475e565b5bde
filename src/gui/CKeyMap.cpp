#include "gui/CKeyMap.h"

#include <QDir>
#include <QFileDialog>
#include <QHelpEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>

#include "dialogs/FunctionTree.h"
#include "dialogs/KeyDialogScene.h"
#include "gui/PaintOpPainter.h"
#include "gui/QtText.h"
#include "gui/ToolTipEvent.h"
#include "gui/VividTree.h"
#include "gui/WindowMessageBox.h"
#include "gui/XInputKeyHook.h"

namespace n240qx {

namespace {

using Geometry = KeyDialogGeometry;
const QColor kFallbackBackground(0x20, 0x20, 0x20);

QRect RectOf(const PixelRect& place) {
  return {place.left, place.top, place.Width(), place.Height()};
}

QString FromU16(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

// Edits and the list show white text on black.
void WhiteOnBlack(QWidget& control) {
  QPalette colours = control.palette();
  colours.setColor(QPalette::Base, Qt::black);
  colours.setColor(QPalette::Window, Qt::black);
  colours.setColor(QPalette::Text, Qt::white);
  control.setPalette(colours);
}

std::unique_ptr<KeyHook> MakeX11Hook(KeyHook::Sink sink) {
  return std::make_unique<XInputKeyHook>(std::move(sink));
}

}  // namespace

CKeyMap::CKeyMap(KeyMapSetup setup, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint),
      model_(setup.pending, setup.actions, setup.image, setup.stored_macros, setup.names,
             setup.language),
      skins_(setup.skin_folder + QStringLiteral("/Custom")) {
  setWindowTitle(Text(KeyDialogText::kWindowTitle));
  setMouseTracking(true);
  const KeyHookFactory make_hook = setup.make_hook ? setup.make_hook : MakeX11Hook;
  hook_ = make_hook([this](const HookedKey& key) { OnHookedKey(key); });
  model_.SetProfileNames(std::move(setup.profile_names));
  CreateControls();
}

CKeyMap::~CKeyMap() {
  hook_->Remove();
}

void CKeyMap::CreateControls() {
  single_ = new QLineEdit(this);
  combine_ = new QLineEdit(this);
  single_->setObjectName(QStringLiteral("single"));
  combine_->setObjectName(QStringLiteral("combine"));
  single_->setGeometry(RectOf(Geometry::kSingleField));
  combine_->setGeometry(RectOf(Geometry::kCombineField));
  for (QLineEdit* field : {single_, combine_}) {
    field->setReadOnly(true);
    field->setFrame(false);
    WhiteOnBlack(*field);
  }
  // The selection, not the current row: Qt makes row 0 current when a list gains the focus
  // with nothing selected, and Save would then bind its line 0 instead of restoring the default.
  macros_ = MakeList(QStringLiteral("macros"), [this](int line) { model_.SelectMacro(line); });
  host_actions_ =
      MakeList(QStringLiteral("host_actions"), [this](int line) { model_.SelectHostAction(line); });
  tree_ = new VividTree(this);
  tree_->setObjectName(QStringLiteral("functions"));
  tree_->setGeometry(RectOf(Geometry::kListPlace));
  connect(tree_, &VividTree::SelectionTextChanged, this,
          [this](const QString& text) { model_.SelectFunction(text.toStdU16String()); });
  for (QWidget* control : {static_cast<QWidget*>(single_), static_cast<QWidget*>(combine_),
                           static_cast<QWidget*>(macros_), static_cast<QWidget*>(tree_),
                           static_cast<QWidget*>(host_actions_)}) {
    control->installEventFilter(this);
  }
}

QListWidget* CKeyMap::MakeList(const QString& name, std::function<void(int)> select) {
  auto* list = new QListWidget(this);
  list->setObjectName(name);
  list->setGeometry(RectOf(Geometry::kListPlace));
  list->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
  WhiteOnBlack(*list);
  connect(list, &QListWidget::itemSelectionChanged, this, [list, select = std::move(select)] {
    const QList<QListWidgetItem*> chosen = list->selectedItems();
    select(chosen.isEmpty() ? -1 : list->row(chosen.front()));
  });
  return list;
}

bool CKeyMap::Run() {
  model_.Open();
  const QImage& background = skins_.Picture(QString::fromLatin1(KeyDialogScene::kBackground));
  setFixedSize(background.isNull() ? QSize(kFallbackWidth, kFallbackHeight) : background.size());
  drag_.Reset();
  FillControls();
  const bool installed = hook_->Install(0);
  model_.SetHook(installed, installed ? hook_->reach() : KeyHookReach::kFocusedWindow,
                 hook_->limit());
  SyncControls();
  const bool accepted = exec() == QDialog::Accepted;
  hook_->Remove();
  model_.SetHook(false, KeyHookReach::kFocusedWindow);
  return accepted;
}

void CKeyMap::FillControls() {
  const QSignalBlocker quiet_list(macros_);
  macros_->clear();
  for (const auto& name : model_.macro_names()) {
    macros_->addItem(FromU16(name));
  }
  macros_->setCurrentRow(model_.selected_macro());
  const QSignalBlocker quiet_actions(host_actions_);
  host_actions_->clear();
  for (const HostAction& action : model_.host_actions()) {
    host_actions_->addItem(ToQString(KeyDialogTexts::HostActionText(action, model_.language())));
  }
  host_actions_->setCurrentRow(model_.selected_host_action());
  tree_->Build(FunctionTree::Roots(), model_.selected_function(), model_.expanded_function_group());
}

void CKeyMap::SyncControls() {
  // Moving the focus below comes back through the event filter; the model already knows.
  syncing_ = true;
  single_->setText(FromU16(model_.single_text()));
  combine_->setText(FromU16(model_.combine_text()));
  single_->setVisible(model_.Shows(KeyDialogControl::kSingleField));
  combine_->setVisible(model_.Shows(KeyDialogControl::kCombineField));
  macros_->setVisible(model_.Shows(KeyDialogControl::kMacroList));
  tree_->setVisible(model_.Shows(KeyDialogControl::kFunctionTree));
  host_actions_->setVisible(model_.Shows(KeyDialogControl::kHostActionList));
  const std::array<std::pair<KeyDialogControl, QWidget*>, 5> controls = {{
      {KeyDialogControl::kSingleField, single_},
      {KeyDialogControl::kCombineField, combine_},
      {KeyDialogControl::kMacroList, macros_},
      {KeyDialogControl::kFunctionTree, tree_},
      {KeyDialogControl::kHostActionList, host_actions_},
  }};
  for (const auto& [control, widget] : controls) {
    // Before the dialog shows, this names the control that gets the focus when it does.
    if (control == model_.focus() && !widget->isHidden() && !widget->hasFocus()) {
      widget->setFocus(Qt::OtherFocusReason);
    }
  }
  single_->end(false);
  combine_->end(false);
  syncing_ = false;
  update();
}

void CKeyMap::OnHookedKey(const HookedKey& key) {
  if (model_.KeyCaptured(key)) {
    SyncControls();
  }
}

void CKeyMap::Follow(const KeyDialogReaction& reaction) {
  if (reaction.message) {
    WindowMessageBox::Tell(this, model_.language(), QMessageBox::Warning,
                           Text(KeyDialogText::kWindowTitle), Text(*reaction.message));
  }
  if (reaction.browse_row) {
    Browse(*reaction.browse_row);
  }
  if (reaction.repaint) {
    SyncControls();
  }
  if (reaction.end == KeyDialogEnd::kAccepted) {
    accept();
  } else if (reaction.end == KeyDialogEnd::kRejected) {
    reject();
  }
}

void CKeyMap::Browse(std::size_t row) {
  const LaunchFileChoice choice = model_.FileChoice(row);
  QString path;
  if (choice.folder) {
    path = QFileDialog::getExistingDirectory(this, Text(KeyDialogText::kFolderChoiceTitle),
                                             QDir::homePath());
  } else {
    QFileDialog files(this, windowTitle(), QDir::homePath());
    files.setFileMode(QFileDialog::ExistingFile);
    QStringList filters;
    for (const std::string& filter : choice.filters) {
      filters << QString::fromStdString(filter);
    }
    files.setNameFilters(filters);
    if (files.exec() == QDialog::Accepted && !files.selectedFiles().isEmpty()) {
      path = files.selectedFiles().front();
    }
  }
  // A cancelled choice changes nothing.
  if (!path.isEmpty()) {
    Follow(model_.LaunchPathChosen(row, QDir::toNativeSeparators(path).toStdU16String()));
  }
}

void CKeyMap::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.fillRect(rect(), kFallbackBackground);
  PaintOps(painter, KeyDialogScene::Paint(model_), skins_);
}

void CKeyMap::mousePressEvent(QMouseEvent* event) {
  if (!drag_.Press(*event)) {
    QDialog::mousePressEvent(event);
  }
}

void CKeyMap::mouseMoveEvent(QMouseEvent* event) {
  if (drag_.Move(*event)) {
    return;
  }
  const QPoint at = event->position().toPoint();
  if (model_.MouseMove(at.x(), at.y())) {
    update();
  }
}

void CKeyMap::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    QDialog::mouseReleaseEvent(event);
    return;
  }
  if (drag_.ReleaseIsClick(*event)) {
    const QPoint at = event->position().toPoint();
    Follow(model_.Release(at.x(), at.y()));
  }
}

bool CKeyMap::TakeKey(QKeyEvent& event) {
  if (model_.hook_installed()) {
    // Captured keys come through the hook alone; a hook that sees only this window's keys
    // gets them from here, without a held key's repeats, which would fill the Combine field.
    if (!event.isAutoRepeat()) {
      hook_->WindowKey(XInputKeyHook::KeyOfEvent(event));
    }
    return true;
  }
  // Without the hook Enter and Esc neither save nor close.
  return event.key() == Qt::Key_Return || event.key() == Qt::Key_Enter ||
         event.key() == Qt::Key_Escape;
}

void CKeyMap::keyPressEvent(QKeyEvent* event) {
  if (!TakeKey(*event)) {
    QDialog::keyPressEvent(event);
  }
}

void CKeyMap::keyReleaseEvent(QKeyEvent* event) {
  if (!TakeKey(*event)) {
    QDialog::keyReleaseEvent(event);
  }
}

bool CKeyMap::event(QEvent* event) {
  if (event->type() != QEvent::ToolTip) {
    return QDialog::event(event);
  }
  auto& help = static_cast<QHelpEvent&>(*event);
  const std::u16string_view path = model_.PathToolTipAt(help.x(), help.y());
  AnswerToolTip(*this, help, QString::fromUtf16(path.data(), static_cast<qsizetype>(path.size())));
  return true;
}

bool CKeyMap::eventFilter(QObject* watched, QEvent* event) {
  switch (event->type()) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
      return TakeKey(*static_cast<QKeyEvent*>(event));
    case QEvent::FocusIn:
      if (!syncing_) {
        model_.Focused(ControlOf(watched));
        SyncControls();
      }
      break;
    default:
      break;
  }
  return QDialog::eventFilter(watched, event);
}

KeyDialogControl CKeyMap::ControlOf(const QObject* object) const {
  if (object == single_) {
    return KeyDialogControl::kSingleField;
  }
  if (object == combine_) {
    return KeyDialogControl::kCombineField;
  }
  if (object == host_actions_) {
    return KeyDialogControl::kHostActionList;
  }
  return object == macros_ ? KeyDialogControl::kMacroList : KeyDialogControl::kFunctionTree;
}

QString CKeyMap::Text(KeyDialogText text) const {
  return ToQString(model_.Text(text));
}

}  // namespace n240qx
