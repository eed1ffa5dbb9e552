// SPDX-License-Identifier: GPL-3.0-or-later
// orvane-cli plot hands its words to orvane-cli-plot, the program that draws: it replaces
// this process (exec), so the exit status, the output and the error line are the drawing
// program's own. It is looked for beside orvane-cli (the build folder), then where it is
// installed.

#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>
#include <string>
#include <vector>

#include "app/cli_plot.h"

namespace orvane::cli {

namespace {

constexpr const char* kDrawingProgram = "orvane-cli-plot";

std::string OwnFolder() {
  char path[PATH_MAX];
  const ssize_t n = ::readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return ".";
  const std::string exe(path, static_cast<std::size_t>(n));
  return exe.substr(0, exe.find_last_of('/'));
}

std::string DrawingProgram() {
  const std::string folder = OwnFolder();
  for (const std::string& candidate :
       {folder + "/" + kDrawingProgram, folder + "/../libexec/orvane/" + kDrawingProgram,
        std::string(ORVANE_LIBEXEC_DIR) + "/" + kDrawingProgram}) {
    if (::access(candidate.c_str(), X_OK) == 0) return candidate;
  }
  return std::string(ORVANE_LIBEXEC_DIR) + "/" + kDrawingProgram;
}

int Launch(const Args& args) {
  const std::string program = DrawingProgram();
  std::vector<std::string> words{kDrawingProgram, "plot"};
  words.insert(words.end(), args.words.begin(), args.words.end());
  std::vector<char*> argv;
  for (std::string& word : words) argv.push_back(word.data());
  argv.push_back(nullptr);
  ::execv(program.c_str(), argv.data());
  return Fail("the chart drawing program " + program +
              " cannot be started: " + std::strerror(errno));
}

}  // namespace

ORVANE_CLI_COMMAND(plot, PlotCommand(Launch));

}  // namespace orvane::cli
