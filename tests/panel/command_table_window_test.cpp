// SPDX-License-Identifier: GPL-3.0-or-later
// The panel's commands in its menu bar and by key: every command listed in its menu with
// its key shown, each one run from its menu entry and from its key, and the one rule that
// refuses a command greying its menu entry and its tool-bar button alike, a key pressed
// anyway telling why in the status bar.

#include <gtest/gtest.h>

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTimer>
#include <QToolBar>
#include <QtTest/QTest>
#include <functional>
#include <set>

#include "datalogger/logger_texts.h"
#include "gui_support/panel_rig.h"
#include "recording/meter_settings.h"

namespace orvane {
namespace {

using test::PanelRig;
using Kind = ScriptedDialogs::Asked::Kind;

// Each menu's entries: key and the shortcut shown beside it.
using Entries = std::vector<std::pair<std::string, std::string>>;

Entries MenuEntries(const PanelRig& rig, const char* menu) {
  Entries entries;
  for (QAction* a : rig.Find<QMenu>(menu)->actions()) {
    if (a->isSeparator()) continue;
    entries.emplace_back(a->objectName().toStdString(),
                         a->shortcut().toString(QKeySequence::NativeText).toStdString());
  }
  return entries;
}

QAction* Command(const PanelRig& rig, const char* key) {
  return rig.Find<QAction>(key);
}

// The panel in front, so that its keys reach it.
void InFront(PanelRig& rig) {
  rig.panel->show();
  rig.panel->activateWindow();
  QApplication::processEvents();
}

// Opens the menu that lists `action` under its title, moves to the entry with the arrow
// keys and takes it with Return, as a user does.
void PickFromMenu(PanelRig& rig, QAction* action) {
  auto* menus = rig.Find<QMenuBar>("MenuBar");
  for (QAction* title : menus->actions()) {
    QMenu* menu = title->menu();
    if (!menu->actions().contains(action)) continue;
    menus->setActiveAction(title);
    QApplication::processEvents();
    ASSERT_TRUE(menu->isVisible()) << menu->objectName().toStdString();
    while (menu->activeAction() != action) QTest::keyClick(menu, Qt::Key_Down);
    QTest::keyClick(menu, Qt::Key_Return);
    QApplication::processEvents();
    return;
  }
  ADD_FAILURE() << "no menu lists " << action->objectName().toStdString();
}

void PressKey(PanelRig& rig, QAction* action) {
  QTest::keySequence(rig.panel->windowHandle(), action->shortcut());
  QApplication::processEvents();
}

bool LastAsked(const PanelRig& rig, Kind kind, const std::string& text) {
  const auto& log = rig.dialogs.Log();
  return !log.empty() && log.back().kind == kind && log.back().text.find(text) == 0;
}

void CloseWindows(PanelRig& rig) {
  for (QWidget* w : QApplication::topLevelWidgets()) {
    if (w != rig.panel.get() && w->isVisible() && w->parent() == rig.panel.get()) w->close();
  }
  QApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST(PanelMenuBar, ListsEveryCommandInItsMenuWithItsKeyAndTheToolBarInItsOrder) {
  PanelRig rig;
  const struct {
    const char* menu;
    const char* title;
    Entries entries;
  } menus[] = {
      {"MenuFile",
       "&File",
       {{"Save", "Ctrl+S"},
        {"Open", "Ctrl+O"},
        {"OpenRecent", "Ctrl+Shift+O"},
        {"Quit", "Ctrl+Q"}}},
      {"MenuMeter", "&Meter", {{"Intv", "Ctrl+T"}, {"RecSetup", "Ctrl+R"}, {"RTC", "Ctrl+K"}}},
      {"MenuWindows", "&Windows", {{"List", "Ctrl+L"}, {"Graph", "Ctrl+G"}, {"Memory", "Ctrl+D"}}},
      {"MenuDataLogger", "&Data logger", {{"Erase", "Ctrl+E"}, {"EraseAll", "Ctrl+Shift+E"}}},
      {"MenuHelp", "&Help", {{"About", "F1"}}},
  };
  std::vector<std::string> titles;
  for (QAction* title : rig.Find<QMenuBar>("MenuBar")->actions())
    titles.push_back(title->text().toStdString());
  ASSERT_EQ(titles.size(), std::size(menus));
  for (std::size_t i = 0; i < std::size(menus); ++i) {
    EXPECT_EQ(titles[i], menus[i].title);
    EXPECT_EQ(MenuEntries(rig, menus[i].menu), menus[i].entries) << menus[i].menu;
  }
  // The tool bar's buttons are the same commands as the menu entries, in their order.
  std::vector<std::string> buttons;
  for (QAction* a : rig.Find<QToolBar>("Toolbar1")->actions())
    buttons.push_back(a->objectName().toStdString());
  EXPECT_EQ(buttons, (std::vector<std::string>{"Save", "Open", "Intv", "List", "Graph", "RTC",
                                               "RecSetup", "Memory", "Erase"}));
  // The menu bar lies above the tool bar, and the tool bar above the meter's face.
  EXPECT_EQ(rig.Find<QMenuBar>("MenuBar")->y(), 0);
  EXPECT_EQ(rig.Find<QToolBar>("Toolbar1")->y(), rig.Find<QMenuBar>("MenuBar")->height());
}

TEST(PanelMenuBar, EveryCommandRunsFromItsMenuEntryAndFromItsKey) {
  PanelRig rig;
  rig.sim.meter.FillLogger(2, 2);
  rig.panel->Timer1_Timer();  // a reading: recording is offered
  InFront(rig);
  std::string modal;  // the modal window a command showed
  QTimer closer;      // closes the next modal window as soon as it is shown
  closer.setInterval(0);
  QObject::connect(&closer, &QTimer::timeout, [&] {
    if (QWidget* w = QApplication::activeModalWidget()) {
      modal = w->objectName().toStdString();
      w->close();
      closer.stop();
    }
  });
  const auto closeModal = [&closer] { closer.start(); };
  const std::string saveAs = rig.documentsFolder + "/run.lms";
  const struct {
    const char* key;
    std::function<void()> before;
    std::function<bool()> ran;
    std::function<void()> after;
  } cases[] = {
      {"Save", [&] { rig.dialogs.QueueFile(saveAs); },
       [&] { return rig.panel->CurrentRecording().RecordingOn(); },
       [&] { rig.panel->Toolbar1_ButtonClick("Save"); }},
      {"Open", [&] { rig.dialogs.QueueFile(std::nullopt); },
       [&] {
         return !rig.dialogs.Log().empty() && rig.dialogs.Log().back().kind == Kind::OpenFile;
       },
       [] {}},
      {"OpenRecent", [] {}, [&] { return rig.Find<QMenu>("RecentFiles")->isVisible(); },
       [&] { rig.Find<QMenu>("RecentFiles")->hide(); }},
      {"Quit", [] {}, [&] { return !rig.panel->isVisible(); }, [&] { InFront(rig); }},
      {"About", [] {}, [&] { return LastAsked(rig, Kind::Message, "<b>Orvane"); }, [] {}},
      {"Intv", [&] { rig.dialogs.QueueInput(""); },
       [&] {
         return !rig.dialogs.Log().empty() && rig.dialogs.Log().back().title == kSamplingTitle;
       },
       [] {}},
      {"RecSetup", [&] { rig.dialogs.QueueInput(""); },
       [&] { return !rig.dialogs.Log().empty() && rig.dialogs.Log().back().title == kPeriodTitle; },
       [] {}},
      {"RTC", closeModal, [&] { return modal == "Setup"; }, [&] { modal.clear(); }},
      {"List", [] {}, [&] { return rig.panel->Context().windows.ListShown(); },
       [&] { CloseWindows(rig); }},
      {"Graph", [] {},
       [&] { return rig.panel->Context().windows.Shown(WindowKind::Graph) != nullptr; },
       [&] { CloseWindows(rig); }},
      {"Memory", [] {}, [&] { return rig.panel->Context().windows.MemoryShown(); },
       [&] { CloseWindows(rig); }},
      {"Erase", [] {}, [&] { return rig.Find<QComboBox>("ComboErase")->isVisible(); },
       [&] { rig.Find<QComboBox>("ComboErase")->hide(); }},
      {"EraseAll", [&] { rig.dialogs.QueueAnswer(DialogAnswer::Cancel); },
       [&] { return LastAsked(rig, Kind::Message, kEraseAllWarning); }, [] {}},
  };
  for (const auto& c : cases) {
    QAction* action = Command(rig, c.key);
    ASSERT_NE(action, nullptr) << c.key;
    for (const bool byKey : {false, true}) {
      rig.dialogs.ClearLog();
      InFront(rig);  // a modal window closed before may have left another in front
      c.before();
      if (byKey) {
        PressKey(rig, action);
      } else {
        PickFromMenu(rig, action);
      }
      EXPECT_TRUE(c.ran()) << c.key << (byKey ? " by key" : " from the menu");
      c.after();
      EXPECT_EQ(rig.dialogs.Unused(), 0u) << c.key;
    }
  }
  EXPECT_FALSE(rig.panel->CurrentRecording().RecordingOn());
  EXPECT_EQ(rig.sim.meter.sets.size(), 2u);  // the erase was cancelled
}

// Brings the panel into one of the states in which the rule refuses commands.
enum class Condition { RecLit, MeasuringMode, LinkHeld, NoReading };

TEST(PanelMenuBar, RefusedCommandsAreGreyedInMenuAndToolBarAndTheirKeysSayWhy) {
  const struct {
    Condition condition;
    std::set<std::string> refused;
    const char* reason;
  } cases[] = {
      {Condition::RecLit,
       {"RTC", "RecSetup", "Memory", "Erase", "EraseAll"},
       "Not while the meter records (REC is lit)"},
      {Condition::MeasuringMode, {"Memory"}, "Not while MX is lit on the meter"},
      {Condition::LinkHeld,
       {"Intv", "RTC", "RecSetup", "Memory", "Erase", "EraseAll"},
       kMeterBusyReason},
      {Condition::NoReading, {"Save"}, kNoReadingToRecord},
  };
  for (const auto& c : cases) {
    PanelRig rig;
    InFront(rig);
    if (c.condition == Condition::NoReading) rig.sim.transport.SetSilent(true);
    rig.panel->Timer1_Timer();
    if (c.condition == Condition::RecLit) rig.Find<QPushButton>("CmdBtn9")->click();  // MEM
    if (c.condition == Condition::MeasuringMode) rig.Find<QPushButton>("CmdBtn3")->click();
    const std::optional<LinkHold> hold =
        c.condition == Condition::LinkHeld ? rig.panel->Owner().TryTake("test") : std::nullopt;
    rig.panel->Timer1_Timer();
    const auto condition = static_cast<int>(c.condition);

    for (QAction* action : rig.panel->findChildren<QAction*>()) {
      const std::string key = action->objectName().toStdString();
      if (action->shortcut().isEmpty()) continue;  // not a command (a menu title, a choice)
      const bool refused = c.refused.contains(key);
      EXPECT_EQ(action->isEnabled(), !refused) << key << " in condition " << condition;
      if (!refused) continue;
      const QString tip = action->toolTip();
      EXPECT_TRUE(tip.endsWith(QString("\n") + c.reason)) << key << ": " << tip.toStdString();

      // The key pressed anyway runs nothing and tells why, once.
      const std::size_t sent = rig.sim.transport.written.size();
      PressKey(rig, action);
      EXPECT_EQ(rig.sim.transport.written.size(), sent) << key;
      EXPECT_TRUE(rig.dialogs.Log().empty()) << key;
      EXPECT_EQ(rig.Caption("LblNotice"), tip.section('\n', 0, 0) + ": " + c.reason) << key;
    }
  }
}

}  // namespace
}  // namespace orvane
