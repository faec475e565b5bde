#pragma once

#include <QColor>
#include <QTreeWidget>
#include <span>
#include <string_view>

#include "dialogs/FunctionTree.h"

namespace n240qx {

// The function tree of the key assignment dialog: a tree on a light-blue-to-grey gradient that
// it paints itself, dark text, and the selected item in white on a deeper blue.
class VividTree : public QTreeWidget {
  Q_OBJECT

 public:
  // The three colours of the gradient and the text, as red, green, blue.
  static const QColor kLightBlue;
  static const QColor kWhite;
  static const QColor kLightGrey;

  explicit VividTree(QWidget* parent = nullptr);

  // Builds the items in the given order, each after its siblings. The item named `selected`
  // is selected and made current, and the item named `expanded` opened.
  void Build(std::span<const FunctionTreeRoot> roots, std::u16string_view selected,
             std::u16string_view expanded);
  // The text of the selected item; empty when none is.
  QString SelectedText() const;

 signals:
  void SelectionTextChanged(const QString& text);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QTreeWidgetItem* AddItem(QTreeWidgetItem* parent, std::u16string_view name,
                           std::u16string_view selected);
};

}  // namespace n240qx
