#pragma once
// Small helpers of the program's file writers.

#include <string>
#include <string_view>

namespace orvane {

// Writes every byte to `fd`, going on after interruptions and short writes. Returns
// false with errno set when the file cannot take them all.
bool WriteAll(int fd, std::string_view bytes);

// "<what> <path>: <the system's reason for errno>", for messages.
std::string FileErrorReason(const char* what, const std::string& path);

}  // namespace orvane
