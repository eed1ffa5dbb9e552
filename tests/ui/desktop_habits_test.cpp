// SPDX-License-Identifier: GPL-3.0-or-later
// How the windows sit on the desktop and take the keyboard: placement kept on the
// screen and remembered, dialogs owned by the window that asks, the keypad's Tab chain,
// and a data file dropped on the panel.
#include "panel/desktop_habits.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QDropEvent>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>
#include <QScreen>
#include <QUrl>
#include <filesystem>
#include <fstream>

#include "gui_support/panel_rig.h"
#include "panel/open_command_qt.h"
#include "recording/recording_file.h"
#include "ui/program_settings.h"
#include "ui/qt_dialogs.h"
#include "ui/window_places.h"

namespace orvane {
namespace {

using test::PanelRig;

TEST(WindowPlaces, KeptOnTheScreenByMovingLeftOrUpThenByShrinking) {
  const QRect screen(0, 0, 1600, 900);
  struct Case {
    QRect frame, kept;
  } cases[] = {
      {{100, 50, 640, 480}, {100, 50, 640, 480}},    // fits: stays
      {{1055, 0, 800, 600}, {800, 0, 800, 600}},     // off the right edge: moved left
      {{300, 700, 400, 400}, {300, 500, 400, 400}},  // off the bottom: moved up
      {{-40, -10, 200, 100}, {0, 0, 200, 100}},      // off the top left
      {{900, 0, 2000, 1000}, {0, 0, 1600, 900}},     // larger than the screen: shrunk
  };
  for (const Case& c : cases) EXPECT_EQ(KeptOnScreen(c.frame, screen), c.kept) << c.frame.x();
}

TEST(WindowPlaces, SecondaryWindowBesideThePanelOnTheScreenWithItsRememberedSize) {
  const auto ini = std::filesystem::temp_directory_path() / "orvane-places-test.ini";
  std::filesystem::remove(ini);
  UseSettingsFile(QString::fromStdString(ini.string()));
  const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
  QWidget panel;
  panel.setGeometry(screen.left() + 10, screen.top() + 20, 200, 150);
  {
    QWidget window(nullptr, Qt::Window);
    window.setObjectName("Plot");
    window.resize(300, 200);
    PlaceBesidePanel(window, &panel);
    EXPECT_EQ(window.pos(), QPoint(panel.x() + panel.frameGeometry().width(), panel.y()));
    window.show();
    window.resize(320, 210);
    window.close();  // its size is remembered
  }
  // Near the right edge the window would stick out: it is made narrower down to its
  // minimum width, then moved left as far as it must.
  panel.move(screen.right() - 250, screen.top() + 20);
  QWidget window(nullptr, Qt::Window);
  window.setObjectName("Plot");
  window.setMinimumSize(300, 100);
  PlaceBesidePanel(window, &panel);
  EXPECT_EQ(window.size(), QSize(300, 210));
  EXPECT_TRUE(screen.contains(window.frameGeometry())) << window.x();
  EXPECT_EQ(window.frameGeometry().right(), screen.right());
  panel.move(screen.right() - 500, screen.top() + 20);
  PlaceBesidePanel(window, &panel);
  EXPECT_EQ(window.x(), panel.x() + panel.frameGeometry().width());  // beside it, narrower
  EXPECT_EQ(window.frameGeometry().right(), screen.right());
  UseSettingsFile({});  // nothing more is written
  std::filesystem::remove(ini);
}

TEST(QtDialogs, BelongToTheWindowTheUserWorksInAndListNoEmptyFileType) {
  QWidget panel;
  QWidget list(nullptr, Qt::Window);
  QtDialogs dialogs(&panel);
  QApplication::setActiveWindow(nullptr);
  EXPECT_EQ(dialogs.Owner(), &panel);  // nothing active: the panel
  list.show();
  QApplication::setActiveWindow(&list);
  EXPECT_EQ(dialogs.Owner(), &list);
  list.close();
  QApplication::setActiveWindow(nullptr);
  EXPECT_EQ(QtFilter(kDataFileFilter), "Data Files (*.lms);;All Files (*.*)");
  EXPECT_EQ(QtFilter("PNG Images (*.png)|*.png|PDF Files (*.pdf)|*.pdf|"),
            "PNG Images (*.png);;PDF Files (*.pdf)");
}

// Tab walks the visible keys row by row; the keys outside the designed window never take
// focus, so the keyboard cannot send a key the user does not see. Space presses the key.
TEST(Keypad, TabReachesTheVisibleKeysInRowsAndSpacePressesThem) {
  PanelRig rig;
  rig.panel->Timer1_Timer();  // the meter is found
  auto* first = rig.Find<QPushButton>("CmdBtn5");
  ASSERT_NE(first, nullptr);
  QStringList chain;
  QWidget* w = first;
  do {
    if ((w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && !w->isHidden() &&
        rig.panel->isAncestorOf(w))
      chain << w->objectName();
    w = w->nextInFocusChain();
  } while (w != first);
  EXPECT_EQ(chain, QStringList({"CmdBtn5", "CmdBtn4", "CmdBtn3", "CmdBtn2", "CmdBtn1", "CmdBtn9",
                                "CmdBtn10", "CmdBtn15", "CmdBtn28", "CmdBtn6", "CmdBtn11",
                                "CmdBtn12", "CmdBtn8", "CmdBtn7", "CmdBtn29"}));
  EXPECT_FALSE(rig.Find<QPushButton>("Cmdref")->isEnabled());  // R-H is dark

  const std::size_t before = rig.sim.transport.written.size();
  auto* enter = rig.Find<QPushButton>("CmdBtn7");
  QKeyEvent press(QEvent::KeyPress, Qt::Key_Space, Qt::NoModifier, " ");
  QKeyEvent release(QEvent::KeyRelease, Qt::Key_Space, Qt::NoModifier, " ");
  QApplication::sendEvent(enter, &press);
  QApplication::sendEvent(enter, &release);
  ASSERT_EQ(rig.sim.transport.written.size(), before + 1);
  EXPECT_EQ(rig.sim.transport.written.back()[2], 7);
}

void SendDrop(QWidget& target, const QStringList& files, bool& accepted) {
  QMimeData mime;
  QList<QUrl> urls;
  for (const QString& f : files) urls << QUrl::fromLocalFile(f);
  mime.setUrls(urls);
  QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&target, &enter);
  accepted = enter.isAccepted();
  if (!accepted) return;
  QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &mime, Qt::LeftButton, Qt::NoModifier);
  QApplication::sendEvent(&target, &drop);
  QApplication::processEvents();
}

TEST(PanelDrop, ADataFileDroppedOnThePanelOpensInThePlotOtherFilesAreNotTaken) {
  PanelRig rig;
  InstallDesktopHabits(*rig.panel);
  std::filesystem::create_directories(rig.workingFolder);
  const std::string data = rig.workingFolder + "/dropped.lms";
  const std::string other = rig.workingFolder + "/notes.txt";
  std::ofstream(data, std::ios::binary)
      << FileHeaderLines(2) + BodyHeaderLines(true, "") +
             RecordLine(1, "2024/05/17 10:30:01", "12.5", "1.16") +
             RecordLine(2, "2024/05/17 10:30:02", "13.0", "1.21");
  std::ofstream(other) << "text";

  bool accepted = true;
  SendDrop(*rig.panel, {QString::fromStdString(other)}, accepted);
  EXPECT_FALSE(accepted);
  EXPECT_FALSE(rig.panel->Context().windows.PlotOpen());

  SendDrop(*rig.panel, {QString::fromStdString(other), QString::fromStdString(data)}, accepted);
  EXPECT_TRUE(accepted);
  EXPECT_TRUE(rig.panel->Context().windows.PlotOpen());
  EXPECT_EQ(rig.panel->State().Plot.PlotRecords, 2);
  EXPECT_EQ(rig.launcher.opened, std::vector<std::string>{data});
  EXPECT_TRUE(rig.dialogs.Log().empty());
  EXPECT_TRUE(rig.panel->Timer1().isActive());
}

// Open plots the file and starts the editor as the user chose in the Open button's menu;
// without an editor the status line says so once, and no box follows the plot.
TEST(PanelOpen, TheEditorIsStartedAsChosenAndItsAbsenceIsToldOnceWithoutABox) {
  PanelRig rig;
  InstallDesktopHabits(*rig.panel);
  std::filesystem::create_directories(rig.workingFolder);
  const std::string data = rig.workingFolder + "/run.lms";
  std::ofstream(data, std::ios::binary) << FileHeaderLines(1) + BodyHeaderLines(true, "") +
                                               RecordLine(1, "2024/05/17 10:30:01", "12.5", "1.16");
  PanelContext& ctx = rig.panel->Context();
  auto* notice = rig.panel->findChild<QLabel*>("LblNotice");
  ASSERT_NE(notice, nullptr);
  rig.launcher.editorFound = false;
  OpenDataFile(ctx, data);
  EXPECT_TRUE(rig.panel->Context().windows.PlotOpen());
  EXPECT_EQ(notice->text().toStdString(), "No text editor could be started for " + data);
  notice->clear();
  OpenDataFile(ctx, data);
  EXPECT_EQ(notice->text(), "");  // told once
  EXPECT_EQ(rig.launcher.opened.size(), 2u);
  EXPECT_TRUE(rig.dialogs.Log().empty());

  auto* menu = rig.panel->findChild<QMenu*>("RecentFiles");
  ASSERT_NE(menu, nullptr);
  const auto item = [menu](const char* name) {
    emit menu->aboutToShow();
    return menu->findChild<QAction*>(name);
  };
  ASSERT_NE(item("AlsoOpenInEditor"), nullptr);
  EXPECT_TRUE(item("AlsoOpenInEditor")->isChecked());  // on unless turned off
  item("AlsoOpenInEditor")->trigger();
  EXPECT_FALSE(item("AlsoOpenInEditor")->isChecked());
  rig.launcher.editorFound = true;
  OpenDataFile(ctx, data);
  EXPECT_EQ(rig.launcher.opened.size(), 2u);  // plotted, no editor
  QAction* now = item("OpenInEditor");
  ASSERT_TRUE(now->isEnabled());
  now->trigger();
  EXPECT_EQ(rig.launcher.opened, std::vector<std::string>(3, data));
  item("AlsoOpenInEditor")->trigger();
  EXPECT_TRUE(OpenAlsoInEditor());
}

}  // namespace
}  // namespace orvane
