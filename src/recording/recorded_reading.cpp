#include "recording/recorded_reading.h"

namespace orvane {

std::string MainTextFor(const LiveReading& reading, bool recordingMetric) {
  if (!reading.known || reading.metric == recordingMetric) return reading.text;
  // Shown in foot-candles, recorded in lux (or the other way round).
  return ConvertReadingText(reading.text, /*luxToFc=*/!recordingMetric);
}

}  // namespace orvane
