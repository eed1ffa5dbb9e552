// SPDX-License-Identifier: GPL-3.0-or-later
#include "lists/list_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QHeaderView>
#include <QLabel>
#include <QTableView>
#include <algorithm>
#include <fstream>
#include <sstream>

#include "gui_support/panel_rig.h"

namespace orvane {
namespace {

using test::PanelRig;

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

// Records every caption the window shows while it works.
struct TitleLog : QObject {
  std::vector<QString> titles;
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() == QEvent::WindowTitleChange) {
      titles.push_back(static_cast<QWidget*>(watched)->windowTitle());
    }
    return false;
  }
};

class ListWindowTest : public ::testing::Test {
 protected:
  ~ListWindowTest() override {
    if (List* list = Open()) list->close();
  }
  List* Open() { return rig_.panel->findChild<List*>("List"); }
  std::string Path(const char* name) const { return rig_.workingFolder + "/" + name; }
  List& OpenList() {
    rig_.panel->Toolbar1_ButtonClick("List");
    List* list = Open();
    EXPECT_NE(list, nullptr);
    return *list;
  }
  // The window laid out as the user sees it.
  static void Settle(List& list) {
    list.show();
    QApplication::processEvents();
  }
  // Seconds with a poll each: a row per second.
  void Ticks(int count) {
    for (int i = 0; i < count; ++i) rig_.Second();
  }
  template <typename T>
  T* Child(const char* name) {
    return Open()->findChild<T*>(name);
  }
  // Row of the first row the view shows, counting from 1.
  int FirstShownRow(const char* view) {
    auto* v = Child<QTableView>(view);
    return v->indexAt(QPoint(2, 2)).row() + 1;
  }
  // Row of the last row the view shows whole, counting from 1.
  int LastShownRow(const char* view) {
    auto* v = Child<QTableView>(view);
    const int rowHeight = v->verticalHeader()->defaultSectionSize();
    return v->indexAt(QPoint(2, v->viewport()->height() / rowHeight * rowHeight - 2)).row() + 1;
  }

  PanelRig rig_;
};

// The table shows as many rows as its height holds (at least 15): the first rows stay
// put until it is full, then the newest row stays at the bottom.
TEST_F(ListWindowTest, TicksAppendNumberedTimedRowsAndKeepTheNewestInView) {
  int hour = 10;
  for (int ticks : {1, 15, 16, 20, 100}) {
    rig_.sim.clock.Set({2024, 5, 17, ++hour, 30, 0, 0});
    List& list = OpenList();
    Settle(list);
    ASSERT_TRUE(rig_.panel->Context().windows.ListShown());
    Ticks(ticks);
    EXPECT_EQ(rig_.panel->Context().state.ListRowCount, ticks);
    ASSERT_EQ(list.RowsM().Size(), static_cast<std::size_t>(ticks));
    ASSERT_EQ(list.RowsI().Size(), static_cast<std::size_t>(ticks));
    EXPECT_EQ(list.RowsM().Row(0).substr(0, 31),
              "         1\t2024/05/17 " + std::to_string(hour) + ":30:01\t");
    for (const char* view : {"ListM", "ListI"}) {
      auto* v = Child<QTableView>(view);
      const int fit = v->viewport()->height() / v->verticalHeader()->defaultSectionSize();
      EXPECT_GE(fit, 15);
      if (ticks < fit) {
        EXPECT_EQ(FirstShownRow(view), 1) << view << " " << ticks;
      } else {
        EXPECT_EQ(LastShownRow(view), ticks) << view;
        EXPECT_GT(FirstShownRow(view), ticks - fit - 1) << view;
      }
      Child<QAction>("Unit")->trigger();
    }
    list.close();
    EXPECT_FALSE(rig_.panel->Context().windows.ListShown());
    EXPECT_EQ(rig_.panel->Context().state.ListRowCount, 0);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Open(), nullptr);
  }
}

TEST_F(ListWindowTest, RowsFillTheWindowsHeightAndTheNewestStayInView) {
  List& list = OpenList();
  Settle(list);
  Ticks(100);
  auto* view = Child<QTableView>("ListM");
  const int heightBefore = view->height();
  const int firstBefore = FirstShownRow("ListM");
  list.resize(list.width(), list.height() * 2);
  QApplication::processEvents();
  EXPECT_GT(view->height(), 2 * heightBefore);  // the tool bar and titles keep theirs
  EXPECT_EQ(LastShownRow("ListM"), 100);
  EXPECT_LT(FirstShownRow("ListM"), firstBefore - 15);
  Ticks(1);
  EXPECT_EQ(LastShownRow("ListM"), 101);
}

TEST_F(ListWindowTest, ListPressedAgainWhileOpenChangesNothing) {
  List& list = OpenList();
  Ticks(3);
  rig_.panel->Toolbar1_ButtonClick("List");
  EXPECT_EQ(rig_.panel->findChildren<List*>().size(), 1);
  EXPECT_EQ(rig_.panel->Context().state.ListRowCount, 3);
  Ticks(1);
  EXPECT_EQ(list.RowsM().Row(3).substr(0, 10), "         4");
}

