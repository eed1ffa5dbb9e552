// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A chart as a file or on paper: drawn anew for its output, never copied from the
// window's pixels. PNG at the chart's size in pixels; PDF (one page, lines and text, its
// fonts embedded) and SVG as vectors. Needs Qt GUI and Qt SVG only, so the command line
// draws and saves charts without the windows.

#include <QImage>
#include <QPaintDevice>
#include <QString>
#include <functional>
#include <string>

#include "graphs/canvas.h"

namespace orvane {

// A chart to draw: the drawing, made on a canvas of `width` x `height` window pixels.
struct ChartOutput {
  std::function<void(Canvas&)> draw;
  int width = 0;
  int height = 0;
};

// The chart drawn as an image of its size, pixel for pixel as a window draws it.
QImage ChartOutputImage(const ChartOutput& chart);

// The chart drawn as lines and text on the device, as large as its viewport allows,
// keeping its proportions. False when the device cannot be painted on.
bool PaintChartOutput(QPaintDevice& device, const ChartOutput& chart);

// PNG, PDF or SVG as the file name ends (".png", ".pdf" or ".svg", any case). False with
// `error` set for another ending or when the file cannot be written.
bool SaveChartOutput(const ChartOutput& chart, const std::string& path, std::string& error);

// Draws the image as large as the paint device allows, keeping its proportions. False
// when the device cannot be painted on.
bool PaintFitted(QPaintDevice& device, const QImage& image);

// The image as a PNG file or as a one-page PDF. False when the file cannot be written.
bool SaveImagePng(const QImage& image, const QString& path);
bool SaveImagePdf(const QImage& image, const QString& path);

}  // namespace orvane
