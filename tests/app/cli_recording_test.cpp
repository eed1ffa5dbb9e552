// SPDX-License-Identifier: GPL-3.0-or-later
// orvane-cli info and record, run as built.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "app/cli_run.h"
#include "common/folder_lock.h"
#include "common/working_folder.h"
#include "recording/recording_file.h"
#include "recording/recording_reader.h"
#include "support/record_stamps.h"

namespace orvane {
namespace {

using test::RunCli;

class CliRecording : public ::testing::Test {
 protected:
  CliRecording() {
    dir_ = std::filesystem::temp_directory_path() /
           ("orvane-cli-rec-" + std::to_string(getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_ / "work");
    setenv("ORVANE_TEMP_DIR", (dir_ / "work").c_str(), 1);
  }
  ~CliRecording() override { std::filesystem::remove_all(dir_); }

  std::string Path(const char* name) const { return (dir_ / name).string(); }
  void Write(const char* name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }
  std::string Read(const std::string& path) const {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }
  // The exact bytes a data file with the records read from `bytes` has: the writer's
  // header, numbering and alignment around fields 3 to 5 of each record line.
  static std::string Rebuilt(const std::string& bytes, const PlotData& plot) {
    std::string rebuilt =
        FileHeaderLines(plot.PlotRecords) + BodyHeaderLines(plot.PlotUnit == "Lux", "");
    std::istringstream lines(bytes);
    std::string line;
    for (int skip = 0; skip < 8; ++skip) std::getline(lines, line);
    for (long k = 0; k < plot.PlotRecords && std::getline(lines, line); ++k) {
      std::vector<std::string> f;
      std::istringstream fields(line);
      for (std::string field; std::getline(fields, field, '\t');) f.push_back(field);
      if (f.size() < 5) return "record " + std::to_string(k + 1) + " lacks fields";
      rebuilt += RecordLine(k + 1, f[2], f[3], f[4]);
    }
    return rebuilt;
  }

  std::filesystem::path dir_;
};

const char kFile[] =
    "-\r\n-\r\n-\r\n-\tTotal Records : 2\r\n-\tDistance :      m\r\n-\t\r\n"
    "-\t      No.s\t      Date Time    \t  Lux\t   cd\r\n"
    "-\t-----------------------------------------------------\r\n"
    "-\t         1\t2024/05/17 10:30:01\t  1000\t  8.88\t\r\n"
    "-\t         2\t2024/05/17 10:30:02\t 1.25K\t    OL\t\r\n";

TEST_F(CliRecording, InfoPrintsWhatTheReaderGives) {
  Write("a.lms", kFile);
  Write("empty.lms", "-\r\n-\r\n-\r\n-\tTotal Records : 0\r\n");
  struct Case {
    std::string args;
    const char* out;
  };
  const Case cases[] = {
      {"info " + Path("a.lms"),
       "records\t2\nunit\tLux\nLuxMax\t1255\nLuxMin\t995\nFcMax\t116.63\nFcMin\t92.47\n"
       "CdMax\t9999000\nCdMin\t3.88\nfirst\t2024/05/17 10:30:01\nlast\t2024/05/17 10:30:02\n"
       "stretch.from\t1\nstretch.to\t2\nstretch.records\t2\nstretch.first\t2024/05/17 "
       "10:30:01\nstretch.last\t2024/05/17 10:30:02\nstretch.durationSeconds\t1\n"
       "stretch.longestGapSeconds\t1\nLux.readings\t2\nLux.overRange\t0\nLux.min\t1000\n"
       "Lux.max\t1250\nLux.mean\t1125\ncd.readings\t2\ncd.overRange\t1\ncd.min\t8.88\n"
       "cd.max\t8.88\ncd.mean\t8.88\n"},
      {"info --json " + Path("a.lms"),
       "{\"records\": 2, \"unit\": \"Lux\", \"LuxMax\": 1255, \"LuxMin\": 995, \"FcMax\": 116.63, "
       "\"FcMin\": 92.47, \"CdMax\": 9999000, \"CdMin\": 3.88, \"first\": \"2024/05/17 10:30:01\", "
       "\"last\": \"2024/05/17 10:30:02\", \"stretch\": {\"from\": 1, \"to\": 2, \"records\": 2, "
       "\"first\": \"2024/05/17 10:30:01\", \"last\": \"2024/05/17 10:30:02\", "
       "\"durationSeconds\": 1, \"longestGapSeconds\": 1}, \"Lux\": {\"readings\": 2, "
       "\"overRange\": 0, \"min\": 1000, \"max\": 1250, \"mean\": 1125}, \"cd\": {\"readings\": "
       "2, \"overRange\": 1, \"min\": 8.88, \"max\": 8.88, \"mean\": 8.88}}\n"},
      {"info " + Path("empty.lms") + " --json",
       "{\"records\": 0, \"unit\": \"Fc\", \"LuxMax\": 53.8, \"LuxMin\": 107589186.2, \"FcMax\": "
       "5, "
       "\"FcMin\": 9998995, \"CdMax\": 5, \"CdMin\": 9998995, \"first\": \"\", \"last\": \"\", "
       "\"stretch\": {\"from\": null, \"to\": null, \"records\": 0, \"first\": \"\", \"last\": "
       "\"\", \"durationSeconds\": null, \"longestGapSeconds\": null}, \"Fc\": {\"readings\": 0, "
       "\"overRange\": 0, \"min\": null, \"max\": null, \"mean\": null}, \"cd\": "
       "{\"readings\": 0, \"overRange\": 0, \"min\": null, \"max\": null, \"mean\": null}}\n"},
  };
  for (const Case& c : cases) {
    const auto r = RunCli(c.args);
    EXPECT_EQ(r.status, 0) << c.args << r.err;
    EXPECT_EQ(r.out, c.out) << c.args;
  }
}

TEST_F(CliRecording, InfoRefusesAMalformedFileWithTheWindowsMessage) {
  std::string bad = kFile;
  bad.replace(bad.rfind("    OL\t"), 7, "    OL");  // the last record loses its closing TAB
  Write("bad.lms", bad);
  const auto r = RunCli("info " + Path("bad.lms"));
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.out, "");
  EXPECT_EQ(r.err, "orvane-cli: The file " + Path("bad.lms") +
                       " cannot be read as a data file. Line 10: a record line needs five "
                       "TABs; this one has 4.\n");
}

TEST_F(CliRecording, RecordWritesOneRecordASecondAsThePanelDoes) {
  const auto r = RunCli("record " + Path("rec.lms") + " --simulate --count 3");
  ASSERT_EQ(r.status, 0) << r.err;
  // (a second without a reading on a loaded machine is said after it)
  EXPECT_EQ(r.out.rfind("3 records written to " + Path("rec.lms"), 0), 0u) << r.out;
  const std::string bytes = Read(Path("rec.lms"));
  PlotData plot;
  RecordingFileError error;
  ASSERT_TRUE(ReadRecordingText(bytes, plot, error)) << error.Message();
  ASSERT_EQ(plot.PlotRecords, 3);
  EXPECT_EQ(bytes, Rebuilt(bytes, plot));
  // The scratch file is gone once the data file is written.
  EXPECT_TRUE(std::filesystem::is_empty(dir_ / "work"));
}

// The built-in meter unplugged from the 2nd to the 5th second: the record goes on through
// it, leaves those seconds out, counts records written and says how long it had none.
TEST_F(CliRecording, RecordGoesOnThroughAnUnplugAndLeavesItsSecondsOut) {
  const auto r = test::RunProgram("ORVANE_SIMULATE_UNPLUG=2:3 " ORVANE_CLI,
                                  "record " + Path("gap.lms") + " --simulate --count 6");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_NE(r.out.find("6 records written to " + Path("gap.lms") + "; "), std::string::npos);
  EXPECT_NE(r.out.find(" seconds had no reading"), std::string::npos) << r.out;
  test::ExpectOneGap(test::StampedRecords(Read(Path("gap.lms"))), 2, 4);
}

// A working folder that fills up (a file size limit stands in for the full disk) in the
// middle of a record line: record stops with an error and a non-zero exit, after writing
// the data file with every whole record, which info reads.
TEST_F(CliRecording, AFullDiskEndsRecordWithAnErrorAndAReadableFile) {
  const std::size_t header = BodyHeaderLines(true, "").size();
  const std::size_t line = RecordLine(1, "2024/05/17 10:30:01", "523.1", "523.1").size();
  int blocks = 1;  // a limit in 512-byte blocks that cuts a line, with room for lines 1 to 4
  for (; blocks < 64; ++blocks) {
    const std::size_t room = blocks * 512 - header;
    const std::size_t cut = room % line;
    if (room / line >= 2 && cut > 0 && FileHeaderLines(room / line).size() <= cut) break;
  }
  const long whole = static_cast<long>((blocks * 512 - header) / line);
  const auto r = test::RunProgram(
      "trap '' XFSZ; ulimit -f " + std::to_string(blocks) + "; exec",
      std::string(ORVANE_CLI) + " record " + Path("full.lms") + " --simulate --count 1000");
  EXPECT_NE(r.status, 0);
  EXPECT_EQ(r.out.rfind(std::to_string(whole) + " records written to " + Path("full.lms"), 0), 0u)
      << r.out;
  EXPECT_NE(r.err.find("Cannot write"), std::string::npos) << r.err;
  const auto info = RunCli("info " + Path("full.lms"));
  EXPECT_EQ(info.status, 0) << info.err;
}

TEST_F(CliRecording, RecordStoppedBySigtermFinishesTheFile) {
  const std::string out = Path("stopped.lms");
  const pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    std::freopen("/dev/null", "w", stdout);
    execl(ORVANE_CLI, ORVANE_CLI, "record", out.c_str(), "--simulate", "--count", "1000",
          static_cast<char*>(nullptr));
    _exit(127);
  }
  std::this_thread::sleep_for(std::chrono::milliseconds(2500));
  kill(child, SIGTERM);
  int status = 0;
  waitpid(child, &status, 0);
  ASSERT_TRUE(WIFEXITED(status));
  EXPECT_EQ(WEXITSTATUS(status), 0);
  PlotData plot;
  RecordingFileError error;
  const std::string bytes = Read(out);
  ASSERT_TRUE(ReadRecordingText(bytes, plot, error)) << error.Message();
  EXPECT_GE(plot.PlotRecords, 1);
  EXPECT_LE(plot.PlotRecords, 3);
  EXPECT_EQ(bytes, Rebuilt(bytes, plot));
}

// record keeps its records in a scratch file of its own, so it runs beside a panel that
// owns the working folder, and refuses the panel's files as its output.
TEST_F(CliRecording, RecordBesideARunningPanelLeavesThePanelsFilesAlone) {
  FolderLock panelLock;
  ASSERT_EQ(panelLock.Take((dir_ / "work").string()), FolderLock::Result::Taken);
  const std::string panelScratch = (dir_ / "work" / kRecordingTempName).string();
  std::ofstream(panelScratch, std::ios::binary) << "the panel's records\r\n";
  for (const char* name : {kRecordingTempName, kDialogTempName, kFolderLockName}) {
    const std::string target = (dir_ / "work" / name).string();
    const auto r = RunCli("record " + target + " --simulate --count 1");
    EXPECT_EQ(r.status, 1) << name;
    EXPECT_NE(r.err.find("is one of Orvane's own working files"), std::string::npos) << r.err;
  }
  const auto r = RunCli("record " + Path("beside.lms") + " --simulate --count 1");
  EXPECT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(Read(panelScratch), "the panel's records\r\n");
  EXPECT_FALSE(std::filesystem::exists(dir_ / "work" / kDialogTempName));
}

TEST_F(CliRecording, RecordWantsAFileAndACount) {
  for (const std::string args :
       {"record --simulate --count 3", "record x.lms --simulate",
        "record x.lms --simulate --count -1", "record x.lms --simulate --count 3x"}) {
    const auto r = RunCli(args);
    EXPECT_EQ(r.status, 2) << args;  // the command line is wrong
    EXPECT_NE(r.err.find("OUT.lms"), std::string::npos) << args;
    EXPECT_NE(r.err.find("--count N"), std::string::npos) << args;
  }
}

// A log with an over-range reading in each column, a 4-second gap across midnight and
// mixed decimals, and its figures worked out by hand, for stretches chosen by record
// number and by time. Each case: "from to records duration gap | Lux readings overRange
// min max mean | cd …" with "-" for null.
TEST_F(CliRecording, InfoStatisticsOfAStretch) {
  Write("s.lms",
        "-\r\n-\r\n-\r\n-\tTotal Records : 5\r\n-\tDistance :      m\r\n-\t\r\n"
        "-\t      No.s\t      Date Time    \t  Lux\t   cd\r\n-\t-----\r\n"
        "-\t         1\t2024/05/17 23:59:58\t   100\t  8.00\t\r\n"
        "-\t         2\t2024/05/17 23:59:59\t    OL\t  9.00\t\r\n"
        "-\t         3\t2024/05/18 00:00:03\t  1.5K\t    OL\t\r\n"
        "-\t         4\t2024/05/18 00:00:04\t  50.5\t 10.00\t\r\n"
        "-\t         5\t2024/05/18 00:00:05\t    20\t    OL\t\r\n");
  struct Case {
    const char* options;
    const char* figures;
  };
  const Case cases[] = {
      {"", "1 5 5 7 4 | 5 1 20 1500 417.625 | 5 2 8 10 9"},
      {"--from 3", "3 5 3 2 1 | 3 0 20 1500 523.5 | 3 2 10 10 10"},
      {"--to '2024/05/17 23:59:59'", "1 2 2 1 1 | 2 1 100 100 100 | 2 0 8 9 8.5"},
      {"--from=2024-05-18T00:00:04 --to 4", "4 4 1 0 - | 1 0 50.5 50.5 50.5 | 1 0 10 10 10"},
      {"--from 2 --to 3", "2 3 2 4 4 | 2 1 1500 1500 1500 | 2 1 9 9 9"},
      {"--from 9", "- - 0 - - | 0 0 - - - | 0 0 - - -"},
  };
  const auto text = [](const QJsonValue& v) {
    return v.isNull() ? QString("-") : QString::number(v.toDouble(), 'g', 10);
  };
  for (const Case& c : cases) {
    const auto r = RunCli("info --json " + Path("s.lms") + " " + c.options);
    ASSERT_EQ(r.status, 0) << c.options << r.err;
    const QJsonObject o = QJsonDocument::fromJson(QByteArray::fromStdString(r.out)).object();
    EXPECT_EQ(o["records"].toInt(), 5) << c.options;  // the file's fields stay the whole file's
    EXPECT_EQ(o["first"].toString(), "2024/05/17 23:59:58") << c.options;
    QStringList got;
    for (const char* f : {"from", "to", "records", "durationSeconds", "longestGapSeconds"}) {
      got << text(o["stretch"].toObject()[f]);
    }
    for (const char* column : {"Lux", "cd"}) {
      got << "|";
      for (const char* f : {"readings", "overRange", "min", "max", "mean"}) {
        got << text(o[column].toObject()[f]);
      }
    }
    EXPECT_EQ(got.join(' ').toStdString(), c.figures) << c.options;
  }
  for (const char* bad : {"--from 0", "--to abc", "--from '2024/02/30 10:00:00'"}) {
    const auto r = RunCli("info " + Path("s.lms") + " " + bad);
    EXPECT_EQ(r.status, 2) << bad;
    EXPECT_NE(r.err.find("wants a record number"), std::string::npos) << bad;
  }
}

// A logger split by day across a midnight that the test clock runs through at once: the
// day before keeps its seconds, the new day starts its own file at record 1 with the
// midnight second, and no second is lost or written twice. A second run the same day adds
// files beside the first ones; a folder as the target names the files "orvane-…".
TEST_F(CliRecording, RecordSplitDailyAcrossMidnight) {
  std::filesystem::create_directories(dir_ / "logs");
  struct Case {
    std::string target;
    std::vector<std::string> files;  // what the run writes, in order
  };
  const Case cases[] = {
      {Path("day.lms"), {Path("day-2024-05-17.lms"), Path("day-2024-05-18.lms")}},
      {Path("day"), {Path("day-2024-05-17-2.lms"), Path("day-2024-05-18-2.lms")}},
      {Path("logs"), {Path("logs/orvane-2024-05-17.lms"), Path("logs/orvane-2024-05-18.lms")}},
  };
  const std::int64_t lastSecond = ToSerialSeconds({2024, 5, 17, 23, 59, 59, 0});
  for (const Case& c : cases) {
    const auto r = test::RunProgram("ORVANE_TEST_CLOCK='2024/05/17 23:59:58' " ORVANE_CLI,
                                    "record --simulate --duration 3s --split daily " + c.target);
    ASSERT_EQ(r.status, 0) << c.target << r.err;
    EXPECT_EQ(r.out,
              "1 records written to " + c.files[0] + "\n2 records written to " + c.files[1] + "\n");
    std::vector<std::int64_t> seconds;
    for (const std::string& file : c.files) {
      const std::string bytes = Read(file);
      PlotData plot;
      RecordingFileError error;
      ASSERT_TRUE(ReadRecordingText(bytes, plot, error)) << file << error.Message();
      EXPECT_EQ(bytes, Rebuilt(bytes, plot)) << file;  // its own header, numbered from 1
      for (const auto& record : test::StampedRecords(bytes)) seconds.push_back(record.second);
    }
    EXPECT_EQ(seconds, (std::vector<std::int64_t>{lastSecond, lastSecond + 1, lastSecond + 2}));
  }
  EXPECT_TRUE(std::filesystem::is_empty(dir_ / "work"));
  for (const char* bad : {"--split weekly", "--split daily --duration 0", "--count 3x"}) {
    const auto r = RunCli(std::string("record ") + Path("x.lms") + " --simulate " + bad);
    EXPECT_EQ(r.status, 2) << bad;
  }
}

}  // namespace
}  // namespace orvane
