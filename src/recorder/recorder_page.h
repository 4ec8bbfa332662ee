#pragma once
// The RECORDER page: record mode, interval, number of frames, time estimate, counters,
// record file and sensor identification, and the buttons that start, stop and take
// single records. It only shows and reads; the controller decides.
#include "recorder/core/record_modes.h"
#include "recorder/core/record_time.h"

#include <QWidget>

#include <cstdint>

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace quorvane {

class Dialogs;

class RecorderPage : public QWidget {
  Q_OBJECT
public:
  explicit RecorderPage(Dialogs &dialogs, QWidget *parent = nullptr);

  // --- values the controller reads ---
  [[nodiscard]] int mode() const;
  [[nodiscard]] double interval() const;
  [[nodiscard]] std::uint16_t numberOfFrames() const;

  // --- what the controller shows ---
  void setMode(int mode);
  void setInterval(double seconds);
  void setNumberOfFrames(std::uint16_t frames);
  void applyControls(const RecordControls &controls);
  void showEstimate(const RecordTimeEstimate &estimate);
  void showRecordedCount(std::uint16_t count);
  void showRemainingCount(std::uint16_t count);
  void showFrameCounter(double count);
  void showRecordFile(const QString &path);
  void showIdentification(const QString &id);
  // Lines the file did not take: `reason` of the first, `count` so far; an empty reason
  // hides the warning.
  void showWriteTrouble(const QString &reason, std::uint64_t count);
  // A running interval recording: interval, number of frames and START locked, START red.
  void setIntervalRecording(bool running);
  // A running triggered recording: its START red.
  void setTriggeredRecording(bool running);

  // --- controls (for wiring the busy lock, tests and the screenshots) ---
  QComboBox *modeSelector() const { return mode_; }
  QDoubleSpinBox *intervalEdit() const { return interval_; }
  QSpinBox *framesEdit() const { return frames_; }
  QPushButton *startButton() const { return start_; }
  QPushButton *stopButton() const { return stop_; }
  QPushButton *manualButton() const { return manual_; }
  QPushButton *startTriggeredButton() const { return startTriggered_; }
  QPushButton *selectFileButton() const { return selectFile_; }
  // A display by its object name (e.g. "remainingCount"); null when there is none.
  QLabel *display(const char *name) const;

Q_SIGNALS:
  void recordModeChanged();
  // Interval or number of frames changed: committed after typing, or stepped.
  void intervalChanged();
  void frameCountChanged();
  void startRecordingClicked();
  void stopRecordingClicked();
  void manualRecordClicked();
  void startTriggeredClicked();
  void selectFileClicked();

private:
  void buildLayout();
  void installHelpTexts(Dialogs &dialogs);

  QComboBox *mode_;
  QDoubleSpinBox *interval_;
  QSpinBox *frames_;
  QWidget *intervalBox_;
  QWidget *framesBox_;
  QWidget *estimateBox_;
  QWidget *recordedBox_;
  QWidget *remainingBox_;
  QWidget *counterBox_;
  QLabel *days_;
  QLabel *hours_;
  QLabel *minutes_;
  QLabel *seconds_;
  QLabel *recorded_;
  QLabel *remaining_;
  QLabel *counter_;
  QLabel *file_;
  QLabel *id_;
  QLabel *writeTrouble_;
  QPushButton *start_;
  QPushButton *stop_;
  QPushButton *manual_;
  QPushButton *startTriggered_;
  QPushButton *selectFile_;
};

} // namespace quorvane
