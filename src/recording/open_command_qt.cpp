// Tool bar Open: read a data file into the plot data, show the plot, open the file in the
// user's text editor.
#include <QCoreApplication>
#include <QWidget>

#include "panel/panel_commands.h"
#include "recording/file_choice.h"
#include "recording/recording_file.h"
#include "recording/recording_reader.h"

#if __has_include("graphs/list_plot_open.h")
#include "graphs/list_plot_open.h"
#define ORVANE_HAS_LIST_PLOT 1
#endif

namespace orvane {

namespace {

constexpr const char* kRecordingModeMessage = "Recording Mode!\n\rPlease stop recording!";
constexpr long kLinesBetweenEvents = 1024;

// Pending window events run while a long file is read (the poll and the record tick go
// on: reading a file does not use the link); clicks and keys wait, so no command can
// start in the middle of the read.
void LetWindowBreathe(long linesRead) {
  if (linesRead % kLinesBetweenEvents == 0) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  }
}

void ShowPlot(PanelContext& ctx) {
#ifdef ORVANE_HAS_LIST_PLOT
  OpenListPlot(ctx);  // closes a plot that is loaded and shows the new one
#else
  (void)ctx;  // the plot window reads ctx.state.Plot when it is built
#endif
}

}  // namespace

void CommandOpen(PanelContext& ctx, PanelControls&) {
  if (ctx.state.RecordingOn) {
    ctx.dialogs.Message(kRecordingModeMessage, MessageIcon::Critical, MessageButtons::Ok, "");
    return;
  }
  const std::optional<std::string> path = ShowOpenDialog(ctx.dialogs, ctx.Files());
  if (!path) return;

  const QString caption = ctx.panel != nullptr ? ctx.panel->windowTitle() : QString();
  PlotData plot;
  RecordingFileError error;
  const bool read = ReadRecordingFile(*path, plot, error, LetWindowBreathe);
  if (ctx.panel != nullptr) ctx.panel->setWindowTitle(caption);
  if (!read) {
    ctx.dialogs.Message(UnreadableFileMessage(*path, error), MessageIcon::Critical,
                        MessageButtons::Ok, "");
    return;
  }
  ctx.state.Plot = std::move(plot);
  ctx.state.PlotOpen = true;
  ShowPlot(ctx);
  if (!ctx.launcher.OpenInEditor(*path)) {
    ctx.dialogs.Message("No text editor could be started for " + *path + ".",
                        MessageIcon::Exclamation, MessageButtons::Ok, "");
  }
}

}  // namespace orvane
