// SPDX-License-Identifier: GPL-3.0-or-later
#include "lists/list_window.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QHeaderView>
#include <QLabel>
#include <QLayout>
#include <QScrollBar>
#include <QStyle>
#include <QTableView>
#include <QToolBar>
#include <QVBoxLayout>
#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fstream>
#include <utility>

#include "lists/list_file.h"
#include "recording/file_choice.h"

namespace orvane {

namespace {

constexpr int kTabStop = 8;
// A row as drawn: number, time, reading and cd, each padded to the next tab stop.
constexpr int kRowChars = 64;

// A row as drawn: TABs expanded to stops every eight characters of the fixed font, so
// the columns line up under the titles.
QString ExpandTabs(std::string_view row) {
  QString out;
  out.reserve(static_cast<qsizetype>(row.size()) + 16);
  for (char c : row) {
    if (c != '\t') {
      out += QLatin1Char(c);
      continue;
    }
    do out += QLatin1Char(' ');
    while (out.size() % kTabStop != 0);
  }
  return out;
}

// A one-column table with rows of one fixed height: appending a row and scrolling cost
// the same whether the table holds ten rows or a day of them.
QTableView* MakeTableView(const char* name, ListTableModel& model, QWidget* parent) {
  auto* view = new QTableView(parent);
  view->setObjectName(name);
  view->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  view->setModel(&model);
  view->setShowGrid(false);
  view->setWordWrap(false);
  view->setTextElideMode(Qt::ElideNone);
  view->setSelectionBehavior(QAbstractItemView::SelectRows);
  view->setVerticalScrollMode(QAbstractItemView::ScrollPerItem);
  view->setEditTriggers(QAbstractItemView::NoEditTriggers);
  view->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
  view->horizontalHeader()->hide();
  view->horizontalHeader()->setStretchLastSection(true);
  view->verticalHeader()->hide();
  view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  view->verticalHeader()->setDefaultSectionSize(QFontMetrics(view->font()).height() + 2);
  const int rowHeight = view->verticalHeader()->defaultSectionSize();  // the style's least
  // At least the rows kept in view; a taller window shows more of them.
  view->setMinimumHeight(rowHeight * static_cast<int>(kListRowsInView) + 2 * view->frameWidth());
  return view;
}

QLabel* MakeTitle(const char* name, QWidget* parent) {
  auto* label = new QLabel(parent);
  label->setObjectName(name);
  label->setTextFormat(Qt::PlainText);
  label->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
  return label;
}

// The save dialog of text files; its answer becomes SaveFileName and SaveAccepted.
bool AskSaveFile(PanelContext& ctx) {
  ShowSaveDialog(ctx.dialogs, ctx.state, ctx.Files(), ctx.clock.Now(), {}, kListTextSave);
  return ctx.state.SaveAccepted;
}

constexpr const char* kSaveTip = "Save As";
constexpr const char* kSaveWhileRecordingTip =
    "Save As: not while a recording runs (stop the recording first)";

}  // namespace

int ListTableModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(table_.Size());
}

QVariant ListTableModel::data(const QModelIndex& index, int role) const {
  if (role != Qt::DisplayRole || !index.isValid()) return {};
  return ExpandTabs(table_.Row(static_cast<std::size_t>(index.row())));
}

void ListTableModel::Append(std::string_view row) {
  const int at = static_cast<int>(table_.Size());
  beginInsertRows({}, at, at);
  table_.Append(row);
  endInsertRows();
}

List::List(PanelContext& ctx, QWidget* parent)
    : QWidget(parent, Qt::Window), ctx_(ctx), system_(ctx.Reading().system) {
  setObjectName("List");
  setWindowTitle("Real Time List");
  setAttribute(Qt::WA_DeleteOnClose);
  BuildControls();
  SetTitles();
  adjustSize();                   // the rows in view and their titles, no blank below
  ctx_.PlaceRightOfPanel(*this);  // before it shows, as every secondary window
}

void List::BuildControls() {
  auto* toolbar = new QToolBar(this);
  toolbar->setObjectName("Toolbar1");
  save_ = toolbar->addAction("Save", this, &List::Toolbar1_Save);
  save_->setObjectName("Save");
  save_->setToolTip(kSaveTip);
  QAction* unit = toolbar->addAction("Unit", this, &List::Toolbar1_Unit);
  unit->setObjectName("Unit");
  unit->setToolTip("Lux / Fc");

  titleM_ = MakeTitle("LblTitleM", this);
  titleI_ = MakeTitle("LblTitleI", this);
  listM_ = MakeTableView("ListM", modelM_, this);
  listI_ = MakeTableView("ListI", modelI_, this);

  // The titles sit right on top of their rows; the rows take the rest of the height.
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(4, 0, 4, 4);
  layout->setSpacing(0);
  layout->addWidget(toolbar);
  layout->addSpacing(4);
  layout->addWidget(titleM_);
  layout->addWidget(titleI_);
  layout->addWidget(listM_, 1);
  layout->addWidget(listI_, 1);
  // Wide enough for the widest title and a whole row beside the scroll bar.
  const QFontMetrics metrics(listM_->font());
  const int text = std::max(metrics.horizontalAdvance(titleM_->text()),
                            metrics.horizontalAdvance(QString(kRowChars, QLatin1Char('0'))));
  const int scrollBar = listM_->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  setMinimumWidth(text + scrollBar + 2 * listM_->frameWidth() + 16);
}

