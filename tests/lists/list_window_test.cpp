#include "lists/list_window.h"

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QEvent>
#include <QLabel>
#include <QTableView>
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

  PanelRig rig_;
};

TEST_F(ListWindowTest, TicksAppendNumberedTimedRowsAndKeepTheNewestFifteenInView) {
  const struct {
    int ticks;
    int firstShown;
  } cases[] = {{1, 1}, {15, 1}, {16, 2}, {20, 6}, {100, 86}};
  int hour = 10;
  for (const auto& c : cases) {
    rig_.sim.clock.Set({2024, 5, 17, ++hour, 30, 0, 0});
    List& list = OpenList();
    ASSERT_TRUE(rig_.panel->Context().windows.ListShown());
    Ticks(c.ticks);
    EXPECT_EQ(rig_.panel->Context().state.ListRowCount, c.ticks);
    ASSERT_EQ(list.RowsM().Size(), static_cast<std::size_t>(c.ticks));
    ASSERT_EQ(list.RowsI().Size(), static_cast<std::size_t>(c.ticks));
    EXPECT_EQ(list.RowsM().Row(0).substr(0, 31),
              "         1\t2024/05/17 " + std::to_string(hour) + ":30:01\t");
    EXPECT_EQ(FirstShownRow("ListM"), c.firstShown) << c.ticks;
    Child<QAction>("Unit")->trigger();
    EXPECT_EQ(FirstShownRow("ListI"), c.firstShown) << c.ticks;
    list.close();
    EXPECT_FALSE(rig_.panel->Context().windows.ListShown());
    EXPECT_EQ(rig_.panel->Context().state.ListRowCount, 0);
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_EQ(Open(), nullptr);
  }
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

TEST_F(ListWindowTest, SaveWritesHeaderAndRowsWithProgressAndRestartsThePanel) {
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
    EXPECT_TRUE(rig_.dialogs.Log().size() == 1 &&
                rig_.dialogs.Log()[0].kind == ScriptedDialogs::Asked::Kind::SaveFile);
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
    list.close();
    QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
}

TEST_F(ListWindowTest, AFileThatCannotBeWrittenIsReportedAsIncomplete) {
  const std::string paths[] = {Path("missing/folder/list.lms"), "/dev/full"};
  List& list = OpenList();
  Ticks(3);
  for (const auto& path : paths) {
    rig_.dialogs.QueueFile(path);
    Child<QAction>("Save")->trigger();
    ASSERT_EQ(rig_.dialogs.Log().size(), 2u) << path;
    const auto& told = rig_.dialogs.Log()[1];
    EXPECT_EQ(told.kind, ScriptedDialogs::Asked::Kind::Message);
    EXPECT_EQ(told.icon, MessageIcon::Critical);
    EXPECT_NE(told.text.find(path), std::string::npos);
    EXPECT_NE(told.text.find("incomplete"), std::string::npos);
    EXPECT_TRUE(rig_.panel->Timer1().isActive());
    EXPECT_TRUE(rig_.panel->Timer2().isActive());
    EXPECT_EQ(list.windowTitle(), "Real Time List");
    rig_.dialogs.ClearLog();
  }
}

}  // namespace
}  // namespace orvane
