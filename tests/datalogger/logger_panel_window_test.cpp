// SPDX-License-Identifier: GPL-3.0-or-later
// The data logger reached through the panel's tool bar and erase list.
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QAction>
#include <QComboBox>
#include <QTableWidget>
#include <QToolBar>
#include <cstdlib>

#include "datalogger/logger_codec.h"
#include "datalogger/memory_window.h"
#include "gui_support/panel_rig.h"
#include "link/requests.h"

namespace orvane {
namespace {

TEST(LoggerFromPanel, MemoryOpensBesideThePanelAndEraseListsTheSets) {
  test::PanelRig rig;
  rig.sim.meter.FillLogger(3, 2);
  rig.panel->move(10, 20);  // room on the (800 px) screen for the window beside it
  rig.panel->show();
  rig.panel->Toolbar1_ButtonClick("Memory");
  MemoryWindow* w = FindMemoryWindow(rig.panel->Context());
  ASSERT_NE(w, nullptr);
  EXPECT_EQ(w->x(), rig.panel->x() + rig.panel->frameGeometry().width());
  EXPECT_EQ(w->y(), rig.panel->y());
  EXPECT_TRUE(rig.panel->Context().windows.MemoryShown());
  EXPECT_EQ(w->findChild<QTableWidget*>("GridSet")->rowCount(), 4);
  EXPECT_TRUE(rig.panel->Timer1().isActive());

  rig.panel->Toolbar1_ButtonClick("Erase");
  auto* combo = rig.Find<QComboBox>("ComboErase");
  ASSERT_EQ(combo->count(), 5);
  EXPECT_TRUE(combo->isVisible());
  // Under its tool-bar button, and wide enough for every entry.
  auto* toolbar = rig.Find<QToolBar>("Toolbar1");
  QWidget* button = toolbar->widgetForAction(toolbar->findChild<QAction*>("Erase"));
  const QPoint under = button->mapTo(rig.panel.get(), QPoint(0, button->height()));
  EXPECT_EQ(combo->y(), under.y());
  EXPECT_LE(std::abs(combo->x() - under.x()), combo->width());
  for (int i = 0; i < combo->count(); ++i) {
    EXPECT_GT(combo->width(), combo->fontMetrics().horizontalAdvance(combo->itemText(i)));
    EXPECT_GT(combo->view()->width(), combo->fontMetrics().horizontalAdvance(combo->itemText(i)));
  }
  const auto erased = rig.sim.meter.sets[1].stamp;
  rig.dialogs.QueueAnswer(DialogAnswer::Ok);  // erasing the set asks first
  combo->activated(2);
  ASSERT_EQ(rig.sim.meter.sets.size(), 2u);
  EXPECT_NE(rig.sim.meter.sets[0].stamp, erased);
  EXPECT_NE(rig.sim.meter.sets[1].stamp, erased);
  EXPECT_FALSE(combo->isVisible());
  // The open window lists what is left, read again from the meter.
  ASSERT_EQ(FindMemoryWindow(rig.panel->Context()), w);
  auto* grid = w->findChild<QTableWidget*>("GridSet");
  ASSERT_EQ(grid->rowCount(), 1 + 2);
  for (int row : {1, 2}) {
    EXPECT_EQ(grid->item(row, 1)->text().toStdString(),
              StampDisplay(StampText(rig.sim.meter.sets[row - 1].stamp)));
  }
  // Everything erased from the list: an empty list, and no "No Data in Memory!" box.
  rig.panel->Toolbar1_ButtonClick("Erase");
  rig.dialogs.QueueAnswer(DialogAnswer::Ok);
  combo->activated(combo->count() - 1);
  EXPECT_TRUE(rig.sim.meter.sets.empty());
  EXPECT_EQ(grid->rowCount(), 1);
  EXPECT_EQ(rig.dialogs.Log().size(), 2u);  // the two erase questions only

  w->close();
  EXPECT_FALSE(rig.panel->Context().windows.MemoryShown());
}

}  // namespace
}  // namespace orvane
