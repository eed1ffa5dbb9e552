// SPDX-License-Identifier: GPL-3.0-or-later
#include "panel/panel_window.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QCoreApplication>
#include <QMouseEvent>
#include <QPalette>
#include <QSettings>
#include <QShortcut>
#include <QStyle>
#include <QToolButton>
#include <algorithm>
#include <cstdio>

#include "common/working_folder.h"
#include "datalogger/datalogger_commands_qt.h"
#include "datalogger/erase_list_qt.h"
#include "display/display_listing.h"
#include "link/meter_choice.h"
#include "lists/list_commands_qt.h"
#include "panel/command_table.h"
#include "panel/keypad_widget.h"
#include "panel/open_command_qt.h"
#include "panel/panel_status.h"
#include "panel/panel_toolbar.h"
#include "panel/recording_commands_qt.h"
#include "ui/lcd_view.h"
#include "ui/program_settings.h"

namespace orvane {

namespace {
constexpr int kClientWidth = 7560;
constexpr int kClientHeight = 9105;
constexpr int kStatusTop = 5160;
constexpr int kToolbarHeight = 465;
constexpr const char* kToolbarTextKey = "panel/toolbarText";

QString Q(const std::string& text) {
  return QString::fromStdString(text);
}
}  // namespace

PanelWindow::PanelWindow(PanelServices services, QWidget* parent)
    : QWidget(parent),
      services_(std::move(services)),
      link_(services_.transport, *this, services_.ids),
      poll_(link_, decoder_, *this) {
  setObjectName("Panel");
  setWindowTitle(kPanelCaption);
  // The meter's housing: a dark body around the LCD and keys.
  QPalette body = palette();
  body.setColor(QPalette::Window, QColor(0x3b, 0x41, 0x48));
  setPalette(body);
  setAutoFillBackground(true);

  timer1_.setObjectName("Timer1");
  timer1_.setInterval(PollCycle::kIntervalMs);
  timer2_.setObjectName("Timer2");
  timer2_.setSingleShot(true);
  timer2_.setTimerType(Qt::PreciseTimer);
  connect(&timer1_, &QTimer::timeout, this, &PanelWindow::Timer1_Timer);
  connect(&timer2_, &QTimer::timeout, this, &PanelWindow::Timer2_Timer);

  userFiles_ = std::make_unique<UserFiles>(
      services_.folderMemory != nullptr ? *services_.folderMemory : runFolderMemory_,
      services_.documentsFolder, services_.homeFolder, services_.workingFolder);
  context_ = std::make_unique<PanelContext>(
      PanelContext{link_, decoder_, state_, services_.dialogs, services_.launcher, services_.clock,
                   linkOwner_, recording_, windows_, this, services_.workingFolder});
  // A refused command says why in the status bar.
  context_->notice = [this](const std::string& text) { status_->ShowNotice(Q(text)); };
  context_->userFiles = userFiles_.get();

  lcd_ = new LcdView(this);  // below the erase list, which overlaps its top
  lcd_->setGeometry(LcdView::FaceGeometry());
  keypad_ = new KeypadWidget(*context_, this);
  keypad_->setGeometry(KeypadWidget::KeypadGeometry());
  BuildStatusLine();
  BuildCommands();
  const std::unique_ptr<QSettings> settings = ProgramSettings();
  if (settings && settings->value(kToolbarTextKey, false).toBool()) ShowToolbarLabels(true);
  PlaceMenuBar();
  UpdateRecordingEnabled();
  ArmRecordTick(services_.clock.Now());  // the record tick runs from creation
  // The panel itself holds the focus at first, so no key wears the focus ring until the
  // user moves to the keypad with Tab; a click on the panel's face takes it back.
  setFocusPolicy(Qt::ClickFocus);
  setFocus(Qt::OtherFocusReason);
  Form_Load();
}

PanelWindow::~PanelWindow() {
  timer1_.stop();
  timer2_.stop();
  // The windows and widgets opened from the panel hold its context: they go first,
  // while the context and the link are still there.
  const QObjectList children = this->children();
  for (QObject* child : children) delete child;
}

void PanelWindow::BuildCommands() {
  toolbar_ = BuildPanelToolbar(*this);
  menuBar_ = BuildPanelMenuBar(*this);
  const std::vector<QAction*> actions =
      AddCommands(*toolbar_, *menuBar_, PanelCommandTable(),
                  [this](const QString& key) { Toolbar1_ButtonClick(key); });
  for (std::size_t i = 0; i < actions.size(); ++i)
    commands_.emplace_back(&PanelCommandTable()[i], actions[i]);
  toolbar_->setGeometry(0, 0, width(), Px(kToolbarHeight));
  for (const auto& [row, action] : commands_) {
    if (row->run == CommandSave) controls_.SaveButton = action;
  }
  AddToolbarTextChoice(*toolbar_, [this](bool shown) {
    ShowToolbarLabels(shown);
    if (std::unique_ptr<QSettings> settings = ProgramSettings())
      settings->setValue(kToolbarTextKey, shown);
  });
  AddRecentFilesMenu(*context_, controls_, *this);
  ShowToolbarText(*toolbar_, false);  // room for the Open button's arrow

  auto* erase = new EraseList(this);
  erase->setGeometry(Px(360), Px(480), Px(2175), Px(315));
  erase->hide();
  connect(erase, qOverload<int>(&QComboBox::activated), this,
          [this](int index) { CommandEraseChosen(*context_, controls_, index); });
  controls_.ComboErase = erase;
}

// The name label stays between the LCD and the keys; the recording and the connection
// are told in the status bar below the keypad.
void PanelWindow::BuildStatusLine() {
  lblName_ = new QLabel("Orvane", this);
  lblName_->setObjectName("LblName");
  lblName_->setGeometry(Px(2400), Px(kStatusTop), Px(1920), Px(300));
  lblName_->setStyleSheet("color: #e8ecef; font: bold 9pt 'Liberation Sans';");
  lblName_->setCursor(Qt::PointingHandCursor);
  lblName_->installEventFilter(this);

  status_ = new PanelStatusBar(this);
  const int statusHeight = status_->sizeHint().height();
  status_->setGeometry(0, Px(kClientHeight), Px(kClientWidth), statusHeight);
  setFixedSize(Px(kClientWidth), Px(kClientHeight) + statusHeight);
  controls_.LblRecording = status_->LblRecording();
  controls_.LblCount = status_->LblCount();
  controls_.LblFileName = status_->LblFileName();

  // Link errors go to a list that lies outside the designed client area.
  lstResults_ = new QListWidget(this);
  lstResults_->setObjectName("lstResults");
  lstResults_->setGeometry(Px(14400), Px(9360), 120, 60);
  lstResults_->setFocusPolicy(Qt::NoFocus);  // out of sight: out of the Tab chain
}

void PanelWindow::PlaceMenuBar() {
  const int shift = menuBar_->sizeHint().height();
  for (QObject* child : children()) {
    auto* w = qobject_cast<QWidget*>(child);
    if (w != nullptr && w != menuBar_ && !w->isWindow()) w->move(w->x(), w->y() + shift);
  }
  menuBar_->setGeometry(0, 0, width(), shift);
  setFixedSize(width(), height() + shift);
}

void PanelWindow::ShowToolbarLabels(bool shown) {
  const int before = toolbar_->height();
  ShowToolbarText(*toolbar_, shown);
  const int after = std::max(toolbar_->sizeHint().height(), Px(kToolbarHeight));
  toolbar_->resize(width(), after);
  const int shift = after - before;
  if (shift == 0) return;
  for (QObject* child : children()) {
    auto* w = qobject_cast<QWidget*>(child);
    if (w != nullptr && w != toolbar_ && w != menuBar_ && !w->isWindow())
      w->move(w->x(), w->y() + shift);
  }
  setFixedSize(width(), height() + shift);
}

// Start-up: every step runs even when an earlier one failed.
void PanelWindow::Form_Load() {
  state_.SaveAccepted = false;
  const std::string& folder = services_.workingFolder;
  if (EnsureWorkingFolder(folder)) EmptyFile(InWorkingFolder(folder, kDialogTempName));
  timer1_.start();
}

// The poll runs only while no command holds the link.
void PanelWindow::Timer1_Timer() {
  if (!linkOwner_.Held()) {
    poll_.Tick();
    const bool connected = link_.MeterConnected() == -1;
    lcd_->SetMeterPresent(connected);
    lcd_->Apply(decoder_.Model());
    lcd_->SetSpokenReading(SpokenDisplay(decoder_));
    status_->ShowConnection(connected, MeterName(link_.OpenedDevice()), link_.MetersFound());
  }
  UpdateRecordingEnabled();
}

void PanelWindow::UpdateRecordingEnabled() {
  controls_.RecordingEnabled = link_.MeterConnected() == -1 && context_->Reading().known;
  ShowCommandStates();
}

CommandConditions PanelWindow::Conditions() const {
  const FrameDecoder& display = decoder_;
  CommandConditions now{[&display](std::string_view flag) { return display.Flag(flag); }};
  now.linkHeld = linkOwner_.Held();
  now.recordingOn = recording_.RecordingOn();
  now.readingKnown = controls_.RecordingEnabled;
  return now;
}

void PanelWindow::ShowCommandStates() {
  const CommandConditions now = Conditions();
  for (const auto& [row, action] : commands_) {
    const std::optional<std::string> refusal = CommandRefusal(row->rule, now);
    // The tool tip's first line is the command's own; the reason goes below it.
    const QString tip = action->toolTip().section('\n', 0, 0);
    action->setToolTip(refusal ? tip + '\n' + Q(*refusal) : tip);
    action->setEnabled(!refusal);
    RefuseShortcutsOf(*action, refusal.has_value());
  }
}

// A greyed command's shortcut still answers: it says why the command cannot run.
void PanelWindow::RefuseShortcutsOf(QAction& action, bool refused) {
  if (action.shortcut().isEmpty()) return;
  const QString name = action.objectName() + "Refused";
  auto* shortcut = findChild<QShortcut*>(name, Qt::FindDirectChildrenOnly);
  if (shortcut == nullptr) {
    shortcut = new QShortcut(action.shortcut(), this);
    shortcut->setObjectName(name);
    const QString key = action.objectName();
    connect(shortcut, &QShortcut::activated, this, [this, key] { Toolbar1_ButtonClick(key); });
  }
  shortcut->setEnabled(refused);
}

void PanelWindow::ArmRecordTick(const DateTime& now) {
  timer2_.start(SecondTicker::MsToNextTick(now));
}

// One record and one list row per wall-clock second, stamped with that second, taken
// only from a display frame decoded since the previous tick.
void PanelWindow::Timer2_Timer() {
  const DateTime now = services_.clock.Now();
  ArmRecordTick(now);
  if (const std::int64_t step = clockSteps_.Look(services_.clock); step != 0) {
    std::fprintf(stderr, "orvane: %s\n", NoteClockStep(step, now).c_str());
  }
  const std::optional<DateTime> second = ticker_.Due(now);
  if (!second) return;
  const std::string time = FormatDateTime(*second);
  std::optional<LiveReading> fresh;
  if (recordFrames_.Take(decoder_.FramesDecoded())) fresh = context_->Reading();
  RecordTick(*context_, controls_, time, fresh);
  ListTick(*context_, time, fresh);
  lastTickFresh_ = fresh.has_value();
  ShowRecordingStatus();
}

// "No reading" while the ticks find no fresh display frame; the file, the time since
// the recording started and the records written while one runs.
void PanelWindow::ShowRecordingStatus() {
  if (!recording_.RecordingOn()) {
    recordingStartMs_.reset();
  } else if (!recordingStartMs_) {
    recordingStartMs_ = services_.clock.MonotonicMs();
  }
  const long elapsed =
      recordingStartMs_
          ? static_cast<long>((services_.clock.MonotonicMs() - *recordingStartMs_) / 1000)
          : -1;
  status_->ShowRecording(lastTickFresh_, elapsed);
}

void PanelWindow::CheckUnfinishedRecording() {
  OfferUnfinishedRecording(*context_);
}

void PanelWindow::LblName_Click() {
  setWindowTitle(windowTitle().contains("140414") ? kPanelCaption : kPanelCaptionLong);
}

void PanelWindow::Toolbar1_ButtonClick(const QString& key) {
  const CommandRow* row = FindCommand(key);
  if (row == nullptr || !RunCommand(*row, *context_, controls_, Conditions())) return;
  UpdateRecordingEnabled();
  ShowRecordingStatus();
}

bool PanelWindow::eventFilter(QObject* watched, QEvent* event) {
  if (watched == lblName_ && event->type() == QEvent::MouseButtonPress) {
    LblName_Click();
    return true;
  }
  return QWidget::eventFilter(watched, event);
}

void PanelWindow::SetNameCaption(std::string_view caption) {
  lblName_->setText(QString::fromUtf8(caption.data(), static_cast<int>(caption.size())));
}

void PanelWindow::SetLinkHint(std::string_view hint) {
  status_->ShowLinkHint(hint);
}

void PanelWindow::AppendResultLine(std::string_view line) {
  lstResults_->addItem(QString::fromUtf8(line.data(), static_cast<int>(line.size())));
}

// Closing the panel ends the program: a running recording is finished first, then
// every window closes and no timer runs again.
void PanelWindow::closeEvent(QCloseEvent* event) {
  timer1_.stop();
  timer2_.stop();  // the recording's last record is the one of the last tick
  FinishBeforeExit(*context_, controls_);
  event->accept();
  // Every window opened from the panel is its child.
  for (QWidget* w : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
    if (w->isWindow() && w->isVisible()) w->close();
  }
  QCoreApplication::quit();
}

}  // namespace orvane
