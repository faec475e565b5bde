#pragma once

#include <QDialog>

#include "keys/PendingAssignment.h"

namespace n240qx {

// The key assignment dialog. For now it only names the key and ends with Close, leaving the
// pending assignment as it found it; the window already runs the OK path (the assignment
// step, the key's mark and enable bit, keymap.bin) whenever a dialog ends with OK.
class CKeyMap : public QDialog {
  Q_OBJECT

 public:
  CKeyMap(PendingAssignment& pending, QWidget* parent);

 private:
  PendingAssignment& pending_;
};

}  // namespace n240qx
