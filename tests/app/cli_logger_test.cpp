// SPDX-License-Identifier: GPL-3.0-or-later
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

#include "app/cli_run.h"

namespace orvane {
namespace {

using test::RunCli;

TEST(CliLogger, ListsTheSimulatedMetersRecordSets) {
  const auto r = RunCli("logger list --simulate");
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.out.substr(0, r.out.find('\n')), "10k Bytes used of 512k Bytes (1 %), 6 record sets");
  EXPECT_NE(r.out.find("    1  2024/04/14 08:00:00\n    2  2024/04/15 08:01:01\n"),
            std::string::npos);
}

TEST(CliLogger, DownloadWritesTheSetWithALineEnd) {
  const std::string path = "/tmp/orvane-cli-set-" + std::to_string(getpid()) + ".txt";
  const auto r = RunCli("logger download 2 --simulate --out " + path);
  ASSERT_EQ(r.status, 0) << r.err;
  std::ifstream in(path, std::ios::binary);
  const std::string text{std::istreambuf_iterator<char>(in), {}};
  std::filesystem::remove(path);
  EXPECT_EQ(text.rfind("No.  Date", 0), 0u);
  EXPECT_NE(text.find("2024/04/15 08:01:01"), std::string::npos);
  EXPECT_EQ(text.size() % 64, 2u);  // whole 64-byte blocks, then CR LF
  EXPECT_EQ(text.substr(text.size() - 2), "\r\n");
}

TEST(CliLogger, EraseAndRefusals) {
  struct Case {
    const char* args;
    int status;
    const char* out;
    const char* err;
  };
  for (const Case& c : {
           Case{"logger erase 3 --simulate", 0,
                "record set 3 (2024/04/16 09:02:02) erased\n5 record sets remain\n", ""},
           Case{"logger erase-all --yes --simulate", 0, "0 record sets remain\n", ""},
           Case{"logger erase-all --simulate", 2, "", "add --yes to confirm"},
           Case{"logger download 9 --simulate", 1, "", "no record set 9 (the meter holds 6)"},
           Case{"logger download 0 --simulate", 1, "", "no record set 0"},
           Case{"logger erase --simulate", 1, "", "which record set?"},
           Case{"logger shred --simulate", 2, "", "logger wants list"},
       }) {
    SCOPED_TRACE(c.args);
    const auto r = RunCli(c.args);
    EXPECT_EQ(r.status, c.status);
    EXPECT_EQ(r.out, c.out);
    EXPECT_NE(r.err.find(c.err), std::string::npos) << r.err;
  }
}

}  // namespace
}  // namespace orvane
