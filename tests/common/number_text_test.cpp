// SPDX-License-Identifier: GPL-3.0-or-later
// Numbers the program writes and reads for itself do not follow the locale: started under
// de_DE.UTF-8 or fr_FR.UTF-8 (a decimal comma), the range boxes' texts, the chart labels,
// converted readings, the CSV, the statistics, the logger's text and what a typed value
// reads as are those of the C locale.

#include "common/number_text.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "common/clock.h"
#include "common/live_reading.h"
#include "graphs/chart.h"
#include "graphs/chart_math.h"
#include "graphs/range_entry.h"
#include "recording/csv_export.h"
#include "recording/log_statistics.h"
#include "recording/recording_file.h"
#include "recording/recording_reader.h"
#include "simulator/virtual_meter.h"
#include "support/locale_rig.h"
#include "support/recording_canvas.h"

namespace orvane {
namespace {

RangeRecord SomeRange() {
  RangeRecord r;
  r.LuxMin = 508.8;
  r.LuxMax = 538.25;
  r.FcMin = 47.28;
  r.FcMax = 50.02;
  r.CdMin = 12.5;
  r.CdMax = 99.5;
  return r;
}

// Everything the core writes with a number in it, as one list of texts.
std::vector<std::string> Outputs() {
  std::vector<std::string> out = {GeneralText(92.93),
                                  GeneralText(9998995),
                                  GeneralText(1e-7),
                                  FixedText(12.345, 2),
                                  FixedText(0.5, 0),
                                  NumberText(508.8),
                                  PlainDecimal(538),
                                  PlainDecimal(47.286),
                                  ConvertReadingText("508.8", true),
                                  ConvertReadingText("1.25K", false),
                                  ConvertReadingText("12.5", false)};
  const RangeTexts live = LiveRangeTexts(SomeRange(), "lx", 450, 1);
  const RangeTexts fc = LiveRangeTexts(SomeRange(), "fc", 450, 1);
  out.insert(out.end(), {live.TxtMn, live.TxtMx, live.TxtcdMn, live.TxtcdMx, fc.TxtMn, fc.TxtMx});

  // What OK makes of the boxes as they were shown.
  RangeRecord applied;
  double stepX = 0;
  EXPECT_EQ(ApplyLiveRange(live, "lx", 450, applied, stepX), std::nullopt);
  out.insert(out.end(), {GeneralText(applied.LuxMin), GeneralText(applied.LuxMax),
                         GeneralText(applied.CdMin), GeneralText(applied.FcMin)});

  // The chart's scale labels.
  testing::RecordingCanvas canvas(640, 480);
  ChartState chart = LoadedChart(ChartKind::RealTime);
  DrawFrame(canvas, chart, ChartScale{SomeRange(), true});
  for (const testing::DrawOp& op : canvas.Ops()) {
    if (op.kind == testing::DrawOp::Kind::Text) out.push_back(op.text);
  }

  // A data file: its limits, its CSV and its statistics.
  std::string file = FileHeaderLines(3) + BodyHeaderLines(true, "");
  file += RecordLine(1, "2024/05/17 10:30:01", " 12.30", " 1.25K");
  file += RecordLine(2, "2024/05/17 10:30:02", " 508.8", "   0.5");
  file += RecordLine(3, "2024/05/17 10:30:09", "    OL", "  7.25");
  PlotData plot;
  RecordingFileError error;
  EXPECT_TRUE(ReadRecordingText(file, plot, error)) << error.Message();
  out.insert(out.end(), {GeneralText(plot.PlotRange.LuxMax), GeneralText(plot.PlotRange.FcMax),
                         GeneralText(plot.PlotRange.CdMin), CsvText(plot, {})});
  const LogStatistics statistics = StatisticsOf(plot, 1, 3);
  out.push_back(StatisticsHeadline(statistics, 1, 3));
  for (const ColumnStatistics* c : {&statistics.Main(), &statistics.Cd()}) {
    for (const std::string& figure : ColumnFigures(*c)) out.push_back(figure);
  }
  const std::string halfCount = "-\r\n-\r\n-\r\n-\tTotal Records : 0.5\r\n";
  EXPECT_FALSE(ReadRecordingText(halfCount + file.substr(FileHeaderLines(3).size()), plot, error));
  out.push_back(error.Message());

  // The built-in meter's logger text.
  ManualClock clock;
  VirtualMeter meter(clock);
  meter.FillLogger(1, 5);
  out.push_back(meter.sets.at(0).content);
  return out;
}

TEST(NumbersInEveryLocale, CoreOutputsUnderADecimalCommaLocaleAreThoseOfC) {
  std::vector<std::string> underC;
  {
    test::ProcessLocale c("C");
    underC = Outputs();
  }
  // Not only alike: what the C locale writes is what the program means.
  EXPECT_EQ(underC[5], "508.8");
  EXPECT_EQ(underC[6], "538");
  const struct {
    const char* name;
    const char* source;
  } locales[] = {{"de_DE.UTF-8", "de_DE"}, {"fr_FR.UTF-8", "fr_FR"}};
  for (const auto& l : locales) {
    SCOPED_TRACE(l.name);
    std::string why;
    if (!test::EnsureLocale(l.name, l.source, why)) GTEST_SKIP() << why;
    test::ProcessLocale locale(l.name);
    ASSERT_EQ(test::ProcessLocale::LibraryHalf(), "0,5") << "the locale is not in force";
    const std::vector<std::string> there = Outputs();
    ASSERT_EQ(there.size(), underC.size());
    for (std::size_t i = 0; i < there.size(); ++i) EXPECT_EQ(there[i], underC[i]) << "output " << i;
  }
}

}  // namespace
}  // namespace orvane
