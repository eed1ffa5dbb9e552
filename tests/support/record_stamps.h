// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The seconds that the record lines of a data file (or a scratch file) are stamped with,
// and a check that they run one a second with a single gap where the meter was away.

#include <gtest/gtest.h>

#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

#include "common/clock.h"

namespace orvane::test {

// Per record line ("-", number, "YYYY/MM/DD hh:nn:ss", …): its number and its second.
struct StampedRecord {
  long number;
  std::int64_t second;
};

inline std::vector<StampedRecord> StampedRecords(const std::string& bytes) {
  std::vector<StampedRecord> out;
  std::istringstream in(bytes);
  for (std::string line; std::getline(in, line);) {
    long number = 0;
    DateTime t;
    if (std::sscanf(line.c_str(), "-\t %ld\t%d/%d/%d %d:%d:%d", &number, &t.year, &t.month, &t.day,
                    &t.hour, &t.minute, &t.second) == 7) {
      out.push_back({number, ToSerialSeconds(t)});
    }
  }
  return out;
}

// Records numbered 1, 2, 3 … stamped one second apart, except one run of between
// `fewest` and `most` seconds without a record.
inline void ExpectOneGap(const std::vector<StampedRecord>& records, int fewest, int most) {
  int gaps = 0;
  for (std::size_t k = 0; k < records.size(); ++k) {
    EXPECT_EQ(records[k].number, static_cast<long>(k + 1));
    if (k == 0) continue;
    const std::int64_t step = records[k].second - records[k - 1].second;
    if (step == 1) continue;
    ++gaps;
    EXPECT_GE(step - 1, fewest) << "record " << k + 1;
    EXPECT_LE(step - 1, most) << "record " << k + 1;
  }
  EXPECT_EQ(gaps, 1);
}

}  // namespace orvane::test
