#include "ui/chart_printing.h"

#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrintDialog>
#include <QPrinter>

namespace orvane {

namespace {

// Draws the image as large as the paint device allows, keeping its proportions.
bool PaintFitted(QPaintDevice& device, const QImage& image) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  const QRect page = painter.viewport();
  QSize size = image.size();
  size.scale(page.size(), Qt::KeepAspectRatio);
  painter.setViewport(page.x(), page.y(), size.width(), size.height());
  painter.setWindow(image.rect());
  painter.drawImage(0, 0, image);
  return painter.end();
}

}  // namespace

bool PrintImage(const QImage& image, QWidget* parent) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setPageOrientation(image.width() > image.height() ? QPageLayout::Landscape
                                                            : QPageLayout::Portrait);
  QPrintDialog dialog(&printer, parent);
  if (dialog.exec() != QDialog::Accepted) return false;
  return PaintFitted(printer, image);
}

bool SaveImagePng(const QImage& image, const QString& path) {
  return image.save(path, "PNG");
}

bool SaveImagePdf(const QImage& image, const QString& path) {
  QPdfWriter writer(path);
  writer.setPageSize(QPageSize(QPageSize::A4));
  writer.setPageOrientation(image.width() > image.height() ? QPageLayout::Landscape
                                                           : QPageLayout::Portrait);
  return PaintFitted(writer, image);
}

bool SaveChartImage(const QImage& image, const std::string& path, std::string& error) {
  const QString name = QString::fromStdString(path);
  const bool png = name.endsWith(".png", Qt::CaseInsensitive);
  if (!png && !name.endsWith(".pdf", Qt::CaseInsensitive)) {
    error = "the image file name must end in .png or .pdf: " + path;
    return false;
  }
  if (!(png ? SaveImagePng(image, name) : SaveImagePdf(image, name))) {
    error = "cannot write " + path;
    return false;
  }
  return true;
}

}  // namespace orvane
