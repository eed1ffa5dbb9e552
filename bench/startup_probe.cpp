// SPDX-License-Identifier: GPL-3.0-or-later
// Start-up of the panel on the built-in meter, as `orvane --simulate` starts it: prints
// the milliseconds from the start of main to the end of the panel's first paint, then
// quits. scripts/bench times the whole run from launch to that line.

#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QTimer>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>

#include "common/clock.h"
#include "panel/panel_window.h"
#include "simulator/simulated_transport.h"
#include "simulator/virtual_meter.h"
#include "ui/qt_dialogs.h"

namespace {

// Quits once the first paint of the watched window has been handled.
struct FirstPaint final : QObject {
  QElapsedTimer* sinceMain = nullptr;
  bool seen = false;
  bool eventFilter(QObject* target, QEvent* event) override {
    if (event->type() == QEvent::Paint && !seen) {
      seen = true;
      QTimer::singleShot(0, [this] {
        std::printf("first paint %.1f ms after main\n", sinceMain->nsecsElapsed() / 1e6);
        std::fflush(stdout);
        QCoreApplication::quit();
      });
    }
    return QObject::eventFilter(target, event);
  }
};

}  // namespace

int main(int argc, char** argv) {
  QElapsedTimer sinceMain;
  sinceMain.start();
  setenv("QT_QPA_PLATFORM", "offscreen", 0);
  char folderTemplate[] = "/tmp/orvane-startup-XXXXXX";
  const char* folder = mkdtemp(folderTemplate);
  if (folder == nullptr) return 1;

  QApplication app(argc, argv);
  orvane::SystemClock clock;
  orvane::VirtualMeter meter(clock, 2024);
  meter.FillLogger(6);
  meter.keepLog = false;
  orvane::MeterIds ids;
  orvane::SimulatedTransport transport(meter, ids.vendorId, ids.productId);
  transport.keepLog = false;
  orvane::QtDialogs dialogs;
  orvane::QtLauncher launcher;
  int result = 0;
  {
    orvane::PanelWindow panel({transport, ids, dialogs, launcher, clock, folder});
    dialogs.SetParent(&panel);
    FirstPaint firstPaint;
    firstPaint.sinceMain = &sinceMain;
    panel.installEventFilter(&firstPaint);
    panel.show();
    result = app.exec();
  }
  std::filesystem::remove_all(folder);
  return result;
}
