// SPDX-License-Identifier: GPL-3.0-or-later
#include "datalogger/memory_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFontMetrics>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMouseEvent>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QTableWidget>
#include <QVBoxLayout>

#include "common/text_value.h"
#include "datalogger/logger_exchange.h"
#include "datalogger/logger_texts.h"
#include "datalogger/set_text_file.h"

namespace orvane {

namespace {

// Every text of the window is in the window's own font, one family throughout.
QLabel* NamedLabel(const char* name, const char* caption, QWidget* parent) {
  auto* label = new QLabel(QString::fromUtf8(caption), parent);
  label->setObjectName(name);
  return label;
}

ClickPanel* LegendBox(const char* name, QWidget* parent) {
  auto* box = new ClickPanel(parent);
  box->setObjectName(name);
  box->setFrameStyle(QFrame::Panel | QFrame::Raised);
  box->setFixedSize(24, 16);
  box->setAutoFillBackground(true);
  return box;
}

constexpr const char* kRowTip = "Click to download this record set";
constexpr const char* kEraseTip = "Click to erase all record sets\u2026";

// Progress of a download: report done of total, in percent.
int Percent(std::uint64_t done, std::uint64_t total) {
  return total == 0 ? 100 : static_cast<int>(done * 100 / total);
}

void Tell(PanelContext& ctx, const std::string& text) {
  ctx.dialogs.Message(text, MessageIcon::Critical, MessageButtons::Ok, kLoggerMessageTitle);
}

}  // namespace

std::optional<LoggerStatus> QueryStoredSets(PanelContext& ctx, std::optional<LinkHold>& hold) {
  const std::optional<LoggerStatus> status = QueryLoggerStatus(ctx.link);
  if (status && status->setCount > 0) return status;
  hold.reset();
  if (status) Tell(ctx, kNoDataText);
  return std::nullopt;
}

void LetEventsRun() {
  QCoreApplication::processEvents();
}

void ClickPanel::mouseReleaseEvent(QMouseEvent* event) {
  QFrame::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton) emit clicked();
}

void GaugePanel::mouseReleaseEvent(QMouseEvent* event) {
  QProgressBar::mouseReleaseEvent(event);
  if (event->button() == Qt::LeftButton) emit clicked();
}

// A window of its own, owned by the panel so that it goes when the panel goes.
MemoryWindow::MemoryWindow(PanelContext& ctx) : QWidget(ctx.panel, Qt::Window), ctx_(ctx) {
  setObjectName("Memory");
  setWindowTitle("Data Logger");
  setAttribute(Qt::WA_DeleteOnClose);
  BuildControls();
  SetUpGridHeader();
  ctx_.PlaceRightOfPanel(*this);
}

MemoryWindow::~MemoryWindow() = default;

// The unit option with a label that says what it is for.
QWidget* MemoryWindow::BuildUnitChoice() {
  auto* picOptLxFc = new QWidget(this);
  picOptLxFc->setObjectName("PicOptLxFc");
  auto* optRow = new QHBoxLayout(picOptLxFc);
  optRow->setContentsMargins(0, 0, 0, 0);
  QLabel* label = NamedLabel("LblUnit", "Unit of a downloaded set:", picOptLxFc);
  optRow->addWidget(label);
  const char* captions[2] = {"Lux", "Fc"};
  for (int i = 0; i < 2; ++i) {
    OptLuxFc_[i] = new QRadioButton(captions[i], picOptLxFc);
    OptLuxFc_[i]->setObjectName("OptLuxFc");
    OptLuxFc_[i]->setProperty("index", i);
    optRow->addWidget(OptLuxFc_[i]);
    connect(OptLuxFc_[i], &QRadioButton::clicked, this, [this, i] { OptLuxFc_Click(i); });
  }
  label->setBuddy(OptLuxFc_[0]);
  optRow->addStretch();
  return picOptLxFc;
}

