// SPDX-License-Identifier: GPL-3.0-or-later
// "Export CSV…" and "Export image…" of the two graph windows: the file the user picks
// gets the window's records or its chart, drawn anew (PNG, or PDF and SVG as vectors with
// a title line), and a file that cannot be written is reported.

#include <gtest/gtest.h>

#include <QAction>
#include <QImage>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <memory>

#include "graphs/list_plot_window.h"
#include "graphs/real_time_graph_window.h"
#include "graphs/real_time_sweep.h"
#include "ui/plot_image.h"

namespace orvane {
namespace {

class ExportFolder {
 public:
  ExportFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "orvane-exp-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data()) != nullptr ? pattern : std::string();
    setenv("TZ", "UTC0", 1);
    tzset();
  }
  ~ExportFolder() {
    std::filesystem::remove_all(path_);
    unsetenv("TZ");
    tzset();
  }
  std::string File(const char* name) const { return path_ + "/" + name; }
  // What a command line tool prints about a file.
  static std::string Run(const std::string& command) {
    std::string out;
    if (FILE* pipe = ::popen((command + " 2>&1").c_str(), "r")) {
      char buffer[4096];
      std::size_t n = 0;
      while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) out.append(buffer, n);
      ::pclose(pipe);
    }
    return out;
  }
  static std::string Read(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
  }

 private:
  std::string path_;
};

void Trigger(QWidget& window, const char* action) {
  QAction* a = window.findChild<QAction*>(action);
  ASSERT_NE(a, nullptr) << action;
  a->trigger();
}

struct PlotRig {
  ProgramState state;
  ScriptedDialogs dialogs;
  std::unique_ptr<ListPlotWindow> window;

  PlotRig() {
    PlotData& p = state.Plot;
    p.PlotTimes = {"2024/05/17 08:00:01", "2024/05/17 08:00:02", "2024/05/17 08:00:03"};
    p.PlotMain = {"  0.25K", "    OL", "  12.5"};
    p.PlotCd = {"  750", "  751", "  752"};
    p.PlotRecords = p.PlotTo = p.PlotCount = 3;
    p.PlotFrom = 1;
    p.PlotUnit = "Lux";
    p.PlotRange.LuxMax = 1000;
    p.PlotRange.CdMax = 1000;
    state.PlotFileName = "/data/run one.lms";
    window = std::make_unique<ListPlotWindow>(state, dialogs);
    window->resize(640, 480);
    window->show();
    window->Timer1_Timer();
  }
};

TEST(ChartExport, ListPlotWritesTheOpenedFilesRecordsAndItsChart) {
  ExportFolder folder;
  PlotRig rig;
  for (const char* name : {"plot.csv", "plot.png", "plot.pdf", "plot.svg"}) {
    rig.dialogs.QueueFile(folder.File(name));
    Trigger(*rig.window, name[5] == 'c' ? "ExportCsv" : "ExportImage");
  }
  EXPECT_EQ(ExportFolder::Read(folder.File("plot.csv")),
            "No.,Time (ISO 8601),Epoch,Lux,Lux over range,cd,cd over range\r\n"
            "1,2024-05-17T08:00:01+00:00,1715932801,250,0,750,0\r\n"
            "2,2024-05-17T08:00:02+00:00,1715932802,,1,751,0\r\n"
            "3,2024-05-17T08:00:03+00:00,1715932803,12.5,0,752,0\r\n");
  // The PNG is the command line's drawing of the same records at the window's size.
  const QImage saved(QString::fromStdString(folder.File("plot.png")));
  EXPECT_EQ(saved.convertToFormat(QImage::Format_RGB32),
            ChartOutputImage(ListPlotOutput(rig.state.Plot, "run one.lms", 640, 480))
                .convertToFormat(QImage::Format_RGB32));
  // The PDF: text with its font embedded and the title line, no picture of the window.
  const std::string pdf = folder.File("plot.pdf");
  EXPECT_EQ(ExportFolder::Read(pdf).substr(0, 5), "%PDF-");
  const std::string text = ExportFolder::Run("pdftotext '" + pdf + "' -");
  for (const char* part :
       {"run one.lms", "2024/05/17 08:00:01 to 2024/05/17 08:00:03", "Lux (black), cd (blue)"}) {
    EXPECT_NE(text.find(part), std::string::npos) << part << " in " << text;
  }
  const std::string images = ExportFolder::Run("pdfimages -list '" + pdf + "'");
  EXPECT_EQ(std::count(images.begin(), images.end(), '\n'), 2) << images;  // the heading only
  EXPECT_NE(ExportFolder::Run("pdffonts '" + pdf + "'").find(" yes "), std::string::npos);
  const std::string svg = ExportFolder::Read(folder.File("plot.svg"));
  EXPECT_NE(svg.find("<svg"), std::string::npos);
  EXPECT_NE(svg.find("run one.lms"), std::string::npos);
  ASSERT_EQ(rig.dialogs.Log().size(), 4u);  // the four file dialogs, no message
  EXPECT_EQ(rig.dialogs.Log()[0].text, "Export CSV");
  EXPECT_EQ(rig.dialogs.Log()[1].text, "Export image");
}

