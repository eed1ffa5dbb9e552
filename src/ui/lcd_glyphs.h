// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// How the panel's LCD draws: digit cells in a seven- or fourteen-segment face with the
// unlit segments faintly visible, and the veil that dims the whole face while no meter
// is connected.

#include <QColor>
#include <QFont>
#include <QLabel>
#include <QWidget>

namespace orvane {

inline const QColor kLcdFaceColor(0xc3, 0xcf, 0xb4);
inline const QColor kLcdSegmentColor(0x1c, 0x24, 0x1c);
// Legends printed on the glass: always there, never lit.
inline const QColor kLcdLegendColor(0x84, 0x90, 0x78);

// The segment face for a cell's text: seven segments for numerals, fourteen where a
// letter occurs. Falls back to the default face when the LCD fonts are not installed.
QFont SegmentFont(const QString& text);
// The text that lights every segment of `cells` cells in that face.
QString AllSegments(const QString& text);

// A digit cell: keeps its caption as the exact decoded text and draws it in the segment
// face, on the baseline the cell's designed font would use. A text wider than the cell
// (a three-figure code in one small cell) is drawn smaller so that it fits whole.
class LcdDigitLabel final : public QLabel {
  Q_OBJECT

 public:
  // `design` is the cell's designed font; its ascent gives the baseline and the height
  // of the segments.
  LcdDigitLabel(const QString& caption, const QFont& design, QWidget* parent);

  // The pixel size the text is drawn at; smaller than the designed one only when the
  // text would not fit the cell's width.
  int DrawnPixelSize() const;

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QFont FontFor(const QString& text, int pixelSize) const;
  int baseline_;
  int segmentHeight_;
};

// Covers the LCD face while no meter is connected: the face is dimmed and a notice says
// so. Mouse clicks pass through to nothing underneath (the LCD takes none).
class LcdVeil final : public QWidget {
  Q_OBJECT

 public:
  explicit LcdVeil(QWidget* parent);
  static constexpr const char* kNotice = "No meter connected";

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace orvane
