// SPDX-License-Identifier: GPL-3.0-or-later
// Tool bar Open: read a data file into the plot data, show the plot, open the file in the
// user's text editor (unless the user turned that off in the Open button's menu). Where
// no editor can be started the status line says so, once a run: no box after every plot.
#include "panel/open_command_qt.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QToolBar>
#include <QToolButton>
#include <QWidget>

#include "graphs/list_plot_open_qt.h"
#include "recording/file_choice.h"
#include "recording/recording_file.h"
#include "recording/recording_reader.h"
#include "ui/program_settings.h"

namespace orvane {

namespace {

constexpr const char* kRecordingModeMessage = "Recording Mode!\n\rPlease stop recording!";
constexpr long kLinesBetweenEvents = 1024;
constexpr const char* kNoEditorNotice = "No text editor could be started for ";

// Pending window events run while a long file is read (the poll and the record tick go
// on: reading a file does not use the link); clicks and keys wait, so no command can
// start in the middle of the read.
void LetWindowBreathe(long linesRead) {
  if (linesRead % kLinesBetweenEvents == 0) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
  }
}

void ShowInEditor(PanelContext& ctx, const std::string& path) {
  if (ctx.launcher.OpenInEditor(path) || ctx.editorMissingTold) return;
  ctx.editorMissingTold = true;
  if (ctx.notice) ctx.notice(kNoEditorNotice + path);
}

void CommandOpen(PanelContext& ctx, PanelControls&) {
  if (ctx.recording.RecordingOn()) {
    ctx.dialogs.Message(kRecordingModeMessage, MessageIcon::Critical, MessageButtons::Ok, "");
    return;
  }
  const std::optional<std::string> path = ShowOpenDialog(ctx.dialogs, ctx.Files());
  if (!path || path->empty()) return;
  OpenDataFile(ctx, *path);
}

// The menu of the files opened last drops down under the Open button.
void ShowRecentFiles(PanelContext&, PanelControls& controls) {
  if (controls.RecentFiles == nullptr) return;
  QWidget* at = controls.RecentFilesAt;
  controls.RecentFiles->popup(at != nullptr ? at->mapToGlobal(QPoint(0, at->height())) : QPoint());
}

}  // namespace

CommandRows OpenCommands() {
  static const CommandRow rows[] = {
      {.key = "Open",
       .caption = "&Open…",
       .toolTip = "Open File to Read",
       .shortcut = "Ctrl+O",
       .icon = DrawOpenIcon,
       .rule = CommandRule::None,
       .run = CommandOpen,
       .menu = CommandMenu::File,
       .toolbarPlace = 2},
      {.key = "OpenRecent",
       .caption = "Open &recent",
       .toolTip = "Open one of the data files opened last",
       .shortcut = "Ctrl+Shift+O",
       .icon = DrawOpenIcon,
       .rule = CommandRule::None,
       .run = ShowRecentFiles,
       .menu = CommandMenu::File},
  };
  return rows;
}

void AddRecentFilesMenu(PanelContext& ctx, PanelControls& controls, QWidget& panel) {
  auto* menu = new QMenu(&panel);
  menu->setObjectName("RecentFiles");
  QObject::connect(menu, &QMenu::aboutToShow, menu, [&ctx, menu] {
    menu->clear();
    const QStringList files = RecentFiles();
    if (files.isEmpty()) menu->addAction("No recent files")->setEnabled(false);
    for (const QString& path : files) {
      QAction* entry = menu->addAction(QFileInfo(path).fileName());
      entry->setToolTip(path);
      entry->setStatusTip(path);
      QObject::connect(entry, &QAction::triggered, menu,
                       [&ctx, path] { OpenDataFile(ctx, path.toStdString()); });
    }
    menu->addSeparator();
    AddEditorChoices(*menu, ctx);
  });
  controls.RecentFiles = menu;
  auto* open = panel.findChild<QAction*>(OpenCommands()[0].key);
  auto* bar = open != nullptr ? qobject_cast<QToolBar*>(open->parent()) : nullptr;
  auto* button = bar != nullptr ? qobject_cast<QToolButton*>(bar->widgetForAction(open)) : nullptr;
  if (button == nullptr) return;
  button->setMenu(menu);
  button->setPopupMode(QToolButton::MenuButtonPopup);
  controls.RecentFilesAt = button;
}

// Reads the data file into the plot data, shows the plot and opens the file in the text
// editor; a file dropped on the panel or named at start comes this way too.
void OpenDataFile(PanelContext& ctx, const std::string& path) {
  if (ctx.recording.RecordingOn()) {
    ctx.dialogs.Message(kRecordingModeMessage, MessageIcon::Critical, MessageButtons::Ok, "");
    return;
  }
  const QString caption = ctx.panel != nullptr ? ctx.panel->windowTitle() : QString();
  PlotData plot;
  RecordingFileError error;
  const bool read = ReadRecordingFile(path, plot, error, LetWindowBreathe);
  if (ctx.panel != nullptr) ctx.panel->setWindowTitle(caption);
  if (!read) {
    ctx.dialogs.Message(UnreadableFileMessage(path, error), MessageIcon::Critical,
                        MessageButtons::Ok, "");
    return;
  }
  AddRecentFile(QString::fromStdString(path));
  ctx.state.Plot = std::move(plot);
  ctx.state.PlotFileName = path;
  OpenListPlot(ctx);  // closes a plot that is loaded and shows the new one
  if (OpenAlsoInEditor()) ShowInEditor(ctx, path);
}

void AddEditorChoices(QMenu& menu, PanelContext& ctx) {
  QAction* also = menu.addAction("Also open in the text editor");
  also->setObjectName("AlsoOpenInEditor");
  also->setCheckable(true);
  also->setChecked(OpenAlsoInEditor());
  QObject::connect(also, &QAction::toggled, &menu, [](bool on) { SetOpenAlsoInEditor(on); });
  QAction* now = menu.addAction("Open in text editor");
  now->setObjectName("OpenInEditor");
  const std::string shown = ctx.windows.PlotOpen() ? ctx.state.PlotFileName : std::string();
  now->setEnabled(!shown.empty());
  now->setToolTip(shown.empty() ? QString("No data file is plotted")
                                : QString::fromStdString(shown));
  QObject::connect(now, &QAction::triggered, &menu, [&ctx, shown] {
    ctx.editorMissingTold = false;  // asked for: told again when it cannot be done
    ShowInEditor(ctx, shown);
  });
}

}  // namespace orvane