TEST(ChartExport, CancelWritesNothingAndFailuresAreReported) {
  ExportFolder folder;
  PlotRig rig;
  struct Case {
    const char* action;
    std::optional<std::string> path;
    std::string message;  // empty: none expected
  };
  const Case cases[] = {
      {"ExportCsv", std::nullopt, ""},
      {"ExportImage", std::nullopt, ""},
      {"ExportCsv", folder.File("no/such/a.csv"),
       "Cannot write " + folder.File("no/such/a.csv") + ": No such file or directory"},
      {"ExportImage", folder.File("no/such/a.png"),
       "Cannot write " + folder.File("no/such/a.png") + ": No such file or directory"},
      {"ExportImage", folder.File("a.bmp"),
       "the image file name must end in .png, .pdf or .svg: " + folder.File("a.bmp")},
  };
  for (const Case& c : cases) {
    rig.dialogs.ClearLog();
    rig.dialogs.QueueFile(c.path);
    Trigger(*rig.window, c.action);
    const auto& log = rig.dialogs.Log();
    ASSERT_EQ(log.size(), c.message.empty() ? 1u : 2u) << c.action;
    if (!c.message.empty()) {
      EXPECT_EQ(log[1].text, c.message);
      EXPECT_EQ(log[1].icon, MessageIcon::Critical);
    }
  }
  EXPECT_TRUE(std::filesystem::is_empty(std::filesystem::path(folder.File(""))));
}

TEST(ChartExport, RealTimeGraphWritesTheReadingsTakenSinceItOpened) {
  ExportFolder folder;
  ProgramState state;
  state.GraphUnit = "lx";
  state.LiveRange = FullLiveRange("lx");
  LiveReading reading;
  ManualClock clock{{2024, 5, 17, 14, 7, 9, 0}};
  ScriptedDialogs dialogs;
  RealTimeGraphWindow window(
      state, [&reading]() -> std::optional<LiveReading> { return reading; }, clock, dialogs);
  window.resize(640, 480);
  struct Tick {
    const char* text;
    bool metric;
    bool known;
  };
  // The second reading comes before any frame; the fourth after a switch to fL, both
  // columns converted with the digits it shows.
  const Tick ticks[] = {
      {"1.25K", true, true}, {"", true, false}, {"OL", true, true}, {"10.0", false, true}};
  for (const Tick& t : ticks) {
    reading =
        LiveReading{t.text, t.text, t.metric ? UnitSystem::Metric : UnitSystem::Imperial, t.known};
    window.Timer1_Timer();
    clock.Set({2024, 5, 17, 14, 7, clock.Now().second + 1, 0});
  }
  dialogs.QueueFile(folder.File("live.csv"));
  Trigger(window, "ExportCsv");
  EXPECT_EQ(ExportFolder::Read(folder.File("live.csv")),
            "No.,Time (ISO 8601),Epoch,Lux,Lux over range,cd,cd over range\r\n"
            "1,2024-05-17T14:07:09+00:00,1715954829,1250,0,1250,0\r\n"
            "2,2024-05-17T14:07:11+00:00,1715954831,,1,,1\r\n"
            "3,2024-05-17T14:07:12+00:00,1715954832,108,0,108,0\r\n");
}

}  // namespace
}  // namespace orvane
