#pragma once

#include <QColor>
#include <QFont>
#include <QListView>
#include <QString>

#include "dialogs/ListBoxModel.h"
#include "gui/CEditHelper.h"
#include "gui/ListItemsAdapter.h"

namespace n240qx {

// The skinned list of the profile and macro dialogs: items drawn in the owner's font and
// colours straight onto the dialog's background, and an in-place editor opened by a
// double-click. The rules are ListBoxModel's; this widget shows its items and forwards input.
//
// Notifications to the owner, as signals: EditBegins before the edit box opens; after an
// accepted edit, ItemChanged (when reporting changes) and EditAccepted in the order the model
// gives, sent once the box is closed and the list shows the new text. Esc sends nothing.
class CTransparentListBox : public QListView {
  Q_OBJECT

 public:
  explicit CTransparentListBox(QWidget* parent, bool sorted = false);

  const ListBoxModel& items() const { return model_; }
  void SetEditMode(ListEditMode mode) { model_.SetMode(mode); }
  void SetReportChanges(bool report) { model_.SetReportChanges(report); }
  void SetColours(const QColor& text, const QColor& highlight);

  int Count() const { return model_.count(); }
  QString Text(int index) const;
  // Returns the index the item went to.
  int AddString(const QString& text);
  int InsertString(int index, const QString& text);
  void DeleteString(int index);
  void ResetContent();
  // -1 when nothing is selected.
  int CurrentRow() const { return model_.selected(); }
  void SetCurrentRow(int index);

  int EditingIndex() const { return model_.editing(); }
  CEditHelper* editor() const { return editor_; }
  // Where item `index` is drawn, in the list's viewport.
  QRect ItemRect(int index) const;
  // Ends an open edit as Enter would (true) or Esc (false).
  void EndEditing(bool accepted);

 signals:
  void EditBegins(int index);
  void EditAccepted(int first, int second);
  void ItemChanged(int index, const QString& old_text);
  void CurrentRowChanged(int index);

 protected:
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void wheelEvent(QWheelEvent* event) override;

 private:
  void ShowItems();
  void OnCurrentChanged(const QModelIndex& current);
  void Notify(const ListNotice& notice);

  ListBoxModel model_;
  ListItemsAdapter* adapter_;
  CEditHelper* editor_;
};

}  // namespace n240qx
