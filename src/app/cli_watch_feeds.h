// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// What `orvane-cli watch` writes for the time-series systems a lab runs: InfluxDB line
// protocol (one line per reading, for the HTTP write endpoint or Telegraf's execd input)
// and the Prometheus text exposition format (a file rewritten whole each period, for
// node_exporter's textfile collector).

#include <cstdint>
#include <string>

namespace orvane::cli {

// One reading of the stream; `connected` false for a gap line (the meter did not answer).
struct Sample {
  bool connected = false;
  std::string reading;  // as the display shows it: "12.34", "1.25K", "OL"
  std::string value;    // the number, thousands resolved; empty when there is none
  bool overRange = false;
  std::string unit;       // "cd/m2" or "fL"
  std::string secondary;  // the small and secondary digits
  std::string symbols;    // the lit symbols, blank-separated
};

// Who took a reading: the meter's name (its serial number, its path or --name) and the
// computer's host name.
struct Origin {
  std::string meter;
  std::string host;
};

// "orvane,meter=A1,unit=cd/m2,host=lab value=523.4,over_range=false,connected=true,
// reading=\"523.4\" 1765362601250000000\n": the reading at `epochNs` nanoseconds since
// 1970 (UTC). A gap line has no unit, value or reading; an over-range reading no value.
std::string InfluxLine(const Sample& s, const Origin& origin, std::int64_t epochNs);

// The gauges orvane_reading, orvane_over_range and orvane_connected with the labels meter
// and unit, and orvane_reading_timestamp_seconds, the time of the reading. `unit` is the
// unit of the last reading, so that a gap keeps the series. A reading without a number
// is NaN.
std::string PromText(const Sample& s, const Origin& origin, const std::string& unit,
                     std::int64_t epochMs);

// Writes `text` into a temporary file beside `path` and renames it over `path`, so that
// a reader sees the whole earlier file or the whole new one. False with `error` set when
// it could not.
bool ReplaceFile(const std::string& path, const std::string& text, std::string& error);

// The computer's host name, "localhost" when it has none.
std::string HostName();

}  // namespace orvane::cli