void MemoryWindow::BuildControls() {
  MBar_ = new QProgressBar(this);
  MBar_->setObjectName("MBar");
  MBar_->setRange(0, 100);
  MBar_->setValue(0);
  MBar_->setTextVisible(false);  // a figure only while a download runs

  MSize_ = new GaugePanel(this);
  MSize_->setObjectName("MSize");
  MSize_->setRange(0, 100);
  MSize_->setValue(0);
  MSize_->setFormat("Memory Size");
  MSize_->setToolTip(kEraseTip);
  connect(MSize_, &GaugePanel::clicked, this, &MemoryWindow::EraseAll_Click);

  auto* legend = new QHBoxLayout;
  ClickPanel* used = LegendBox("SSPanel2", this);
  used->setStyleSheet("background: #000080;");
  ClickPanel* unused = LegendBox("SSPanel3", this);
  for (ClickPanel* box : {used, unused}) {
    box->setToolTip(kEraseTip);
    connect(box, &ClickPanel::clicked, this, &MemoryWindow::EraseAll_Click);
  }
  legend->addWidget(used);
  legend->addWidget(NamedLabel("Label2", "Used", this));
  legend->addWidget(unused);
  legend->addWidget(NamedLabel("Label3", "Unused", this));
  legend->addStretch();

  LblMemorySize_ = NamedLabel("LblMemorySize", "Capacity : 512 K", this);

  // Row 0 holds the header cells "Set" and "  Start Time  "; the grid shows them as its
  // fixed header, which stays in place while the set rows scroll, and a click on it is a
  // click on row 0.
  GridSet_ = new QTableWidget(1, 2, this);
  GridSet_->setObjectName("GridSet");
  GridSet_->verticalHeader()->hide();
  GridSet_->setRowHidden(0, true);
  GridSet_->horizontalHeader()->setStretchLastSection(true);
  GridSet_->horizontalHeader()->setSectionsClickable(true);
  GridSet_->horizontalHeader()->setHighlightSections(false);
  GridSet_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  GridSet_->setSelectionBehavior(QAbstractItemView::SelectRows);
  GridSet_->setSelectionMode(QAbstractItemView::SingleSelection);
  GridSet_->setMinimumHeight(GridSet_->verticalHeader()->defaultSectionSize() * 7);
  connect(GridSet_, &QTableWidget::cellClicked, this, [this](int row, int) { GridSet_Click(row); });
  connect(GridSet_, &QTableWidget::cellDoubleClicked, this,
          [this](int row, int) { GridSet_DblClick(row); });
  connect(GridSet_, &QTableWidget::currentCellChanged, this, &MemoryWindow::ShowDownloadable);
  connect(GridSet_->horizontalHeader(), &QHeaderView::sectionClicked, this,
          [this](int) { GridSet_Click(0); });

  CmdDownload_ = new QPushButton("Download", this);
  CmdDownload_->setObjectName("CmdDownload");
  CmdDownload_->setToolTip("Download the chosen record set and open it in the text editor");
  connect(CmdDownload_, &QPushButton::clicked, this, &MemoryWindow::CmdDownload_Click);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(CmdDownload_);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(BuildUnitChoice());
  layout->addWidget(LblMemorySize_);
  layout->addWidget(MSize_);
  layout->addLayout(legend);
  layout->addWidget(MBar_);
  layout->addWidget(GridSet_, 1);
  layout->addLayout(buttons);
  ShowDownloadable();
  resize(sizeHint().width(), 440);
}

// Row 0 is the grid's fixed header row; the set rows follow it.
void MemoryWindow::SetUpGridHeader() {
  const QFontMetrics metrics(font());
  GridSet_->setColumnWidth(0, metrics.horizontalAdvance(" No.S "));
  GridSet_->setColumnWidth(1, metrics.horizontalAdvance("AAAA/AA/AA AA:AA:AA"));
  const char* header[2] = {"Set", "  Start Time  "};
  for (int c = 0; c < 2; ++c) {
    auto* item = new QTableWidgetItem(header[c]);
    item->setFlags(Qt::ItemIsEnabled);
    GridSet_->setItem(0, c, item);
    GridSet_->setHorizontalHeaderItem(c, new QTableWidgetItem(header[c]));
  }
  GridSet_->setMinimumWidth(GridSet_->columnWidth(0) + GridSet_->columnWidth(1) +
                            GridSet_->style()->pixelMetric(QStyle::PM_ScrollBarExtent) +
                            2 * GridSet_->frameWidth() + 8);
}

