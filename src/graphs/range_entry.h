// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The unit and range dialogs of the two graph windows: which keys the boxes take, what
// the boxes show when a dialog opens, and how OK checks and applies what was typed.

#include <optional>
#include <string>

#include "common/program_state.h"

namespace orvane {

inline constexpr char kBackspace = 8;

// Digits and backspace always; "." (or "," for it) only where a box takes decimals.
bool AcceptsKey(char key, bool allowPoint);

// The texts of the range dialog's boxes.
struct RangeTexts {
  std::string frameCaption;  // FrmLxFc: "Lux" or "Fc"
  std::string TxtMn;
  std::string TxtMx;
  std::string TxtcdMn;
  std::string TxtcdMx;
  std::string TxtCounts;  // real-time graph
  std::string TxtFrom;    // list plot
  std::string TxtTo;
};

// "0 <= <quantity> <= 9999000, try again!"
std::string RangeMessage(const std::string& quantity);
// The refusals of a sweep length of no samples, of a scale whose Min equals its Max and
// of a record stretch that does not exist.
std::string CountsMessage();
std::string NoWidthMessage(const std::string& quantity);
std::string RecordsMessage(long plotRecords);

// Real-time graph: the boxes when the dialog opens, and OK. Min may lie above Max: the
// scale is then drawn upside down. On success the range and the
// step are changed and nothing is returned; otherwise the message to show, nothing changed.
RangeTexts LiveRangeTexts(const RangeRecord& range, const std::string& graphUnit, double plotWidth,
                          double stepX);
std::optional<std::string> ApplyLiveRange(const RangeTexts& texts, const std::string& graphUnit,
                                          double plotWidth, RangeRecord& range, double& stepX);

// List plot: the same with the record stretch From..To.
RangeTexts PlotRangeTexts(const PlotData& plot);
std::optional<std::string> ApplyPlotRange(const RangeTexts& texts, double plotWidth, PlotData& plot,
                                          double& stepX);

}  // namespace orvane
