#pragma once
// A downloaded record set on disk: its text unchanged, followed by CR LF.

#include <string>
#include <string_view>

namespace orvane {

// Creates or truncates `path` and writes `text` and CR LF. False when it cannot be
// written whole, or when `path` is a symbolic link (it is not followed).
bool WriteSetTextFile(const std::string& path, const std::string& text);

// Grid and erase-list texts of set k: "YYYY/MM/DD hh:mm:ss" and "k  YYYY/MM/DD hh:mm:ss".
std::string EraseListEntry(long long k, const std::string& stampText);

}  // namespace orvane
