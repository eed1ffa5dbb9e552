// SPDX-License-Identifier: GPL-3.0-or-later
// What is no data file is refused by info, export and plot at once, with one line that
// says why, within a 2 GB address space; and a reading text has one value everywhere.

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>

#include "app/cli_run.h"

namespace orvane {
namespace {

using test::RunCli;

class CliDataFile : public ::testing::Test {
 protected:
  CliDataFile() {
    dir_ = std::filesystem::temp_directory_path() /
           ("orvane-cli-data-" + std::to_string(getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_ / "work");
    setenv("ORVANE_TEMP_DIR", (dir_ / "work").c_str(), 1);
    setenv("TZ", "UTC0", 1);
  }
  ~CliDataFile() override {
    std::filesystem::remove_all(dir_);
    unsetenv("TZ");
  }

  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  void Write(const std::string& name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  std::filesystem::path dir_;
};

std::string Header(int records) {
  return "-\r\n-\r\n-\r\n-\tTotal Records : " + std::to_string(records) +
         "\r\n-\tDistance :      m\r\n-\t\r\n-\t      No.s\t      Date Time    \t  Lux\t   cd\r\n"
         "-\t-----------------------------------------------------\r\n";
}

std::string Record(int k, const std::string& main, const std::string& cd) {
  return "-\t" + std::to_string(k) + "\t2024/05/17 10:30:0" + std::to_string(k) + "\t" + main +
         "\t" + cd + "\t\r\n";
}

// Within 2 GB of address space (not under the sanitizers, which reserve far more) and a
// minute: a hang ends in `timeout`'s status 124.
#ifdef ORVANE_SANITIZE
constexpr const char* kLimits = "timeout 60 ";
#else
constexpr const char* kLimits = "ulimit -v 2000000 && timeout 60 ";
#endif

TEST_F(CliDataFile, WhatIsNoDataFileIsRefusedAtOnceWithOneLine) {
  std::filesystem::create_directories(Path("folder.lms"));
  ASSERT_EQ(mkfifo(Path("fifo.lms").c_str(), 0600), 0);  // no writer: opening must not wait
  { std::ofstream(Path("sparse.lms")); }
  std::filesystem::resize_file(Path("sparse.lms"), 4ULL << 30);  // 4 GB of zeros, no line end
  Write("long.lms", Header(1) + "-\t1\t" + std::string(100000, '7') + "\t1\t1\t\r\n");
  Write("cr-only.lms", "-\r-\r-\r-\tTotal Records : 0\r-\tDistance :      m\r");
  struct Case {
    std::string file;
    const char* why;
  };
  const Case cases[] = {
      {Path("folder.lms"), ": it is a folder, not a file.\n"},
      {Path("fifo.lms"), ": it is a named pipe (FIFO), not a file.\n"},
      {"/dev/zero", "Cannot open /dev/zero: it is a device, not a file.\n"},
      {Path("sparse.lms"), " Line 1 is too long: no line of a data file is longer than"},
      {Path("long.lms"), " Line 9 is too long"},
      {Path("cr-only.lms"), " Line 1 is ended by a CR alone"},
  };
  for (const Case& c : cases) {
    for (const std::string& command :
         {"info " + c.file, "export " + c.file + " --csv " + Path("out.csv"),
          "plot " + c.file + " --out " + Path("out.png")}) {
      // A hang ends in `timeout`'s status 124, a crash in none of 0 and 1.
      const auto r = RunCli(command, kLimits);
      EXPECT_EQ(r.status, 1) << command << "\n" << r.err;
      EXPECT_NE(r.err.find(c.why), std::string::npos) << command << "\n" << r.err;
      EXPECT_EQ(r.err.rfind("orvane-cli: "), 0u) << "not one message: " << r.err;
      EXPECT_FALSE(std::filesystem::exists(Path("out.csv")));
      EXPECT_FALSE(std::filesystem::exists(Path("out.png")));
    }
  }
}

TEST_F(CliDataFile, OneValueOfAReadingTextInInfoExportAndPlot) {
  // "12.3.4" counts as 12.3 and "1.2.3K" as 1200 wherever the file is read.
  Write("odd.lms", Header(2) + Record(1, "12.3.4", "1.2.3K") + Record(2, "  20", "   900"));
  Write("plain.lms", Header(2) + Record(1, "  12.3", " 1.2K") + Record(2, "  20", "   900"));
  const auto info = RunCli("info " + Path("odd.lms"));
  ASSERT_EQ(info.status, 0) << info.err;
  EXPECT_NE(info.out.find("LuxMax\t25\nLuxMin\t7.3\n"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("CdMax\t1205\nCdMin\t895\n"), std::string::npos) << info.out;
  EXPECT_EQ(RunCli("info " + Path("plain.lms")).out, info.out);

  ASSERT_EQ(RunCli("export " + Path("odd.lms") + " --csv " + Path("odd.csv")).status, 0);
  EXPECT_NE(
      Read(Path("odd.csv")).find("\r\n1,2024-05-17T10:30:01+00:00,1715941801,12.3,0,1200,0\r\n"),
      std::string::npos)
      << Read(Path("odd.csv"));

  // The plot's title names the file: the plain readings go under the same name.
  ASSERT_EQ(RunCli("plot " + Path("odd.lms") + " --out " + Path("odd.png")).status, 0);
  Write("odd.lms", Read(Path("plain.lms")));
  ASSERT_EQ(RunCli("plot " + Path("odd.lms") + " --out " + Path("plain.png")).status, 0);
  EXPECT_EQ(Read(Path("odd.png")), Read(Path("plain.png")));
}

TEST_F(CliDataFile, NoOutputOntoTheInputAndNoPartialOutput) {
  Write("a.lms", Header(1) + Record(1, "  12", "  13"));
  const std::string before = Read(Path("a.lms"));
  std::filesystem::create_hard_link(Path("a.lms"), Path("b.csv"));
  std::filesystem::create_symlink(Path("a.lms"), Path("c.png"));
  const std::string cases[] = {
      "export " + Path("a.lms") + " --csv " + Path("a.lms"),
      "export " + Path("a.lms") + " --csv " + Path("b.csv"),
      "plot " + Path("a.lms") + " --out " + Path("c.png"),
  };
  for (const std::string& command : cases) {
    const auto r = RunCli(command);
    EXPECT_EQ(r.status, 1) << command;
    EXPECT_NE(r.err.find("would overwrite the data file"), std::string::npos) << r.err;
  }
  EXPECT_EQ(Read(Path("a.lms")), before);

  // A full disk takes nothing: an error, and no file is left behind. The images reach
  // /dev/full through links with their names.
  std::filesystem::create_symlink("/dev/full", Path("full.png"));
  std::filesystem::create_symlink("/dev/full", Path("full.pdf"));
  const std::string full[] = {
      "export " + Path("a.lms") + " --csv /dev/full",
      "plot " + Path("a.lms") + " --out " + Path("full.png"),
      "plot " + Path("a.lms") + " --out " + Path("full.pdf"),
  };
  for (const std::string& command : full) {
    const auto r = RunCli(command);
    EXPECT_EQ(r.status, 1) << command;
    EXPECT_NE(r.err.find("No space left on device"), std::string::npos) << command << r.err;
  }
  std::size_t entries = 0;
  for ([[maybe_unused]] const auto& e : std::filesystem::directory_iterator(dir_)) ++entries;
  EXPECT_EQ(entries, 6u);  // work, a.lms, b.csv, c.png, full.png, full.pdf
}

}  // namespace
}  // namespace orvane
