// SPDX-License-Identifier: GPL-3.0-or-later
// orvane: the panel of the light meter. With --simulate it talks to the built-in meter.

#include <QApplication>
#include <QCommandLineParser>
#include <QFontDatabase>
#include <QSettings>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>

#include "common/clock.h"
#include "common/diagnostics.h"
#include "common/folder_lock.h"
#include "common/working_folder.h"
#include "link/hidapi_transport.h"
#include "panel/desktop_habits.h"
#include "panel/open_command_qt.h"
#include "panel/panel_frame.h"
#include "panel/panel_window.h"
#include "panel/recording_commands_qt.h"
#include "panel/second_start.h"
#include "simulator/simulated_transport.h"
#include "simulator/virtual_meter.h"
#include "ui/answer_file_dialogs.h"
#include "ui/app_icon.h"
#include "ui/banded_scroll_bars.h"
#include "ui/program_settings.h"
#include "ui/qt_dialogs.h"
#include "ui/settings_folder_memory.h"
#include "ui/window_places.h"

namespace {

// How long a second start waits for the running program to take its command line.
constexpr int kHandOverWaitMs = 4000;

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
    orvane::CommandSave(panel.Context(), panel.Controls());
  });
  timer->start(100);
}

// --show graph,list,logger: the panel's tool-bar keys that open those windows; nothing when
// a name is none of them.
std::optional<QStringList> WindowKeysToShow(const QString& names) {
  static const std::pair<const char*, const char*> kWindows[] = {
      {"graph", "Graph"}, {"list", "List"}, {"logger", "Memory"}};
  QStringList keys;
  for (const QString& name : names.split(',', Qt::SkipEmptyParts)) {
    const auto known = std::find_if(std::begin(kWindows), std::end(kWindows),
                                    [&](const auto& w) { return name.trimmed() == w.first; });
    if (known == std::end(kWindows)) return std::nullopt;
    if (!keys.contains(known->second)) keys << known->second;
  }
  return keys;
}

std::string AlreadyRunningText(const std::string& folder) {
  return "Orvane is already running.\r\nOnly one Orvane can use the working folder " + folder +
         " at a time.";
}

std::string LockFailedText(const std::string& folder, const std::string& reason) {
  return "Orvane cannot take the lock of its working folder " + folder + ", so it does not " +
         "start on it.\r\n" + reason;
}

