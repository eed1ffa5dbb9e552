// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel/desktop_habits.h"

#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>
#include <QWindow>
#include <memory>

#include "panel/command_table.h"
#include "panel/open_command_qt.h"
#include "panel/panel_window.h"

namespace orvane {

namespace {

constexpr int kScreenWaitStepMs = 50;
constexpr int kScreenWaitMaxMs = 3000;

QStringList LocalPaths(const QMimeData* mime) {
  QStringList paths;
  if (mime == nullptr) return paths;
  for (const QUrl& url : mime->urls())
    if (url.isLocalFile()) paths << url.toLocalFile();
  return paths;
}

// Takes a dragged data file over the panel and opens it when dropped.
class DropOpener final : public QObject {
 public:
  explicit DropOpener(PanelWindow& panel) : QObject(&panel), panel_(panel) {}

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched != &panel_) return false;
    if (event->type() == QEvent::DragEnter || event->type() == QEvent::DragMove) {
      auto* drag = static_cast<QDragMoveEvent*>(event);
      if (DataFileAmong(LocalPaths(drag->mimeData())).isEmpty()) return false;
      drag->acceptProposedAction();
      return true;
    }
    if (event->type() == QEvent::Drop) {
      auto* drop = static_cast<QDropEvent*>(event);
      const QString path = DataFileAmong(LocalPaths(drop->mimeData()));
      if (path.isEmpty()) return false;
      drop->acceptProposedAction();
      // Not inside the drop: the source waits for the drop to end.
      QTimer::singleShot(0, &panel_,
                         [this, path] { OpenDataFile(panel_.Context(), path.toStdString()); });
      return true;
    }
    return false;
  }

 private:
  PanelWindow& panel_;
};

void Quit(PanelContext& ctx, PanelControls&) {
  if (ctx.panel != nullptr) ctx.panel->close();
}

void About(PanelContext& ctx, PanelControls&) {
  ctx.dialogs.Message(AboutText(PanelCommandTable()).toStdString(), MessageIcon::Information,
                      MessageButtons::Ok, "About Orvane");
}

}  // namespace

QString DataFileAmong(const QStringList& paths) {
  for (const QString& path : paths)
    if (path.endsWith(".lms", Qt::CaseInsensitive) && QFileInfo(path).isFile()) return path;
  return {};
}

CommandRows ProgramCommands() {
  static const CommandRow rows[] = {
      {.key = "Quit",
       .caption = "&Quit",
       .toolTip = "Quit Orvane",
       .shortcut = "Ctrl+Q",
       .icon = DrawQuitIcon,
       .rule = CommandRule::None,
       .run = Quit,
       .menu = CommandMenu::File,
       .anyWindow = true},
      {.key = "About",
       .caption = "&About",
       .toolTip = "About Orvane and its keys",
       .shortcut = "F1",
       .icon = DrawAboutIcon,
       .rule = CommandRule::None,
       .run = About,
       .menu = CommandMenu::Help,
       .anyWindow = true},
  };
  return rows;
}

QString AboutText(CommandRows table) {
  QString keys;
  for (const CommandRow& row : table) {
    const QString what = QString(row.caption).remove('&').remove(QChar(0x2026));
    keys += QString("<tr><td>%1</td><td>%2: %3</td></tr>").arg(row.shortcut, what, row.toolTip);
  }
  return "<b>Orvane 8.01</b><br>The desktop companion of the USB light meter.<br><br><table>" +
         keys +
         "<tr><td>Ctrl+P</td><td>Print, in the graph windows</td></tr>"
         "<tr><td>Tab, Space</td><td>Move between the meter's keys on the panel; press "
         "one</td></tr>"
         "</table><br>A data file dropped on the panel, or named when the program starts "
         "(<tt>orvane FILE.lms</tt>), opens in the plot.";
}

void InstallDesktopHabits(PanelWindow& panel) {
  panel.setAcceptDrops(true);
  panel.installEventFilter(new DropOpener(panel));
}

void WhenOnScreen(QWidget& window, std::function<void()> work) {
  auto* timer = new QTimer(&window);
  auto waited = std::make_shared<int>(0);
  QObject::connect(timer, &QTimer::timeout, &window, [&window, timer, waited, work] {
    const bool shown = window.windowHandle() != nullptr && window.windowHandle()->isExposed();
    *waited += kScreenWaitStepMs;
    if (!shown && *waited < kScreenWaitMaxMs) return;
    timer->stop();
    timer->deleteLater();
    work();
  });
  timer->start(kScreenWaitStepMs);
}

}  // namespace orvane
