#include "panel/panel_window.h"

#include <QCoreApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QMouseEvent>
#include <QPalette>
#include <QStyle>

#include "common/working_folder.h"
#include "datalogger/erase_list_qt.h"
#include "panel/keypad_widget.h"
#include "panel/panel_toolbar.h"
#include "ui/lcd_view.h"

namespace orvane {

namespace {
constexpr int kClientWidth = 7560;
constexpr int kClientHeight = 9105;
constexpr int kStatusTop = 5160;
constexpr int kRecWidth = 600;
constexpr int kCountWidth = 1080;
constexpr const char* kRecStyle = "color: #ff5a4e; font: bold 9pt 'Liberation Sans';";
constexpr const char* kNoReadingStyle = "color: #ffc24e; font: bold 9pt 'Liberation Sans';";
}  // namespace

PanelWindow::PanelWindow(PanelServices services, QWidget* parent)
    : QWidget(parent),
      services_(std::move(services)),
      link_(services_.transport, *this, services_.ids),
      poll_(link_, decoder_, *this) {
  setObjectName("Panel");
  setWindowTitle(kPanelCaption);
  setFixedSize(Px(kClientWidth), Px(kClientHeight));
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
  // A refused command says so where the link's caption stands, until the poll runs again.
  context_->notice = [this](const std::string& text) { SetNameCaption(text); };
  context_->userFiles = userFiles_.get();

  lcd_ = new LcdView(this);  // below the erase list, which overlaps its top
  lcd_->setGeometry(LcdView::FaceGeometry());
  keypad_ = new KeypadWidget(*context_, this);
  keypad_->setGeometry(KeypadWidget::KeypadGeometry());
  BuildToolbar();
  BuildStatusLine();
  ArmRecordTick(services_.clock.Now());  // the record tick runs from creation
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

void PanelWindow::BuildToolbar() {
  toolbar_ = BuildPanelToolbar(*this, [this](const QString& key) { Toolbar1_ButtonClick(key); });
  toolbar_->setGeometry(0, 0, width(), Px(465));
  controls_.SaveButton = toolbar_->findChild<QAction*>("Save");

  auto* erase = new EraseList(this);
  erase->setGeometry(Px(360), Px(480), Px(2175), Px(315));
  erase->hide();
  connect(erase, qOverload<int>(&QComboBox::activated), this,
          [this](int index) { CommandEraseChosen(*context_, controls_, index); });
  controls_.ComboErase = erase;
}

void PanelWindow::BuildStatusLine() {
  auto label = [this](const char* name, const char* caption, int left, int width) {
    auto* l = new QLabel(caption, this);
    l->setObjectName(name);
    l->setGeometry(Px(left), Px(kStatusTop), Px(width), Px(300));
    l->setStyleSheet("color: #e8ecef; font: bold 9pt 'Liberation Sans';");
    return l;
  };
  controls_.LblRecording = label("LblRecording", "Rec", 720, kRecWidth);
  controls_.LblCount = label("LblCount", "", 720 + kRecWidth, kCountWidth);
  lblName_ = label("LblName", "Orvane", 2400, 1920);
  lblName_->setCursor(Qt::PointingHandCursor);
  lblName_->installEventFilter(this);
  controls_.LblFileName = label("LblFileName", "", 4320, 3120);
  controls_.LblRecording->setStyleSheet(kRecStyle);
  // Shown over the file name field only while the meter cannot be opened.
  lblLinkHint_ = label("LblLinkHint", "", 4320, 3120);
  lblLinkHint_->hide();

  // Link errors go to a list that lies outside the designed client area.
  lstResults_ = new QListWidget(this);
  lstResults_->setObjectName("lstResults");
  lstResults_->setGeometry(Px(14400), Px(9360), 120, 60);
  lstResults_->setFocusPolicy(Qt::NoFocus);  // out of sight: out of the Tab chain
}

// Start-up: every step runs even when an earlier one failed.
void PanelWindow::Form_Load() {
  state_.RecordingOn = false;
  state_.ListShown = false;
  state_.PlotOpen = false;
  state_.MemoryShown = false;
  state_.SaveAccepted = false;
  const std::string& folder = services_.workingFolder;
  if (EnsureWorkingFolder(folder)) EmptyFile(InWorkingFolder(folder, kDialogTempName));
  timer1_.start();
}

// The poll runs only while no command holds the link.
void PanelWindow::Timer1_Timer() {
  if (linkOwner_.Held()) return;
  poll_.Tick();
  lcd_->SetMeterPresent(link_.MeterConnected() == -1);
  lcd_->Apply(decoder_.Model());
  UpdateRecordingEnabled();
}

void PanelWindow::UpdateRecordingEnabled() {
  controls_.RecordingEnabled = link_.MeterConnected() == -1 && context_->Reading().known;
  // A running recording can always be stopped, even with the meter gone.
  if (controls_.SaveButton != nullptr) {
    controls_.SaveButton->setEnabled(controls_.RecordingEnabled || state_.RecordingOn);
  }
}

void PanelWindow::ArmRecordTick(const DateTime& now) {
  timer2_.start(SecondTicker::MsToNextTick(now));
}

// One record and one list row per wall-clock second, stamped with that second, taken
// only from a display frame decoded since the previous tick.
void PanelWindow::Timer2_Timer() {
  const DateTime now = services_.clock.Now();
  ArmRecordTick(now);
  const std::optional<DateTime> second = ticker_.Due(now);
  if (!second) return;
  const std::string time = FormatDateTime(*second);
  std::optional<LiveReading> fresh;
  if (recordFrames_.Take(decoder_.FramesDecoded())) fresh = context_->Reading();
  RecordTick(*context_, controls_, time, fresh);
  ListTick(*context_, time, fresh);
  ShowReadingStatus(fresh.has_value());
}

// "No reading" while the ticks find no fresh display frame, else "Rec" while recording
// and nothing otherwise.
void PanelWindow::ShowReadingStatus(bool fresh) {
  QLabel& label = *controls_.LblRecording;
  label.setText(!fresh ? "No reading" : state_.RecordingOn ? "Rec" : "");
  label.setStyleSheet(fresh ? kRecStyle : kNoReadingStyle);
  label.resize(Px(fresh ? kRecWidth : kRecWidth + kCountWidth), label.height());
  label.setVisible(!fresh || state_.RecordingOn);
  controls_.LblCount->setVisible(fresh);
}

void PanelWindow::CheckUnfinishedRecording() {
  OfferUnfinishedRecording(*context_);
}

void PanelWindow::LblName_Click() {
  setWindowTitle(windowTitle().contains("140414") ? kPanelCaption : kPanelCaptionLong);
}

void PanelWindow::Toolbar1_ButtonClick(const QString& key) {
  using Command = void (*)(PanelContext&, PanelControls&);
  static const std::pair<const char*, Command> kCommands[] = {
      {"Save", CommandSave},         {"Open", CommandOpen},     {"Intv", CommandIntv},
      {"List", CommandList},         {"Graph", CommandGraph},   {"RTC", CommandRtc},
      {"RecSetup", CommandRecSetup}, {"Memory", CommandMemory}, {"Erase", CommandErase},
  };
  for (const auto& [name, command] : kCommands) {
    if (key == name) {
      command(*context_, controls_);
      UpdateRecordingEnabled();
      return;
    }
  }
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
  const QString text = QString::fromUtf8(hint.data(), static_cast<int>(hint.size()));
  if (text == lblLinkHint_->toolTip()) return;
  lblLinkHint_->setText(text.isEmpty() ? text : "No permission: udev rule needed");
  lblLinkHint_->setToolTip(text);
  lblLinkHint_->setVisible(!text.isEmpty());
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