void MemoryWindow::ShowStatus(const LoggerStatus& status) {
  status_ = status;
  LblMemorySize_->setText(QString::fromStdString(MemoryUsedCaption(status)));
  MSize_->setValue(MemoryGaugePercent(status));
}

void MemoryWindow::ShowSets(const std::vector<std::string>& setStamps) {
  GridSet_->setRowCount(1);  // the header row stays
  for (std::size_t k = 1; k < setStamps.size(); ++k) {
    const int row = GridSet_->rowCount();
    GridSet_->insertRow(row);
    GridSet_->setItem(row, 0, new QTableWidgetItem(QString::number(k)));
    GridSet_->setItem(row, 1,
                      new QTableWidgetItem(QString::fromStdString(StampDisplay(setStamps[k]))));
    for (int c = 0; c < 2; ++c) GridSet_->item(row, c)->setToolTip(kRowTip);
  }
  clickedRow_ = -1;
  ShowDownloadable();
}

// The Download button offers the current row when it names a record set.
void MemoryWindow::ShowDownloadable() {
  const int row = GridSet_->currentRow();
  CmdDownload_->setEnabled(!busy_ && row >= 1 && !StampOfRow(row).empty());
}

void MemoryWindow::SetProgress(int percent) {
  MBar_->setValue(percent);
}

void MemoryWindow::SetBusy(bool busy) {
  busy_ = busy;
  MBar_->setTextVisible(busy_);
  ShowDownloadable();
  if (!busy_ && closePending_) close();
}

void MemoryWindow::closeEvent(QCloseEvent* event) {
  if (busy_) {
    closePending_ = true;
    event->ignore();
    return;
  }
  QWidget::closeEvent(event);
}

// The set number is the numeric value of the row's first cell: the header's "Set"
// gives 0, whose stamp is always empty.
std::string MemoryWindow::StampOfRow(int row) const {
  const QTableWidgetItem* item = GridSet_->item(row, 0);
  const double n = item == nullptr ? 0 : NumericValue(item->text().toStdString());
  if (!(n >= 0 && n < 65536)) return {};
  return SetStampAt(ctx_.state.SetStamps, static_cast<long long>(n));
}

void MemoryWindow::GridSet_Click(int row) {
  // The header row (and a row without a stamp) names no record set: nothing to download.
  if (busy_ || row < 1 || StampOfRow(row).empty()) return;
  clickedRow_ = row;
  DownloadRecordSet(row);
}

void MemoryWindow::GridSet_DblClick(int row) {
  if (busy_) return;  // the first click's download of this very row still runs
  if (row == clickedRow_) {
    clickedRow_ = -1;
    return;
  }
  GridSet_Click(row);
}

void MemoryWindow::CmdDownload_Click() {
  GridSet_Click(GridSet_->currentRow());
}

void MemoryWindow::DownloadRecordSet(int row) {
  std::optional<LinkHold> hold = ctx_.TakeLink("download");
  if (!hold) return;
  QPointer<MemoryWindow> self(this);
  SetBusy(true);
  const std::string stamp = StampOfRow(row);  // the file's name, whatever happens meanwhile
  const SetDownload download = DownloadSetContent(
      ctx_.link, stamp,
      [this](auto done, auto total) {
        SetProgress(Percent(done, total));
        LetEventsRun();
      },
      LongestSetText(status_));
  hold.reset();
  if (download.complete) {
    SaveAndOpen(stamp, download.text);
  } else if (download.beyondMemory) {
    Tell(ctx_, kSetBeyondMemoryText);
  } else {
    Tell(ctx_, kSetIncompleteText);
  }
  if (self) SetBusy(false);
}

