// SPDX-License-Identifier: GPL-3.0-or-later
// orvane-cli record and watch, run as built, through what befalls an unattended logger: a
// hang-up or stop signal, the working folder removed, a full disk, the wall clock set, a
// start late in a second and a file name that is not UTF-8.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <functional>
#include <iterator>
#include <string>
#include <thread>
#include <vector>

#include "app/cli_run.h"
#include "recording/recording_file.h"
#include "recording/recording_reader.h"
#include "support/record_stamps.h"

namespace orvane {
namespace {

namespace fs = std::filesystem;
using test::Lines;
using test::RunProgram;

std::string Read(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string(std::istreambuf_iterator<char>(in), {});
}

// The records of a data file, which must read as one.
long RecordsIn(const fs::path& path) {
  PlotData plot;
  RecordingFileError error;
  EXPECT_TRUE(ReadRecordingText(Read(path), plot, error)) << path << " " << error.Message();
  return plot.PlotRecords;
}

// Polls (a bounded number of times) until `ready` holds.
bool WaitFor(const std::function<bool()>& ready) {
  for (int i = 0; i < 1000; ++i) {
    if (ready()) return true;
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
  }
  return false;
}

class CliMishaps : public ::testing::Test {
 protected:
  CliMishaps() {
    dir_ = fs::temp_directory_path() /
           ("orvane-mishaps-" + std::to_string(getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(dir_);
    fs::create_directories(dir_ / "work");
    setenv("ORVANE_TEMP_DIR", (dir_ / "work").c_str(), 1);
    setenv("TZ", "UTC", 1);
  }
  ~CliMishaps() override {
    fs::remove_all(dir_);
    unsetenv("TZ");
  }
  std::string Path(const std::string& name) const { return (dir_ / name).string(); }
  // Every file of the working folder.
  std::vector<fs::path> WorkFiles() const {
    std::vector<fs::path> files;
    if (fs::exists(dir_ / "work")) {
      for (const auto& entry : fs::directory_iterator(dir_ / "work")) files.push_back(entry.path());
    }
    return files;
  }

  fs::path dir_;
};

// A running program with its output in files.
struct Running {
  pid_t pid = -1;
  std::string out;
  std::string err;
};

Running Start(const std::vector<std::string>& args, const std::string& outFile,
              const std::string& errFile) {
  Running r{-1, outFile, errFile};
  r.pid = fork();
  if (r.pid == 0) {
    std::freopen(outFile.c_str(), "w", stdout);
    std::freopen(errFile.c_str(), "w", stderr);
    std::vector<char*> argv{const_cast<char*>(ORVANE_CLI)};
    for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    execv(ORVANE_CLI, argv.data());
    _exit(127);
  }
  return r;
}

// HUP (a dropped SSH session), TERM and INT stop record and watch the same way: the data
// file finished with the records so far, the message printed, exit status 0. Each waits
// until the program has written something, so the signal comes mid-run.
TEST_F(CliMishaps, StopSignalsFinishRecordAndWatch) {
  struct Case {
    const char* command;
    int signal;
  };
  const Case cases[] = {{"record", SIGHUP}, {"record", SIGTERM}, {"record", SIGINT},
                        {"watch", SIGHUP},  {"watch", SIGTERM},  {"watch", SIGINT}};
  std::vector<Running> running;
  for (const Case& c : cases) {
    const std::string name = std::string(c.command) + std::to_string(c.signal);
    const std::string target = Path(name + ".data");
    running.push_back(Start(
        c.command == std::string("record")
            ? std::vector<std::string>{"record", target, "--simulate", "--duration", "60s"}
            : std::vector<std::string>{"watch", "--simulate", "--every", "1s", "--out", target},
        Path(name + ".out"), Path(name + ".err")));
  }
  // record: its scratch file holds a record line; watch: its output holds a line.
  const std::size_t header = BodyHeaderLines(true, "").size();
  for (std::size_t i = 0; i < running.size(); ++i) {
    const bool record = cases[i].command == std::string("record");
    const std::string scratch =
        Path("work/LightMeterS-cli-" + std::to_string(running[i].pid) + ".tmp");
    const std::string out =
        Path(std::string(cases[i].command) + std::to_string(cases[i].signal) + ".data");
    EXPECT_TRUE(WaitFor([&] {
      return record ? fs::exists(scratch) && fs::file_size(scratch) > header
                    : fs::exists(out) && fs::file_size(out) > 0;
    })) << i;
    kill(running[i].pid, cases[i].signal);
  }
  for (std::size_t i = 0; i < running.size(); ++i) {
    const Case& c = cases[i];
    SCOPED_TRACE(std::string(c.command) + " " + strsignal(c.signal));
    int status = 0;
    ASSERT_EQ(waitpid(running[i].pid, &status, 0), running[i].pid);
    ASSERT_TRUE(WIFEXITED(status)) << "ended by signal " << WTERMSIG(status);
    EXPECT_EQ(WEXITSTATUS(status), 0) << Read(running[i].err);
    const std::string data = Path(std::string(c.command) + std::to_string(c.signal) + ".data");
    if (c.command == std::string("record")) {
      const long records = RecordsIn(data);
      EXPECT_GE(records, 1);
      // (a second without a reading on a loaded machine is said after it)
      EXPECT_EQ(
          Read(running[i].out).rfind(std::to_string(records) + " records written to " + data, 0),
          0u)
          << Read(running[i].out);
    } else {
      const std::string text = Read(data);
      ASSERT_FALSE(text.empty());
      EXPECT_EQ(text.back(), '\n');  // the last line whole
    }
  }
  EXPECT_TRUE(WorkFiles().empty());  // every scratch file gone with its data file written
}

// The working folder removed while record runs: the records come from the open scratch
// file. When the data file cannot be written either, a new scratch file gets them, and
// the message names a file that exists and holds every record.
TEST_F(CliMishaps, WorkingFolderRemovedMidRecord) {
  fs::create_directories(dir_ / "out");
  const Running fine = Start({"record", Path("fine.lms"), "--simulate", "--duration", "4s"},
                             Path("fine.out"), Path("fine.err"));
  const Running lost = Start({"record", Path("out/lost.lms"), "--simulate", "--duration", "4s"},
                             Path("lost.out"), Path("lost.err"));
  const std::string scratch = Path("work/LightMeterS-cli-" + std::to_string(lost.pid) + ".tmp");
  const std::size_t header = BodyHeaderLines(true, "").size();
  ASSERT_TRUE(WaitFor([&] { return fs::exists(scratch) && fs::file_size(scratch) > header; }));
  fs::remove_all(dir_ / "work");
  fs::remove_all(dir_ / "out");
  int status = 0;
  waitpid(fine.pid, &status, 0);
  EXPECT_EQ(WEXITSTATUS(status), 0) << Read(fine.err);
  const long records = RecordsIn(Path("fine.lms"));
  EXPECT_GE(records, 2);
  EXPECT_EQ(
      Read(fine.out).rfind(std::to_string(records) + " records written to " + Path("fine.lms"), 0),
      0u)
      << Read(fine.out);
  waitpid(lost.pid, &status, 0);
  EXPECT_EQ(WEXITSTATUS(status), 1);
  const std::string err = Read(lost.err);
  const std::string kept = "; the records are kept in ";
  ASSERT_NE(err.find(kept), std::string::npos) << err;
  std::string named = err.substr(err.find(kept) + kept.size());
  named.pop_back();  // the line end
  EXPECT_EQ(named, scratch);
  const auto stamped = test::StampedRecords(Read(named));
  ASSERT_GE(stamped.size(), 2u) << named;
  for (std::size_t k = 0; k < stamped.size(); ++k) EXPECT_EQ(stamped[k].number, long(k) + 1);
}

// A disk that fills up (a file size limit stands in for it) when the data file is made:
// the scratch file fits, the data file does not. No partial or empty data file is left:
// an earlier file of that name stays as it was, no temporary file remains, and the scratch
// file named in the message keeps every record. The same at midnight with --split daily.
TEST_F(CliMishaps, AFullDiskLeavesNoPartialDataFile) {
  const std::size_t header = BodyHeaderLines(true, "").size();
  const std::size_t line = RecordLine(1, "2024/05/17 10:30:01", "523.1", "523.1").size();
  // The fewest records whose scratch file fits in whole 512-byte blocks that its data file
  // overflows.
  long n = 2;
  std::size_t blocks = 0;
  for (;; ++n) {
    const std::size_t scratch = header + n * line;
    blocks = (scratch + 511) / 512;
    if (blocks * 512 < scratch + FileHeaderLines(n).size()) break;
  }
  struct Case {
    std::string clock;
    std::string args;
    std::string target;   // the data file that cannot be written
    const char* earlier;  // its earlier content, or null for none
  };
  const Case cases[] = {
      {"2024/05/17 10:30:00", "record " + Path("full.lms") + " --count " + std::to_string(n),
       Path("full.lms"), "the earlier file\r\n"},
      {"2024/05/17 10:30:00", "record " + Path("new.lms") + " --count " + std::to_string(n),
       Path("new.lms"), nullptr},
      // The day ends after n records: its file cannot be written at midnight.
      {"2024/05/17 23:59:" + std::to_string(59 - n),
       "record --split daily --count " + std::to_string(n + 3) + " " + Path("day"),
       Path("day-2024-05-17.lms"), nullptr},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.args);
    for (const fs::path& f : WorkFiles()) fs::remove(f);
    if (c.earlier != nullptr) std::ofstream(c.target, std::ios::binary) << c.earlier;
    const auto r = RunProgram("trap '' XFSZ; ulimit -f " + std::to_string(blocks) +
                                  "; export ORVANE_TEST_CLOCK='" + c.clock + "'; exec " ORVANE_CLI,
                              c.args + " --simulate");
    EXPECT_EQ(r.status, 1) << r.out << r.err;
    EXPECT_NE(r.err.find("File too large"), std::string::npos) << r.err;
    EXPECT_EQ(fs::exists(c.target), c.earlier != nullptr);
    if (c.earlier != nullptr) {
      EXPECT_EQ(Read(c.target), c.earlier);
    }
    for (const auto& entry : fs::directory_iterator(dir_)) {
      EXPECT_EQ(entry.path().filename().string().rfind('.', 0), std::string::npos)
          << "a temporary file is left: " << entry.path();
    }
    const std::vector<fs::path> kept = WorkFiles();
    ASSERT_EQ(kept.size(), 1u);
    EXPECT_NE(r.err.find("the records are kept in " + kept[0].string()), std::string::npos);
    EXPECT_EQ(test::StampedRecords(Read(kept[0])).size(), static_cast<std::size_t>(n));
  }
}

// The wall clock set 20 s forward or back while watch --every and record run (the test
// clock steps 5 s after the start): every line and record comes from the meter, one a
// second of running time, following the new time at once; stderr notes the step. And a
// start at .85 s in a second writes no made-up gap: no second "had no reading".
TEST_F(CliMishaps, ClockStepsAndALateStartInventNothing) {
  struct Case {
    const char* start;
    const char* step;  // ORVANE_TEST_CLOCK_STEP, or empty
    // The seconds stamped, of 10:30 (negative: of 10:29), by watch and by record.
    std::vector<int> watchSeconds;
    std::vector<int> recordSeconds;
    const char* note;
  };
  const std::vector<int> forward = {1, 2, 3, 4, 5, 26, 27, 28, 29, 30};
  const std::vector<int> back = {1, 2, 3, 4, 5, -46, -47, -48, -49, -50};
  const Case cases[] = {
      {"10:30:00.500", "5:+20", forward, forward,
       "the clock was set forward by 20 s, to 2024/05/17 10:30:25"},
      {"10:30:00.500", "5:-20", back, back,
       "the clock was set back by 20 s, to 2024/05/17 10:29:45"},
      // The display frame read at the start is the first second's.
      {"10:30:00.850",
       "",
       {1, 2, 3, 4, 5, 6, 7, 8, 9, 10},
       {1, 2, 3, 4, 5, 6, 7, 8, 9, 10},
       nullptr},
  };
  const auto stamp = [](int s) {
    return s >= 0 ? "10:30:" + std::string(s < 10 ? "0" : "") + std::to_string(s)
                  : "10:29:" + std::to_string(-s);
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(std::string(c.start) + " " + c.step);
    const std::string env = "ORVANE_TEST_CLOCK='2024/05/17 " + std::string(c.start) +
                            "' ORVANE_TEST_CLOCK_STEP='" + c.step + "' " ORVANE_CLI;
    const auto watch = RunProgram(env, "watch --simulate --every 1s --duration 10s --format jsonl");
    ASSERT_EQ(watch.status, 0) << watch.err;
    const auto lines = Lines(watch.out);
    ASSERT_EQ(lines.size(), c.watchSeconds.size()) << watch.out;
    for (std::size_t k = 0; k < lines.size(); ++k) {
      const std::string time = "\"time\":\"2024-05-17T" + stamp(c.watchSeconds[k]) + "+00:00\"";
      EXPECT_NE(lines[k].find(time), std::string::npos) << lines[k];
      EXPECT_NE(lines[k].find("\"connected\":true"), std::string::npos) << lines[k];
    }
    const auto record = RunProgram(env, "record --simulate --duration 10s " + Path("step.lms"));
    ASSERT_EQ(record.status, 0) << record.err;
    EXPECT_EQ(record.out, std::to_string(c.recordSeconds.size()) + " records written to " +
                              Path("step.lms") + "\n");
    std::vector<std::int64_t> stamped;
    for (const auto& r : test::StampedRecords(Read(Path("step.lms")))) stamped.push_back(r.second);
    std::vector<std::int64_t> wanted;
    for (const int s : c.recordSeconds) {
      wanted.push_back(ToSerialSeconds({2024, 5, 17, 10, s >= 0 ? 30 : 29, s >= 0 ? s : -s, 0}));
    }
    EXPECT_EQ(stamped, wanted);
    for (const std::string& err : {watch.err, record.err}) {
      if (c.note == nullptr) {
        EXPECT_EQ(err, "");
      } else {
        EXPECT_EQ(Lines(err).size(), 1u) << err;
        EXPECT_NE(err.find(c.note), std::string::npos) << err;
      }
    }
  }
}

// A file name that is not UTF-8 reaches the system byte for byte: record writes it, info
// reads that very file.
TEST_F(CliMishaps, ANameThatIsNotUtf8IsUsedAsGiven) {
  const std::string name = Path("caf\xe9.lms");
  const auto r = RunProgram("ORVANE_TEST_CLOCK='2024/05/17 10:30:00' " ORVANE_CLI,
                            "record '" + name + "' --simulate --count 2");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "2 records written to " + name + "\n");
  std::vector<std::string> files;
  for (const auto& entry : fs::directory_iterator(dir_)) {
    if (entry.is_regular_file()) files.push_back(entry.path().string());
  }
  EXPECT_EQ(files, std::vector<std::string>{name});
  const auto info = test::RunCli("info '" + name + "'");
  EXPECT_EQ(info.status, 0) << info.err;
  EXPECT_EQ(info.out.rfind("records\t2\n", 0), 0u) << info.out;
}

}  // namespace
}  // namespace orvane
