#pragma once
// Printing and exporting the image of a graph window.

#include <QImage>

#include "ui/chart_image_file.h"

class QWidget;

namespace orvane {

// Asks the platform's print dialog (the default printer preselected; "Print to File" gives
// a PDF where no printer exists) and prints the image scaled to the page. False when the
// dialog was cancelled or the printer failed.
bool PrintImage(const QImage& image, QWidget* parent);

}  // namespace orvane