// A file of its own for every download, so an earlier one is never replaced.
void MemoryWindow::SaveAndOpen(const std::string& stampText, const std::string& text) {
  std::string error;
  const std::optional<std::string> path = ctx_.Files().SaveDownload(stampText, text, error);
  if (!path) {
    Tell(ctx_, kCannotWriteSetText + error);
    return;
  }
  if (!ctx_.launcher.OpenInEditor(*path)) Tell(ctx_, kNoEditorText + *path);
}

void MemoryWindow::OptLuxFc_Click(int /*index*/) {
  if (busy_) return;
  const std::optional<LinkHold> hold = ctx_.TakeLink("OptLuxFc");
  if (!hold) return;
  const int current = GridSet_->currentRow();
  const int row = current >= 0 ? current : (GridSet_->rowCount() > 1 ? 1 : 0);
  SendStampBcd(ctx_.link, StampOfRow(row));
}

void MemoryWindow::EraseAll_Click() {
  if (busy_ || ctx_.linkOwner.Held()) return;
  const DialogAnswer answer = ctx_.dialogs.Message(kEraseAllWarning, MessageIcon::Exclamation,
                                                   MessageButtons::OkCancel, kEraseAllTitle);
  if (answer != DialogAnswer::Ok) return;
  if (const std::optional<LinkHold> hold = ctx_.TakeLink("erase")) {
    EraseAllSets(ctx_.link, true);
  }
  close();
}

MemoryWindow* FindMemoryWindow(const PanelContext& ctx) {
  return ctx.windows.Shown<MemoryWindow>(WindowKind::Memory);
}

namespace {

// Shows `status` in the window and downloads the index into it, in place of the sets it
// listed before; the hold on the link is let go once the index is in.
void FillMemoryWindow(PanelContext& ctx, QPointer<MemoryWindow> window, const LoggerStatus& status,
                      std::optional<LinkHold>& hold) {
  window->show();
  window->ShowStatus(status);
  window->SetBusy(true);
  IndexDownload index;  // an emptied memory has no index to ask for
  index.complete = true;
  if (status.setCount > 0) {
    index = DownloadIndex(ctx.link, static_cast<std::uint64_t>(status.setCount),
                          [&window](auto done, auto total) {
                            if (window) window->SetProgress(Percent(done, total));
                            LetEventsRun();
                          });
  }
  StoreSetStamps(ctx.state.SetStamps, index.stamps);
  hold.reset();
  if (window) window->ShowSets(ctx.state.SetStamps);
  if (!index.complete) Tell(ctx, kIndexIncompleteText);
  if (window) window->SetBusy(false);
}

}  // namespace

void OpenDataLogger(PanelContext& ctx) {
  std::optional<LinkHold> hold = ctx.TakeLink("data logger");
  if (!hold) return;
  const std::optional<LoggerStatus> status = QueryStoredSets(ctx, hold);
  if (!status) return;
  QPointer<MemoryWindow> window = FindMemoryWindow(ctx);
  if (window == nullptr) {
    window = new MemoryWindow(ctx);
    ctx.windows.Keep(WindowKind::Memory, window);
  }
  FillMemoryWindow(ctx, window, *status, hold);
}

// An emptied memory is shown as such: no sets, and no "No Data in Memory!" box.
void RefreshDataLogger(PanelContext& ctx) {
  QPointer<MemoryWindow> window = FindMemoryWindow(ctx);
  if (window == nullptr) return;
  std::optional<LinkHold> hold = ctx.TakeLink("data logger");
  if (!hold) return;
  const std::optional<LoggerStatus> status = QueryLoggerStatus(ctx.link);
  if (!status) return;
  FillMemoryWindow(ctx, window, *status, hold);
}

}  // namespace orvane
