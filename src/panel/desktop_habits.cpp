#include "panel/desktop_habits.h"

#include <QAction>
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QShortcut>
#include <QTimer>
#include <QToolBar>
#include <QToolButton>
#include <QWindow>
#include <memory>

#include "panel/panel_commands.h"
#include "panel/panel_toolbar.h"
#include "panel/panel_window.h"
#include "ui/program_settings.h"

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

QAction* ToolbarAction(PanelWindow& panel, const char* key) {
  auto* toolbar = panel.findChild<QToolBar*>("Toolbar1");
  return toolbar == nullptr ? nullptr : toolbar->findChild<QAction*>(key);
}

// Open's button gets a menu of the files opened last.
void AddRecentFilesMenu(PanelWindow& panel, QAction* open) {
  auto* toolbar = panel.findChild<QToolBar*>("Toolbar1");
  auto* button = qobject_cast<QToolButton*>(toolbar->widgetForAction(open));
  if (button == nullptr) return;
  auto* menu = new QMenu(button);
  menu->setObjectName("RecentFiles");
  QObject::connect(menu, &QMenu::aboutToShow, menu, [&panel, menu] {
    menu->clear();
    const QStringList files = RecentFiles();
    if (files.isEmpty()) menu->addAction("No recent files")->setEnabled(false);
    for (const QString& path : files) {
      QAction* entry = menu->addAction(QFileInfo(path).fileName());
      entry->setToolTip(path);
      entry->setStatusTip(path);
      QObject::connect(entry, &QAction::triggered, &panel,
                       [&panel, path] { OpenDataFile(panel.Context(), path.toStdString()); });
    }
    menu->addSeparator();
    AddEditorChoices(*menu, panel.Context());
  });
  button->setMenu(menu);
  button->setPopupMode(QToolButton::MenuButtonPopup);
  ShowToolbarText(*toolbar, toolbar->toolButtonStyle() == Qt::ToolButtonTextUnderIcon);
}

}  // namespace

QString DataFileAmong(const QStringList& paths) {
  for (const QString& path : paths)
    if (path.endsWith(".lms", Qt::CaseInsensitive) && QFileInfo(path).isFile()) return path;
  return {};
}

QString AboutText() {
  return QStringLiteral(
      "<b>Orvane 8.01</b><br>The desktop companion of the USB light meter.<br><br>"
      "<table>"
      "<tr><td>Ctrl+S</td><td>Save: start or stop recording to a data file</td></tr>"
      "<tr><td>Ctrl+O</td><td>Open a data file and plot it (the arrow beside Open lists "
      "the files opened last)</td></tr>"
      "<tr><td>Ctrl+P</td><td>Print, in the graph windows</td></tr>"
      "<tr><td>Ctrl+Q</td><td>Quit</td></tr>"
      "<tr><td>F1</td><td>This help</td></tr>"
      "<tr><td>Tab, Space</td><td>Move between the meter's keys on the panel; press one</td></tr>"
      "</table><br>A data file dropped on the panel, or named when the program starts "
      "(<tt>orvane FILE.lms</tt>), opens in the plot.");
}

void InstallDesktopHabits(PanelWindow& panel) {
  panel.setAcceptDrops(true);
  panel.installEventFilter(new DropOpener(panel));
  if (QAction* save = ToolbarAction(panel, "Save")) save->setShortcut(QKeySequence::Save);
  if (QAction* open = ToolbarAction(panel, "Open")) {
    open->setShortcut(QKeySequence::Open);
    AddRecentFilesMenu(panel, open);
  }
  auto* quit = new QShortcut(QKeySequence::Quit, &panel);
  quit->setObjectName("Quit");
  quit->setContext(Qt::ApplicationShortcut);
  QObject::connect(quit, &QShortcut::activated, &panel, &QWidget::close);
  auto* help = new QShortcut(QKeySequence::HelpContents, &panel);
  help->setObjectName("Help");
  help->setContext(Qt::ApplicationShortcut);
  QObject::connect(help, &QShortcut::activated, &panel, [&panel] {
    QWidget* owner = QApplication::activeWindow();
    QMessageBox::about(owner != nullptr ? owner : &panel, "About Orvane", AboutText());
  });
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
