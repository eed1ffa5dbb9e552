// SPDX-License-Identifier: GPL-3.0-or-later
#include "recording/recording.h"

namespace orvane {

bool Recording::Start(const std::string& scratchPath, UnitSystem system, std::string& error) {
  if (!BeginRecordingFile(file_, scratchPath, system == UnitSystem::Metric, "", error)) {
    return false;
  }
  system_ = system;
  on_ = true;
  inGap_ = false;
  count_ = 0;
  withoutReading_ = 0;
  return true;
}

Recording::TickResult Recording::Tick(const std::string& time,
                                      const std::optional<LiveReading>& fresh, std::string& error) {
  if (!on_) return TickResult::Idle;
  if (!fresh) {
    ++withoutReading_;
    inGap_ = true;
    return TickResult::NoReading;
  }
  const ReadingTexts texts = ReadingIn(*fresh, system_);
  if (!AppendRecord(file_, count_ + 1, time, texts.text, texts.cdText, error)) {
    return TickResult::Failed;
  }
  ++count_;
  inGap_ = false;
  return TickResult::Written;
}

bool Recording::Stop(const std::string& dataPath, std::string& error) {
  if (!FinishRecordingFile(file_, dataPath, count_, error)) return false;
  on_ = false;
  finished_ = count_;
  count_ = 0;
  return true;
}

}  // namespace orvane