void List::SetTitles() {
  // No measuring distance is known: its column stays blank.
  titleM_->setText(QString::fromStdString(ListTitleMetric("")));
  titleI_->setText(QString::fromStdString(ListTitleImperial("")));
}

void List::showEvent(QShowEvent* event) {
  QWidget::showEvent(event);
  if (loaded_) return;
  loaded_ = true;
  ShowTableOfGraphUnit();
}

// The table that GraphUnit selects, with its title.
void List::ShowTableOfGraphUnit() {
  const bool metric = ctx_.state.GraphUnit == "lx";
  titleM_->setVisible(metric);
  listM_->setVisible(metric);
  titleI_->setVisible(!metric);
  listI_->setVisible(!metric);
}

void List::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  SetTitles();
  if (!loaded_) return;
  ShowTableOfGraphUnit();
  KeepNewestOfShownInView();
}

// A taller window shows more of the newest rows; the table shown keeps them in view.
void List::KeepNewestOfShownInView() {
  layout()->invalidate();  // the table just shown gets its height before it is scrolled
  layout()->activate();
  KeepNewestInView(listM_->isVisibleTo(this) ? *listM_ : *listI_);
}

void List::closeEvent(QCloseEvent* event) {
  if (saving_) {  // the rows are being written out: the window stays until done
    event->ignore();
    return;
  }
  ctx_.state.ListRowCount = 0;
  QWidget::closeEvent(event);
}

void List::Toolbar1_Unit() {
  for (QWidget* w : {static_cast<QWidget*>(titleM_), static_cast<QWidget*>(titleI_),
                     static_cast<QWidget*>(listM_), static_cast<QWidget*>(listI_)}) {
    w->setVisible(!w->isVisibleTo(this));
  }
  KeepNewestOfShownInView();
}

void List::ShowRecording(bool recording) {
  if (save_->isEnabled() != recording) return;
  save_->setEnabled(!recording);
  save_->setToolTip(recording ? kSaveWhileRecordingTip : kSaveTip);
}

// The newest rows at the bottom of the table, as many as its height shows whole (15 as
// the window opens); while every row fits, the table does not scroll.
void List::KeepNewestInView(QTableView& view) {
  view.doItemsLayout();  // the scroll range must count the row just added
  view.scrollToBottom();
}

void List::AppendRows(const ListRowPair& rows) {
  if (saving_) {
    waiting_.push_back(rows);
    return;
  }
  modelM_.Append(rows.metric);
  modelI_.Append(rows.imperial);
  KeepNewestInView(*listM_);
  KeepNewestInView(*listI_);
}

void List::Toolbar1_Save() {
  if (ctx_.recording.RecordingOn() || saving_) return;
  if (!AskSaveFile(ctx_)) return;
  // The shown table holds still while it is written; the ticks meanwhile wait, and the
  // recording goes on.
  saving_ = true;
  const QString caption = windowTitle();
  QApplication::setOverrideCursor(Qt::WaitCursor);
  const std::string path = ctx_.state.SaveFileName;
  const std::string failure = WriteShownTable(path);
  QApplication::restoreOverrideCursor();
  setWindowTitle(caption);
  saving_ = false;
  for (const ListRowPair& rows : std::exchange(waiting_, {})) AppendRows(rows);
  if (!failure.empty()) {
    ctx_.dialogs.Message(failure, MessageIcon::Critical, MessageButtons::Ok,
                         windowTitle().toStdString());
  }
}

// Writes the table shown now; what went wrong, naming the file, or nothing when the file
// was written whole.
std::string List::WriteShownTable(const std::string& path) {
  const bool metric = titleM_->isVisibleTo(this);
  const QLabel& title = metric ? *titleM_ : *titleI_;
  const ListTable& rows = metric ? modelM_.Table() : modelI_.Table();
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  if (!out) {
    return "The list could not be saved to\n" + path + "\n" + std::strerror(errno) +
           ". Nothing was written.";
  }
  const bool written = WriteListText(out, ListSaveHeader(title.text().toStdString(), metric), rows,
                                     [this](std::size_t n) {
                                       setWindowTitle(QString::number(n) + " Records Completed");
                                       QApplication::processEvents();
                                     });
  out.close();
  if (written && !out.fail()) return {};
  return "The list could not be written to\n" + path + "\nThe file is incomplete.";
}

}  // namespace orvane
