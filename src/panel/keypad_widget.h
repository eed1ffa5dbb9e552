// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The meter's keys on the panel. The keypad shows three rows of five buttons of the
// button array CmdBtn plus the key Cmdref; an older key set lies in the picture box
// PicOdd, outside the panel's designed client area: label keys over outline shapes that
// turn white while held, the buttons Command1..Command14 (there is no 11) and the other
// CmdBtn members. Every key sends its code to the meter as a command alone, with the
// poll (Timer1) and the record tick (Timer2) stopped around the send.
//
// Object names: a member of an array is named with its index appended, as "CmdBtn4",
// "Shapecd0", "ShapeAVG2"; the other controls carry their own name ("Cmdref", "CmdMem",
// "Command12", "PicOdd").

#include <QColor>
#include <QLabel>
#include <QPushButton>
#include <QWidget>
#include <cstdint>
#include <vector>

#include "ui/panel_context.h"

namespace orvane {

// An outline shape of the older key set: a rounded outline with a border and a fill.
class KeyShape final : public QWidget {
  Q_OBJECT

 public:
  KeyShape(QColor color, QWidget* parent);
  QColor BackColor() const { return fill_; }
  QColor BorderColor() const { return border_; }
  void SetColors(QColor border, QColor fill);

 protected:
  void paintEvent(QPaintEvent* event) override;

 private:
  QColor border_;
  QColor fill_;
};

// A label key of the older set: reports mouse-down and mouse-up (any mouse button).
class LabelKey final : public QLabel {
  Q_OBJECT

 public:
  using QLabel::QLabel;

 signals:
  void MouseDown();
  void MouseUp();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
};

class KeypadWidget final : public QWidget {
  Q_OBJECT

 public:
  KeypadWidget(PanelContext& ctx, QWidget* parent = nullptr);

  // Handlers, public so tests call them as the events would.
  void CmdBtn_Click(int index);
  void Cmdref_Click();
  void Command_Click(int number);
  void LabelKey_MouseDown(const QString& key);
  void LabelKey_MouseUp(const QString& key);

  // The keypad's place in the panel's client area, in pixels.
  static QRect KeypadGeometry();

 private:
  struct LabelKeyInfo {
    const char* name;
    std::uint8_t code;
    std::vector<KeyShape*> shapes;
  };

  void SendKey(std::uint8_t code);
  void BuildKeypad();
  void BuildOldKeys();
  QPushButton* AddCmdBtn(int index, const QString& caption, QRect twips, QWidget* parent);
  LabelKeyInfo* FindLabelKey(const QString& key);

  // What a mouse-down on a label key keeps for its mouse-up.
  struct HeldKey {
    // Fill colour of the pressed key's first shape, put back at mouse-up; shared by all
    // label keys.
    QColor SavedKeyColor;
    // Monotonic milliseconds of the last mouse-down on CmdMem (a monotonic clock, so a
    // press held across midnight measures its true length).
    std::int64_t MemPressTime = 0;
  };

  PanelContext& ctx_;
  QWidget* picOdd_ = nullptr;
  std::vector<LabelKeyInfo> labelKeys_;
  HeldKey held_;
};

}  // namespace orvane
