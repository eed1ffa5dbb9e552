#include "datalogger/erase_list_qt.h"

#include <QAbstractItemView>
#include <QKeyEvent>
#include <QTimer>

namespace orvane {

EraseList::EraseList(QWidget* parent) : QComboBox(parent) {
  setObjectName("ComboErase");
}

void EraseList::showPopup() {
  view()->removeEventFilter(this);
  view()->installEventFilter(this);
  QComboBox::showPopup();
}

void EraseList::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape) {
    hide();
    return;
  }
  QComboBox::keyPressEvent(event);
}

// Escape in the open list closes the list (the combo box does that) and then the box.
bool EraseList::eventFilter(QObject* watched, QEvent* event) {
  if (watched == view() && event->type() == QEvent::KeyPress &&
      static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape) {
    QTimer::singleShot(0, this, &QWidget::hide);
  }
  return QComboBox::eventFilter(watched, event);
}

}  // namespace orvane
