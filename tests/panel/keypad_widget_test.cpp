// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel/keypad_widget.h"

#include <gtest/gtest.h>

#include <QPushButton>
#include <vector>

#include "gui_support/panel_rig.h"

namespace orvane {
namespace {

using test::PanelRig;

struct KeypadRig : PanelRig {
  KeypadRig() {
    keypad = panel->findChild<KeypadWidget*>();
    panel->Timer1_Timer();  // the first poll finds the meter
  }
  int Press(const char* name) {
    auto* b = keypad->findChild<QPushButton*>(name);
    EXPECT_NE(b, nullptr) << name;
    if (b == nullptr) return -1;
    const std::size_t sent = sim.transport.written.size();
    b->click();
    return Sent(sent);
  }
  int HoldMem(std::int64_t ms) {
    const std::size_t sent = sim.transport.written.size();
    keypad->LabelKey_MouseDown("CmdMem");
    sim.clock.AdvanceMs(ms);
    keypad->LabelKey_MouseUp("CmdMem");
    return Sent(sent);
  }
  // The code of the one request written since `before` (0, 1, code), or -1.
  int Sent(std::size_t before) const {
    const auto& w = sim.transport.written;
    if (w.size() != before + 1 || w.back()[0] != 0 || w.back()[1] != 1) return -1;
    return w.back()[2];
  }
  KeypadWidget* keypad;
};

// What goes on the wire; codes that are also meter queries (13, 16) are not keys to
// the simulated meter, so the written reports are checked, and the meter's key list for
// the rest.
TEST(KeypadWidget, EachKeySendsItsCode) {
  struct Key {
    const char* name;
    int code;
  };
  // clang-format off
  const Key keys[] = {
    {"CmdBtn5", 5},  {"CmdBtn4", 4},   {"CmdBtn3", 3},   {"CmdBtn2", 2},  {"CmdBtn1", 1},
    {"CmdBtn9", 9},  {"CmdBtn10", 10}, {"CmdBtn15", 15}, {"CmdBtn28", 28}, {"CmdBtn6", 6},
    {"CmdBtn11", 11}, {"CmdBtn12", 12}, {"CmdBtn8", 8},  {"CmdBtn7", 7},
    {"CmdBtn29", 29},
    // the older set and the members outside the designed area
    {"Command1", 1}, {"Command5", 5},  {"Command10", 10}, {"Command12", 14}, {"Command13", 15},
    {"Command14", 16}, {"CmdBtn0", 0}, {"CmdBtn13", 13}, {"CmdBtn26", 26}, {"CmdBtn31", 31},
  };
  // clang-format on
  KeypadRig rig;
  for (const Key& k : keys) {
    EXPECT_EQ(rig.Press(k.name), k.code) << k.name;
    if (k.code != 13 && k.code != 16) {
      EXPECT_EQ(rig.sim.meter.keysReceived.back(), k.code) << k.name;
    }
    EXPECT_TRUE(rig.panel->Timer1().isActive() && rig.panel->Timer2().isActive()) << k.name;
  }
}

TEST(KeypadWidget, DeltaSends26WhileRHIsLit) {
  KeypadRig rig;
  Payload rh{};
  rh[21 - 1] = 1;
  for (bool lit : {false, true, false}) {
    rig.sim.meter.ForceDisplayFrame(lit ? rh : Payload{});
    rig.panel->Timer1_Timer();
    EXPECT_EQ(rig.Press("CmdBtn6"), lit ? 26 : 6);
    EXPECT_EQ(rig.Press("CmdBtn26"), 26);
    // "REF" works only while R-H is lit: a disabled key sends nothing.
    EXPECT_EQ(rig.Press("Cmdref"), lit ? 27 : -1);
  }
}

TEST(KeypadWidget, MemKeyHeldLongerThanThreeSecondsSends10) {
  KeypadRig rig;
  const std::pair<std::int64_t, int> holds[] = {{100, 4}, {3000, 4}, {3001, 10}, {3100, 10}};
  for (auto [ms, code] : holds) EXPECT_EQ(rig.HoldMem(ms), code) << ms << " ms";
  // Across midnight the press is measured on the monotonic clock.
  rig.sim.clock.Set({2024, 5, 17, 23, 59, 59, 0});
  EXPECT_EQ(rig.HoldMem(1500), 4);
  rig.sim.clock.Set({2024, 5, 18, 23, 59, 58, 500});
  EXPECT_EQ(rig.HoldMem(3500), 10);
}

TEST(KeypadWidget, LabelKeyShapesTurnWhiteWhileHeld) {
  KeypadRig rig;
  std::vector<KeyShape*> shapes;
  for (const char* n : {"ShapeAVG0", "ShapeAVG1", "ShapeAVG2"})
    shapes.push_back(rig.keypad->findChild<KeyShape*>(n));
  ASSERT_TRUE(shapes[0] && shapes[1] && shapes[2]);
  shapes[1]->SetColors(Qt::red, Qt::blue);
  const QColor first = shapes[0]->BackColor();
  rig.keypad->LabelKey_MouseDown("CmdAVG");
  for (auto* s : shapes) EXPECT_TRUE(s->BackColor() == Qt::white && s->BorderColor() == Qt::white);
  EXPECT_TRUE(rig.sim.meter.keysReceived.empty());  // nothing at mouse-down
  rig.keypad->LabelKey_MouseUp("CmdAVG");
  EXPECT_EQ(rig.sim.meter.keysReceived, std::vector<std::uint8_t>{6});
  for (auto* s : shapes) EXPECT_TRUE(s->BackColor() == first && s->BorderColor() == first);
}

TEST(KeypadWidget, PressWhileUnpluggedSendsNothingThenTheNextIsSent) {
  KeypadRig rig;
  rig.sim.transport.Unplug();
  rig.panel->Timer1_Timer();  // the poll notices the meter is gone
  EXPECT_EQ(rig.Press("CmdBtn5"), -1);
  rig.sim.transport.Plug();
  rig.panel->Timer1_Timer();  // discovery
  EXPECT_EQ(rig.Press("CmdBtn5"), 5);
  EXPECT_EQ(rig.sim.meter.keysReceived, std::vector<std::uint8_t>{5});
}

}  // namespace
}  // namespace orvane
