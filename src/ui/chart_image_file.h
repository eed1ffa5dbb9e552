#pragma once
// The image of a chart as a file: PNG, or a one-page PDF. Needs Qt GUI only, so the
// command line draws and saves charts without the windows.

#include <QImage>
#include <QPaintDevice>
#include <QString>
#include <string>

namespace orvane {

// Draws the image as large as the paint device allows, keeping its proportions. False
// when the device cannot be painted on.
bool PaintFitted(QPaintDevice& device, const QImage& image);

// The image as a PNG file or as a one-page PDF. False when the file cannot be written.
bool SaveImagePng(const QImage& image, const QString& path);
bool SaveImagePdf(const QImage& image, const QString& path);

// PNG or PDF as the file name ends (".png" or ".pdf", any case). False with `error` set
// for another ending or when the file cannot be written.
bool SaveChartImage(const QImage& image, const std::string& path, std::string& error);

}  // namespace orvane
