// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableWidget>

#include "datalogger/logger_codec.h"
#include "datalogger/logger_texts.h"
#include "link/requests.h"
#include "logger_rig_qt.h"

namespace orvane {
namespace {

using test::LoggerRig;

QTableWidget* Grid(MemoryWindow* w) {
  return w->findChild<QTableWidget*>("GridSet");
}

std::string Cell(MemoryWindow* w, int row, int column) {
  const QTableWidgetItem* item = Grid(w)->item(row, column);
  return item == nullptr ? "<none>" : item->text().toStdString();
}

void ClickRow(MemoryWindow* w, int row) {
  Grid(w)->setCurrentCell(row, 0);
  Grid(w)->cellClicked(row, 0);
}

std::string StampOfSet(const LoggerRig& rig, int k) {
  return StampText(rig.sim.meter.sets.at(k - 1).stamp);
}

// The set's text as the meter sends it: blocks of 64, the last one filled with blanks.
std::string AsSent(const std::string& content) {
  std::string text = content;
  text.resize(ContentBlockCount(content.size()) * 64, ' ');
  return text;
}

TEST(LoggerMemoryWindow, RefusedWhileAnyModeFlagIsLit) {
  for (const auto& [flag, symbol] : kMemoryRefusingModes) {
    LoggerRig rig;
    rig.sim.meter.FillLogger(3);
    rig.Run("Memory", test::OnlyLit(flag));
    EXPECT_TRUE(rig.TakeCodes().empty()) << flag;
    EXPECT_EQ(FindMemoryWindow(rig.ctx), nullptr) << flag;
    EXPECT_TRUE(rig.dialogs.Log().empty()) << flag;
    EXPECT_TRUE(rig.TimersRun()) << flag;
  }
  // Symbols outside the list do not stand in the way.
  for (std::string_view flag : {"AnnAPO", "AnnH", "AnnRH", "AnnUSB", "AnnAVG2"}) {
    LoggerRig rig;
    rig.sim.meter.FillLogger(3);
    rig.Run("Memory", test::OnlyLit(flag));
    EXPECT_NE(FindMemoryWindow(rig.ctx), nullptr) << flag;
  }
}

TEST(LoggerMemoryWindow, EmptyMemoryOnlyTellsTheUser) {
  LoggerRig rig;
  OpenDataLogger(rig.ctx);
  EXPECT_EQ(rig.TakeCodes(), std::vector<int>{request::kLoggerStatus});
  ASSERT_EQ(rig.dialogs.Log().size(), 1u);
  EXPECT_EQ(rig.dialogs.Log()[0].text, kNoDataText);
  EXPECT_EQ(rig.dialogs.Log()[0].icon, MessageIcon::Critical);
  EXPECT_EQ(FindMemoryWindow(rig.ctx), nullptr);
  EXPECT_FALSE(rig.windows.MemoryShown());
  EXPECT_TRUE(rig.TimersRun());
}

TEST(LoggerMemoryWindow, ListsEverySetWithGaugeAndCaption) {
  struct Case {
    int sets;
    std::uint64_t usedK, totalK;
    const char* caption;
    int gauge;
  } cases[] = {
      {1, 128, 512, "used 128 of 512 kB", 25},
      {10, 512, 1024, "used 512 of 1024 kB", 50},
      {19, 7, 0, "used 7 kB", 0},  // no capacity reported: an empty gauge
      {3, std::uint64_t{5} << 32, std::uint64_t{10} << 32, "used 21474836480 of 42949672960 kB",
       50},
  };
  for (const Case& c : cases) {
    LoggerRig rig;
    rig.sim.meter.FillLogger(c.sets, 3);
    rig.sim.meter.memoryUsedK = c.usedK;
    rig.sim.meter.memoryTotalK = c.totalK;
    OpenDataLogger(rig.ctx);
    MemoryWindow* w = FindMemoryWindow(rig.ctx);
    ASSERT_NE(w, nullptr);
    EXPECT_EQ(w->windowTitle(), "Data Logger");
    EXPECT_TRUE(rig.windows.MemoryShown());
    EXPECT_EQ(rig.TakeCodes(), (std::vector<int>{request::kLoggerStatus, request::kLoggerIndex}));
    EXPECT_EQ(w->findChild<QLabel*>("LblMemorySize")->text().toStdString(), c.caption);
    EXPECT_EQ(w->findChild<QProgressBar*>("MSize")->value(), c.gauge);
    EXPECT_EQ(w->findChild<QProgressBar*>("MBar")->value(), 100);
    ASSERT_EQ(Grid(w)->rowCount(), c.sets + 1);
    EXPECT_EQ(Cell(w, 0, 0), "Set");
    EXPECT_EQ(Cell(w, 0, 1), "  Start Time  ");
    for (int k = 1; k <= c.sets; ++k) {
      EXPECT_EQ(Grid(w)->item(k, 1)->toolTip(), "Click to download this record set");
      EXPECT_EQ(Cell(w, k, 0), std::to_string(k));
      EXPECT_EQ(Cell(w, k, 1), StampDisplay(StampOfSet(rig, k)));
      EXPECT_EQ(rig.state.SetStamps.at(k), StampOfSet(rig, k));
    }
    EXPECT_EQ(rig.state.SetStamps.size(), static_cast<std::size_t>(c.sets + 1));
    EXPECT_EQ(Cell(w, 1, 1), "2024/04/14 08:00:00");
    EXPECT_TRUE(rig.dialogs.Log().empty());
    EXPECT_TRUE(rig.TimersRun());
  }
}

// Memory pressed again fills the open window in place: each set once, a new one too.
TEST(LoggerMemoryWindow, SecondMemoryRefreshesTheOpenWindowInPlace) {
  LoggerRig rig;
  rig.sim.meter.FillLogger(2, 3);
  OpenDataLogger(rig.ctx);
  MemoryWindow* first = FindMemoryWindow(rig.ctx);
  rig.sim.meter.FillLogger(1, 3);  // a third set
  OpenDataLogger(rig.ctx);
  MemoryWindow* w = FindMemoryWindow(rig.ctx);
  EXPECT_EQ(w, first);
  ASSERT_EQ(Grid(w)->rowCount(), 1 + 3);
  for (int k = 1; k <= 3; ++k) EXPECT_EQ(Cell(w, k, 1), StampDisplay(StampOfSet(rig, k)));
}

// Beside the row click: the Download button takes the current row, and a double click
// downloads its row once (its first click did).
TEST(LoggerMemoryWindow, DownloadButtonAndDoubleClickEachDownloadOnce) {
  LoggerRig rig;
  rig.sim.meter.FillLogger(3, 2);
  OpenDataLogger(rig.ctx);
  MemoryWindow* w = FindMemoryWindow(rig.ctx);
  auto* download = w->findChild<QPushButton*>("CmdDownload");
  ASSERT_NE(download, nullptr);
  EXPECT_FALSE(download->isEnabled());  // no row chosen yet
  Grid(w)->setCurrentCell(2, 0);
  ASSERT_TRUE(download->isEnabled());
  rig.TakeCodes();
  download->click();
  EXPECT_EQ(rig.TakeCodes(), (std::vector<int>{request::kSelectSet, request::kSetContent}));
  ClickRow(w, 3);
  Grid(w)->cellDoubleClicked(3, 0);
  EXPECT_EQ(rig.TakeCodes(), (std::vector<int>{request::kSelectSet, request::kSetContent}));
  EXPECT_EQ(rig.launcher.opened.size(), 2u);
  EXPECT_EQ(w->findChild<QLabel*>("LblUnit")->buddy(), w->findChildren<QRadioButton*>().at(0));
  for (const char* control : {"MSize", "SSPanel2", "SSPanel3"}) {
    EXPECT_EQ(w->findChild<QWidget*>(control)->toolTip(), "Click to erase all record sets\u2026");
  }
}

// Every download lands in a file of its own, named after the set's start stamp, that an
// earlier download is never replaced by: the same set twice gets a second name.
TEST(LoggerMemoryWindow, RowClickSavesTheSetInAFileOfItsOwnAndOpensIt) {
  LoggerRig rig;
  rig.sim.meter.FillLogger(4, 5);
  OpenDataLogger(rig.ctx);
  rig.TakeCodes();
  MemoryWindow* w = FindMemoryWindow(rig.ctx);
  std::vector<std::string> saved;
  for (int row : {3, 1, 3}) {
    rig.launcher.opened.clear();
    ClickRow(w, row);
    EXPECT_EQ(rig.TakeCodes(), (std::vector<int>{request::kSelectSet, request::kSetContent}));
    const Report& choose = rig.sim.meter.requestsReceived.end()[-2];
    EXPECT_EQ(std::string(choose.begin() + 3, choose.begin() + 17), StampOfSet(rig, row));
    ASSERT_EQ(rig.launcher.opened.size(), 1u);
    const std::string path = rig.launcher.opened[0];
    EXPECT_EQ(rig.Bytes(path), AsSent(rig.sim.meter.sets[row - 1].content) + "\r\n");
    EXPECT_EQ(std::filesystem::path(path).parent_path(), rig.documents);
    saved.push_back(std::filesystem::path(path).filename().string());
    EXPECT_EQ(w->findChild<QProgressBar*>("MBar")->value(), 100);
    EXPECT_TRUE(rig.TimersRun());
  }
  const std::string stamp3 = DownloadFileName(StampOfSet(rig, 3));
  EXPECT_EQ(saved, (std::vector<std::string>{stamp3, DownloadFileName(StampOfSet(rig, 1)),
                                             stamp3.substr(0, stamp3.size() - 4) + " (2).txt"}));
  EXPECT_EQ(rig.Downloads().size(), 3u);
  EXPECT_EQ(rig.Bytes(rig.launcher.opened[0]), rig.Bytes((rig.documents / stamp3).string()));
  EXPECT_TRUE(rig.dialogs.Log().empty());
}

TEST(LoggerMemoryWindow, HeaderRowClickDownloadsNothing) {
  LoggerRig rig;
  rig.sim.meter.FillLogger(2, 3);
  OpenDataLogger(rig.ctx);
  rig.TakeCodes();
  ClickRow(FindMemoryWindow(rig.ctx), 0);
  EXPECT_TRUE(rig.TakeCodes().empty());
  EXPECT_TRUE(rig.Downloads().empty());
  EXPECT_TRUE(rig.launcher.opened.empty());
  EXPECT_TRUE(rig.TimersRun());
}

TEST(LoggerMemoryWindow, MeterThatStopsAnsweringMidDownloadSavesNothing) {
  // Reports the meter still sends after the row click: drain, length, then blocks.
  for (int answered : {0, 1, 2, 3, 6}) {
    LoggerRig rig;
    rig.sim.meter.FillLogger(2, 60);  // some 3 kB: dozens of blocks
    OpenDataLogger(rig.ctx);
    rig.sim.transport.AnswerOnly(answered);
    const int readsBefore = rig.sim.transport.reads;
    ClickRow(FindMemoryWindow(rig.ctx), 1);
    // One read past the last answer, then the download stops; a drain that times out
    // drops the link, and the query after it finds the meter again and waits once more.
    EXPECT_EQ(rig.sim.transport.reads - readsBefore, answered == 0 ? 2 : answered + 1);
    ASSERT_EQ(rig.dialogs.Log().size(), 1u) << answered;
    EXPECT_EQ(rig.dialogs.Log()[0].text, kSetIncompleteText);
    EXPECT_TRUE(rig.Downloads().empty()) << answered;
    EXPECT_TRUE(rig.launcher.opened.empty());
    EXPECT_TRUE(rig.TimersRun()) << answered;
  }
}

TEST(LoggerMemoryWindow, IndexCutShortListsOnlyWhatArrived) {
  LoggerRig rig;
  rig.sim.meter.FillLogger(20, 2);  // three index reports
  rig.sim.transport.AnswerOnly(3);  // drain, status, first index report
  OpenDataLogger(rig.ctx);
  MemoryWindow* w = FindMemoryWindow(rig.ctx);
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(Grid(w)->rowCount(), 1 + 9);
  EXPECT_EQ(rig.state.SetStamps.size(), 10u);
  ASSERT_EQ(rig.dialogs.Log().size(), 1u);
  EXPECT_EQ(rig.dialogs.Log()[0].text, kIndexIncompleteText);
  EXPECT_TRUE(rig.TimersRun());
}

TEST(LoggerMemoryWindow, UnitOptionSendsTheCurrentRowsStamp) {
  for (int option : {0, 1}) {
    LoggerRig rig;
    rig.sim.meter.FillLogger(3, 2);
    OpenDataLogger(rig.ctx);
    MemoryWindow* w = FindMemoryWindow(rig.ctx);
    Grid(w)->setCurrentCell(2, 0);
    rig.TakeCodes();
    w->findChildren<QRadioButton*>("OptLuxFc").at(option)->click();
    EXPECT_EQ(rig.TakeCodes(), std::vector<int>{request::kSetContent});
    ASSERT_EQ(rig.sim.meter.lastSetStamp.size(), 1u);
    EXPECT_EQ(rig.sim.meter.lastSetStamp[0], rig.sim.meter.sets[1].stamp);
    EXPECT_TRUE(rig.TimersRun());
  }
}

TEST(LoggerMemoryWindow, GaugeAndLegendClicksEraseEverythingAfterTheWarning) {
  struct Case {
    const char* control;
    DialogAnswer answer;
    bool erased;
  } cases[] = {
      {"MSize", DialogAnswer::Ok, true},         {"SSPanel2", DialogAnswer::Ok, true},
      {"SSPanel3", DialogAnswer::Ok, true},      {"MSize", DialogAnswer::Cancel, false},
      {"SSPanel2", DialogAnswer::Cancel, false},
  };
  for (const Case& c : cases) {
    LoggerRig rig;
    rig.sim.meter.FillLogger(3, 2);
    OpenDataLogger(rig.ctx);
    rig.TakeCodes();
    rig.dialogs.QueueAnswer(c.answer);
    test::Click(FindMemoryWindow(rig.ctx)->findChild<QWidget*>(c.control));
    ASSERT_EQ(rig.dialogs.Log().size(), 1u) << c.control;
    const auto& asked = rig.dialogs.Log()[0];
    EXPECT_EQ(asked.text, kEraseAllWarning);
    EXPECT_EQ(asked.title, "Warning");
    EXPECT_EQ(asked.icon, MessageIcon::Exclamation);
    EXPECT_EQ(asked.buttons, MessageButtons::OkCancel);
    EXPECT_EQ(rig.TakeCodes(),
              c.erased ? std::vector<int>{request::kEraseAll} : std::vector<int>{});
    EXPECT_EQ(rig.sim.meter.sets.size(), c.erased ? 0u : 3u) << c.control;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(FindMemoryWindow(rig.ctx) == nullptr, c.erased) << c.control;
    EXPECT_EQ(rig.windows.MemoryShown(), !c.erased);
    EXPECT_TRUE(rig.TimersRun());
  }
}

}  // namespace
}  // namespace orvane
