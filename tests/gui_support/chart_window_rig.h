// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Helpers of the graph window tests: typing into a box as a user does, and reading pixels.

#include <QAction>
#include <QApplication>
#include <QColor>
#include <QImage>
#include <QKeyEvent>
#include <QLineEdit>
#include <QString>

namespace orvane::test {

// Each character goes through the box's key handling, filters included.
inline void TypeInto(QLineEdit* box, const QString& keys) {
  for (QChar c : keys) {
    const int key = c == QChar(8) ? int(Qt::Key_Backspace) : int(c.toUpper().unicode());
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier, QString(c));
    QApplication::sendEvent(box, &press);
  }
}

inline QColor Pixel(const QImage& image, int x, int y) {
  return QColor(image.pixel(x, y));
}

// How many pixels of a rectangle have the colour.
inline int CountColour(const QImage& image, int x1, int y1, int x2, int y2, const QColor& colour) {
  int n = 0;
  for (int y = y1; y <= y2; ++y) {
    for (int x = x1; x <= x2; ++x) n += QColor(image.pixel(x, y)) == colour;
  }
  return n;
}

}  // namespace orvane::test
