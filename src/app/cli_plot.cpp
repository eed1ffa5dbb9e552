// SPDX-License-Identifier: GPL-3.0-or-later
// orvane-cli plot: the list plot of a data file drawn off screen into a PNG, PDF or SVG
// file, through the same chart drawing and export as the list plot window. Built into the
// program orvane-cli-plot, which orvane-cli starts for this command.

#include "app/cli_plot.h"

#include <QGuiApplication>
#include <QtGlobal>
#include <cctype>
#include <cstdio>
#include <cstdlib>

#include "app/cli.h"
#include "common/file_io.h"
#include "graphs/plot_replay.h"
#include "graphs/range_entry.h"
#include "recording/file_choice.h"
#include "recording/recording_reader.h"
#include "ui/chart_image_file.h"
#include "ui/plot_image.h"

namespace orvane::cli {

namespace {

constexpr long kMinSide = 320;
constexpr long kMaxSide = 10000;

bool ParseSize(const std::string& text, int& width, int& height) {
  const std::size_t x = text.find('x');
  long w = 0, h = 0;
  if (x == std::string::npos || !ParseWhole(text.substr(0, x), w, kMinSide) ||
      !ParseWhole(text.substr(x + 1), h, kMinSide) || w > kMaxSide || h > kMaxSide) {
    return false;
  }
  width = static_cast<int>(w);
  height = static_cast<int>(h);
  return true;
}

bool ImageName(const std::string& path) {
  const auto endsWith = [&path](const char* tail) {
    const std::string t = tail;
    if (path.size() < t.size()) return false;
    for (std::size_t i = 0; i < t.size(); ++i) {
      if (std::tolower(static_cast<unsigned char>(path[path.size() - t.size() + i])) != t[i]) {
        return false;
      }
    }
    return true;
  };
  return endsWith(".png") || endsWith(".pdf") || endsWith(".svg");
}

// Qt's notes about the off-screen platform (no runtime folder, no session) are no
// errors of ours: stderr keeps to the one line of a failure.
void QuietQtNotes(QtMsgType type, const QMessageLogContext&, const QString& text) {
  if (type == QtCriticalMsg || type == QtFatalMsg) {
    std::fprintf(stderr, "orvane-cli: %s\n", text.toLocal8Bit().constData());
  }
}

// --from and --to pick the stretch; the window's refusal when it does not exist.
bool PickStretch(const Args& args, PlotData& plot) {
  long from = 1, to = plot.PlotRecords;
  if ((args.Has("from") && !ParseWhole(args.Get("from"), from)) ||
      (args.Has("to") && !ParseWhole(args.Get("to"), to))) {
    return Refuse("--from and --to take record numbers"), false;
  }
  plot.PlotFrom = from;
  plot.PlotTo = to;
  if (plot.PlotRecords > 0 && !PlotStretchValid(plot)) {
    return Refuse(RecordsMessage(plot.PlotRecords)), false;
  }
  return true;
}

int Plot(const Args& args) {
  int width = 1280, height = 720;
  if (args.positional.size() != 1 || args.Get("out").empty()) {
    return Refuse("plot wants FILE.lms and --out OUT.png, OUT.pdf or OUT.svg (try --help)");
  }
  if (args.Has("size") && !ParseSize(args.Get("size"), width, height)) {
    return Refuse("--size wants WIDTHxHEIGHT, each 320 to 10000 pixels");
  }
  if (!ImageName(args.Get("out"))) {
    return Refuse("the image file name must end in .png, .pdf or .svg: " + args.Get("out"));
  }
  const std::string& path = args.positional[0];
  if (SameExistingFile(path, args.Get("out"))) {
    return Fail("the image " + args.Get("out") + " would overwrite the data file it is drawn from");
  }
  PlotData plot;
  RecordingFileError error;
  if (!ReadRecordingFile(path, plot, error)) return Fail(UnreadableFileMessage(path, error));
  if (!PickStretch(args, plot)) return 2;

  qInstallMessageHandler(QuietQtNotes);
  setenv("QT_QPA_PLATFORM", "offscreen", 0);  // no desktop needed; an explicit choice wins
  static int argc = 1;
  static char name[] = "orvane-cli";
  static char* argv[] = {name, nullptr};
  QGuiApplication app(argc, argv);  // fonts
  std::string problem;
  if (!SaveChartOutput(ListPlotOutput(plot, FileTitle(path), width, height), args.Get("out"),
                       problem)) {
    return Fail(problem);
  }
  std::printf("records %ld to %ld drawn to %s\n", plot.PlotFrom, plot.PlotTo,
              args.Get("out").c_str());
  return 0;
}

}  // namespace

ORVANE_CLI_COMMAND(plot, PlotCommand(Plot));

}  // namespace orvane::cli
