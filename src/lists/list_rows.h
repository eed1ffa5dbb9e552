// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The rows of the real-time list, its column titles and the header line of a saved list.
//
// A row: the row number right-aligned in 10, TAB, "YYYY/MM/DD hh:nn:ss", TAB, the main
// reading right-aligned in 6, TAB, the cd reading right-aligned in 6, TAB. A text longer
// than its field is written whole.

#include <string>
#include <string_view>

#include "common/live_reading.h"
#include "common/text_fields.h"

namespace orvane {

inline constexpr std::size_t kListNumberWidth = 10;
inline constexpr std::size_t kListReadingWidth = 6;
inline constexpr std::size_t kListDistanceWidth = 5;
// The list keeps this many of its newest rows in view.
inline constexpr long kListRowsInView = 15;

std::string FormatListRow(long number, std::string_view time, std::string_view reading,
                          std::string_view cdReading);

// The row of each table for one tick: lux in the metric table, fc in the imperial one.
// The reading's own system is listed as the display shows it, the other one converted.
// The cd column of both stays in `listSystem`, the system the list started with.
struct ListRowPair {
  std::string metric;    // ListM
  std::string imperial;  // ListI
};
ListRowPair MakeListRows(long number, std::string_view time, const LiveReading& reading,
                         UnitSystem listSystem);

// Titles over the tables. The distance behind the cd value is right-aligned in 5; it is
// blank while no distance is known.
std::string ListTitleMetric(std::string_view distanceMetres);
std::string ListTitleImperial(std::string_view distanceFeet);

// Header line of a saved list (without its line end): the title's distance column, then
// the column names separated by TABs.
std::string ListSaveHeader(std::string_view title, bool metric);

// The row to show at the top so the newest rows stay in view, or -1 while every row fits.
long ListTopRow(long rowCount);

}  // namespace orvane
