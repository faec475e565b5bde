#include "gui/QtDispatcher.h"

#include <QMetaObject>

namespace n240qx {

void QtDispatcher::Post(std::function<void()> task) {
  QMetaObject::invokeMethod(
      &receiver_, [task = std::move(task)] { task(); }, Qt::QueuedConnection);
}

}  // namespace n240qx
