// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// A recording that was never finished (the program was killed or the machine went down
// while it ran). While a recording runs, the mark file LightMeterS.run in the working
// folder names the data file the user chose; a finished recording removes it. At the
// next start a mark together with a scratch file that holds a body header means an
// unfinished recording, which can still be saved as a data file.

#include <optional>
#include <string>

namespace orvane {

inline constexpr const char* kRecordingMarkName = "LightMeterS.run";

// Writes the mark naming `dataPath` (refusing a link planted in its place).
bool MarkRecordingRunning(const std::string& folder, const std::string& dataPath,
                          std::string& error);
// Removes the mark: the recording in the scratch file is saved or given up.
void ClearRecordingMark(const std::string& folder);

struct UnfinishedRecording {
  std::string dataPath;  // the data file chosen when the recording started
  long records = 0;      // whole record lines in the scratch file
};

// The unfinished recording in `folder`, if there is one.
std::optional<UnfinishedRecording> FindUnfinishedRecording(const std::string& folder);

// Writes the unfinished recording as a data file at `dataPath`: the header with the
// count of whole record lines and the scratch file's whole lines (a line cut short by
// the crash is left out). The mark goes once the file is written.
bool SaveUnfinishedRecording(const std::string& folder, const std::string& dataPath,
                             std::string& error);

}  // namespace orvane
