// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QKeyEvent>

#include "datalogger/datalogger_commands_qt.h"
#include "datalogger/logger_codec.h"
#include "datalogger/logger_texts.h"
#include "link/requests.h"
#include "logger_rig_qt.h"

namespace orvane {
namespace {

using test::LoggerRig;

std::vector<std::string> Entries(const QComboBox& combo) {
  std::vector<std::string> entries;
  for (int i = 0; i < combo.count(); ++i) entries.push_back(combo.itemText(i).toStdString());
  return entries;
}

TEST(LoggerEraseList, ListsExitTheSetsAndAll) {
  LoggerRig rig;
  rig.sim.meter.FillLogger(2, 2);
  rig.combo.addItem("left over");
  OpenEraseList(rig.ctx, rig.controls);
  EXPECT_EQ(rig.TakeCodes(), (std::vector<int>{request::kLoggerStatus, request::kLoggerIndex}));
  const std::string second = StampDisplay(StampText(rig.sim.meter.sets[1].stamp));
  EXPECT_EQ(Entries(rig.combo),
            (std::vector<std::string>{"Exit", "1  2024/04/14 08:00:00", "2  " + second, "All"}));
  EXPECT_EQ(rig.combo.currentText(), "Exit");
  EXPECT_FALSE(rig.combo.isHidden());
  EXPECT_EQ(rig.state.SetStamps.size(), 3u);
  EXPECT_TRUE(rig.TimersRun());
  // Escape puts the list away whole, from its open list as from its box; nothing is sent.
  for (bool open : {true, false}) {
    rig.combo.show();
    if (open) rig.combo.showPopup();
    QKeyEvent escape(QEvent::KeyPress, Qt::Key_Escape, Qt::NoModifier);
    QApplication::sendEvent(open ? static_cast<QWidget*>(rig.combo.view()) : &rig.combo, &escape);
    QApplication::processEvents();
    EXPECT_TRUE(rig.combo.isHidden()) << open;
  }
  EXPECT_TRUE(rig.TakeCodes().empty());
}

TEST(LoggerEraseList, RefusedWhileRecordingAndEmptyMemoryOnlyTellsTheUser) {
  LoggerRig rig;
  rig.sim.meter.FillLogger(2, 2);
  // Only "REC" refuses the erase list; the other mode symbols do not.
  rig.Run("Erase", test::OnlyLit("AnnREC"));
  EXPECT_TRUE(rig.TakeCodes().empty());
  EXPECT_TRUE(rig.combo.isHidden());
  rig.Run("Erase", test::OnlyLit("AnnMX"));
  EXPECT_FALSE(rig.combo.isHidden());

  LoggerRig empty;
  OpenEraseList(empty.ctx, empty.controls);
  EXPECT_EQ(empty.TakeCodes(), std::vector<int>{request::kLoggerStatus});
  ASSERT_EQ(empty.dialogs.Log().size(), 1u);
  EXPECT_EQ(empty.dialogs.Log()[0].text, kNoDataText);
  EXPECT_TRUE(empty.combo.isHidden());
  EXPECT_TRUE(empty.TimersRun());
}

TEST(LoggerEraseList, EachPickSendsExactlyItsRequest) {
  struct Case {
    const char* pick;  // "Exit", "All" or a set number
    std::optional<DialogAnswer> answer;
    std::vector<int> codes;
    std::vector<int> setsLeft;  // by original set number
  } cases[] = {
      {"Exit", {}, {}, {1, 2, 3}},
      {"2", DialogAnswer::Ok, {request::kEraseSet}, {1, 3}},
      {"1", DialogAnswer::Ok, {request::kEraseSet}, {2, 3}},
      {"2", DialogAnswer::Cancel, {}, {1, 2, 3}},  // one pick alone erases nothing
      {"All", DialogAnswer::Ok, {request::kEraseAll}, {}},
      {"All", DialogAnswer::Cancel, {}, {1, 2, 3}},
  };
  for (const Case& c : cases) {
    LoggerRig rig;
    rig.sim.meter.FillLogger(3, 2);
    const auto original = rig.sim.meter.sets;
    OpenEraseList(rig.ctx, rig.controls);
    rig.TakeCodes();
    if (c.answer) rig.dialogs.QueueAnswer(*c.answer);
    const std::string pick = c.pick;
    const int index = pick == "Exit" ? 0 : pick == "All" ? 4 : std::stoi(pick);
    CommandEraseChosen(rig.ctx, rig.controls, index);
    EXPECT_EQ(rig.TakeCodes(), c.codes) << pick;
    if (c.codes == std::vector<int>{request::kEraseSet}) {
      const Report& sent = rig.LastRequest();
      EXPECT_EQ(std::string(sent.begin() + 3, sent.begin() + 17),
                StampText(original[std::stoi(pick) - 1].stamp));
    }
    ASSERT_EQ(rig.sim.meter.sets.size(), c.setsLeft.size()) << pick;
    for (std::size_t i = 0; i < c.setsLeft.size(); ++i) {
      EXPECT_EQ(rig.sim.meter.sets[i].stamp, original[c.setsLeft[i] - 1].stamp) << pick;
    }
    EXPECT_EQ(rig.dialogs.Log().size(), c.answer ? 1u : 0u) << pick;
    if (c.answer) {
      const auto& asked = rig.dialogs.Log()[0];
      if (pick == "All") {
        EXPECT_EQ(asked.text, kEraseAllWarning);
      } else {  // the set is named by its entry: number and start stamp
        EXPECT_EQ(asked.text, std::string(kEraseOneQuestion) + "\n\n" +
                                  rig.combo.itemText(index).toStdString());
      }
      EXPECT_EQ(asked.icon, MessageIcon::Exclamation) << pick;
      EXPECT_EQ(asked.buttons, MessageButtons::OkCancel) << pick;
      EXPECT_EQ(asked.title, kEraseAllTitle) << pick;
    }
    EXPECT_TRUE(rig.combo.isHidden()) << pick;
    EXPECT_TRUE(rig.TimersRun()) << pick;
  }
}

}  // namespace
}  // namespace orvane
