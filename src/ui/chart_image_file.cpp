#include "ui/chart_image_file.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

#include "common/file_io.h"

namespace orvane {

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

namespace {

// The file is written from memory, every write checked: whole or not at all.
bool WriteBytes(const QByteArray& bytes, const std::string& path, std::string& error) {
  OutputFile file;
  return file.Open(path, error) &&
         file.Write(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())),
                    error) &&
         file.Commit(error);
}

bool EncodePng(const QImage& image, QByteArray& bytes) {
  QBuffer buffer(&bytes);
  return buffer.open(QIODevice::WriteOnly) && image.save(&buffer, "PNG");
}

bool EncodePdf(const QImage& image, QByteArray& bytes) {
  QBuffer buffer(&bytes);
  if (!buffer.open(QIODevice::WriteOnly)) return false;
  QPdfWriter writer(&buffer);
  writer.setPageSize(QPageSize(QPageSize::A4));
  writer.setPageOrientation(image.width() > image.height() ? QPageLayout::Landscape
                                                           : QPageLayout::Portrait);
  return PaintFitted(writer, image);
}

bool SaveEncoded(bool (*encode)(const QImage&, QByteArray&), const QImage& image,
                 const std::string& path, std::string& error) {
  QByteArray bytes;
  if (!encode(image, bytes)) {
    error = "cannot encode the image for " + path;
    return false;
  }
  return WriteBytes(bytes, path, error);
}

}  // namespace

bool SaveImagePng(const QImage& image, const QString& path) {
  std::string error;
  return SaveEncoded(EncodePng, image, QFile::encodeName(path).toStdString(), error);
}

bool SaveImagePdf(const QImage& image, const QString& path) {
  std::string error;
  return SaveEncoded(EncodePdf, image, QFile::encodeName(path).toStdString(), error);
}

bool SaveChartImage(const QImage& image, const std::string& path, std::string& error) {
  const QString name = QString::fromStdString(path);
  const bool png = name.endsWith(".png", Qt::CaseInsensitive);
  if (!png && !name.endsWith(".pdf", Qt::CaseInsensitive)) {
    error = "the image file name must end in .png or .pdf: " + path;
    return false;
  }
  return SaveEncoded(png ? EncodePng : EncodePdf, image, path, error);
}

}  // namespace orvane
