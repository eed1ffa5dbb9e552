// SPDX-License-Identifier: GPL-3.0-or-later
// orvane-cli export and plot, run as built, and the round trip record → info → export.

#include <gtest/gtest.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>
#include <vector>

#include "app/cli_run.h"
#include "common/clock.h"
#include "common/live_reading.h"
#include "recording/recording_reader.h"

namespace orvane {
namespace {

using test::RunCli;

class CliExport : public ::testing::Test {
 protected:
  CliExport() {
    dir_ = std::filesystem::temp_directory_path() /
           ("orvane-cli-export-" + std::to_string(getpid()) + "-" +
            ::testing::UnitTest::GetInstance()->current_test_info()->name());
    std::filesystem::create_directories(dir_ / "work");
    setenv("ORVANE_TEMP_DIR", (dir_ / "work").c_str(), 1);
    setenv("TZ", "UTC0", 1);  // the children's local time
  }
  ~CliExport() override {
    std::filesystem::remove_all(dir_);
    unsetenv("TZ");
  }

  std::string Path(const char* name) const { return (dir_ / name).string(); }
  void Write(const char* name, const std::string& bytes) const {
    std::ofstream(Path(name), std::ios::binary) << bytes;
  }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

  std::filesystem::path dir_;
};

const char kFile[] =
    "-\r\n-\r\n-\r\n-\tTotal Records : 3\r\n-\tDistance :      m\r\n-\t\r\n"
    "-\t      No.s\t      Date Time    \t  Lux\t   cd\r\n"
    "-\t-----------------------------------------------------\r\n"
    "-\t         1\t2024/05/17 10:30:01\t  1000\t  8.88\t\r\n"
    "-\t         2\t2024/05/17 10:30:02\t 1.25K\t    OL\t\r\n"
    "-\t         3\t2024/05/17 10:30:03\t    OL\t  12.5\t\r\n";

std::vector<std::string> Split(const std::string& text, char separator) {
  std::vector<std::string> parts;
  std::stringstream in(text);
  for (std::string part; std::getline(in, part, separator);) {
    if (!part.empty() && part.back() == '\r') part.pop_back();  // CR LF rows
    parts.push_back(part);
  }
  return parts;
}

TEST_F(CliExport, WritesOneRowPerRecordInTheChosenForm) {
  Write("a.lms", kFile);
  struct Case {
    std::string options;
    std::string csv;
  };
  const Case cases[] = {
      {"",
       "No.,Time (ISO 8601),Epoch,Lux,Lux over range,cd,cd over range\r\n"
       "1,2024-05-17T10:30:01+00:00,1715941801,1000,0,8.88,0\r\n"
       "2,2024-05-17T10:30:02+00:00,1715941802,1250,0,,1\r\n"
       "3,2024-05-17T10:30:03+00:00,1715941803,,1,12.5,0\r\n"},
      {"--decimal-comma",  // the separator becomes ';'
       "No.;Time (ISO 8601);Epoch;Lux;Lux over range;cd;cd over range\r\n"
       "1;2024-05-17T10:30:01+00:00;1715941801;1000;0;8,88;0\r\n"
       "2;2024-05-17T10:30:02+00:00;1715941802;1250;0;;1\r\n"
       "3;2024-05-17T10:30:03+00:00;1715941803;;1;12,5;0\r\n"},
      {"--separator tab --decimal-comma",
       "No.\tTime (ISO 8601)\tEpoch\tLux\tLux over range\tcd\tcd over range\r\n"
       "1\t2024-05-17T10:30:01+00:00\t1715941801\t1000\t0\t8,88\t0\r\n"
       "2\t2024-05-17T10:30:02+00:00\t1715941802\t1250\t0\t\t1\r\n"
       "3\t2024-05-17T10:30:03+00:00\t1715941803\t\t1\t12,5\t0\r\n"},
  };
  for (const Case& c : cases) {
    const auto r = RunCli("export " + Path("a.lms") + " --csv " + Path("a.csv") + " " + c.options);
    EXPECT_EQ(r.status, 0) << c.options << r.err;
    EXPECT_EQ(r.out, "3 records written to " + Path("a.csv") + "\n");
    EXPECT_EQ(Read(Path("a.csv")), c.csv) << c.options;
    // "-" is standard output, which then carries the CSV alone; "--csv=" is the same option.
    const auto piped = RunCli("export " + Path("a.lms") + " --csv=- " + c.options);
    EXPECT_EQ(piped.status, 0) << c.options << piped.err;
    EXPECT_EQ(piped.out, c.csv) << c.options;
  }
  EXPECT_FALSE(std::filesystem::exists("-"));
}

TEST_F(CliExport, RefusesWhatCannotWorkWithOneLine) {
  Write("a.lms", kFile);
  Write("bad.lms", std::string(kFile) + "-\t         4\t2024/05/17 10:30:04\t  1\t  1\t\r\n");
  struct Case {
    std::string args;
    int status;  // 2: the command line is wrong; 1: the work failed
    std::string err;
  };
  const Case cases[] = {
      {"export " + Path("a.lms"), 2,
       "orvane-cli: export wants FILE.lms and --csv OUT.csv (try --help)\n"},
      {"export " + Path("a.lms") + " --csv x.csv --separator '|'", 2,
       "orvane-cli: --separator takes ',', ';' or tab\n"},
      {"export " + Path("a.lms") + " --csv x.csv --separator , --decimal-comma", 2,
       "orvane-cli: a decimal comma needs another separator than ','\n"},
      {"export " + Path("bad.lms") + " --csv " + Path("x.csv"), 1,
       "orvane-cli: The file " + Path("bad.lms") +
           " cannot be read as a data file. Line 12: one record more than the 3 records "
           "that line 4 announces.\n"},
      {"export " + Path("a.lms") + " --csv " + Path("no/such/x.csv"), 1,
       "orvane-cli: Cannot write " + Path("no/such/x.csv") + ": No such file or directory\n"},
  };
  for (const Case& c : cases) {
    const auto r = RunCli(c.args);
    EXPECT_EQ(r.status, c.status) << c.args;
    EXPECT_EQ(r.err, c.err) << c.args;
  }
  EXPECT_FALSE(std::filesystem::exists(Path("x.csv")));
}

TEST_F(CliExport, RecordInfoExportKeepEveryValue) {
  ASSERT_EQ(RunCli("record " + Path("r.lms") + " --simulate --count 3").status, 0);
  PlotData recorded;
  RecordingFileError error;
  ASSERT_TRUE(ReadRecordingText(Read(Path("r.lms")), recorded, error)) << error.Message();

  const auto info = RunCli("info " + Path("r.lms"));
  ASSERT_EQ(info.status, 0) << info.err;
  EXPECT_NE(info.out.find("records\t3\n"), std::string::npos) << info.out;
  EXPECT_NE(info.out.find("first\t" + recorded.PlotTimes.front() + "\n"), std::string::npos);
  EXPECT_NE(info.out.find("last\t" + recorded.PlotTimes.back() + "\n"), std::string::npos);

  ASSERT_EQ(RunCli("export " + Path("r.lms") + " --csv " + Path("r.csv")).status, 0);
  const std::vector<std::string> rows = Split(Read(Path("r.csv")), '\n');
  ASSERT_EQ(rows.size(), 4u);
  for (std::size_t k = 0; k < 3; ++k) {
    const std::vector<std::string> f = Split(rows[k + 1], ',');
    ASSERT_EQ(f.size(), 7u) << rows[k + 1];
    EXPECT_EQ(f[0], std::to_string(k + 1));
    std::string time = recorded.PlotTimes[k];
    time[4] = time[7] = '-';
    time[10] = 'T';
    EXPECT_EQ(f[1], time + "+00:00");
    EXPECT_EQ(std::stoll(f[2]), ToSerialSeconds(*ParseDateTime(recorded.PlotTimes[k])));  // UTC
    EXPECT_EQ(std::stod(f[3]), recorded.PlotMain[k].value) << rows[k + 1];
    EXPECT_EQ(std::stod(f[5]), recorded.PlotCd[k].value) << rows[k + 1];
    EXPECT_EQ(f[4] + f[6], "00");
  }
}

// Width and height from a PNG's header chunk.
bool PngSize(const std::string& bytes, unsigned& width, unsigned& height) {
  if (bytes.size() < 24 || bytes.compare(0, 8, "\x89PNG\r\n\x1a\n") != 0) return false;
  auto word = [&bytes](std::size_t at) {
    unsigned v = 0;
    for (std::size_t i = at; i < at + 4; ++i) v = v * 256 + static_cast<unsigned char>(bytes[i]);
    return v;
  };
  width = word(16);
  height = word(20);
  return true;
}

TEST_F(CliExport, PlotDrawsPngPdfOrSvgOfTheSizeAsked) {
  Write("a.lms", kFile);
  struct Case {
    std::string options;
    std::string out;
    unsigned width, height;
  };
  const Case cases[] = {
      {"--out " + Path("a.png"), "records 1 to 3 drawn to " + Path("a.png") + "\n", 1280, 720},
      {"--out " + Path("b.png") + " --size 640x480 --from 2 --to 3",
       "records 2 to 3 drawn to " + Path("b.png") + "\n", 640, 480},
  };
  for (const Case& c : cases) {
    const auto r = RunCli("plot " + Path("a.lms") + " " + c.options);
    EXPECT_EQ(r.status, 0) << c.options;
    EXPECT_EQ(r.err, "") << c.options;
    EXPECT_EQ(r.out, c.out);
    unsigned w = 0, h = 0;
    ASSERT_TRUE(PngSize(Read(Path(c.width == 1280 ? "a.png" : "b.png")), w, h)) << c.options;
    EXPECT_EQ(w, c.width);
    EXPECT_EQ(h, c.height);
  }
  const auto pdf = RunCli("plot " + Path("a.lms") + " --out " + Path("a.PDF"));
  EXPECT_EQ(pdf.status, 0) << pdf.err;
  EXPECT_EQ(Read(Path("a.PDF")).substr(0, 5), "%PDF-");
  // The same drawing as vectors: the title line names the file and the times shown.
  const auto svg = RunCli("plot " + Path("a.lms") + " --out " + Path("a.svg") + " --from 2");
  EXPECT_EQ(svg.status, 0) << svg.err;
  const std::string text = Read(Path("a.svg"));
  EXPECT_NE(text.find("<svg"), std::string::npos);
  EXPECT_NE(text.find("a.lms"), std::string::npos);
}

TEST_F(CliExport, PlotRefusesWhatCannotBeDrawn) {
  Write("a.lms", kFile);
  const std::string file = Path("a.lms") + " ";
  struct Case {
    std::string args;
    int status;  // 2: the command line is wrong; 1: the work failed
    std::string err;
  };
  const Case cases[] = {
      {"plot " + file, 2,
       "orvane-cli: plot wants FILE.lms and --out OUT.png, OUT.pdf or OUT.svg (try --help)\n"},
      {"plot " + file + "--out " + Path("a.jpg"), 2,
       "orvane-cli: the image file name must end in .png, .pdf or .svg: " + Path("a.jpg") + "\n"},
      {"plot " + file + "--out " + Path("a.png") + " --size 1280", 2,
       "orvane-cli: --size wants WIDTHxHEIGHT, each 320 to 10000 pixels\n"},
      {"plot " + file + "--out " + Path("a.png") + " --size 100000x100000", 2,
       "orvane-cli: --size wants WIDTHxHEIGHT, each 320 to 10000 pixels\n"},
      {"plot " + file + "--out " + Path("a.png") + " --from 2 --to 4", 2,
       "orvane-cli: 1 <= From <= To <= 3, try again!\n"},
      {"plot " + file + "--out " + Path("no/such/a.png"), 1,
       "orvane-cli: Cannot write " + Path("no/such/a.png") + ": No such file or directory\n"},
  };
  for (const Case& c : cases) {
    const auto r = RunCli(c.args);
    EXPECT_EQ(r.status, c.status) << c.args;
    EXPECT_EQ(r.err.substr(0, c.err.size()), c.err) << c.args;
  }
  EXPECT_FALSE(std::filesystem::exists(Path("a.png")));
}

}  // namespace
}  // namespace orvane
