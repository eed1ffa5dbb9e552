// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// Runs the built orvane-cli with arguments and collects its exit status and output.

#include <sys/wait.h>
#include <unistd.h>

#include <array>
#include <cstdio>
#include <sstream>
#include <string>
#include <vector>

namespace orvane::test {

struct CliResult {
  int status = -1;
  std::string out;  // standard output
  std::string err;  // standard error
};

// Runs `program` with `arguments` through the shell (so arguments are quoted as in a shell).
inline CliResult RunProgram(const std::string& program, const std::string& arguments) {
  static int n = 0;
  const std::string errFile =
      "/tmp/orvane-cli-test-" + std::to_string(getpid()) + "-" + std::to_string(++n) + ".err";
  const std::string command = program + " " + arguments + " 2>" + errFile;
  CliResult r;
  FILE* pipe = popen(command.c_str(), "r");
  if (pipe == nullptr) return r;
  std::array<char, 4096> buffer;
  for (size_t got; (got = fread(buffer.data(), 1, buffer.size(), pipe)) > 0;)
    r.out.append(buffer.data(), got);
  const int raw = pclose(pipe);
  r.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
  if (FILE* f = fopen(errFile.c_str(), "r")) {
    for (size_t got; (got = fread(buffer.data(), 1, buffer.size(), f)) > 0;)
      r.err.append(buffer.data(), got);
    fclose(f);
  }
  std::remove(errFile.c_str());
  return r;
}

// `prefix` goes before the program in the shell command ("ulimit -v … && ").
inline CliResult RunCli(const std::string& arguments, const std::string& prefix = "") {
  return RunProgram(prefix + ORVANE_CLI, arguments);
}

// The lines of a command's output, without their line ends.
inline std::vector<std::string> Lines(const std::string& text) {
  std::vector<std::string> lines;
  std::stringstream in(text);
  for (std::string line; std::getline(in, line);) lines.push_back(line);
  return lines;
}

}  // namespace orvane::test
