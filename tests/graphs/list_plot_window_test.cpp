// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/list_plot_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QWheelEvent>
#include <cstdio>
#include <memory>

#include "graphs/chart_math.h"
#include "graphs/list_plot_open_qt.h"
#include "gui_support/chart_window_rig.h"
#include "gui_support/panel_rig.h"
#include "support/plot_records.h"

namespace orvane {
namespace {

using test::CountColour;
using test::Pixel;

void FillPlot(PlotData& plot, int n) {
  // "0.25K" and "250" alternate: both plot at 250.
  plot = test::PlotRecords(
      n, [](int i) { return i % 2 ? "  0.25K" : "  250"; }, "  750");
}

// A plot window of 640 x 480: plot left 90, width 540, bottom 453, height 380.
struct PlotRig {
  ProgramState state;
  OpenWindows windows;
  ScriptedDialogs dialogs;
  std::unique_ptr<ListPlotWindow> window;
  QStringList captions;

  explicit PlotRig(int records) {
    FillPlot(state.Plot, records);
    window = std::make_unique<ListPlotWindow>(state, dialogs);
    windows.Keep(WindowKind::Plot, window.get());
    window->resize(640, 480);
    window->show();
    QObject::connect(window.get(), &QWidget::windowTitleChanged,
                     [this](const QString& t) { captions << t; });
  }
  template <typename T>
  T* Find(const char* name) const {
    return window->findChild<T*>(name);
  }
};

TEST(PlotWindow, FrameDrawingArmsTheReplayWhichRunsOnceWithProgressCaption) {
  PlotRig rig(100);
  EXPECT_TRUE(rig.windows.PlotOpen());
  EXPECT_TRUE(rig.window->Timer1().isActive());
  rig.window->Timer1_Timer();
  EXPECT_FALSE(rig.window->Timer1().isActive());
  ASSERT_EQ(rig.captions.size(), 101);
  EXPECT_EQ(rig.captions.front(), "1% Completed");
  EXPECT_EQ(rig.captions[99], "100% Completed");
  EXPECT_EQ(rig.captions.back(), "Plot");
}

TEST(PlotWindowPixels, CurvesGridAndLabelsWhereTheMappingPutsThem) {
  PlotRig rig(100);
  rig.window->Timer1_Timer();
  const QImage image = rig.window->ChartImage();
  struct Case {
    const char* what;
    int x, y;
    QColor colour;
  };
  const Case cases[] = {
      {"vertical axis", 88, 300, Qt::black},
      {"half-height grid line", 300, 263, QColor(192, 192, 192)},
      {"main curve at 250 of 1000 (0.25K too)", 300, 358, Qt::black},
      {"cd curve at 750 of 1000", 300, 168, QColor(0, 0, 255)},
      {"nothing right of the last record", 628, 358, Qt::white},
  };
  for (const Case& c : cases) EXPECT_EQ(Pixel(image, c.x, c.y), c.colour) << c.what;
  // Time labels under the first record and under the last.
  EXPECT_GT(CountColour(image, 70, 455, 130, 479, Qt::black), 8);
  EXPECT_GT(CountColour(image, 580, 455, 639, 479, Qt::black), 8);
}

TEST(PlotWindowRangeDialog, RefusesRecordsThatDoNotExistAndReplaysAStretch) {
  PlotRig rig(50);
  rig.window->Toolbar1_ButtonClick("Range");
  EXPECT_EQ(rig.Find<QGroupBox>("FrmLxFc")->title(), "Lux");
  EXPECT_EQ(rig.Find<QLineEdit>("TxtFrom")->text(), "1");
  EXPECT_EQ(rig.Find<QLineEdit>("TxtTo")->text(), "50");
  rig.Find<QLineEdit>("TxtTo")->setText("51");
  rig.window->CmdRangeOK_Click();
  ASSERT_EQ(rig.dialogs.Log().size(), 1u);
  EXPECT_EQ(rig.dialogs.Log()[0].text, "1 <= From <= To <= 50, try again!");
  EXPECT_EQ(rig.state.Plot.PlotTo, 50);

  rig.Find<QLineEdit>("TxtFrom")->setText("10");
  rig.Find<QLineEdit>("TxtTo")->setText("10");
  rig.window->CmdRangeOK_Click();
  EXPECT_EQ(rig.dialogs.Log().size(), 1u);
  EXPECT_EQ(rig.state.Plot.PlotCount, 1);
  EXPECT_TRUE(rig.window->Timer1().isActive());
  rig.window->Timer1_Timer();
  const QImage image = rig.window->ChartImage();
  EXPECT_EQ(CountColour(image, 90, 70, 639, 452, Qt::black), 0);  // one record: no segment
  EXPECT_GT(CountColour(image, 70, 455, 130, 479, Qt::black), 8);
}

// The panel of statistics, on request, with the figures of the stretch shown: every tenth
// reading over range, the others their record number.
TEST(PlotWindow, StatisticsPanelShowsTheFiguresOfTheStretch) {
  PlotRig rig(0);
  rig.state.Plot = test::PlotRecords(
      50, [](int i) { return i % 10 == 0 ? std::string("OL") : std::to_string(i); }, "750");
  QAction* key = rig.Find<QAction>("Statistics");
  ASSERT_NE(key, nullptr);
  EXPECT_FALSE(rig.Find<QFrame>("PicStats")->isVisible());
  key->trigger();
  ASSERT_TRUE(rig.Find<QFrame>("PicStats")->isVisible());
  struct Case {
    const char* from;
    const char* to;
    const char* shown;
  };
  const Case cases[] = {
      {"1", "50",
       "Records 1 to 50: 2024/05/17 08:00:01 to 08:00:50 (0:00:49, longest gap 1 s) "
       "readings over range min max mean Lux 50 5 1 49 25 cd 50 0 750 750 750"},
      {"11", "19",
       "Records 11 to 19: 2024/05/17 08:00:11 to 08:00:19 (0:00:08, longest gap 1 s) "
       "readings over range min max mean Lux 9 0 11 19 15 cd 9 0 750 750 750"},
      {"20", "20",
       "Records 20 to 20: 2024/05/17 08:00:20 to 08:00:20 (0:00:00) "
       "readings over range min max mean Lux 1 1 - - - cd 1 0 750 750 750"},
  };
  for (const Case& c : cases) {
    rig.window->Toolbar1_ButtonClick("Range");
    rig.Find<QLineEdit>("TxtFrom")->setText(c.from);
    rig.Find<QLineEdit>("TxtTo")->setText(c.to);
    rig.window->CmdRangeOK_Click();
    QString shown = rig.Find<QLabel>("LblStats")->text();
    shown.replace("</td>", " ").replace("&nbsp;", " ").remove(QRegularExpression("<[^>]*>"));
    EXPECT_EQ(shown.simplified().toStdString(), c.shown) << c.from << ".." << c.to;
  }
  key->trigger();
  EXPECT_FALSE(rig.Find<QFrame>("PicStats")->isVisible());
}

// Exploring: the wheel, hover, the context menu, a drag and the range dialog work on one
// view, and the dialog shows it whenever it changes.
TEST(PlotWindow, WheelHoverMenuDragAndRangeDialogShareOneView) {
  PlotRig rig(1000);  // plot area from x = 90, 540 wide
  rig.window->Timer1_Timer();
  rig.window->Toolbar1_ButtonClick("Range");
  auto* from = rig.Find<QLineEdit>("TxtFrom");
  auto* to = rig.Find<QLineEdit>("TxtTo");
  const auto shown = [&] { return std::make_pair(rig.state.Plot.PlotFrom, rig.state.Plot.PlotTo); };
  const auto menu = [&](const char* name) {
    rig.window->ContextMenu()->findChild<QAction*>(name)->trigger();
    rig.window->Timer1_Timer();
  };

  QWheelEvent wheel(QPointF(360, 200), QPointF(360, 200), {}, QPoint(0, 120), Qt::NoButton,
                    Qt::NoModifier, Qt::NoScrollPhase, false);
  QCoreApplication::sendEvent(rig.window.get(), &wheel);
  EXPECT_EQ(shown(), std::make_pair(101L, 900L));
  EXPECT_EQ(from->text(), "101");  // the open dialog follows the zoom
  EXPECT_EQ(to->text(), "900");
  ASSERT_TRUE(rig.window->Timer1().isActive());
  rig.window->Timer1_Timer();
  EXPECT_EQ(rig.window->windowTitle(), "Plot");

  rig.window->HoverAt(360);
  EXPECT_EQ(rig.window->HoverRecord(), 501);
  auto* readout = rig.Find<QLabel>("LblReadout");
  EXPECT_TRUE(readout->isVisible());
  EXPECT_EQ(readout->text(), "Record 501   2024/05/17 08:08:21   Lux 250   cd 750");

  menu("Fit");
  const double fitted = rig.state.Plot.PlotRange.LuxMax;
  EXPECT_GT(fitted, 250);
  EXPECT_LT(fitted, 300);
  EXPECT_EQ(rig.Find<QLineEdit>("TxtMx")->text().toStdString(), NumberText(fitted));
  menu("Back");
  EXPECT_EQ(rig.state.Plot.PlotRange.LuxMax, 1000);
  menu("WholeFile");
  EXPECT_EQ(shown(), std::make_pair(1L, 1000L));

  rig.window->DragSelect(144, 198);
  EXPECT_EQ(shown(), std::make_pair(101L, 201L));
  from->setText("5");
  to->setText("10");
  rig.window->CmdRangeOK_Click();
  EXPECT_EQ(shown(), std::make_pair(5L, 10L));
  menu("Back");
  EXPECT_EQ(shown(), std::make_pair(101L, 201L));
  EXPECT_TRUE(rig.dialogs.Log().empty());
}

TEST(PlotWindow, TitleNamesTheFileAndStatisticsStayUnderTheChart) {
  ProgramState state;
  FillPlot(state.Plot, 50);
  state.Plot.PlotFile = "/data/lab/run.lms";
  ScriptedDialogs dialogs;
  ListPlotWindow window(state, dialogs);
  window.resize(640, 480);
  window.show();
  EXPECT_EQ(window.windowTitle(), QString::fromUtf8("Plot \u2014 run.lms"));
  window.findChild<QAction*>("Statistics")->trigger();
  auto* stats = window.findChild<QFrame*>("PicStats");
  ASSERT_TRUE(stats->isVisible());
  // The chart gives up the room the panel takes: no scale or curve under it.
  EXPECT_GE(stats->y(), window.ChartImage().height());
  EXPECT_LE(stats->geometry().bottom(), window.height());
  window.findChild<QAction*>("Statistics")->trigger();
  EXPECT_EQ(window.ChartImage().height(), window.height());
}

TEST(PlotWindow, FileWithoutRecordsDrawsTheEmptyFrame) {
  PlotRig rig(0);
  rig.window->Timer1_Timer();
  const QImage image = rig.window->ChartImage();
  EXPECT_EQ(Pixel(image, 88, 300), Qt::black);
  EXPECT_EQ(CountColour(image, 90, 70, 639, 452, Qt::black), 0);
  EXPECT_EQ(rig.window->windowTitle(), "Plot");
}

TEST(PlotOpen, ShowsOneListPlotRightOfThePanelAndReplacesAnOpenOne) {
  test::PanelRig rig;
  rig.panel->show();
  FillPlot(rig.panel->State().Plot, 20);
  OpenListPlot(rig.panel->Context());
  OpenListPlot(rig.panel->Context());
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  const auto windows = rig.panel->findChildren<ListPlotWindow*>("ListPlot");
  ASSERT_EQ(windows.size(), 1);
  EXPECT_TRUE(windows[0]->isVisible());
  EXPECT_EQ(windows[0]->windowTitle(), "Plot");
  EXPECT_TRUE(rig.panel->Context().windows.PlotOpen());
  CloseListPlot(rig.panel->Context());
  EXPECT_FALSE(rig.panel->Context().windows.PlotOpen());
}

}  // namespace
}  // namespace orvane
