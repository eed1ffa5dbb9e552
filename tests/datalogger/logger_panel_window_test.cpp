// The data logger reached through the panel's tool bar and erase list.
#include <gtest/gtest.h>

#include <QComboBox>
#include <QTableWidget>

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
  const auto erased = rig.sim.meter.sets[1].stamp;
  rig.dialogs.QueueAnswer(DialogAnswer::Ok);  // erasing the set asks first
  combo->activated(2);
  EXPECT_EQ(rig.sim.meter.requestsReceived.back()[2], request::kEraseSet);
  ASSERT_EQ(rig.sim.meter.sets.size(), 2u);
  EXPECT_NE(rig.sim.meter.sets[0].stamp, erased);
  EXPECT_NE(rig.sim.meter.sets[1].stamp, erased);
  EXPECT_FALSE(combo->isVisible());

  w->close();
  EXPECT_FALSE(rig.panel->Context().windows.MemoryShown());
}

}  // namespace
}  // namespace orvane
