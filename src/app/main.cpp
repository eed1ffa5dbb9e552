// orvane: the panel of the light meter. With --simulate it talks to the built-in meter.

#include <QApplication>
#include <QCommandLineParser>
#include <QFontDatabase>
#include <QTimer>
#include <cstdio>
#include <memory>

#include "common/clock.h"
#include "common/working_folder.h"
#include "link/hidapi_transport.h"
#include "panel/panel_window.h"
#include "simulator/simulated_transport.h"
#include "simulator/virtual_meter.h"
#include "ui/answer_file_dialogs.h"
#include "ui/qt_dialogs.h"

namespace {

// Hooks for driving the program headless (tests, scripts); hidden from --help.
QCommandLineOption Hidden(QCommandLineOption option) {
  option.setFlags(QCommandLineOption::HiddenFromHelp);
  return option;
}

// --press-save: presses the tool bar's Save once the panel offers recording.
void PressSaveWhenOffered(orvane::PanelWindow& panel) {
  auto* timer = new QTimer(&panel);
  QObject::connect(timer, &QTimer::timeout, &panel, [&panel, timer] {
    if (!panel.Controls().RecordingEnabled) return;
    timer->stop();
    panel.Toolbar1_ButtonClick("Save");
  });
  timer->start(100);
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setApplicationName("Orvane");
  QApplication::setApplicationVersion("8.01");

  QCommandLineParser parser;
  parser.setApplicationDescription("Desktop companion of the USB light meter.");
  parser.addHelpOption();
  parser.addVersionOption();
  parser.addOption({"simulate", "Use the built-in simulated meter instead of a USB device."});
  parser.addOption({"meter", "Vendor and product id of the meter, hex.", "VID:PID"});
  // Test hooks (README, "Driving the program headless").
  parser.addOption(Hidden({"answers-from", "Answer the dialogs from a file.", "FILE"}));
  parser.addOption(Hidden({"press-save", "Press Save once recording is offered."}));
  parser.process(app);

  orvane::MeterIds ids;
  if (parser.isSet("meter") && !orvane::ParseMeterIds(parser.value("meter").toStdString(), ids)) {
    std::fprintf(stderr, "orvane: --meter wants VID:PID in hex, for example 04d8:f1e7\n");
    return 2;
  }

  orvane::SystemClock clock;
  std::unique_ptr<orvane::VirtualMeter> meter;
  std::unique_ptr<orvane::HidTransport> transport;
  if (parser.isSet("simulate")) {
    meter = std::make_unique<orvane::VirtualMeter>(clock, 2024);
    meter->FillLogger(6);
    meter->keepLog = false;
    auto simulated =
        std::make_unique<orvane::SimulatedTransport>(*meter, ids.vendorId, ids.productId);
    simulated->keepLog = false;
    orvane::ScheduleUnplugFromEnvironment(*simulated, clock);
    transport = std::move(simulated);
  } else {
    transport = std::make_unique<orvane::HidapiTransport>();
  }

  orvane::QtDialogs qtDialogs;
  orvane::AnswerFileDialogs answerFile;
  orvane::Dialogs* dialogs = &qtDialogs;
  if (parser.isSet("answers-from")) {
    std::string error;
    if (!answerFile.Load(parser.value("answers-from").toStdString(), error)) {
      std::fprintf(stderr, "orvane: %s\n", error.c_str());
      return 2;
    }
    dialogs = &answerFile;
  }
  orvane::QtLauncher launcher;
  orvane::PanelWindow panel(
      {*transport, ids, *dialogs, launcher, clock, orvane::WorkingFolderPath()});
  qtDialogs.SetParent(&panel);
  panel.show();
  // Once the window shows: a recording an earlier run left unfinished is offered.
  QTimer::singleShot(0, &panel, [&panel] { panel.CheckUnfinishedRecording(); });
  if (parser.isSet("press-save")) PressSaveWhenOffered(panel);
  return app.exec();
}
