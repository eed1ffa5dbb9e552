// SPDX-License-Identifier: GPL-3.0-or-later
#include "ui/lcd_view.h"

#include <gtest/gtest.h>

#include <QAccessible>
#include <QFontMetricsF>
#include <QImage>
#include <QLabel>
#include <QPushButton>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "display/lcd_layout.h"
#include "gui_support/panel_rig.h"
#include "panel/keypad_widget.h"
#include "ui/lcd_glyphs.h"

namespace orvane {
namespace {

using test::PanelRig;

struct LcdRig : PanelRig {
  LcdRig() {
    panel->Timer1().stop();
    lcd = panel->findChild<LcdView*>();
    keypad = panel->findChild<KeypadWidget*>();
  }
  // One poll tick on the given display frame (report bytes 1..64), then the view.
  void Tick(const Payload& frame, std::optional<Payload> blink = std::nullopt) {
    sim.meter.ForceDisplayFrame(frame);
    sim.meter.ForceBlinkFrame(blink);
    panel->Timer1_Timer();  // polls and shows the tick on the panel's LCD
  }
  // Caption, shown and enabled of every LCD element and of Cmdref.
  std::map<std::string, std::string> Snapshot() const {
    std::map<std::string, std::string> out;
    auto record = [&](const std::string& name) {
      auto* w = panel->findChild<QWidget*>(QString::fromStdString(name));
      auto* l = qobject_cast<QLabel*>(w);
      out[name] = (l ? l->text().toStdString() : "") + (w->isHidden() ? "|hidden" : "|shown") +
                  (w->isEnabled() ? "|on" : "|off");
    };
    for (const auto& e : LcdLayout()) record(std::string(e.name));
    record("Cmdref");
    return out;
  }
  LcdView* lcd;
  KeypadWidget* keypad;
};

// Report bytes n..m are payload[n-1].
Payload Bytes(std::initializer_list<std::pair<int, int>> bytes) {
  Payload p{};
  for (auto [b, v] : bytes) p[b - 1] = static_cast<std::uint8_t>(v);
  return p;
}

TEST(LcdView, AFrameChangesExactlyTheWidgetsItNames) {
  LcdRig rig;
  const Payload first =
      Bytes({{1, 1}, {2, 2}, {3, 3}, {4, 4}, {5, 3}, {7, 1}, {13, 1}, {23, 1}, {60, 21}, {64, 1}});
  rig.Tick(first);
  const auto before = rig.Snapshot();
  EXPECT_EQ(before.at("LblSeg4"), "4|shown|on");
  EXPECT_EQ(before.at("LblP3"), ".|shown|on");
  EXPECT_EQ(before.at("LblP1"), ".|hidden|on");

  Payload second = first;
  second[2 - 1] = 7;    // LblSeg2 "7"
  second[23 - 1] = 0;   // "REC" dark
  second[60 - 1] = 20;  // ImaS2 off
  second[13 - 1] = 2;   // slash in place of the colon
  rig.Tick(second);
  const auto after = rig.Snapshot();
  std::set<std::string> changed;
  for (const auto& [name, state] : after)
    if (before.at(name) != state) changed.insert(name);
  EXPECT_EQ(changed,
            (std::set<std::string>{"LblSeg2", "LblREC", "ImaS2", "LblDotDot1", "LblSlash1"}));
  EXPECT_EQ(after.at("LblSeg2"), "7|shown|on");
}

TEST(LcdView, OnlyChangedElementsAreWritten) {
  LcdRig rig;
  const Payload frame = Bytes({{1, 8}, {60, 16}});
  rig.Tick(frame);
  auto* seg1 = rig.lcd->findChild<QLabel*>("LblSeg1");
  auto* seg3 = rig.lcd->findChild<QLabel*>("LblSeg3");
  seg1->setText("x");  // not rewritten: the model did not change
  seg3->setText("x");
  Payload next = frame;
  next[3 - 1] = 6;
  rig.Tick(next);
  EXPECT_EQ(seg1->text(), "x");
  EXPECT_EQ(seg3->text(), "6");
}

TEST(LcdView, CmdrefFollowsRH) {
  LcdRig rig;
  auto* ref = rig.keypad->findChild<QPushButton*>("Cmdref");
  for (int byte21 : {1, 0, 255, 254}) {
    rig.Tick(Bytes({{21, byte21}}));
    EXPECT_EQ(ref->isEnabled(), (byte21 & 1) != 0) << byte21;
    EXPECT_EQ(rig.lcd->findChild<QLabel*>("LblRH")->isHidden(), (byte21 & 1) == 0);
  }
}

// Before the first frame and while the meter is away the face is veiled with a notice
// and REF is off; the last frame stays underneath and shows again when the meter returns.
TEST(LcdView, WithoutAMeterTheFaceIsVeiledAndKeepsTheLastFrame) {
  LcdRig rig;
  auto* veil = rig.lcd->findChild<QWidget*>("LcdVeil");
  auto* ref = rig.keypad->findChild<QPushButton*>("Cmdref");
  ASSERT_NE(veil, nullptr);
  EXPECT_FALSE(veil->isHidden());
  EXPECT_FALSE(ref->isEnabled());

  const Payload frame = Bytes({{1, 5}, {2, 2}, {3, 3}, {4, 4}, {8, 255}, {9, 12}, {21, 1}});
  rig.Tick(frame);
  EXPECT_TRUE(veil->isHidden());
  EXPECT_TRUE(ref->isEnabled());
  // A three-figure code stays whole in its one small cell, drawn small enough to fit.
  auto* seg5 = rig.lcd->findChild<LcdDigitLabel*>("LblSeg5");
  ASSERT_NE(seg5, nullptr);
  EXPECT_EQ(seg5->text(), "255");
  QFont drawn = SegmentFont("255");
  drawn.setPixelSize(seg5->DrawnPixelSize());
  EXPECT_LE(QFontMetricsF(drawn).horizontalAdvance("888"), seg5->width());
  if (const char* dir = std::getenv("ORVANE_SCREENSHOT_DIR")) {
    rig.panel->grab().save(QString(dir) + "/lcd_small_digit_255.png");
  }
  std::map<std::string, std::string> shown = rig.Snapshot();

  rig.sim.transport.Unplug();
  rig.panel->Timer1_Timer();
  EXPECT_FALSE(veil->isHidden());
  EXPECT_FALSE(ref->isEnabled());
  std::map<std::string, std::string> away = rig.Snapshot();
  shown.erase("Cmdref");
  away.erase("Cmdref");
  EXPECT_EQ(away, shown);

  rig.sim.transport.Plug();
  rig.Tick(frame);
  EXPECT_TRUE(veil->isHidden());
  EXPECT_TRUE(ref->isEnabled());
}

// Every element of the accessibility tree below `iface`.
void CollectTree(QAccessibleInterface* iface, std::vector<QAccessibleInterface*>& out) {
  out.push_back(iface);
  for (int i = 0; i < iface->childCount(); ++i) {
    if (QAccessibleInterface* child = iface->child(i)) CollectTree(child, out);
  }
}

// A screen reader hears the LCD as one element named with what it shows, as it changes;
// the keys by name, with what they do on the meter.
TEST(LcdView, AssistiveTechnologyHearsTheDisplayAsOneNamedElement) {
  LcdRig rig;
  QAccessibleInterface* lcd = QAccessible::queryAccessibleInterface(rig.lcd);
  ASSERT_NE(lcd, nullptr);
  EXPECT_EQ(lcd->role(), QAccessible::StaticText);
  EXPECT_EQ(lcd->text(QAccessible::Name), "No meter connected");
  struct Case {
    Payload frame;
    const char* spoken;
  } cases[] = {
      {Bytes({{1, 5}, {2, 2}, {3, 8}, {4, 0}, {5, 3}, {7, 1}, {23, 1}, {50, 1}}),
       "528.0 cd/m\u00b2, REC, USB"},
      {Bytes({{1, 1}, {2, 2}, {3, 5}, {4, 0}, {5, 1}, {7, 2}, {6, 2}}), "1.250 KfL"},
      {Bytes({{1, 10}, {2, 10}, {3, 10}, {4, 10}, {20, 1}, {28, 1}, {64, 2}}), "APO, H, h"},
  };
  for (const Case& c : cases) {
    rig.Tick(c.frame);
    EXPECT_EQ(lcd->text(QAccessible::Name).toStdString(), c.spoken);
    EXPECT_EQ(lcd->childCount(), 0);
  }
  rig.sim.transport.Unplug();
  rig.panel->Timer1_Timer();
  EXPECT_EQ(lcd->text(QAccessible::Name), "No meter connected");

  std::vector<QAccessibleInterface*> tree;
  CollectTree(QAccessible::queryAccessibleInterface(rig.panel.get()), tree);
  int lcdElements = 0;
  std::map<QString, QString> keys;  // accessible name -> description
  for (QAccessibleInterface* iface : tree) {
    if (iface->object() == rig.lcd) {
      ++lcdElements;
    } else {  // nothing of the LCD besides the one element
      EXPECT_FALSE(rig.lcd->isAncestorOf(qobject_cast<QWidget*>(iface->object())))
          << iface->object()->objectName().toStdString();
    }
    if (iface->role() == QAccessible::Button)
      keys[iface->text(QAccessible::Name)] = iface->text(QAccessible::Description);
  }
  EXPECT_EQ(lcdElements, 1);
  // Only the keys the user sees: not the older set nor those outside the client area.
  for (const auto& [name, description] : keys)
    EXPECT_FALSE(name.startsWith("Cmd")) << name.toStdString();
  EXPECT_EQ(keys.count("Light"), 0u);
  EXPECT_EQ(keys["H key"], "Holds the reading on the meter's display, or lets it go");
  EXPECT_EQ(keys["REF key"], "Takes the reading as the reference (while R-H is lit)");
  EXPECT_EQ(rig.keypad->findChild<QPushButton*>("CmdBtn3")->toolTip(),
            "MX / MN: Shows the highest and lowest readings the meter has taken");
}

TEST(LcdView, SettingModeBlinksThroughTheSimulatedMeter) {
  LcdRig rig;
  const Payload frame = Bytes({{45, 1}, {7, 1}, {11, 3}});
  const Payload blink = Bytes({{2, 8}});  // LblSeg8 blinks
  auto* seg8 = rig.lcd->findChild<QLabel*>("LblSeg8");
  rig.Tick(frame, blink);
  EXPECT_FALSE(seg8->isHidden());
  rig.Tick(frame, blink);
  EXPECT_TRUE(seg8->isHidden());
  rig.Tick(Bytes({{7, 1}}));  // "SET" dark: every digit back
  EXPECT_FALSE(seg8->isHidden());
}

}  // namespace
}  // namespace orvane

