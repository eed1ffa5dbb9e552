#pragma once
// The main reading a record carries. Every record of a data file holds it in the unit
// its column title names, fixed when the recording started: when the meter is switched
// to the other unit meanwhile, the reading is converted with 10.76.

#include <string>

#include "common/live_reading.h"

namespace orvane {

std::string MainTextFor(const LiveReading& reading, bool recordingMetric);

}  // namespace orvane
