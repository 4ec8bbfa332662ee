#include "recorder/recorder_page.h"

#include "ui/help.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QLabel>
#include <QPushButton>
#include <QShortcut>
#include <QSpinBox>
#include <QVBoxLayout>

#include <cmath>

namespace quorvane {
namespace {

constexpr double kMaxInterval = 86400.0;
constexpr double kDefaultInterval = 1.0;
constexpr int kDefaultFrames = 100;
const QString kIdleColour = QStringLiteral("#E0E0E0");
const QString kRunningColour = QStringLiteral("#FF0000");

QLabel *makeDisplay(const QString &name, const QString &accessibleName) {
  auto *label = new QLabel(QStringLiteral("0"));
  label->setObjectName(name);
  label->setAccessibleName(accessibleName);
  label->setFrameStyle(QFrame::Panel | QFrame::Sunken);
  label->setMinimumWidth(64);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  label->setTextInteractionFlags(Qt::TextSelectableByMouse);
  return label;
}

// A caption above its field, as one widget that can be hidden whole.
QWidget *captioned(const QString &caption, QWidget *field) {
  auto *box = new QWidget;
  auto *column = new QVBoxLayout(box);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(2);
  auto *label = new QLabel(caption);
  label->setBuddy(field);
  column->addWidget(label);
  column->addWidget(field);
  return box;
}

QPushButton *makeButton(const QString &text, const QString &accessibleName) {
  auto *button = new QPushButton(text);
  button->setAccessibleName(accessibleName);
  button->setMinimumHeight(32);
  return button;
}

void paint(QPushButton *button, const QString &colour) {
  button->setStyleSheet(QStringLiteral("QPushButton { background-color: %1; }").arg(colour));
}

} // namespace

RecorderPage::RecorderPage(Dialogs &dialogs, QWidget *parent) : QWidget(parent) {
  setObjectName(QStringLiteral("recorderPage"));

  mode_ = new QComboBox;
  mode_->setObjectName(QStringLiteral("recordMode"));
  mode_->setAccessibleName(QStringLiteral("RECORD MODE"));
  mode_->addItem(QStringLiteral("0: NUMBER OF VALUES"), 0);
  mode_->addItem(QStringLiteral("1: CONTINUOUS"), 1);
  mode_->addItem(QStringLiteral("2: MANUAL"), 2);
  mode_->addItem(QStringLiteral("3: TRIGGERED (AUTO SEND)"), 3);
  connect(mode_, &QComboBox::activated, this, &RecorderPage::recordModeChanged);

  interval_ = new QDoubleSpinBox;
  interval_->setObjectName(QStringLiteral("interval"));
  interval_->setAccessibleName(QStringLiteral("INTERVAL [s]"));
  interval_->setDecimals(3);
  interval_->setRange(0.0, kMaxInterval);
  interval_->setSingleStep(0.25);
  interval_->setValue(kDefaultInterval);
  // Without keyboard tracking a value counts once it is committed: Enter, leaving the field,
  // or a step of the arrow keys or spin arrows. Each recomputes the estimate.
  interval_->setKeyboardTracking(false);
  connect(interval_, &QDoubleSpinBox::valueChanged, this, &RecorderPage::intervalChanged);

  frames_ = new QSpinBox;
  frames_->setObjectName(QStringLiteral("frameCount"));
  frames_->setAccessibleName(QStringLiteral("VALUES"));
  frames_->setRange(0, 65535);
  frames_->setValue(kDefaultFrames);
  frames_->setKeyboardTracking(false);
  connect(frames_, &QSpinBox::valueChanged, this, &RecorderPage::frameCountChanged);

  days_ = makeDisplay(QStringLiteral("recordTimeDays"), QStringLiteral("DAYS"));
  hours_ = makeDisplay(QStringLiteral("recordTimeHours"), QStringLiteral("HOURS"));
  minutes_ = makeDisplay(QStringLiteral("recordTimeMinutes"), QStringLiteral("MINUTES"));
  seconds_ = makeDisplay(QStringLiteral("recordTimeSeconds"), QStringLiteral("SECONDS"));
  recorded_ = makeDisplay(QStringLiteral("recordedCount"), QStringLiteral("RECORDED"));
  remaining_ = makeDisplay(QStringLiteral("remainingCount"), QStringLiteral("REMAINING"));
  counter_ = makeDisplay(QStringLiteral("frameCounter"), QStringLiteral("FRAMES"));

  file_ = makeDisplay(QStringLiteral("recordFile"), QStringLiteral("RECORD FILE"));
  file_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  file_->setText(QString());
  file_->setMinimumWidth(0);
  file_->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
  id_ = makeDisplay(QStringLiteral("panelId"), QStringLiteral("PANEL ID"));
  id_->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  id_->setText(QString());
  writeTrouble_ = new QLabel;
  writeTrouble_->setObjectName(QStringLiteral("writeTrouble"));
  writeTrouble_->setAccessibleName(QStringLiteral("RECORD FILE WARNING"));
  writeTrouble_->setWordWrap(true);
  writeTrouble_->setStyleSheet(QStringLiteral("QLabel { color: #C00000; font-weight: bold; }"));
  writeTrouble_->hide();

  start_ = makeButton(QStringLiteral("START"), QStringLiteral("START"));
  start_->setObjectName(QStringLiteral("startButton"));
  stop_ = makeButton(QStringLiteral("STOP"), QStringLiteral("STOP"));
  stop_->setObjectName(QStringLiteral("stopButton"));
  manual_ = makeButton(QStringLiteral("RECORD ONE VALUE"), QStringLiteral("RECORD ONE VALUE"));
  manual_->setObjectName(QStringLiteral("manualRecordButton"));
  startTriggered_ =
      makeButton(QStringLiteral("START TRIGGERED"), QStringLiteral("START TRIGGERED"));
  startTriggered_->setObjectName(QStringLiteral("startTriggeredButton"));
  selectFile_ = makeButton(QStringLiteral("RECORD FILE..."), QStringLiteral("RECORD FILE..."));
  selectFile_->setObjectName(QStringLiteral("selectFileButton"));
  for (QPushButton *b : {start_, startTriggered_})
    paint(b, kIdleColour);
  connect(start_, &QPushButton::clicked, this, &RecorderPage::startRecordingClicked);
  connect(stop_, &QPushButton::clicked, this, &RecorderPage::stopRecordingClicked);
  connect(manual_, &QPushButton::clicked, this, &RecorderPage::manualRecordClicked);
  connect(startTriggered_, &QPushButton::clicked, this, &RecorderPage::startTriggeredClicked);
  connect(selectFile_, &QPushButton::clicked, this, &RecorderPage::selectFileClicked);

  // Keys an operator reaches for on this page: Ctrl+R takes one record, Escape stops.
  auto *recordKey = new QShortcut(QKeySequence(Qt::CTRL | Qt::Key_R), this);
  recordKey->setContext(Qt::WidgetWithChildrenShortcut);
  connect(recordKey, &QShortcut::activated, this, [this] {
    if (manual_->isVisible() && manual_->isEnabled()) manual_->click();
  });
  auto *stopKey = new QShortcut(QKeySequence(Qt::Key_Escape), this);
  stopKey->setContext(Qt::WidgetWithChildrenShortcut);
  connect(stopKey, &QShortcut::activated, stop_, &QPushButton::click);

  buildLayout();
  installHelpTexts(dialogs);
}

void RecorderPage::buildLayout() {
  intervalBox_ = captioned(QStringLiteral("INTERVAL [s]"), interval_);
  framesBox_ = captioned(QStringLiteral("VALUES"), frames_);
  recordedBox_ = captioned(QStringLiteral("RECORDED"), recorded_);
  remainingBox_ = captioned(QStringLiteral("REMAINING"), remaining_);
  counterBox_ = captioned(QStringLiteral("FRAMES"), counter_);

  estimateBox_ = new QGroupBox(QStringLiteral("RECORD TIME"));
  auto *estimate = new QHBoxLayout(estimateBox_);
  estimate->addWidget(captioned(QStringLiteral("DAYS"), days_));
  estimate->addWidget(captioned(QStringLiteral("HOURS"), hours_));
  estimate->addWidget(captioned(QStringLiteral("MIN"), minutes_));
  estimate->addWidget(captioned(QStringLiteral("SEC"), seconds_));

  auto *settings = new QGroupBox(QStringLiteral("RECORD SETTINGS"));
  auto *grid = new QGridLayout(settings);
  grid->addWidget(captioned(QStringLiteral("RECORD MODE"), mode_), 0, 0, 1, 2);
  grid->addWidget(intervalBox_, 1, 0);
  grid->addWidget(framesBox_, 1, 1);
  grid->addWidget(estimateBox_, 2, 0, 1, 2);

  auto *progress = new QGroupBox(QStringLiteral("PROGRESS"));
  auto *row = new QHBoxLayout(progress);
  row->addWidget(recordedBox_);
  row->addWidget(remainingBox_);
  row->addWidget(counterBox_);
  row->addStretch(1);

  auto *buttons = new QHBoxLayout;
  for (QPushButton *b : {start_, startTriggered_, manual_, stop_})
    buttons->addWidget(b);

  auto *file = new QGroupBox(QStringLiteral("RECORD FILE"));
  auto *fileGrid = new QGridLayout(file);
  fileGrid->addWidget(file_, 0, 0);
  fileGrid->addWidget(selectFile_, 0, 1);
  fileGrid->addWidget(writeTrouble_, 1, 0, 1, 2);
  fileGrid->setColumnStretch(0, 1);
  fileGrid->addWidget(captioned(QStringLiteral("PANEL ID"), id_), 2, 0, 1, 2);

  auto *page = new QVBoxLayout(this);
  page->setContentsMargins(8, 8, 8, 8);
  page->addWidget(settings);
  page->addWidget(progress);
  page->addLayout(buttons);
  page->addWidget(file);
  page->addStretch(1);
}

void RecorderPage::installHelpTexts(Dialogs &dialogs) {
  installHelp(
      {
          {mode_, QStringLiteral("Select the record mode: \n0: a number of values at a fixed "
                                 "interval. \n1: values at a fixed interval until STOP. \n2: one "
                                 "value per button press. \n3: values the sensor sends by itself "
                                 "when triggered.")},
          {interval_, QStringLiteral("Time between two records in seconds. \nMinimum 0.25 s.")},
          {frames_, QStringLiteral("Number of values to record. \n0: record until STOP.")},
          {estimateBox_, QStringLiteral("Time the recording will take.")},
          {recorded_, QStringLiteral("Number of values recorded.")},
          {remaining_, QStringLiteral("Number of values still to record.")},
          {counter_, QStringLiteral("Number of frames recorded.")},
          {file_, QStringLiteral("The record file.")},
          {id_, QStringLiteral("Sensor identification, written into the record file.")},
          {writeTrouble_, QStringLiteral("Records that could not be written to the record file.")},
          {start_, QStringLiteral("Start recording.")},
          {stop_, QStringLiteral("Stop recording. \n\nShortcut Key: Esc.")},
          {manual_, QStringLiteral("Record the last measured value. \n\nShortcut Key: Ctrl+R.")},
          {startTriggered_, QStringLiteral("Start recording the values the sensor sends when "
                                           "triggered.")},
          {selectFile_, QStringLiteral("Select the record file. \nA new header is written.")},
      },
      dialogs);
}

// --- values ---

int RecorderPage::mode() const {
  return mode_->currentData().toInt();
}

double RecorderPage::interval() const {
  return interval_->value();
}

std::uint16_t RecorderPage::numberOfFrames() const {
  return static_cast<std::uint16_t>(frames_->value());
}

void RecorderPage::setMode(int mode) {
  const int index = mode_->findData(mode);
  if (index >= 0) mode_->setCurrentIndex(index);
}

void RecorderPage::setInterval(double seconds) {
  interval_->setValue(seconds);
}

void RecorderPage::setNumberOfFrames(std::uint16_t frames) {
  frames_->setValue(frames);
}

// --- displays ---

void RecorderPage::applyControls(const RecordControls &c) {
  intervalBox_->setVisible(c.interval);
  framesBox_->setVisible(c.numberOfFrames);
  estimateBox_->setVisible(c.timeEstimate);
  recordedBox_->setVisible(c.recordedCount);
  remainingBox_->setVisible(c.remainingCount);
  counterBox_->setVisible(c.frameCounter);
  start_->setVisible(c.start);
  stop_->setVisible(c.stop);
  manual_->setVisible(c.recordOneFrame);
  startTriggered_->setVisible(c.startTriggered);
}

void RecorderPage::showEstimate(const RecordTimeEstimate &e) {
  days_->setText(QString::number(e.days));
  hours_->setText(QString::number(e.hours));
  minutes_->setText(QString::number(e.minutes));
  seconds_->setText(QString::fromStdString(e.secondsText));
}

void RecorderPage::showRecordedCount(std::uint16_t count) {
  recorded_->setText(QString::number(count));
}

void RecorderPage::showRemainingCount(std::uint16_t count) {
  remaining_->setText(QString::number(count));
}

void RecorderPage::showFrameCounter(double count) {
  counter_->setText(QString::number(count, 'f', 0));
}

void RecorderPage::showRecordFile(const QString &path) {
  file_->setText(path);
  file_->setToolTip(path);
}

void RecorderPage::showIdentification(const QString &id) {
  id_->setText(id);
}

void RecorderPage::showWriteTrouble(const QString &reason, std::uint64_t count) {
  if (reason.isEmpty()) {
    writeTrouble_->clear();
    writeTrouble_->hide();
    return;
  }
  writeTrouble_->setText(
      QStringLiteral("RECORDS ARE NOT BEING WRITTEN! %1 not written (%2).").arg(count).arg(reason));
  writeTrouble_->show();
}

void RecorderPage::setIntervalRecording(bool running) {
  interval_->setReadOnly(running);
  frames_->setReadOnly(running);
  paint(start_, running ? kRunningColour : kIdleColour);
}

void RecorderPage::setTriggeredRecording(bool running) {
  paint(startTriggered_, running ? kRunningColour : kIdleColour);
}

QLabel *RecorderPage::display(const char *name) const {
  return findChild<QLabel *>(QString::fromLatin1(name));
}

} // namespace quorvane
