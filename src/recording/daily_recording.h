// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A recording that may be split into one data file per local day, as orvane-cli record
// runs it unattended.
//
// Without the split, every record goes to the one data file named by the user. Split by
// day, each record goes to the file of the day it is stamped with, and a file holds only
// that day's records. The file of a day is named after a target:
//
//   - a folder (an existing one, or a name ending in "/"): FOLDER/orvane-YYYY-MM-DD.lms
//   - anything else is a base name; a final ".lms" is dropped: BASE-YYYY-MM-DD.lms
//
// When that file exists already (a logger restarted during the day), the next free one of
// BASE-YYYY-MM-DD-2.lms, -3, … is taken: an earlier part of the day is never overwritten.
//
// The first tick stamped with a later day finishes the day before into its file (a
// complete data file with its own header and count, numbered from 1) and starts the next
// one with the same unit system; that tick's record is the new file's first. So no record
// is lost or written twice across midnight. A day that got no record writes no file.

#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "common/clock.h"
#include "recording/recording.h"

namespace orvane {

// The file of `day` for the target (see above); `taken` says whether a path is in use.
std::string DayFilePath(const std::string& target, const DateTime& day,
                        const std::function<bool(const std::string&)>& taken);

class DailyRecording {
 public:
  // A finished data file and its record count.
  struct Written {
    std::string path;
    long records = 0;
  };

  // Starts recording into the scratch file at `scratchPath` for the data file `target`,
  // split by day when `daily`. False, with the reason in `error`, when the scratch file
  // cannot be written.
  bool Start(const std::string& scratchPath, UnitSystem system, const std::string& target,
             bool daily, std::string& error);

  // One tick stamped `second`: switches to a new file first when `second` is on another
  // day than the records so far. Failed (with the reason) when a record or the finished
  // day's file cannot be written; the scratch file then keeps the records not yet in a
  // data file.
  Recording::TickResult Tick(const DateTime& second, const std::optional<LiveReading>& fresh,
                             std::string& error);

  // Finishes the file being written (with the split, only when it has records). False,
  // with the reason, when it cannot be written: the scratch file keeps the records.
  bool Stop(std::string& error);

  // The data files finished by Tick and Stop since the last call, in order.
  std::vector<Written> TakeWritten();

  const Recording& Current() const { return recording_; }
  // After a failed Stop: see Recording::KeepScratch.
  bool KeepScratch(std::string& error) { return recording_.KeepScratch(error); }
  // Over all days so far.
  long Count() const { return doneCount_ + recording_.RecordCount(); }
  long SecondsWithoutReading() const {
    return doneWithoutReading_ + recording_.SecondsWithoutReading();
  }

 private:
  bool FinishDay(std::string& error);

  Recording recording_;
  std::string scratchPath_;
  std::string target_;
  bool daily_ = false;
  std::optional<DateTime> day_;  // the day of the records in the scratch file
  std::vector<Written> written_;
  long doneCount_ = 0;  // of the days already finished
  long doneWithoutReading_ = 0;
};

}  // namespace orvane
