#pragma once
// The scope page of the main tab control: the settings of the next scan, the comment of the
// print-out, the sensor's cycle time and the SCAN, BREAK and PRINT buttons. It only shows
// and reads; the scope controller acts.
#include "scope/core/scope_settings.h"

#include <QWidget>

#include <string_view>

class QComboBox;
class QPushButton;
class QSpinBox;

namespace quorvane {

class CommentBox;
class Dialogs;
class NumberDisplay;

class ScopePage : public QWidget {
  Q_OBJECT
public:
  explicit ScopePage(Dialogs &dialogs, QWidget *parent = nullptr);

  [[nodiscard]] ScopeSettings settings() const;
  void setSettings(const ScopeSettings &s);
  [[nodiscard]] int recordedSignal() const;
  [[nodiscard]] int scanRate() const;
  [[nodiscard]] QString comment() const;

  void setTriggerControls(const ScopeTriggerControls &c);
  void showCycleTime(std::string_view frequency, std::string_view cycleTime);

  QSpinBox *triggerLevelBox() const { return triggerLevel_; }
  QComboBox *triggerModeRing() const { return triggerMode_; }
  QSpinBox *preTriggerBox() const { return preTrigger_; }
  QSpinBox *scanRateBox() const { return scanRate_; }
  QComboBox *recordedSignalRing() const { return recordedSignal_; }
  CommentBox *commentBox() const { return comment_; }
  QPushButton *getCycleTimeButton() const { return getCycleTime_; }
  QPushButton *scanButton() const { return scan_; }
  QPushButton *breakButton() const { return break_; }
  QPushButton *printButton() const { return print_; }
  NumberDisplay *frequencyDisplay() const { return frequency_; }
  NumberDisplay *cycleTimeDisplay() const { return cycleTime_; }

private:
  QSpinBox *triggerLevel_;
  QComboBox *triggerMode_;
  QSpinBox *preTrigger_;
  QSpinBox *scanRate_;
  QComboBox *recordedSignal_;
  CommentBox *comment_;
  QPushButton *getCycleTime_;
  NumberDisplay *frequency_;
  NumberDisplay *cycleTime_;
  QPushButton *scan_;
  QPushButton *break_;
  QPushButton *print_;
};

} // namespace quorvane
