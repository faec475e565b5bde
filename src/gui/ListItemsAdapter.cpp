#include "gui/ListItemsAdapter.h"

namespace n240qx {

int ListItemsAdapter::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : items_.count();
}

QVariant ListItemsAdapter::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid() || index.row() >= items_.count()) {
    return {};
  }
  return QString::fromStdString(items_.items()[static_cast<std::size_t>(index.row())]);
}

void ListItemsAdapter::Reload() {
  beginResetModel();
  endResetModel();
}

}  // namespace n240qx
