// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/chart_printing.h"

#include <QPrintDialog>
#include <QPrinter>

namespace orvane {

bool PrintChart(const ChartOutput& chart, QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(chart.width > chart.height ? QPageLayout::Landscape
                                                        : QPageLayout::Portrait);
  QPrintDialog dialog(&printer, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  return PaintChartOutput(printer, chart);
}

}  // namespace orvane
