// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The panel's erase list ComboErase: a drop-down list that Escape puts away whole, both
// with its list open and with only its box on the LCD. A pick is reported by the
// combo box's activated signal as usual. The list drops down under the tool bar's Erase
// button, which filled it.

#include <QComboBox>

namespace orvane {

class EraseList final : public QComboBox {
 public:
  explicit EraseList(QWidget* parent);

  void showPopup() override;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;
};

// Shows the erase list under the tool bar's Erase button of its window (where there is
// one), wide enough for its longest entry, and opens its list.
void DropDownEraseList(QComboBox& list);

}  // namespace orvane
