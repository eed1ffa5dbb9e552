// orvane: the panel of the light meter. With --simulate it talks to the built-in meter.

#include <QApplication>
#include <QCommandLineParser>
#include <QFontDatabase>
#include <cstdio>
#include <memory>

#include "common/clock.h"
#include "common/working_folder.h"
#include "link/hidapi_transport.h"
#include "panel/panel_window.h"
#include "simulator/simulated_transport.h"
#include "simulator/virtual_meter.h"
#include "ui/qt_dialogs.h"

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
    transport = std::make_unique<orvane::SimulatedTransport>(*meter, ids.vendorId, ids.productId);
  } else {
    transport = std::make_unique<orvane::HidapiTransport>();
  }

  orvane::QtDialogs dialogs;
  orvane::QtLauncher launcher;
  orvane::PanelWindow panel(
      {*transport, ids, dialogs, launcher, clock, orvane::WorkingFolderPath()});
  dialogs.SetParent(&panel);
  panel.show();
  return app.exec();
}
