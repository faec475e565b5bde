#include "gui/CKeyMap.h"

#include <QDialogButtonBox>
#include <QLabel>
#include <QVBoxLayout>

#include "keys/KeyTable.h"

namespace n240qx {

CKeyMap::CKeyMap(PendingAssignment& pending, QWidget* parent) : QDialog(parent), pending_(pending) {
  setWindowTitle(QStringLiteral("Key assignment"));
  const KeyTableRow* row = KeyTable::ByIndex(pending_.current_key);
  const QString key = row != nullptr ? QString::fromUtf8(row->label.data(),
                                                         static_cast<qsizetype>(row->label.size()))
                                     : QString::number(pending_.current_key);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(QStringLiteral("Key: %1").arg(key), this));
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  layout->addWidget(buttons);
}

}  // namespace n240qx
