// SPDX-License-Identifier: GPL-3.0-or-later
#include "recording/daily_recording.h"

#include <sys/stat.h>

#include <cstdio>

#include "common/working_folder.h"

namespace orvane {

namespace {

bool SameDay(const DateTime& a, const DateTime& b) {
  return a.year == b.year && a.month == b.month && a.day == b.day;
}

bool IsFolder(const std::string& path) {
  struct stat info {};
  return ::stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}

bool Exists(const std::string& path) {
  struct stat info {};
  return ::lstat(path.c_str(), &info) == 0;
}

}  // namespace

std::string DayFilePath(const std::string& target, const DateTime& day,
                        const std::function<bool(const std::string&)>& taken) {
  std::string base = target;
  if (!base.empty() && (base.back() == '/' || IsFolder(base))) {
    if (base.back() != '/') base += '/';
    base += "orvane";
  } else if (base.size() > 4 && base.compare(base.size() - 4, 4, ".lms") == 0) {
    base.resize(base.size() - 4);
  }
  char date[16];
  std::snprintf(date, sizeof date, "-%04d-%02d-%02d", day.year, day.month, day.day);
  base += date;
  std::string path = base + ".lms";
  for (int part = 2; taken(path); ++part) path = base + "-" + std::to_string(part) + ".lms";
  return path;
}

bool DailyRecording::Start(const std::string& scratchPath, UnitSystem system,
                           const std::string& target, bool daily, std::string& error) {
  if (!recording_.Start(scratchPath, system, error)) return false;
  scratchPath_ = scratchPath;
  target_ = target;
  daily_ = daily;
  day_.reset();
  written_.clear();
  doneCount_ = 0;
  doneWithoutReading_ = 0;
  return true;
}

bool DailyRecording::FinishDay(std::string& error) {
  if (daily_ && recording_.RecordCount() == 0) return true;  // a day without records: no file
  const std::string path = daily_ && day_ ? DayFilePath(target_, *day_, Exists) : target_;
  if (!recording_.Stop(path, error)) return false;
  written_.push_back({path, recording_.FinishedCount()});
  return true;
}

Recording::TickResult DailyRecording::Tick(const DateTime& second,
                                           const std::optional<LiveReading>& fresh,
                                           std::string& error) {
  if (!recording_.RecordingOn()) return Recording::TickResult::Idle;
  if (daily_ && day_ && !SameDay(*day_, second)) {
    const UnitSystem system = recording_.System();
    const long count = recording_.RecordCount();
    const long without = recording_.SecondsWithoutReading();
    if (!FinishDay(error)) return Recording::TickResult::Failed;
    // The working folder may have been removed while the day ran: it is made again.
    const std::size_t slash = scratchPath_.rfind('/');
    if (slash != std::string::npos && slash > 0) EnsureWorkingFolder(scratchPath_.substr(0, slash));
    if (!recording_.Start(scratchPath_, system, error)) return Recording::TickResult::Failed;
    doneCount_ += count;
    doneWithoutReading_ += without;
  }
  day_ = second;
  return recording_.Tick(FormatDateTime(second), fresh, error);
}

bool DailyRecording::Stop(std::string& error) {
  if (!recording_.RecordingOn()) return true;
  const long count = recording_.RecordCount();
  if (!FinishDay(error)) return false;
  doneCount_ += count;  // the total stays told after the stop
  return true;
}

std::vector<DailyRecording::Written> DailyRecording::TakeWritten() {
  std::vector<Written> taken;
  taken.swap(written_);
  return taken;
}

}  // namespace orvane
