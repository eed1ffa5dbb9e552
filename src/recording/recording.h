// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// One recording of the reading to a data file, as the panel's Save and orvane-cli record
// run it: started in the unit system the meter shows, one record per tick that has a
// fresh reading, finished into the data file when it stops.
//
// Every record carries its number and the second it was taken; the numbers have no gap
// and only measured readings are written. A tick without a fresh reading writes nothing
// (the stamps show the gap) and is counted. A record that cannot be written is not
// counted: the next tick writes the same number again, after the partial line (if any)
// was cut back. A failed stop keeps the recording, so it can be saved elsewhere.

#include <optional>
#include <string>

#include "common/live_reading.h"
#include "recording/recording_file.h"

namespace orvane {

class Recording {
 public:
  enum class TickResult {
    Written,    // one more record
    NoReading,  // no fresh reading: nothing written
    Failed,     // the record could not be written (the reason is in the error)
    Idle,       // not recording
  };

  // Starts writing into the scratch file at `scratchPath` (emptied first), in `system`.
  // False, with the reason in `error`, when the scratch file cannot be written.
  bool Start(const std::string& scratchPath, UnitSystem system, std::string& error);

  // One tick at `time` ("YYYY/MM/DD hh:nn:ss"): `fresh` is the reading decoded since the
  // previous tick, or nothing when there is none.
  TickResult Tick(const std::string& time, const std::optional<LiveReading>& fresh,
                  std::string& error);

  // Finishes the data file at `dataPath` and ends the recording. False, with the reason
  // in `error`, when it cannot be written: the recording goes on.
  bool Stop(const std::string& dataPath, std::string& error);

  bool RecordingOn() const { return on_; }
  UnitSystem System() const { return system_; }
  // Records written by the running recording; 0 while none runs.
  long RecordCount() const { return count_; }
  // Records in the data file the last Stop finished.
  long FinishedCount() const { return finished_; }
  long SecondsWithoutReading() const { return withoutReading_; }
  // True from a tick without a reading until the next record.
  bool InGap() const { return inGap_; }
  const std::string& ScratchPath() const { return file_.ScratchPath(); }
  // What Start found in the scratch file's place and moved aside, or empty.
  const std::string& Notice() const { return file_.Notice(); }
  // After a failed Stop: makes sure ScratchPath() names a file that holds the records
  // (see KeepScratchFile). False, with the reason, when none can be made.
  bool KeepScratch(std::string& error) { return KeepScratchFile(file_, error); }

 private:
  RecordingFile file_;
  UnitSystem system_ = UnitSystem::Metric;
  bool on_ = false;
  bool inGap_ = false;
  long count_ = 0;
  long finished_ = 0;
  long withoutReading_ = 0;
};

}  // namespace orvane
