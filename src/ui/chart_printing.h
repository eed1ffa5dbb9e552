#pragma once
// Printing and exporting the image of a graph window.

#include <QImage>
#include <QString>
#include <string>

class QWidget;

namespace orvane {

// Asks the platform's print dialog (the default printer preselected; "Print to File" gives
// a PDF where no printer exists) and prints the image scaled to the page. False when the
// dialog was cancelled or the printer failed.
bool PrintImage(const QImage& image, QWidget* parent);

// The image as a PNG file or as a one-page PDF. False when the file cannot be written.
bool SaveImagePng(const QImage& image, const QString& path);
bool SaveImagePdf(const QImage& image, const QString& path);

// PNG or PDF as the file name ends (".png" or ".pdf", any case). False with `error` set
// for another ending or when the file cannot be written.
bool SaveChartImage(const QImage& image, const std::string& path, std::string& error);

}  // namespace orvane
