// SPDX-License-Identifier: GPL-3.0-or-later
#include "graphs/real_time_graph_window.h"

#include <gtest/gtest.h>

#include <QCheckBox>
#include <QGroupBox>
#include <memory>

#include "graphs/real_time_sweep.h"
#include "gui_support/chart_window_rig.h"
#include "gui_support/panel_rig.h"
#include "support/locale_rig.h"
#include "ui/chart_image_file.h"

namespace orvane {
namespace {

using test::Pixel;
using test::TypeInto;

// A graph window of 640 x 480 (plot left 180, width 450, bottom 453, height 380) on a lux
// range of 0..1000, as typed (Auto off); `autoScale` leaves the scales fitted to the readings.
struct GraphRig {
  ProgramState state;
  LiveReading reading;
  ManualClock clock{{2024, 5, 17, 14, 7, 9, 0}};
  ScriptedDialogs dialogs;
  std::unique_ptr<RealTimeGraphWindow> window;

  explicit GraphRig(bool autoScale = false) {
    state.GraphUnit = "lx";
    state.LiveRange = FullLiveRange("lx");
    state.LiveRange.LuxMax = 1000;
    state.LiveRange.CdMax = 1000;
    window = std::make_unique<RealTimeGraphWindow>(
        state, [this]() -> std::optional<LiveReading> { return reading; }, clock, dialogs);
    window->resize(640, 480);
    window->show();
    if (!autoScale) window->SetAutoScale(false);
  }
  void Tick(const char* main, const char* cd) {
    reading.text = main;
    reading.cdText = cd;
    window->Timer1_Timer();
  }
  template <typename T>
  T* Find(const char* name) const {
    return window->findChild<T*>(name);
  }
};

TEST(GraphWindowPixels, AxesGridAndCurvesWhereTheMappingPutsThem) {
  GraphRig rig;
  for (int i = 0; i < 3; ++i) rig.Tick("300", "700");
  const QImage image = rig.window->ChartImage();
  ASSERT_EQ(image.width(), 640);
  struct Case {
    const char* what;
    int x, y;
    QColor colour;
  };
  const Case cases[] = {
      {"vertical axis", 178, 300, Qt::black},
      {"horizontal axis", 400, 459, Qt::black},
      {"half-height grid line", 400, 263, QColor(192, 192, 192)},
      {"main curve at 300 of 1000", 181, 339, Qt::black},
      {"cd curve at 700 of 1000", 181, 187, QColor(0, 0, 255)},
      {"no curve past the sweep", 200, 339, Qt::white},
  };
  for (const Case& c : cases) EXPECT_EQ(Pixel(image, c.x, c.y), c.colour) << c.what;
  EXPECT_EQ(rig.window->Chart().TimeLabel, "14:07:09");
  EXPECT_GT(test::CountColour(image, 150, 455, 210, 479, Qt::black), 8);  // the time label
}

TEST(GraphWindowUnitDialog, ClearedBoxesLeaveNoCurveButTheSweepGoesOn) {
  GraphRig rig;
  rig.window->Toolbar1_ButtonClick("Unit");
  ASSERT_FALSE(rig.Find<QWidget>("PicUnit")->isHidden());
  EXPECT_TRUE(rig.Find<QCheckBox>("CKUnit0")->isChecked());
  rig.Find<QCheckBox>("CKUnit0")->setChecked(false);
  rig.Find<QCheckBox>("CKUnit1")->setChecked(false);
  rig.window->CmdUnitOK_Click();
  EXPECT_TRUE(rig.Find<QWidget>("PicUnit")->isHidden());
  for (int i = 0; i < 3; ++i) rig.Tick("300", "700");
  const QImage image = rig.window->ChartImage();
  for (int x = 180; x <= 183; ++x) {
    EXPECT_EQ(Pixel(image, x, 339), Qt::white) << x;
    EXPECT_EQ(Pixel(image, x, 187), Qt::white) << x;
  }
  EXPECT_EQ(rig.window->Chart().SweepX, 2);
  rig.window->Toolbar1_ButtonClick("Unit");
  EXPECT_FALSE(rig.Find<QCheckBox>("CKUnit0")->isChecked());
}

TEST(GraphWindowRangeDialog, BoxesTakeOnlyTheirKeys) {
  GraphRig rig;
  rig.window->Toolbar1_ButtonClick("Range");
  struct Case {
    const char* box;
    QString typed, shown;
  };
  const Case cases[] = {
      {"TxtMx", "12a.5-e", "12.5"},
      {"TxtcdMn", "1,0 0", "1.00"},  // a comma typed for the decimal point
      {"TxtCounts", "1,0", "10"},
      {"TxtCounts", "9.0x", "90"},
      {"TxtCounts", QString("12") + QChar(8), "1"},
  };
  for (const Case& c : cases) {
    auto* box = rig.Find<QLineEdit>(c.box);
    box->clear();
    TypeInto(box, c.typed);
    EXPECT_EQ(box->text(), c.shown) << c.box;
  }
  // Editing keys work as in any text box: Home then Delete, Ctrl+A then Delete.
  auto* box = rig.Find<QLineEdit>("TxtMx");
  box->setText("12.5");
  auto press = [box](int key, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QKeyEvent event(QEvent::KeyPress, key, modifiers);
    QApplication::sendEvent(box, &event);
  };
  press(Qt::Key_Home);
  press(Qt::Key_Delete);
  EXPECT_EQ(box->text(), "2.5");
  press(Qt::Key_A, Qt::ControlModifier);
  press(Qt::Key_Delete);
  EXPECT_EQ(box->text(), "");
  box->insert("7a");  // a pasted text with a character the box does not take
  EXPECT_EQ(box->text(), "");
}

TEST(GraphWindowRangeDialog, OkAppliesTheRangeOrRefusesWithTheMessage) {
  GraphRig rig;
  rig.window->Toolbar1_ButtonClick("Range");
  EXPECT_EQ(rig.Find<QGroupBox>("FrmLxFc")->title(), "Lux");
  EXPECT_EQ(rig.Find<QLineEdit>("TxtMx")->text(), "1000");
  EXPECT_EQ(rig.Find<QLineEdit>("TxtCounts")->text(), "450");
  rig.Find<QLineEdit>("TxtMx")->setText("9999001");
  rig.window->CmdRangeOK_Click();
  ASSERT_EQ(rig.dialogs.Log().size(), 1u);
  EXPECT_EQ(rig.dialogs.Log()[0].text, "0 <= Lux <= 9999000, try again!");
  EXPECT_EQ(rig.dialogs.Log()[0].icon, MessageIcon::Critical);
  EXPECT_EQ(rig.state.LiveRange.LuxMax, 1000);
  EXPECT_FALSE(rig.Find<QWidget>("PicRange")->isHidden());

  rig.Find<QLineEdit>("TxtMx")->setText("100");
  rig.Find<QLineEdit>("TxtCounts")->setText("900");
  rig.window->CmdRangeOK_Click();
  EXPECT_EQ(rig.dialogs.Log().size(), 1u);
  EXPECT_EQ(rig.state.LiveRange.LuxMax, 100);
  EXPECT_DOUBLE_EQ(rig.state.LiveRange.FcMax, 9.29);
  EXPECT_EQ(rig.window->Chart().StepX, 0.5);
  EXPECT_TRUE(rig.Find<QWidget>("PicRange")->isHidden());
}

// The curve pixels of each curve in the plot area.
struct CurvePixels {
  int main;
  int cd;
};
CurvePixels CurvesDrawn(RealTimeGraphWindow& window) {
  const QImage image = window.ChartImage();
  const ChartState& c = window.Chart();
  const int left = static_cast<int>(c.PlotLeft) + 1,
            right = left + static_cast<int>(c.PlotWidth) - 2;
  const int top = static_cast<int>(c.PlotBottom - c.PlotHeight) - 6;
  const int bottom = static_cast<int>(c.PlotBottom) - 1;
  return {test::CountColour(image, left, top, right, bottom, Qt::black),
          test::CountColour(image, left, top, right, bottom, QColor(0, 0, 255))};
}

TEST(GraphWindowHistory, ScalesFitTheReadingsAndTheSweepSurvivesResizeRangeUnitAndAuto) {
  GraphRig rig(true);
  EXPECT_TRUE(rig.window->AutoScale());
  EXPECT_TRUE(rig.window->findChild<QAction*>("CmdAuto")->isChecked());
  const char* readings[] = {"510", "515", "520", "530", "525", "OL", "520", "518", "522", "519"};
  const char* cds[] = {"1020", "1030", "1040", "1060", "1050",
                       "OL",   "1040", "1036", "1044", "1038"};
  for (int i = 0; i < 60; ++i) {
    rig.Tick(readings[i % 10], cds[i % 10]);
    rig.clock.AdvanceMs(1000);
  }
  // round limits around 510..530 with a margin, labels every 4
  EXPECT_EQ(rig.state.LiveRange.LuxMin, 508);
  EXPECT_EQ(rig.state.LiveRange.LuxMax, 540);
  EXPECT_EQ(rig.state.LiveRange.CdMin, 1010);
  EXPECT_EQ(rig.state.LiveRange.CdMax, 1090);
  const CurvePixels before = CurvesDrawn(*rig.window);
  ASSERT_GT(before.main, 60);
  ASSERT_GT(before.cd, 60);
  EXPECT_EQ(rig.window->Chart().SweepX, 59);

  struct Step {
    const char* what;
    std::function<void()> act;
    bool autoScale;
  };
  const Step steps[] = {
      {"resize", [&] { rig.window->resize(900, 600); }, true},
      {"unit dialog OK",
       [&] {
         rig.window->Toolbar1_ButtonClick("Unit");
         rig.window->CmdUnitOK_Click();
       },
       true},
      {"typed range",
       [&] {
         rig.window->Toolbar1_ButtonClick("Range");
         rig.Find<QLineEdit>("TxtMn")->setText("0");
         rig.Find<QLineEdit>("TxtMx")->setText("1000");
         rig.window->CmdRangeOK_Click();
       },
       false},
      {"Auto", [&] { rig.window->findChild<QAction*>("CmdAuto")->trigger(); }, true},
      {"narrower than the sweep", [&] { rig.window->resize(540, 400); }, true},
  };
  for (const Step& step : steps) {
    step.act();
    const CurvePixels after = CurvesDrawn(*rig.window);
    EXPECT_GT(after.main, 30) << step.what;
    EXPECT_GT(after.cd, 30) << step.what;
    EXPECT_EQ(rig.window->AutoScale(), step.autoScale) << step.what;
    EXPECT_EQ(rig.window->findChild<QAction*>("CmdAuto")->isChecked(), step.autoScale);
  }
  EXPECT_EQ(rig.state.LiveRange.LuxMax, 540);  // Auto fitted the scales again
  // 540 px leave a 360 px plot: the newest 60 samples still fit, the sweep goes on
  EXPECT_EQ(rig.window->Chart().SweepX, 59);
  rig.Tick("1000", "1000");  // outside the scale: widened at once
  EXPECT_GE(rig.state.LiveRange.LuxMax, 1000);
  EXPECT_EQ(rig.window->Chart().SweepX, 60);

  rig.window->findChild<QAction*>("CmdClear")->trigger();
  EXPECT_TRUE(rig.window->History().Empty());
  EXPECT_EQ(CurvesDrawn(*rig.window).main, 0);
  rig.Tick("100", "100");
  EXPECT_EQ(rig.window->Chart().SweepX, 0);  // a new sweep
  EXPECT_LT(rig.state.LiveRange.LuxMax, 200);
}

// Under a decimal-comma locale the boxes show, and OK keeps, what they do under C; the
// chart is drawn pixel for pixel the same; a comma typed for the point is a point.
TEST(GraphWindowRangeDialog, BoxesAndChartDoNotFollowADecimalCommaLocale) {
  std::string why;
  if (!test::EnsureLocale("de_DE.UTF-8", "de_DE", why)) GTEST_SKIP() << why;
  struct Seen {
    std::vector<QString> boxes;
    RangeRecord applied;
    QImage chart;
  };
  const auto run = [](const char* locale) {
    test::ProcessLocale in(locale);
    GraphRig rig;
    rig.state.LiveRange = {538.25, 508.8, 50.02, 47.28, 99.5, 12.5};
    rig.window->Toolbar1_ButtonClick("Range");
    Seen seen;
    for (const char* name : {"TxtMn", "TxtMx", "TxtcdMn", "TxtcdMx", "TxtCounts"}) {
      seen.boxes.push_back(rig.Find<QLineEdit>(name)->text());
    }
    rig.window->CmdRangeOK_Click();
    seen.applied = rig.state.LiveRange;
    seen.chart = rig.window->ChartImage().convertToFormat(QImage::Format_RGB32);
    EXPECT_TRUE(rig.dialogs.Log().empty()) << locale;
    return seen;
  };
  const Seen c = run("C");
  const Seen german = run("de_DE.UTF-8");
  EXPECT_EQ(c.boxes, (std::vector<QString>{"508.8", "538.25", "12.5", "99.5", "450"}));
  EXPECT_EQ(german.boxes, c.boxes);
  for (const Seen* s : {&c, &german}) {
    EXPECT_EQ(s->applied.LuxMin, 508.8);
    EXPECT_EQ(s->applied.LuxMax, 538.25);
    EXPECT_EQ(s->applied.CdMin, 12.5);
  }
  EXPECT_TRUE(german.chart == c.chart) << "the chart differs under de_DE.UTF-8";

  test::ProcessLocale in("de_DE.UTF-8");
  GraphRig rig;
  rig.window->Toolbar1_ButtonClick("Range");
  auto* box = rig.Find<QLineEdit>("TxtcdMn");
  box->clear();
  TypeInto(box, "12,5");
  rig.window->CmdRangeOK_Click();
  EXPECT_EQ(rig.state.LiveRange.CdMin, 12.5);
}

// Print draws again what the window drew (no tool bar, no screen pixels) under a title.
TEST(GraphWindowPrint, PrintsTheChartDrawnAnewWithATitleLine) {
  GraphRig rig;
  rig.reading.known = true;
  for (int i = 0; i < 40; ++i) {
    rig.Tick(i % 2 ? "300" : "OL", "700");
    rig.clock.AdvanceMs(1000);
  }
  ChartOutput printed;
  rig.window->SetPrintHandler([&](const ChartOutput& chart) { printed = chart; });
  rig.window->findChild<QAction*>("Print")->trigger();
  ASSERT_EQ(QSize(printed.width, printed.height), QSize(640, 480));
  const QImage page = ChartOutputImage(printed);
  const QImage shown = rig.window->ChartImage();
  const int titleBand = 24;
  EXPECT_EQ(page.copy(0, titleBand, 640, 480 - titleBand),
            shown.copy(0, titleBand, 640, 480 - titleBand));
  int ink = 0;
  for (int y = 0; y < titleBand; ++y)
    for (int x = 0; x < 640; ++x) ink += Pixel(page, x, y) != Qt::white;
  EXPECT_GT(ink, 200);
  EXPECT_EQ(ChartTitleText(rig.window->Title()),
            "Live   2024/05/17 14:07:09 to 2024/05/17 14:07:48   Lux (black), cd (blue)");
}

TEST(GraphCommand, GraphButtonOpensTheGraphOnTheFullRangeEveryClick) {
  test::PanelRig rig;
  rig.panel->show();
  rig.panel->Toolbar1_ButtonClick("Graph");
  auto* window = rig.panel->findChild<RealTimeGraphWindow*>("RealTimeGraph");
  ASSERT_NE(window, nullptr);
  EXPECT_TRUE(window->isVisible());
  EXPECT_EQ(window->windowTitle(), "Graphic Display");
  EXPECT_TRUE(window->Timer1().isActive());
  EXPECT_EQ(window->Timer1().interval(), 1000);
  ProgramState& state = rig.panel->State();
  EXPECT_EQ(state.GraphUnit, "lx");
  EXPECT_EQ(state.LiveRange.LuxMax, 9999000);
  state.LiveRange.LuxMax = 5;
  rig.panel->Toolbar1_ButtonClick("Graph");
  EXPECT_EQ(state.LiveRange.LuxMax, 9999000);
  EXPECT_EQ(rig.panel->findChildren<RealTimeGraphWindow*>().size(), 1);
  window->close();
}

}  // namespace
}  // namespace orvane
