#include "scope/scope_page.h"
#include "ui/named_button.h"

#include "scope/comment_box.h"
#include "scope/scope_help.h"
#include "ui/display_widgets.h"
#include "ui/help.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace quorvane {
namespace {

QSpinBox *spinBox(const QString &name, const char *callback, int min, int max, QWidget *parent) {
  auto *box = new QSpinBox(parent);
  box->setAccessibleName(name);
  box->setObjectName(QString::fromLatin1(callback));
  box->setRange(min, max);
  return box;
}

} // namespace

ScopePage::ScopePage(Dialogs &dialogs, QWidget *parent) : QWidget(parent) {
  namespace h = scope_help;
  setAccessibleName(QStringLiteral("SCOPE"));

  auto *settingsBox = new QGroupBox(QStringLiteral("SCAN SETTINGS"), this);
  auto *form = new QFormLayout(settingsBox);
  triggerLevel_ = spinBox(QStringLiteral("TRIGGER LEVEL"), "triggerLevel", 0, 65535, settingsBox);
  triggerLevel_->setValue(2000);
  triggerMode_ = new QComboBox(settingsBox);
  triggerMode_->setAccessibleName(QStringLiteral("TRIGGER MODE"));
  triggerMode_->setObjectName(QStringLiteral("triggerMode"));
  for (std::size_t i = 0; i < kScopeTriggerModeNames.size(); ++i)
    triggerMode_->addItem(
        QString::fromLatin1(kScopeTriggerModeNames[i].data(),
                            static_cast<qsizetype>(kScopeTriggerModeNames[i].size())),
        static_cast<int>(i));
  preTrigger_ = spinBox(QStringLiteral("PRE-TRIGGER"), "preTrigger", 0,
                        static_cast<int>(kScopeSamples) - 1, settingsBox);
  preTrigger_->setValue(20);
  scanRate_ = spinBox(QStringLiteral("SCAN RATE"), "scanRate", 1, 65535, settingsBox);
  recordedSignal_ = new QComboBox(settingsBox);
  recordedSignal_->setAccessibleName(QStringLiteral("RECORDED SIGNAL"));
  recordedSignal_->setObjectName(QStringLiteral("recordedSignal"));
  recordedSignal_->addItem(QStringLiteral("0: RED GREEN BLUE"), 0);
  recordedSignal_->addItem(QStringLiteral("1: X Y INT (s i M)"), 1);
  recordedSignal_->addItem(QStringLiteral("2: ANALOG OUTPUTS"), 2);
  form->addRow(QStringLiteral("TRIGGER MODE"), triggerMode_);
  form->addRow(QStringLiteral("TRIGGER LEVEL"), triggerLevel_);
  form->addRow(QStringLiteral("PRE-TRIGGER"), preTrigger_);
  form->addRow(QStringLiteral("SCAN RATE"), scanRate_);
  form->addRow(QStringLiteral("RECORDED SIGNAL"), recordedSignal_);

  auto *timeBox = new QGroupBox(QStringLiteral("SENSOR CYCLE TIME"), this);
  auto *timeForm = new QFormLayout(timeBox);
  getCycleTime_ = namedButton(QStringLiteral("GET CYCLE TIME"), "getCycleTimeButton", timeBox);
  frequency_ = new NumberDisplay(QStringLiteral("SCAN FREQUENCY [Hz]"), timeBox);
  cycleTime_ = new NumberDisplay(QStringLiteral("CYCLE TIME [ms]"), timeBox);
  timeForm->addRow(getCycleTime_);
  timeForm->addRow(QStringLiteral("SCAN FREQUENCY [Hz]"), frequency_);
  timeForm->addRow(QStringLiteral("CYCLE TIME [ms]"), cycleTime_);

  auto *commentCaption = new QLabel(QStringLiteral("COMMENT"), this);
  comment_ = new CommentBox(QStringLiteral("COMMENT"), h::kComment, dialogs, this);
  comment_->setMaximumHeight(90);

  scan_ = namedButton(QStringLiteral("SCAN"), "scanButton", this);
  break_ = namedButton(QStringLiteral("BREAK"), "breakButton", this);
  print_ = namedButton(QStringLiteral("PRINT"), "printButton", this);
  scan_->setShortcut(QKeySequence(Qt::Key_F5));
  print_->setShortcut(QKeySequence::Print);
  break_->setEnabled(false); // usable only while a scan waits

  auto *buttons = new QHBoxLayout;
  buttons->addWidget(scan_);
  buttons->addWidget(break_);
  buttons->addStretch();
  buttons->addWidget(print_);

  // One above the other: side by side they are wider than the page's pane.
  auto *layout = new QVBoxLayout(this);
  layout->addWidget(settingsBox);
  layout->addWidget(timeBox);
  layout->addWidget(commentCaption);
  layout->addWidget(comment_);
  layout->addLayout(buttons);
  layout->addStretch();

  installHelp({{triggerLevel_, h::kTriggerLevel},
               {triggerMode_, h::kTriggerMode},
               {preTrigger_, h::kPreTrigger},
               {scanRate_, h::kScanRate},
               {recordedSignal_, h::kRecordedSignal},
               {getCycleTime_, h::kGetCycleTime},
               {frequency_, h::kScanFrequency},
               {cycleTime_, h::kCycleTime},
               {scan_, h::kScan},
               {break_, h::kBreak},
               {print_, h::kPrint}},
              dialogs);
  showCycleTime("0.00", "0");
}

ScopeSettings ScopePage::settings() const {
  ScopeSettings s;
  s.triggerLevel = static_cast<std::uint16_t>(triggerLevel_->value());
  s.triggerMode = static_cast<std::uint16_t>(triggerMode_->currentData().toInt());
  s.preTrigger = static_cast<std::uint16_t>(preTrigger_->value());
  s.scanRate = static_cast<std::uint16_t>(scanRate_->value());
  s.recordedSignal = static_cast<std::uint16_t>(recordedSignal());
  return s;
}

void ScopePage::setSettings(const ScopeSettings &s) {
  triggerLevel_->setValue(s.triggerLevel);
  triggerMode_->setCurrentIndex(std::max(0, triggerMode_->findData(int{s.triggerMode})));
  preTrigger_->setValue(s.preTrigger);
  scanRate_->setValue(s.scanRate);
  recordedSignal_->setCurrentIndex(std::max(0, recordedSignal_->findData(int{s.recordedSignal})));
}

int ScopePage::recordedSignal() const {
  return recordedSignal_->currentData().toInt();
}

int ScopePage::scanRate() const {
  return scanRate_->value();
}

QString ScopePage::comment() const {
  return comment_->toPlainText(); // the box keeps it within its limit
}

void ScopePage::setTriggerControls(const ScopeTriggerControls &c) {
  preTrigger_->setEnabled(c.preTriggerUsable);
  triggerLevel_->setEnabled(c.triggerLevelUsable);
}

void ScopePage::showCycleTime(std::string_view frequency, std::string_view cycleTime) {
  frequency_->showText(frequency);
  cycleTime_->showText(cycleTime);
}

} // namespace quorvane
