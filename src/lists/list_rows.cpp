// SPDX-License-Identifier: GPL-3.0-or-later
#include "lists/list_rows.h"

namespace orvane {

std::string FormatListRow(long number, std::string_view time, std::string_view reading,
                          std::string_view cdReading) {
  std::string row = RightAligned(std::to_string(number), kListNumberWidth);
  row += '\t';
  row += time;
  row += '\t';
  row += RightAligned(reading, kListReadingWidth);
  row += '\t';
  row += RightAligned(cdReading, kListReadingWidth);
  row += '\t';
  return row;
}

ListRowPair MakeListRows(long number, std::string_view time, const LiveReading& reading,
                         UnitSystem listSystem) {
  const std::string cd = ReadingIn(reading, listSystem).cdText;
  return {FormatListRow(number, time, ReadingIn(reading, UnitSystem::Metric).text, cd),
          FormatListRow(number, time, ReadingIn(reading, UnitSystem::Imperial).text, cd)};
}

std::string ListTitleMetric(std::string_view distanceMetres) {
  return RightAligned(distanceMetres, kListDistanceWidth) +
         " m  No.s         Date Time           Lux      cd";
}

std::string ListTitleImperial(std::string_view distanceFeet) {
  return RightAligned(distanceFeet, kListDistanceWidth) +
         "ft  No.s         Date Time            Fc      cd";
}

std::string ListSaveHeader(std::string_view title, bool metric) {
  std::string header(title.substr(0, 7));
  header += "  No.s\tDate Time\t";
  header += metric ? "Lux" : " Fc";
  header += "\tcd\t";
  return header;
}

long ListTopRow(long rowCount) {
  return rowCount > kListRowsInView ? rowCount - kListRowsInView : -1;
}

}  // namespace orvane
