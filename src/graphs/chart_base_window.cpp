// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/chart_base_window.h"

#include <QAction>
#include <QGridLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <QValidator>
#include <algorithm>

#include "recording/csv_export.h"
#include "ui/chart_printing.h"

namespace orvane {

namespace {

// A range box holds only the characters it takes (digits, and "." where it takes
// decimals; a "," typed for the decimal point becomes a "."). As a validator rather than a key
// filter it leaves every editing key alone: Delete, Ctrl+A, Ctrl+V, the arrows, undo.
class RangeBoxValidator final : public QValidator {
 public:
  RangeBoxValidator(bool allowPoint, QObject* parent)
      : QValidator(parent), allowPoint_(allowPoint) {}

  State validate(QString& input, int&) const override {
    if (allowPoint_) input.replace(QLatin1Char(','), QLatin1Char('.'));
    for (QChar c : input) {
      if (c.unicode() > 0x7f || c.unicode() == kBackspace ||
          !AcceptsKey(static_cast<char>(c.unicode()), allowPoint_))
        return Invalid;
    }
    return Acceptable;
  }

 private:
  bool allowPoint_;
};

QLineEdit* RangeBox(const char* name, bool allowPoint, QWidget* parent) {
  auto* box = new QLineEdit(parent);
  box->setObjectName(name);
  box->setFixedWidth(90);
  box->setValidator(new RangeBoxValidator(allowPoint, box));
  return box;
}

QGroupBox* PairFrame(const char* name, const QString& caption, QLineEdit* min, QLineEdit* max,
                     const QString& minLabel, const QString& maxLabel) {
  auto* frame = new QGroupBox(caption);
  frame->setObjectName(name);
  auto* grid = new QGridLayout(frame);
  grid->addWidget(new QLabel(minLabel), 0, 0);
  grid->addWidget(min, 0, 1);
  grid->addWidget(new QLabel(maxLabel), 1, 0);
  grid->addWidget(max, 1, 1);
  return frame;
}

QFrame* DialogPanel(const char* name, QWidget* parent) {
  auto* panel = new QFrame(parent);
  panel->setObjectName(name);
  panel->setFrameShape(QFrame::Panel);
  panel->setFrameShadow(QFrame::Raised);
  panel->setAutoFillBackground(true);
  panel->hide();
  return panel;
}

}  // namespace

ChartBaseWindow::ChartBaseWindow(ChartKind kind, const Captions& captions, Dialogs& dialogs,
                                 QWidget* parent)
    : QWidget(parent, Qt::Window), chart_(LoadedChart(kind)), dialogs_(dialogs) {
  setWindowTitle(captions.window);
  timer1_.setObjectName("Timer1");
  timer1_.setInterval(1000);
  BuildToolbar(captions);
  BuildUnitDialog();
  BuildRangeDialog(captions.recordsFrame);
  print_ = [this](const ChartOutput& chart) { PrintChart(chart, this); };
  // Small enough for a corner of the screen, large enough that the nine labels of each
  // scale stand apart and the tool bar shows all its buttons.
  setMinimumSize(kMinimumWidth, kMinimumHeight);
}

void ChartBaseWindow::BuildToolbar(const Captions& captions) {
  toolbar_ = new QToolBar(this);
  toolbar_->setObjectName("Toolbar1");
  toolbar_->setToolButtonStyle(Qt::ToolButtonTextOnly);
  toolbar_->setStyleSheet("QToolBar { background: #dfe3e6; border-bottom: 1px solid #9aa3aa; }");
  const QString tips[] = {captions.unitTip, captions.rangeTip, "Print"};
  const QString keys[] = {"Unit", "Range", "Print"};
  for (int i = 0; i < 3; ++i) {
    QAction* action = toolbar_->addAction(keys[i]);
    action->setObjectName(keys[i]);
    action->setToolTip(tips[i]);
    if (keys[i] == "Print") action->setShortcut(QKeySequence::Print);
    const QString key = keys[i];
    connect(action, &QAction::triggered, this, [this, key] { Toolbar1_ButtonClick(key); });
  }
  QAction* csv = toolbar_->addAction("Export CSV…");
  csv->setObjectName("ExportCsv");
  csv->setToolTip("Export the records as CSV");
  connect(csv, &QAction::triggered, this, [this] { ExportCsv_Click(); });
  QAction* image = toolbar_->addAction("Export image…");
  image->setObjectName("ExportImage");
  image->setToolTip("Export the chart as PNG, PDF or SVG");
  connect(image, &QAction::triggered, this, [this] { ExportImage_Click(); });
}

void ChartBaseWindow::ExportCsv_Click() {
  const auto path =
      dialogs_.SaveFile({"Export CSV", "CSV Files (*.csv)|*.csv|All Files (*.*)|*.*|", "", "csv"});
  if (!path) return;
  std::string error;
  if (!WriteCsvFile(*path, CsvRecords(), CsvOptions{}, error)) Refuse(error);
}

void ChartBaseWindow::ExportImage_Click() {
  const auto path = dialogs_.SaveFile(
      {"Export image", "PNG Images (*.png)|*.png|PDF Files (*.pdf)|*.pdf|SVG Images (*.svg)|*.svg|",
       "", "png"});
  if (!path) return;
  std::string error;
  if (!SaveChartOutput(Output(), *path, error)) Refuse(error);
}

void ChartBaseWindow::BuildUnitDialog() {
  picUnit_ = DialogPanel("PicUnit", this);
  auto* layout = new QVBoxLayout(picUnit_);
  const char* captions[] = {"Lux / Fc", "cd"};
  for (int i = 0; i < 2; ++i) {
    ckUnit_[i] = new QCheckBox(captions[i], picUnit_);
    ckUnit_[i]->setObjectName(QString("CKUnit%1").arg(i));
    layout->addWidget(ckUnit_[i]);
  }
  auto* ok = new QPushButton("OK", picUnit_);
  ok->setObjectName("CmdUnitOK");
  connect(ok, &QPushButton::clicked, this, [this] { CmdUnitOK_Click(); });
  layout->addWidget(ok);
}

void ChartBaseWindow::BuildRangeDialog(bool recordsFrame) {
  picRange_ = DialogPanel("PicRange", this);
  auto* layout = new QVBoxLayout(picRange_);
  txtMn_ = RangeBox("TxtMn", true, picRange_);
  txtMx_ = RangeBox("TxtMx", true, picRange_);
  txtcdMn_ = RangeBox("TxtcdMn", true, picRange_);
  txtcdMx_ = RangeBox("TxtcdMx", true, picRange_);
  frmLxFc_ = PairFrame("FrmLxFc", "Lux", txtMn_, txtMx_, "Min", "Max");
  layout->addWidget(frmLxFc_);
  layout->addWidget(PairFrame("Frmcd", "cd", txtcdMn_, txtcdMx_, "Min", "Max"));
  if (recordsFrame) {
    txtFrom_ = RangeBox("TxtFrom", false, picRange_);
    txtTo_ = RangeBox("TxtTo", false, picRange_);
    layout->addWidget(PairFrame("FrmRecords", "Records", txtFrom_, txtTo_, "From", "To"));
  } else {
    txtCounts_ = RangeBox("TxtCounts", false, picRange_);
    auto* row = new QHBoxLayout;
    row->addWidget(new QLabel("Counts", picRange_));
    row->addWidget(txtCounts_);
    layout->addLayout(row);
  }
  auto* ok = new QPushButton("OK", picRange_);
  ok->setObjectName("CmdRangeOK");
  connect(ok, &QPushButton::clicked, this, [this] { CmdRangeOK_Click(); });
  layout->addWidget(ok);
}

void ChartBaseWindow::Toolbar1_ButtonClick(const QString& key) {
  if (key != "Unit") picUnit_->hide();
  if (key != "Range") picRange_->hide();
  if (key == "Unit") {
    picUnit_->setVisible(picUnit_->isHidden());
    if (!picUnit_->isHidden()) {
      ckUnit_[0]->setChecked(chart_.ShowMainCurve);
      ckUnit_[1]->setChecked(chart_.ShowCdCurve);
      picUnit_->adjustSize();
      picUnit_->move(static_cast<int>(chart_.PlotLeft) + 10, toolbar_->height() + 4);
      picUnit_->raise();
    }
  } else if (key == "Range") {
    picRange_->setVisible(picRange_->isHidden());
    if (!picRange_->isHidden()) FillRangeDialog();
  } else if (key == "Print") {
    if (print_) print_(Output());
  }
}

void ChartBaseWindow::FillRangeDialog() {
  const RangeTexts t = CurrentRangeTexts();
  frmLxFc_->setTitle(QString::fromStdString(t.frameCaption));
  txtMn_->setText(QString::fromStdString(t.TxtMn));
  txtMx_->setText(QString::fromStdString(t.TxtMx));
  txtcdMn_->setText(QString::fromStdString(t.TxtcdMn));
  txtcdMx_->setText(QString::fromStdString(t.TxtcdMx));
  if (txtCounts_) txtCounts_->setText(QString::fromStdString(t.TxtCounts));
  if (txtFrom_) txtFrom_->setText(QString::fromStdString(t.TxtFrom));
  if (txtTo_) txtTo_->setText(QString::fromStdString(t.TxtTo));
  picRange_->adjustSize();
  picRange_->move(static_cast<int>(chart_.PlotLeft) + 10, toolbar_->height() + 4);
  picRange_->raise();
}

void ChartBaseWindow::RefreshRangeDialog() {
  if (!picRange_->isHidden()) FillRangeDialog();
}

RangeTexts ChartBaseWindow::TypedRangeTexts() const {
  RangeTexts t;
  t.frameCaption = frmLxFc_->title().toStdString();
  t.TxtMn = txtMn_->text().toStdString();
  t.TxtMx = txtMx_->text().toStdString();
  t.TxtcdMn = txtcdMn_->text().toStdString();
  t.TxtcdMx = txtcdMx_->text().toStdString();
  if (txtCounts_) t.TxtCounts = txtCounts_->text().toStdString();
  if (txtFrom_) t.TxtFrom = txtFrom_->text().toStdString();
  if (txtTo_) t.TxtTo = txtTo_->text().toStdString();
  return t;
}

void ChartBaseWindow::Refuse(const std::string& message) {
  dialogs_.Message(message, MessageIcon::Critical, MessageButtons::Ok, "");
}

void ChartBaseWindow::CmdRangeOK_Click() {
  if (const std::optional<std::string> refusal = ApplyTypedRange(TypedRangeTexts())) {
    Refuse(*refusal);
    return;
  }
  HideDialogs();
  DrawFrame();
}

void ChartBaseWindow::HideDialogs() {
  picUnit_->hide();
  picRange_->hide();
}

void ChartBaseWindow::CmdUnitOK_Click() {
  chart_.ShowMainCurve = ckUnit_[0]->isChecked();
  chart_.ShowCdCurve = ckUnit_[1]->isChecked();
  picUnit_->hide();
  DrawFrame();
}

void ChartBaseWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  painter.drawImage(0, 0, canvas_.Image());
}

void ChartBaseWindow::resizeEvent(QResizeEvent* event) {
  QWidget::resizeEvent(event);
  LayOutCanvas();
}

void ChartBaseWindow::LayOutCanvas() {
  toolbar_->setGeometry(0, 0, width(), toolbar_->sizeHint().height());
  canvas_.Resize(width(), std::max(1, height() - ReservedBelow()), devicePixelRatioF());
  DrawFrame();
}

}  // namespace orvane
