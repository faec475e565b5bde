#include "gui/CTransparentListBox.h"

#include <QItemSelectionModel>
#include <QMouseEvent>
#include <QWheelEvent>

namespace n240qx {

namespace {
// The edit box stands out of its item by this much above and below, so the text is not cut.
constexpr int kEditOverhang = 2;
}  // namespace

CTransparentListBox::CTransparentListBox(QWidget* parent, bool sorted)
    : QListView(parent),
      model_(sorted),
      adapter_(new ListItemsAdapter(model_, this)),
      editor_(new CEditHelper(viewport())) {
  setModel(adapter_);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setFrameShape(QFrame::NoFrame);
  setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  // The dialog's picture shows through everywhere but the text.
  viewport()->setAutoFillBackground(false);
  setAutoFillBackground(false);
  SetColours(Qt::white, QColor(0, 255, 255));
  editor_->SetTextRule(
      [this](const QString& text) { return model_.EditTextAllowed(text.toStdString()); });
  connect(editor_, &CEditHelper::EditEnded, this, &CTransparentListBox::EndEditing);
  connect(selectionModel(), &QItemSelectionModel::currentChanged, this,
          [this](const QModelIndex& current) { OnCurrentChanged(current); });
}

void CTransparentListBox::SetColours(const QColor& text, const QColor& highlight) {
  QPalette colours = palette();
  colours.setColor(QPalette::Base, Qt::transparent);
  colours.setColor(QPalette::Window, Qt::transparent);
  colours.setColor(QPalette::Text, text);
  colours.setColor(QPalette::Highlight, Qt::transparent);
  colours.setColor(QPalette::HighlightedText, highlight);
  setPalette(colours);
  // The edit box keeps the system's look, so what is typed stays readable.
  editor_->setPalette(QPalette());
}

QString CTransparentListBox::Text(int index) const {
  if (index < 0 || index >= model_.count()) {
    return {};
  }
  return QString::fromStdString(model_.items()[static_cast<std::size_t>(index)]);
}

QRect CTransparentListBox::ItemRect(int index) const {
  return visualRect(adapter_->index(index));
}

int CTransparentListBox::AddString(const QString& text) {
  return InsertString(model_.count(), text);
}

int CTransparentListBox::InsertString(int index, const QString& text) {
  const int at = model_.Insert(index, text.toStdString());
  ShowItems();
  return at;
}

void CTransparentListBox::DeleteString(int index) {
  model_.Remove(index);
  ShowItems();
}

void CTransparentListBox::ResetContent() {
  model_.Clear();
  ShowItems();
}

void CTransparentListBox::SetCurrentRow(int index) {
  model_.Select(index);
  ShowItems();
}

void CTransparentListBox::ShowItems() {
  // A changed list closes the edit box the model has already given up.
  if (model_.editing() < 0) {
    editor_->hide();
  }
  const QSignalBlocker quiet(selectionModel());
  adapter_->Reload();
  if (model_.selected() >= 0) {
    const QModelIndex current = adapter_->index(model_.selected());
    selectionModel()->setCurrentIndex(current, QItemSelectionModel::ClearAndSelect);
  }
}

void CTransparentListBox::OnCurrentChanged(const QModelIndex& current) {
  model_.Select(current.isValid() ? current.row() : -1);
  emit CurrentRowChanged(model_.selected());
}

void CTransparentListBox::mouseDoubleClickEvent(QMouseEvent* event) {
  const QModelIndex item = indexAt(event->position().toPoint());
  if (!item.isValid() || event->button() != Qt::LeftButton) {
    QListView::mouseDoubleClickEvent(event);
    return;
  }
  const auto text = model_.BeginEdit(item.row());
  if (!text) {
    return;
  }
  emit EditBegins(item.row());
  // The owner may have changed the list on the way; then there is nothing left to edit.
  if (model_.editing() != item.row()) {
    return;
  }
  editor_->Open(QString::fromStdString(*text),
                visualRect(item).adjusted(0, -kEditOverhang, 0, kEditOverhang));
}

void CTransparentListBox::EndEditing(bool accepted) {
  if (model_.editing() < 0) {
    return;
  }
  const auto notices = model_.EndEdit(accepted, editor_->text().toStdString());
  // Hiding the box moves the focus away from it; the model has already closed the edit, so
  // that second ending does nothing. A focus that went elsewhere stays there.
  const bool keys_ended_it = editor_->hasFocus();
  editor_->hide();
  if (keys_ended_it) {
    setFocus(Qt::OtherFocusReason);
  }
  ShowItems();
  for (const ListNotice& notice : notices) {
    Notify(notice);
  }
}

void CTransparentListBox::Notify(const ListNotice& notice) {
  switch (notice.kind) {
    case ListNotice::Kind::kEditAccepted:
      emit EditAccepted(notice.first, notice.second);
      break;
    case ListNotice::Kind::kItemChanged:
      emit ItemChanged(notice.first, QString::fromStdString(notice.old_text));
      break;
  }
}

void CTransparentListBox::wheelEvent(QWheelEvent* event) {
  EndEditing(true);
  QListView::wheelEvent(event);
}

}  // namespace n240qx
