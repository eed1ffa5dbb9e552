// SPDX-License-Identifier: GPL-3.0-or-later
// orvane-cli watch as a stream for scripts, run as built against the simulated meter.

#include <gtest/gtest.h>
#include <unistd.h>

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <regex>
#include <sstream>
#include <vector>

#include "app/cli_run.h"

namespace orvane {
namespace {

using test::Lines;
using test::RunCli;

class CliWatchStream : public ::testing::Test {
 protected:
  CliWatchStream() { setenv("TZ", "UTC-2", 1); }  // two hours east of UTC, for the offset
  ~CliWatchStream() override { unsetenv("TZ"); }
};

// Each line is one JSON object with the time, the reading as shown, its number, the unit,
// the digits and the lit symbols by their LCD names.
TEST_F(CliWatchStream, JsonLinesParseOneObjectPerPoll) {
  const auto r = RunCli("watch --format jsonl --count 3 --simulate --interval-ms 5");
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.err, "");
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 3u) << r.out;
  for (const std::string& line : lines) {
    SCOPED_TRACE(line);
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(QByteArray::fromStdString(line), &error);
    ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    const QJsonObject o = doc.object();
    const std::string time = o["time"].toString().toStdString();
    std::smatch t;
    ASSERT_TRUE(std::regex_match(
        time, t, std::regex(R"(\d{4}-\d\d-\d\dT(\d\d):(\d\d):(\d\d)\.(\d{3})\+02:00)")));
    // The epoch is the same instant: the time of day two hours on from UTC.
    const auto epochMs = static_cast<long long>(std::llround(o["epoch"].toDouble() * 1000));
    EXPECT_EQ(
        epochMs % 86400000,
        (((std::stoll(t[1]) + 22) % 24 * 60 + std::stoll(t[2])) * 60 + std::stoll(t[3])) * 1000 +
            std::stoll(t[4]));
    EXPECT_TRUE(o["connected"].toBool());
    const std::string reading = o["reading"].toString().toStdString();
    std::smatch m;
    ASSERT_TRUE(std::regex_match(reading, m, std::regex(R"((\d+(\.\d+)?)(K?))"))) << reading;
    const double shown = std::stod(m[1]) * (m[3].length() > 0 ? 1000 : 1);
    EXPECT_NEAR(o["value"].toDouble(), shown, 1e-9);
    EXPECT_FALSE(o["over_range"].toBool());
    EXPECT_EQ(o["unit"].toString(), "cd/m2");
    EXPECT_TRUE(o["secondary"].isString());
    EXPECT_TRUE(o["symbols"].toArray().contains(QJsonValue("USB")));
  }
}

// With --every, one line per wall-clock second, stamped with that second; CSV has a header
// naming its columns.
TEST_F(CliWatchStream, CsvEverySecondOnTheSecond) {
  const auto r = RunCli("watch --simulate --format csv --every 1s --count 2");
  ASSERT_EQ(r.status, 0) << r.err;
  const auto lines = Lines(r.out);
  ASSERT_EQ(lines.size(), 3u) << r.out;
  EXPECT_EQ(lines[0], "time,epoch,meter,connected,reading,value,unit,over_range,secondary,symbols");
  const std::regex row(
      R"((\d{4}-\d\d-\d\dT\d\d:\d\d:(\d\d)\+02:00),(\d+),SIM0001,1,\d+(\.\d+)?K?,\d+(\.\d+)?,cd/m2,0,[^,]*,([^,]* )?USB( [^,]*)?)");
  std::smatch first, second;
  ASSERT_TRUE(std::regex_match(lines[1], first, row)) << lines[1];
  ASSERT_TRUE(std::regex_match(lines[2], second, row)) << lines[2];
  EXPECT_EQ((std::stoi(first[2]) + 1) % 60, std::stoi(second[2]));
  EXPECT_EQ(std::stoll(first[3]) % 60, std::stoi(first[2]));
  EXPECT_EQ(std::stoll(second[3]), std::stoll(first[3]) + 1);
}

// Unplugged after the first poll: two gap lines, then the readings again; the count
// includes the gap lines. --out writes the same lines to a file.
TEST_F(CliWatchStream, KeepsGoingAcrossAnUnplugWithGapLines) {
  const std::string out = std::filesystem::temp_directory_path() /
                          ("orvane-watch-" + std::to_string(getpid()) + ".txt");
  const auto r = RunCli("watch --simulate --interval-ms 5 --unplug 2 --count 5 --out " + out);
  ASSERT_EQ(r.status, 0) << r.err;
  EXPECT_EQ(r.out, "");
  std::ifstream in(out);
  const auto lines = Lines(std::string(std::istreambuf_iterator<char>(in), {}));
  std::filesystem::remove(out);
  ASSERT_EQ(lines.size(), 5u);
  const std::string time = R"(\d{4}-\d\d-\d\dT\d\d:\d\d:\d\d\.\d{3}\+02:00\t\d+\.\d{3})";
  const std::regex reading(time + R"(\t\S+ cd/m2\t.*\t.*USB.*)");
  const std::regex gap(time + "\tno meter");
  EXPECT_TRUE(std::regex_match(lines[0], reading)) << lines[0];
  EXPECT_TRUE(std::regex_match(lines[1], gap)) << lines[1];
  EXPECT_TRUE(std::regex_match(lines[2], gap)) << lines[2];
  EXPECT_TRUE(std::regex_match(lines[3], reading)) << lines[3];
  EXPECT_TRUE(std::regex_match(lines[4], reading)) << lines[4];

  const auto json = RunCli("watch --simulate --interval-ms 5 --unplug 2 --count 2 --format jsonl");
  const auto jsonLines = Lines(json.out);
  ASSERT_EQ(jsonLines.size(), 2u) << json.out;
  const QJsonObject g = QJsonDocument::fromJson(QByteArray::fromStdString(jsonLines[1])).object();
  EXPECT_FALSE(g["connected"].toBool());
  EXPECT_TRUE(g["reading"].isNull());
  EXPECT_TRUE(g["value"].isNull());
  EXPECT_TRUE(g["symbols"].toArray().isEmpty());
}

// --duration and SIGTERM end the stream normally, with whole lines.
TEST_F(CliWatchStream, EndsOnDurationAndOnASignal) {
  const auto timed = RunCli("watch --simulate --interval-ms 100 --duration 1s");
  EXPECT_EQ(timed.status, 0) << timed.err;
  const auto lines = Lines(timed.out);
  EXPECT_GE(lines.size(), 1u);
  EXPECT_LE(lines.size(), 11u);

  const auto stopped = RunCli(
      "watch --simulate --interval-ms 10 --format jsonl & pid=$!; sleep 0.5; kill -TERM $pid; "
      "wait $pid");
  EXPECT_EQ(stopped.status, 0) << stopped.err;
  ASSERT_FALSE(stopped.out.empty());
  EXPECT_EQ(stopped.out.back(), '\n');
  for (const std::string& line : Lines(stopped.out)) {
    EXPECT_FALSE(QJsonDocument::fromJson(QByteArray::fromStdString(line)).isNull()) << line;
  }
}

}  // namespace
}  // namespace orvane
