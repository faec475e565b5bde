#pragma once

#include <QAbstractListModel>

#include "dialogs/ListBoxModel.h"

namespace n240qx {

// Shows a ListBoxModel's items to a Qt item view; the list model stays the one owner of them.
class ListItemsAdapter : public QAbstractListModel {
  Q_OBJECT

 public:
  ListItemsAdapter(const ListBoxModel& items, QObject* parent)
      : QAbstractListModel(parent), items_(items) {}

  int rowCount(const QModelIndex& parent) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  // The items changed: the view reads them again.
  void Reload();

 private:
  const ListBoxModel& items_;
};

}  // namespace n240qx
