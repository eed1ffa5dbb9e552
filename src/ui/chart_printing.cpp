#include "ui/chart_printing.h"

#include <QPrintDialog>
#include <QPrinter>

namespace orvane {

bool PrintImage(const QImage& image, QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(image.width() > image.height() ? QPageLayout::Landscape
                                                            : QPageLayout::Portrait);
  QPrintDialog dialog(&printer, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  return PaintFitted(printer, image);
}

}  // namespace orvane
