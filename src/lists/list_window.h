// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The real-time list: two tables of timed rows, one with the main reading in lux
// (ListM), one in foot-candles (ListI), one of them shown at a time. The panel's
// one-second tick appends the rows; the window can save the table it shows.

#include <QAbstractListModel>
#include <QWidget>
#include <string>
#include <string_view>
#include <vector>

#include "lists/list_rows.h"
#include "lists/list_table.h"
#include "ui/panel_context.h"

class QAction;
class QLabel;
class QTableView;

namespace orvane {

// One table of the list as a Qt model: rows are formatted once and kept compact in a
// ListTable; the view asks only for the rows it draws.
class ListTableModel final : public QAbstractListModel {
  Q_OBJECT
 public:
  using QAbstractListModel::QAbstractListModel;
  int rowCount(const QModelIndex& parent = {}) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  void Append(std::string_view row);
  const ListTable& Table() const { return table_; }

 private:
  ListTable table_;
};

class List final : public QWidget {
  Q_OBJECT
 public:
  explicit List(PanelContext& ctx, QWidget* parent = nullptr);

  // One record tick: a row for each table, the newest rows kept in view. While the
  // shown table is being saved, rows wait and are appended when the save ends.
  void AppendRows(const ListRowPair& rows);
  // The unit system the list started with (the display's when it opened).
  UnitSystem System() const { return system_; }
  // Tool bar buttons.
  void Toolbar1_Unit();
  void Toolbar1_Save();
  // Save is greyed while a recording runs, its tool tip saying why.
  void ShowRecording(bool recording);

  const ListTable& RowsM() const { return modelM_.Table(); }
  const ListTable& RowsI() const { return modelI_.Table(); }

 protected:
  void showEvent(QShowEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  void SetTitles();
  void ShowTableOfGraphUnit();
  void KeepNewestOfShownInView();
  void KeepNewestInView(QTableView& view);
  std::string WriteShownTable(const std::string& path);

  PanelContext& ctx_;
  ListTableModel modelM_;
  ListTableModel modelI_;
  QTableView* listM_ = nullptr;
  QTableView* listI_ = nullptr;
  QLabel* titleM_ = nullptr;
  QLabel* titleI_ = nullptr;
  QAction* save_ = nullptr;
  bool loaded_ = false;
  bool saving_ = false;
  std::vector<ListRowPair> waiting_;  // rows of the ticks during a save
  UnitSystem system_ = UnitSystem::Metric;
};

}  // namespace orvane