// Reads the command line before any window exists, so that --help and --version work
// without a display. A wrong command line ends the program with one line on stderr and
// exit status 2; --help and --version print to stdout and end it with 0.
std::optional<int> ReadCommandLine(int argc, char** argv, QCommandLineParser& parser) {
  parser.setApplicationDescription("Desktop companion of the USB light meter.");
  const QCommandLineOption help({"h", "help"}, "Show this help and exit.");
  const QCommandLineOption version("version", "Show the version and exit.");
  parser.addOption(help);
  parser.addOption(version);
  parser.addOption({"simulate", "Use the built-in simulated meter instead of a USB device."});
  parser.addOption({"meter", "Vendor and product id of the meter, hex.", "VID:PID"});
  parser.addOption({"device", "With several meters: the one at this hidraw path.", "PATH"});
  parser.addOption({"serial", "With several meters: the one with this serial number.", "TEXT"});
  parser.addOption({"debug", "Log each failed exchange with the meter to standard error."});
  parser.addOption({"show",
                    "Open these windows at start, comma-separated: graph (the live graph), "
                    "list (the live list), logger (the data logger).",
                    "WINDOWS"});
  // Test hooks (README, "Driving the program headless").
  parser.addOption(Hidden({"answers-from", "Answer the dialogs from a file.", "FILE"}));
  parser.addOption(Hidden({"press-save", "Press Save once recording is offered."}));
  parser.addOption(Hidden({"settings", "Keep window places in this file.", "FILE"}));
  parser.addOption(Hidden({"simulate-sets", "Record sets in the simulated meter's logger.", "N"}));
  parser.addPositionalArgument("file", "A data file (*.lms) to open in the plot.", "[FILE]");
  QStringList words;
  for (int i = 0; i < argc; ++i) words << QString::fromLocal8Bit(argv[i]);
  const auto refuse = [](const QString& message) {
    std::fprintf(stderr, "orvane: %s (try --help)\n", message.toLocal8Bit().constData());
    return 2;
  };
  if (!parser.parse(words)) return refuse(parser.errorText());
  if (parser.isSet(help)) {
    // Without an application object Qt cannot know the program's name.
    const QString text = parser.helpText().replace("<executable_name>", "orvane");
    std::fputs(text.toLocal8Bit().constData(), stdout);
    return 0;
  }
  if (parser.isSet(version)) {
    std::printf("orvane %s\n", ORVANE_VERSION);
    return 0;
  }
  if (parser.positionalArguments().size() > 1) {
    return refuse("unexpected argument '" + parser.positionalArguments().at(1) + "'");
  }
  orvane::MeterIds ids;
  if (parser.isSet("meter") && !orvane::ParseMeterIds(parser.value("meter").toStdString(), ids)) {
    return refuse("--meter wants VID:PID in hex, for example 04d8:f1e7");
  }
  if (parser.isSet("device") && parser.isSet("serial")) {
    return refuse("--device and --serial both choose the meter: give one");
  }
  if (parser.isSet("show") && !WindowKeysToShow(parser.value("show"))) {
    return refuse("--show takes graph, list and logger, for example --show graph,list");
  }
  if (!orvane::EnableDiagnosticsFromEnvironment()) {
    std::fprintf(stderr,
                 "orvane: ORVANE_DEBUG names an unknown area (known: link, clock, start, all)\n");
  }
  if (parser.isSet("debug")) orvane::EnableDiagnostics("all");
  return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
  QCommandLineParser parser;
  if (const auto status = ReadCommandLine(argc, argv, parser)) return *status;
  QApplication app(argc, argv);
  QApplication::setApplicationName("Orvane");
  QApplication::setApplicationVersion(ORVANE_VERSION);
  // The installed desktop file's name, so that a Wayland desktop matches the window to
  // its entry and icon.
  QGuiApplication::setDesktopFileName("io.github.orvane.orvane");
  QApplication::setWindowIcon(orvane::AppIcon());
  // The list's scroll bars, repainted each second, stay off Qt's painting threads.
  QApplication::setStyle(new orvane::BandedScrollBars);

  orvane::MeterIds ids;
  if (parser.isSet("meter")) orvane::ParseMeterIds(parser.value("meter").toStdString(), ids);
  // With several meters and no choice the first one is taken; the status bar names it.
  ids.devicePath = parser.value("device").toStdString();
  ids.serial = parser.value("serial").toStdString();

  orvane::SystemClock clock;
  std::unique_ptr<orvane::VirtualMeter> meter;
  std::unique_ptr<orvane::HidTransport> transport;
  if (parser.isSet("simulate")) {
    meter = std::make_unique<orvane::VirtualMeter>(clock, 2024);
    meter->FillLogger(
        parser.isSet("simulate-sets") ? std::max(0, parser.value("simulate-sets").toInt()) : 6);
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
  // One panel per working folder: a second one hands its command line to the running
  // one (which opens the file named or comes to the front), leaves the folder alone and
  // ends; only when the running one does not answer is the user told.
  const std::string folder = orvane::WorkingFolderPath();
  const QStringList named = parser.positionalArguments();
  const QString file = named.isEmpty() ? QString() : named.front();  // refused if unreadable
  orvane::FolderLock lock;
  const orvane::FolderLock::Result owner = lock.Take(folder);
  if (owner == orvane::FolderLock::Result::HeldElsewhere) {
    if (orvane::HandOverToRunningProgram(folder, file, kHandOverWaitMs)) return 0;
    const std::string text = AlreadyRunningText(folder);
    std::fprintf(stderr, "orvane: %s\n", text.c_str());
    dialogs->Message(text, orvane::MessageIcon::Exclamation, orvane::MessageButtons::Ok, "Orvane");
    return 1;
  }
  // Without the lock another panel could share the folder's scratch files: none is used.
  if (owner == orvane::FolderLock::Result::Failed) {
    const std::string text = LockFailedText(folder, lock.Error());
    std::fprintf(stderr, "orvane: %s\n", text.c_str());
    dialogs->Message(text, orvane::MessageIcon::Critical, orvane::MessageButtons::Ok, "Orvane");
    return 1;
  }

  // Named before the panel is made: it reads its tool bar's look from them.
  if (parser.isSet("settings")) {
    orvane::UseSettingsFile(parser.value("settings"));
  } else {
    orvane::UseUserSettings();
  }
  QSettings settings(orvane::kSettingsOrganization, orvane::kSettingsApplication);
  orvane::SettingsFolderMemory folderMemory(settings);
  orvane::QtLauncher launcher;
  orvane::PanelWindow panel({*transport, ids, *dialogs, launcher, clock, folder, &folderMemory,
                             orvane::DocumentsFolder(), orvane::HomeFolder()});
  qtDialogs.SetParent(&panel);
  // The panel in a frame of its own: resizable, and scrolled on a screen too small for it.
  orvane::PanelFrame frame(panel);
  orvane::RestorePanelPlace(frame);
  orvane::InstallDesktopHabits(panel);
  frame.show();
  // Once the window is on the screen: a recording an earlier run left unfinished is
  // offered (the question centred on the panel; only by the owner of the folder: without
  // the lock, the recording may be live), then a file named at start is plotted.
  const bool folderOwner = lock.Held();
  const QStringList shown = WindowKeysToShow(parser.value("show")).value_or(QStringList());
  if (folderOwner) orvane::ListenForSecondStarts(panel, folder);
  orvane::WhenOnScreen(frame, [&panel, file, folderOwner, shown] {
    if (folderOwner) panel.CheckUnfinishedRecording();
    for (const QString& key : shown) panel.Toolbar1_ButtonClick(key);
    if (!file.isEmpty()) orvane::OpenDataFile(panel.Context(), file.toStdString());
  });
  if (parser.isSet("press-save")) PressSaveWhenOffered(panel);
  return app.exec();
}