namespace orvane {
namespace {

// Where an element puts ink, in the view's coordinates (empty when it draws nothing).
QRect InkRect(QWidget* w) {
  QImage img(w->size(), QImage::Format_ARGB32_Premultiplied);
  img.fill(Qt::transparent);
  w->render(&img, QPoint(), QRegion(), QWidget::DrawChildren);
  QRect ink;
  for (int y = 0; y < img.height(); ++y)
    for (int x = 0; x < img.width(); ++x)
      if (qAlpha(img.pixel(x, y)) > 64) ink |= QRect(x, y, 1, 1);
  return ink.translated(w->pos());
}

TEST(LcdView, NoTwoElementsDrawOverEachOther) {
  LcdRig rig;
  // Pairs the LCD places on one spot on purpose: the battery's outline and bars, and the
  // colon, slash and point that share a gap between secondary digits.
  const std::set<std::set<std::string>> together = {{"LblDotDot1", "LblSlash1"},
                                                    {"LblDotDot2", "LblSlash2"},
                                                    {"LblP11", "LblDotDot2"},
                                                    {"LblP11", "LblSlash2"}};
  std::vector<std::pair<std::string, QRect>> inks;
  for (const auto& e : LcdLayout())
    inks.emplace_back(std::string(e.name),
                      InkRect(rig.lcd->findChild<QWidget*>(QString::fromUtf8(e.name.data()))));
  for (std::size_t i = 0; i < inks.size(); ++i) {
    EXPECT_FALSE(inks[i].second.isEmpty()) << inks[i].first << " draws nothing";
    for (std::size_t j = i + 1; j < inks.size(); ++j) {
      const auto& [a, ra] = inks[i];
      const auto& [b, rb] = inks[j];
      if (a.starts_with("ImaS") && b.starts_with("ImaS")) continue;
      if (together.contains({a, b})) continue;
      EXPECT_FALSE(ra.intersects(rb)) << a << " and " << b << ": " << ra.x() << "," << ra.y() << " "
                                      << ra.width() << "x" << ra.height() << " / " << rb.x() << ","
                                      << rb.y() << " " << rb.width() << "x" << rb.height();
    }
  }
  if (const char* dir = std::getenv("ORVANE_SCREENSHOT_DIR")) {
    rig.panel->grab().save(QString(dir) + "/lcd_design.png");
  }
}

// The built-in meter's own setting mode: SET lights "SET" and blinks the unit; ENTER
// moves the blink to the first pair of clock digits; SET again ends it.
TEST(LcdView, SimulatedMeterSettingModeBlinksUnitThenDigits) {
  LcdRig rig;
  auto shown = [&](const char* n) { return !rig.lcd->findChild<QWidget*>(n)->isHidden(); };
  auto tick = [&] { rig.panel->Timer1_Timer(); };
  const char* dir = std::getenv("ORVANE_SCREENSHOT_DIR");
  tick();
  if (dir != nullptr) rig.panel->grab().save(QString(dir) + "/panel_normal.png");
  rig.keypad->findChild<QPushButton*>("CmdBtn4")->click();
  tick();
  EXPECT_TRUE(shown("LblSET") && shown("Lblcd") && shown("LblSlashm") && !shown("LblfL"));
  if (dir != nullptr) rig.panel->grab().save(QString(dir) + "/panel_setting.png");
  tick();
  EXPECT_TRUE(!shown("Lblcd") && !shown("LblSlashm") && !shown("Lbl2"));
  rig.keypad->findChild<QPushButton*>("CmdBtn7")->click();
  tick();
  tick();
  EXPECT_TRUE(!shown("LblSeg8") && !shown("LblSeg9") && shown("LblSeg10"));
  rig.keypad->findChild<QPushButton*>("CmdBtn4")->click();
  tick();
  EXPECT_FALSE(shown("LblSET"));
  for (int i = 1; i <= 13; ++i) EXPECT_TRUE(shown(qPrintable(QString("LblSeg%1").arg(i)))) << i;
  EXPECT_TRUE(shown("Lblcd") && shown("LblSlashm") && shown("Lbl2"));
}

}  // namespace
}  // namespace orvane
