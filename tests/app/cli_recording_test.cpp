// orvane-cli info and record, run as built.

#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>

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
  // The exact bytes a data file with these records has.
  static std::string Rebuilt(const PlotData& plot) {
    std::string bytes =
        FileHeaderLines(plot.PlotRecords) + BodyHeaderLines(plot.PlotUnit == "Lux", "");
    for (long k = 0; k < plot.PlotRecords; ++k) {
      bytes += RecordLine(k + 1, plot.PlotTimes[k], plot.PlotMain[k], plot.PlotCd[k]);
    }
    return bytes;
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
       "CdMax\t9999000\nCdMin\t3.88\nfirst\t2024/05/17 10:30:01\nlast\t2024/05/17 10:30:02\n"},
      {"info --json " + Path("a.lms"),
       "{\"records\": 2, \"unit\": \"Lux\", \"LuxMax\": 1255, \"LuxMin\": 995, \"FcMax\": 116.63, "
       "\"FcMin\": 92.47, \"CdMax\": 9999000, \"CdMin\": 3.88, \"first\": \"2024/05/17 10:30:01\", "
       "\"last\": \"2024/05/17 10:30:02\"}\n"},
      {"info " + Path("empty.lms") + " --json",
       "{\"records\": 0, \"unit\": \"Fc\", \"LuxMax\": 53.8, \"LuxMin\": 107589186.2, \"FcMax\": "
       "5, "
       "\"FcMin\": 9998995, \"CdMax\": 5, \"CdMin\": 9998995, \"first\": \"\", \"last\": \"\"}\n"},
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
  EXPECT_EQ(bytes, Rebuilt(plot));
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
  EXPECT_EQ(bytes, Rebuilt(plot));
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

}  // namespace
}  // namespace orvane
