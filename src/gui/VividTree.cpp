#include "gui/VividTree.h"

#include <QLinearGradient>
#include <QPainter>

namespace n240qx {

namespace {

QString FromView(std::u16string_view text) {
  return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

// 0xFFA080, 0xFFFFFF and 0xE0D5D5 as the window system writes colours: blue in the high byte.
const QColor VividTree::kLightBlue(0x80, 0xA0, 0xFF);
const QColor VividTree::kWhite(0xFF, 0xFF, 0xFF);
const QColor VividTree::kLightGrey(0xD5, 0xD5, 0xE0);

VividTree::VividTree(QWidget* parent) : QTreeWidget(parent) {
  setHeaderHidden(true);
  setColumnCount(1);
  setRootIsDecorated(true);
  setFrameShape(QFrame::NoFrame);
  // The gradient is painted below the items; nothing else may clear it.
  viewport()->setAutoFillBackground(false);
  QPalette colours = palette();
  colours.setColor(QPalette::Text, Qt::black);
  colours.setColor(QPalette::Highlight, kLightBlue.darker(160));
  colours.setColor(QPalette::HighlightedText, kWhite);
  setPalette(colours);
  connect(this, &QTreeWidget::itemSelectionChanged, this,
          [this] { emit SelectionTextChanged(SelectedText()); });
}

void VividTree::Build(std::span<const FunctionTreeRoot> roots, std::u16string_view selected,
                      std::u16string_view expanded) {
  const QSignalBlocker quiet(this);
  clear();
  for (const auto& root : roots) {
    QTreeWidgetItem* item = AddItem(nullptr, root.name, selected);
    if (!root.children.empty()) {
      item->setChildIndicatorPolicy(QTreeWidgetItem::ShowIndicator);
    }
    for (const auto child : root.children) {
      AddItem(item, child, selected);
    }
    item->setExpanded(!expanded.empty() && root.name == expanded);
  }
}

QTreeWidgetItem* VividTree::AddItem(QTreeWidgetItem* parent, std::u16string_view name,
                                    std::u16string_view selected) {
  auto* item = parent != nullptr ? new QTreeWidgetItem(parent) : new QTreeWidgetItem(this);
  item->setText(0, FromView(name));
  if (!selected.empty() && name == selected) {
    setCurrentItem(item);
    item->setSelected(true);
  }
  return item;
}

QString VividTree::SelectedText() const {
  const QList<QTreeWidgetItem*> items = selectedItems();
  return items.isEmpty() ? QString() : items.front()->text(0);
}

void VividTree::paintEvent(QPaintEvent* event) {
  {
    QPainter painter(viewport());
    QLinearGradient gradient(0, 0, 0, viewport()->height());
    gradient.setColorAt(0, kLightBlue);
    gradient.setColorAt(0.5, kWhite);
    gradient.setColorAt(1, kLightGrey);
    painter.fillRect(viewport()->rect(), gradient);
  }
  QTreeWidget::paintEvent(event);
}

}  // namespace n240qx
