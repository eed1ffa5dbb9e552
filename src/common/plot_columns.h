// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The columns of the plot data, kept small: a million records of a data file take about
// 26 MB instead of the three texts per record they were read from.
//
// A reading keeps its value (a "K" already resolved to thousands), whether it was over
// range, and how many decimals it showed, which is all the charts and the CSV export
// read. A record time "YYYY/MM/DD hh:nn:ss" is packed into one 64-bit number from which
// the same text comes back; any other time text is kept as it was.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>
#include <vector>

namespace orvane {

struct StoredReading {
  double value = 0;        // the reading's value, "K" resolved; 0 when over range
  bool overRange = false;  // the text held a capital "L": no number
  int decimals = 0;        // decimals of the value as written; -1 when not known

  bool operator==(const StoredReading&) const = default;
};

// The stored form of a reading text: the one place that decides what a reading text is
// worth, for the reader's limits, the charts and the export.
StoredReading StoredReadingOf(std::string_view text);

class ReadingColumn {
 public:
  ReadingColumn() = default;
  ReadingColumn(std::initializer_list<std::string_view> texts);

  void push_back(std::string_view text) { push_back(StoredReadingOf(text)); }
  void push_back(const StoredReading& reading);
  void reserve(std::size_t n);
  void clear();
  std::size_t size() const { return values_.size(); }
  bool empty() const { return values_.empty(); }
  StoredReading operator[](std::size_t i) const;

  bool operator==(const ReadingColumn&) const = default;

 private:
  static constexpr std::uint8_t kOverRange = 0x80;
  static constexpr std::uint8_t kUnknownDecimals = 0x7F;
  std::vector<double> values_;
  std::vector<std::uint8_t> marks_;  // over-range bit and the decimals
};

class TimeColumn {
 public:
  TimeColumn() = default;
  TimeColumn(std::initializer_list<std::string_view> texts);

  void push_back(std::string_view text);
  void reserve(std::size_t n) { packed_.reserve(n); }
  void clear();
  std::size_t size() const { return packed_.size(); }
  bool empty() const { return packed_.empty(); }
  std::string operator[](std::size_t i) const;
  std::string front() const { return (*this)[0]; }
  std::string back() const { return (*this)[size() - 1]; }

  bool operator==(const TimeColumn&) const = default;

 private:
  std::vector<std::int64_t> packed_;  // YYYYMMDDhhnnss, or -1 - index into others_
  std::vector<std::string> others_;   // times in another form, as they were
};

}  // namespace orvane
