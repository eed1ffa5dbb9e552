#pragma once
// RealTimeGraph ("Graphic Display"): the live reading as a strip chart, one sample a
// second, with lux, cd and fc scales. A second without a reading decoded since the
// previous one draws nothing.

#include <functional>
#include <optional>

#include "common/clock.h"
#include "common/live_reading.h"
#include "common/program_state.h"
#include "graphs/canvas_record.h"
#include "graphs/chart_base_window.h"
#include "graphs/chart_title.h"

namespace orvane {

class RealTimeGraphWindow final : public ChartBaseWindow {
  Q_OBJECT

 public:
  // `freshReading` gives the reading decoded since its previous call, or nothing.
  using FreshReading = std::function<std::optional<LiveReading>()>;
  RealTimeGraphWindow(ProgramState& state, FreshReading freshReading, const Clock& clock,
                      Dialogs& dialogs, QWidget* parent = nullptr);

  void Timer1_Timer();
  void DrawFrame() override;
  // What the window shows, drawn again for paper or a file, titled "Live" with the times
  // of the first and last sample of the sweep shown.
  ChartOutput Output() override;
  ChartTitle Title() const;

 protected:
  RangeTexts CurrentRangeTexts() const override;
  std::optional<std::string> ApplyTypedRange(const RangeTexts& typed) override;
  // The readings taken since the window opened, in the unit system of the first one.
  const PlotData& CsvRecords() const override { return samples_; }

 private:
  void KeepSample(const LiveReading& reading, const DateTime& now);

  ProgramState& state_;
  FreshReading reading_;
  const Clock& clock_;
  PlotData samples_;
  UnitSystem samplesSystem_ = UnitSystem::Metric;
  CanvasRecord drawn_{canvas_};  // the window's surface, and what was drawn on it
};

}  // namespace orvane