TEST_F(ListWindowTest, UnitSwapsTheTablesAndTwiceReturns) {
  const struct {
    const char* graphUnit;
    bool metricFirst;
  } cases[] = {{"lx", true}, {"fc", false}};
  for (const auto& c : cases) {
    rig_.panel->Context().state.GraphUnit = c.graphUnit;
    List& list = OpenList();
    auto shown = [&](const char* name) { return Child<QWidget>(name)->isVisibleTo(&list); };
    const bool expected[] = {c.metricFirst, !c.metricFirst, c.metricFirst};
    for (bool metric : expected) {
      EXPECT_EQ(shown("ListM"), metric) << c.graphUnit;
      EXPECT_EQ(shown("LblTitleM"), metric) << c.graphUnit;
      EXPECT_EQ(shown("ListI"), !metric) << c.graphUnit;
      EXPECT_EQ(shown("LblTitleI"), !metric) << c.graphUnit;
      Child<QAction>("Unit")->trigger();
    }
    list.close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

TEST_F(ListWindowTest, SaveProposesADatedTextFileAndWritesHeaderAndRowsWithProgress) {
  const struct {
    int rows;
    bool fcShown;
    const char* header;
  } cases[] = {
      {0, false, "      m  No.s\tDate Time\tLux\tcd\t\r\n"},
      {2, false, "      m  No.s\tDate Time\tLux\tcd\t\r\n"},
      {3, true, "     ft  No.s\tDate Time\t Fc\tcd\t\r\n"},
  };
  for (const auto& c : cases) {
    List& list = OpenList();
    Ticks(c.rows);
    if (c.fcShown) Child<QAction>("Unit")->trigger();
    const std::string path = Path("saved.lms");
    rig_.dialogs.QueueFile(path);
    TitleLog log;
    list.installEventFilter(&log);
    rig_.sim.clock.Set({2024, 5, 17, 10, 30, 59, 0});
    Child<QAction>("Save")->trigger();
    list.removeEventFilter(&log);

    std::string expected = c.header;
    const ListTable& rows = c.fcShown ? list.RowsI() : list.RowsM();
    for (std::size_t i = 0; i < rows.Size(); ++i) expected += std::string(rows.Row(i)) + "\r\n";
    EXPECT_EQ(ReadFile(path), expected);
    // One caption per row written, then the window's own caption again.
    std::vector<QString> captions;
    for (int n = 1; n <= c.rows; ++n) captions.push_back(QString::number(n) + " Records Completed");
    if (c.rows > 0) captions.push_back("Real Time List");
    EXPECT_EQ(log.titles, captions);
    EXPECT_EQ(list.windowTitle(), "Real Time List");
    EXPECT_TRUE(rig_.panel->Timer1().isActive());
    EXPECT_TRUE(rig_.panel->Timer2().isActive());
    EXPECT_EQ(rig_.panel->Context().state.SaveFileName, path);
    ASSERT_EQ(rig_.dialogs.Log().size(), 1u);
    const auto& asked = rig_.dialogs.Log()[0];
    EXPECT_EQ(asked.kind, ScriptedDialogs::Asked::Kind::SaveFile);
    // A text file is proposed, never a data file that Open would refuse.
    const std::string proposed = asked.defaultText.substr(asked.defaultText.rfind('/') + 1);
    EXPECT_EQ(proposed, "Orvane list 2024-05-17 10-30.txt");
    EXPECT_EQ(asked.filter.substr(0, 24), "Text Files (*.txt)|*.txt");
    rig_.dialogs.ClearLog();
    list.close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

TEST_F(ListWindowTest, SaveThatCannotGoAheadWritesNothingAndAsksNothingMore) {
  const struct {
    bool recording;
    bool cancel;
    std::size_t questions;
  } cases[] = {{true, false, 0}, {false, true, 1}};
  for (const auto& c : cases) {
    List& list = OpenList();
    Ticks(2);
    Recording& recording = rig_.panel->CurrentRecording();
    std::string error;
    if (c.recording) {
      ASSERT_TRUE(recording.Start(Path("running.tmp"), UnitSystem::Metric, error));
    }
    Ticks(1);  // the tick greys Save while a recording runs, and says why
    QAction* save = Child<QAction>("Save");
    EXPECT_EQ(save->isEnabled(), !c.recording);
    EXPECT_EQ(save->toolTip().contains("recording"), c.recording);
    const std::string path = Path("never.lms");
    if (c.cancel) rig_.dialogs.QueueFile(std::nullopt);
    if (!c.cancel) rig_.dialogs.QueueFile(path);
    Child<QAction>("Save")->trigger();
    EXPECT_FALSE(std::ifstream(path).good());
    EXPECT_EQ(rig_.dialogs.Log().size(), c.questions);
    rig_.dialogs = ScriptedDialogs{};
    if (c.recording) {
      ASSERT_TRUE(recording.Stop(Path("running.lms"), error)) << error;
    }
    Ticks(1);
    EXPECT_TRUE(save->isEnabled());
    EXPECT_EQ(save->toolTip(), "Save As");
    list.close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

TEST_F(ListWindowTest, AFileThatCannotBeWrittenIsReportedByName) {
  const struct {
    std::string path;
    const char* says;
  } cases[] = {{Path("missing/folder/list.txt"), "Nothing was written"},
               {"/dev/full", "incomplete"}};
  List& list = OpenList();
  Ticks(3);
  for (const auto& [path, says] : cases) {
    rig_.dialogs.QueueFile(path);
    Child<QAction>("Save")->trigger();
    ASSERT_EQ(rig_.dialogs.Log().size(), 2u) << path;
    const auto& told = rig_.dialogs.Log()[1];
    EXPECT_EQ(told.kind, ScriptedDialogs::Asked::Kind::Message);
    EXPECT_EQ(told.icon, MessageIcon::Critical);
    EXPECT_NE(told.text.find(path), std::string::npos);
    EXPECT_NE(told.text.find(says), std::string::npos) << told.text;
    EXPECT_TRUE(rig_.panel->Timer1().isActive());
    EXPECT_TRUE(rig_.panel->Timer2().isActive());
    EXPECT_EQ(list.windowTitle(), "Real Time List");
    rig_.dialogs.ClearLog();
  }
}

}  // namespace
}  // namespace orvane
