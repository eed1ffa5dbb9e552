#include <gtest/gtest.h>

#include "datalogger/logger_codec.h"
#include "datalogger/logger_texts.h"
#include "link/requests.h"
#include "logger_rig_qt.h"

namespace orvane {
namespace {

using test::kAllDark;
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
  OpenEraseList(rig.ctx, rig.controls, kAllDark);
  EXPECT_EQ(rig.TakeCodes(), (std::vector<int>{request::kLoggerStatus, request::kLoggerIndex}));
  const std::string second = StampDisplay(StampText(rig.sim.meter.sets[1].stamp));
  EXPECT_EQ(Entries(rig.combo),
            (std::vector<std::string>{"Exit", "1  2024/04/14 08:00:00", "2  " + second, "All"}));
  EXPECT_EQ(rig.combo.currentText(), "Exit");
  EXPECT_FALSE(rig.combo.isHidden());
  EXPECT_EQ(rig.state.SetStamps.size(), 3u);
  EXPECT_TRUE(rig.TimersRun());
}

TEST(LoggerEraseList, RefusedWhileRecordingAndEmptyMemoryOnlyTellsTheUser) {
  LoggerRig rig;
  rig.sim.meter.FillLogger(2, 2);
  // Only "REC" refuses the erase list; the other mode symbols do not.
  OpenEraseList(rig.ctx, rig.controls, test::OnlyLit("AnnREC"));
  EXPECT_TRUE(rig.TakeCodes().empty());
  EXPECT_TRUE(rig.combo.isHidden());
  OpenEraseList(rig.ctx, rig.controls, test::OnlyLit("AnnMX"));
  EXPECT_FALSE(rig.combo.isHidden());

  LoggerRig empty;
  OpenEraseList(empty.ctx, empty.controls, kAllDark);
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
      {"2", {}, {request::kEraseSet}, {1, 3}},
      {"1", {}, {request::kEraseSet}, {2, 3}},
      {"All", DialogAnswer::Ok, {request::kEraseAll}, {}},
      {"All", DialogAnswer::Cancel, {}, {1, 2, 3}},
  };
  for (const Case& c : cases) {
    LoggerRig rig;
    rig.sim.meter.FillLogger(3, 2);
    const auto original = rig.sim.meter.sets;
    OpenEraseList(rig.ctx, rig.controls, kAllDark);
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
      EXPECT_EQ(rig.dialogs.Log()[0].text, kEraseAllWarning);
    }
    EXPECT_TRUE(rig.combo.isHidden()) << pick;
    EXPECT_TRUE(rig.TimersRun()) << pick;
  }
}

}  // namespace
}  // namespace orvane
