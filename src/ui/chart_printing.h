// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Printing a graph window's chart.

#include "ui/chart_image_file.h"

class QWidget;

namespace orvane {

// Asks the platform's print dialog (the default printer preselected; "Print to File" gives
// a PDF where no printer exists) and draws the chart anew on the page, at the printer's
// resolution. False when the dialog was cancelled or the printer failed.
bool PrintChart(const ChartOutput& chart, QWidget* parent);

}  // namespace orvane
