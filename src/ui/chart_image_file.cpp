// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/chart_image_file.h"

#include <QBuffer>
#include <QByteArray>
#include <QFile>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QSvgGenerator>

#include "common/file_io.h"
#include "ui/painter_canvas.h"
#include "ui/qimage_canvas.h"

namespace orvane {

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

QImage ChartOutputImage(const ChartOutput& chart) {
  QImageCanvas canvas;
  canvas.Resize(chart.width, chart.height);
  if (chart.draw) chart.draw(canvas);
  return canvas.Image().copy();
}

bool PaintChartOutput(QPaintDevice& device, const ChartOutput& chart) {
  QPainter painter;
  if (!painter.begin(&device)) return false;
  const QRect page = painter.viewport();
  QSize size(std::max(1, chart.width), std::max(1, chart.height));
  size.scale(page.size(), Qt::KeepAspectRatio);
  painter.setViewport(page.x(), page.y(), size.width(), size.height());
  painter.setWindow(0, 0, chart.width, chart.height);
  {
    PainterCanvas canvas(painter, chart.width, chart.height, ChartFont());
    if (chart.draw) chart.draw(canvas);
  }
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

bool EncodePng(const ChartOutput& chart, QByteArray& bytes) {
  QBuffer buffer(&bytes);
  return buffer.open(QIODevice::WriteOnly) && ChartOutputImage(chart).save(&buffer, "PNG");
}

bool EncodePdf(const ChartOutput& chart, QByteArray& bytes) {
  QBuffer buffer(&bytes);
  if (!buffer.open(QIODevice::WriteOnly)) return false;
  QPdfWriter writer(&buffer);
  writer.setCreator("Orvane");
  writer.setPageSize(QPageSize(QPageSize::A4));
  writer.setPageMargins(QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
  writer.setPageOrientation(chart.width > chart.height ? QPageLayout::Landscape
                                                       : QPageLayout::Portrait);
  return PaintChartOutput(writer, chart);
}

bool EncodeSvg(const ChartOutput& chart, QByteArray& bytes) {
  QBuffer buffer(&bytes);
  if (!buffer.open(QIODevice::WriteOnly)) return false;
  QSvgGenerator svg;
  svg.setOutputDevice(&buffer);
  svg.setSize(QSize(chart.width, chart.height));
  svg.setViewBox(QRect(0, 0, chart.width, chart.height));
  svg.setResolution(96);
  svg.setTitle("Orvane chart");
  return PaintChartOutput(svg, chart);
}

bool EncodeImagePng(const QImage& image, QByteArray& bytes) {
  QBuffer buffer(&bytes);
  return buffer.open(QIODevice::WriteOnly) && image.save(&buffer, "PNG");
}

bool EncodeImagePdf(const QImage& image, QByteArray& bytes) {
  QBuffer buffer(&bytes);
  if (!buffer.open(QIODevice::WriteOnly)) return false;
  QPdfWriter writer(&buffer);
  writer.setPageSize(QPageSize(QPageSize::A4));
  writer.setPageOrientation(image.width() > image.height() ? QPageLayout::Landscape
                                                           : QPageLayout::Portrait);
  return PaintFitted(writer, image);
}

template <typename Source>
bool SaveEncoded(bool (*encode)(const Source&, QByteArray&), const Source& source,
                 const std::string& path, std::string& error) {
  QByteArray bytes;
  if (!encode(source, bytes)) {
    error = "cannot encode the image for " + path;
    return false;
  }
  return WriteBytes(bytes, path, error);
}

bool EndsWith(const QString& name, const char* tail) {
  return name.endsWith(QLatin1String(tail), Qt::CaseInsensitive);
}

}  // namespace

bool SaveImagePng(const QImage& image, const QString& path) {
  std::string error;
  return SaveEncoded(EncodeImagePng, image, QFile::encodeName(path).toStdString(), error);
}

bool SaveImagePdf(const QImage& image, const QString& path) {
  std::string error;
  return SaveEncoded(EncodeImagePdf, image, QFile::encodeName(path).toStdString(), error);
}

bool SaveChartOutput(const ChartOutput& chart, const std::string& path, std::string& error) {
  const QString name = QString::fromStdString(path);
  bool (*encode)(const ChartOutput&, QByteArray&) = nullptr;
  if (EndsWith(name, ".png")) encode = EncodePng;
  if (EndsWith(name, ".pdf")) encode = EncodePdf;
  if (EndsWith(name, ".svg")) encode = EncodeSvg;
  if (encode == nullptr) {
    error = "the image file name must end in .png, .pdf or .svg: " + path;
    return false;
  }
  return SaveEncoded(encode, chart, path, error);
}

}  // namespace orvane
