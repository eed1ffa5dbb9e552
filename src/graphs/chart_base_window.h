// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What the two graph windows share: the drawing surface under a tool bar with the keys
// "Unit", "Range", "Print", "Export CSV…" and "Export image…", the unit dialog PicUnit,
// the range dialog PicRange with its key filtering, printing the window's chart and
// exporting it or the window's records to a file. Print and export draw the chart anew
// for their output, with a title line (what, when, which units), never the window's pixels.

#include <QCheckBox>
#include <QFrame>
#include <QGroupBox>
#include <QImage>
#include <QLineEdit>
#include <QTimer>
#include <QToolBar>
#include <QWidget>
#include <functional>
#include <optional>
#include <string>

#include "common/dialogs.h"
#include "common/program_state.h"
#include "graphs/chart.h"
#include "graphs/range_entry.h"
#include "ui/chart_image_file.h"
#include "ui/qimage_canvas.h"

namespace orvane {

class ChartBaseWindow : public QWidget {
  Q_OBJECT

 public:
  struct Captions {
    QString window;     // "Graphic Display" or "Plot"
    QString unitTip;    // tool tip of "Unit"
    QString rangeTip;   // tool tip of "Range"
    bool recordsFrame;  // the range dialog asks From/To (else Counts)
  };
  ChartBaseWindow(ChartKind kind, const Captions& captions, Dialogs& dialogs, QWidget* parent);

  static constexpr int kMinimumWidth = 520;
  static constexpr int kMinimumHeight = 340;

  // Handlers, public so tests call them directly.
  void Toolbar1_ButtonClick(const QString& key);
  void CmdUnitOK_Click();
  // Ask for a file and write the window's records as CSV, or its chart as PNG, PDF or SVG.
  void ExportCsv_Click();
  void ExportImage_Click();
  // The range dialog's OK: the typed range applied and the frame drawn anew, or refused
  // with a message naming what is wrong.
  void CmdRangeOK_Click();
  virtual void DrawFrame() = 0;

  QTimer& Timer1() { return timer1_; }
  ChartState& Chart() { return chart_; }
  // The chart as drawn so far.
  QImage ChartImage() { return canvas_.Image(); }
  // The chart as print and export draw it: at the window's size, with its title line.
  virtual ChartOutput Output() = 0;
  // Where "Print" sends the chart; the platform's print dialog by default.
  void SetPrintHandler(std::function<void(const ChartOutput&)> handler) {
    print_ = std::move(handler);
  }

 protected:
  void paintEvent(QPaintEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

  // The range dialog's boxes when it opens.
  virtual RangeTexts CurrentRangeTexts() const = 0;
  RangeTexts TypedRangeTexts() const;
  // Takes the typed range into the window's state; the message of a refused range.
  virtual std::optional<std::string> ApplyTypedRange(const RangeTexts& typed) = 0;
  // The records "Export CSV…" writes.
  virtual const PlotData& CsvRecords() const = 0;
  void Refuse(const std::string& message);
  void HideDialogs();
  // The range dialog shows the window's state anew, when it is open.
  void RefreshRangeDialog();
  // Room kept free under the chart (for a panel of the window's own); LayOutCanvas sizes
  // the chart to what is left and draws its frame.
  virtual int ReservedBelow() const { return 0; }
  void LayOutCanvas();
  QToolBar* Toolbar() const { return toolbar_; }

  QImageCanvas canvas_;
  ChartState chart_;
  QTimer timer1_;
  Dialogs& dialogs_;

 private:
  void BuildToolbar(const Captions& captions);
  void BuildUnitDialog();
  void BuildRangeDialog(bool recordsFrame);
  void FillRangeDialog();

  QToolBar* toolbar_ = nullptr;
  QFrame* picUnit_ = nullptr;
  QFrame* picRange_ = nullptr;
  QCheckBox* ckUnit_[2] = {nullptr, nullptr};
  QGroupBox* frmLxFc_ = nullptr;
  QLineEdit* txtMn_ = nullptr;
  QLineEdit* txtMx_ = nullptr;
  QLineEdit* txtcdMn_ = nullptr;
  QLineEdit* txtcdMx_ = nullptr;
  QLineEdit* txtCounts_ = nullptr;
  QLineEdit* txtFrom_ = nullptr;
  QLineEdit* txtTo_ = nullptr;
  std::function<void(const ChartOutput&)> print_;
};

}  // namespace orvane
