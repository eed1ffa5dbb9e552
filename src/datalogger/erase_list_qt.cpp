// SPDX-License-Identifier: GPL-3.0-or-later
#include "datalogger/erase_list_qt.h"

#include <QAbstractItemView>
#include <QAction>
#include <QKeyEvent>
#include <QTimer>
#include <QToolBar>
#include <algorithm>

namespace orvane {

namespace {

// The tool bar's Erase button in `window`, if it has one.
QWidget* EraseButton(QWidget& window) {
  auto* toolbar = window.findChild<QToolBar*>("Toolbar1");
  if (toolbar == nullptr) return nullptr;
  for (QAction* action : toolbar->actions())
    if (action->objectName() == "Erase") return toolbar->widgetForAction(action);
  return nullptr;
}

}  // namespace

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

void DropDownEraseList(QComboBox& list) {
  list.setSizeAdjustPolicy(QComboBox::AdjustToContents);
  QWidget* host = list.parentWidget();
  QWidget* button = host != nullptr ? EraseButton(*host) : nullptr;
  const QSize fit = list.sizeHint();  // the longest entry's width
  if (button != nullptr && button->isVisible()) {
    QRect place(button->mapTo(host, QPoint(0, button->height())),
                QSize(std::max(fit.width(), button->width()), fit.height()));
    if (place.right() >= host->width()) place.moveRight(host->width() - 1);
    place.moveLeft(std::max(place.left(), 0));
    list.setGeometry(place);
  } else {
    list.resize(std::max(fit.width(), list.width()), list.height());
  }
  list.view()->setMinimumWidth(list.view()->sizeHintForColumn(0) + 2 * list.view()->frameWidth());
  list.show();
  list.raise();
  if (button != nullptr && button->isVisible()) list.showPopup();
}

}  // namespace orvane
