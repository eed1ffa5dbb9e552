#pragma once
// The meter modes in which the data logger's memory is not read: any of these
// annunciators lit refuses the "Memory" command; "REC" alone refuses "Erase".

#include <array>
#include <functional>
#include <string_view>

namespace orvane {

// Is the annunciator of this flag name ("AnnREC", ...) lit?
using FlagLit = std::function<bool(std::string_view flagName)>;

// Flag        Symbol on the LCD
inline constexpr std::array<std::string_view, 18> kMemoryRefusingFlags{
    "AnnREC",       // "REC"
    "AnnSET",       // "SET"
    "AnnCMP",       // "CMP"
    "AnnDelta",     // delta
    "AnnPercentA",  // "%A"
    "AnnPercent",   // "%"
    "AnnREF",       // "REF"
    "AnnACC",       // "ACC"
    "AnnAMRM",      // "M"
    "AnnAMRA",      // "A"
    "AnnAMRR",      // "R"
    "AnnASlashB",   // "A/B"
    "AnnBDashA",    // "B-A"
    "AnnA",         // "A"
    "AnnB",         // "B"
    "AnnMX",        // "MX"
    "AnnMN",        // "MN"
    "AnnAVG1",      // "AVG"
};

inline constexpr std::string_view kEraseRefusingFlag = "AnnREC";

// True while the meter is in a mode in which "Memory" does nothing.
bool MemoryRefused(const FlagLit& lit);
// True while the meter records ("REC" lit): "Erase" does nothing.
bool EraseRefused(const FlagLit& lit);

}  // namespace orvane
