#pragma once

#include <QLineEdit>
#include <QString>
#include <functional>

namespace n240qx {

// The in-place edit box of a CTransparentListBox. It tells the list when editing ends: accepted
// on Enter and when it loses the focus, not accepted on Esc. Text the list's rule refuses
// (letters among delay digits) never appears in the box.
class CEditHelper : public QLineEdit {
  Q_OBJECT

 public:
  explicit CEditHelper(QWidget* parent);

  // Which texts the box may hold; everything when unset.
  void SetTextRule(std::function<bool(const QString&)> allowed) { allowed_ = std::move(allowed); }
  // Shows `text` all selected, focused, over `area`.
  void Open(const QString& text, const QRect& area);

 signals:
  void EditEnded(bool accepted);

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void focusOutEvent(QFocusEvent* event) override;

 private:
  void KeepAllowed(const QString& text);

  std::function<bool(const QString&)> allowed_;
  QString last_allowed_;
};

}  // namespace n240qx
