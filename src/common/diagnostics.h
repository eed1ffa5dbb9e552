// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The diagnostics log: lines a user can send back when the meter misbehaves. It is off
// until an area is switched on, by the environment variable ORVANE_DEBUG (a comma list
// such as "link"; "all" names every area) or by a program's --debug (every area). Each
// line goes to standard error as "orvane link: …".
//
// Areas: "link", every exchange with the meter that failed or timed out, with the
// request and the reply as hex and the platform's error text. "clock", each step of the
// wall clock that the record tick or a stream follows.
// "start", a second start of the program that handed its command line to the running
// one, and what came of it.

#include <cstdint>
#include <iosfwd>
#include <span>
#include <string>
#include <string_view>

namespace orvane {

enum class LogArea { Link, Clock, Start };

// Switches on the areas named in `list`. Returns false when it names an unknown area;
// the known ones are switched on all the same.
bool EnableDiagnostics(std::string_view list);
// Switches on what ORVANE_DEBUG names; false when it names an unknown area.
bool EnableDiagnosticsFromEnvironment();
// Switches every area off.
void DisableDiagnostics();
bool DiagnosticsOn(LogArea area);

// Writes one line for `area` when the area is on.
void LogLine(LogArea area, std::string_view text);

// Where lines go instead of standard error (tests); null for standard error again.
void SetDiagnosticsSink(std::ostream* sink);

// "00 01 62": each byte as two hex digits, a space between.
std::string HexBytes(std::span<const std::uint8_t> bytes);

}  // namespace orvane
