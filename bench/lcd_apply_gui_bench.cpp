// SPDX-License-Identifier: GPL-3.0-or-later
// Showing one poll tick on the panel's LCD: LcdView::Apply on the panel's own model, when
// nothing changed since the last tick and when every element changes.
//
// widget_events counts the events the view and its elements (and the key Cmdref) receive
// during Apply, per iteration: 0 means no widget was touched.

#include <benchmark/benchmark.h>

#include <QApplication>
#include <cstdlib>
#include <unordered_set>

#include "gui_support/panel_rig.h"
#include "ui/lcd_view.h"

namespace orvane {
namespace {

struct EventCounter final : QObject {
  std::unordered_set<const QObject*> watched;
  long events = 0;
  bool eventFilter(QObject* target, QEvent* event) override {
    if (watched.count(target) != 0) ++events;
    return QObject::eventFilter(target, event);
  }
};

struct LcdBenchRig : test::PanelRig {
  LcdBenchRig() {
    panel->Timer1().stop();
    panel->Timer2().stop();
    panel->show();
    lcd = panel->findChild<LcdView*>();
    LcdModel& m = model();
    for (std::size_t id = 0; id < m.Size(); ++id) {
      if (auto* w = panel->findChild<QWidget*>(QString::fromStdString(m.Name(id)))) {
        counter.watched.insert(w);
      }
    }
    counter.watched.insert(lcd);
    lcd->Apply(m);  // the design-time state is on screen
    QCoreApplication::processEvents();
    qApp->installEventFilter(&counter);
  }
  ~LcdBenchRig() { qApp->removeEventFilter(&counter); }
  LcdModel& model() { return panel->Display().Model(); }

  LcdView* lcd = nullptr;
  EventCounter counter;
};

std::vector<ElementState> DesignStates(const LcdModel& m) {
  std::vector<ElementState> design;
  for (std::size_t id = 0; id < m.Size(); ++id) design.push_back(m.Get(static_cast<int>(id)));
  return design;
}

// Every element to its design state, or (flipped) to another caption, visibility and
// enabled state.
void SetAll(LcdModel& m, const std::vector<ElementState>& design, bool flipped) {
  for (std::size_t id = 0; id < m.Size(); ++id) {
    const ElementState& d = design[id];
    const int e = static_cast<int>(id);
    m.SetCaption(e, flipped ? d.caption + "8" : d.caption);
    m.SetVisible(e, flipped != d.visible);
    m.SetEnabled(e, flipped != d.enabled);
  }
}

void BM_LcdApplyNothingChanged(benchmark::State& state) {
  LcdBenchRig rig;
  for (auto _ : state) rig.lcd->Apply(rig.model());
  state.counters["widget_events"] =
      static_cast<double>(rig.counter.events) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_LcdApplyNothingChanged);

// Every element's caption, visibility and enabled state flip on every tick; with
// `paint`, the window's repaint of the changed face is included.
void ApplyEverythingChanged(benchmark::State& state, bool paint) {
  LcdBenchRig rig;
  LcdModel& m = rig.model();
  const std::vector<ElementState> design = DesignStates(m);
  bool flipped = false;
  for (auto _ : state) {
    state.PauseTiming();
    flipped = !flipped;
    SetAll(m, design, flipped);
    state.ResumeTiming();
    rig.lcd->Apply(m);
    if (paint) rig.lcd->repaint();
  }
  state.counters["elements"] = static_cast<double>(m.Size());
  state.counters["widget_events"] =
      static_cast<double>(rig.counter.events) / static_cast<double>(state.iterations());
}

void BM_LcdApplyEverythingChanged(benchmark::State& state) {
  ApplyEverythingChanged(state, false);
}
BENCHMARK(BM_LcdApplyEverythingChanged)->Unit(benchmark::kMicrosecond);

void BM_LcdApplyEverythingChangedAndPaint(benchmark::State& state) {
  ApplyEverythingChanged(state, true);
}
BENCHMARK(BM_LcdApplyEverythingChangedAndPaint)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace orvane

#include "gui_bench_main.h"
