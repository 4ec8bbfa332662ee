#pragma once
// The recorder: chooses the record file, runs the recording (the interval loop of modes 0
// and 1, the auto-send loop of mode 3) as the link's Recording acquisition, records single
// frames (mode 2) and appends every recorded frame as one line to the record file. The file
// is opened and closed for every line, so every line written before a link failure or a mode
// change stays in it, and other programs may read it between lines.
#include "live/core/measured_values.h"
#include "recorder/core/record_outcome.h"
#include "recorder/core/record_progress.h"

#include <QCoroTask>
#include <QElapsedTimer>
#include <QObject>
#include <QString>

namespace quorvane {

class Dialogs;
class FramePublisher;
class RecorderPage;
class SensorLink;
class Shell;

class RecorderController : public QObject {
  Q_OBJECT
public:
  // Keeps the last frame `frames` publishes (for the record-one-frame button) and publishes
  // the frames its recordings take. Declares the link's Recording task.
  RecorderController(SensorLink &link, Shell &shell, Dialogs &dialogs, RecorderPage &page,
                     FramePublisher &frames, QObject *parent = nullptr);

  // --- records ---
  const QString &recordFilePath() const { return recordFile_; }
  void setRecordFilePath(const QString &path);
  const QString &panelId() const { return panelId_; }
  void setPanelId(const QString &id);
  const RecordProgress &progress() const { return progress_; }
  // Lines written and lost by the current (or last) recording.
  const RecordTally &tally() const { return tally_; }
  [[nodiscard]] bool recording() const;

  // --- control callbacks ---
  void recordModeChanged();
  void startRecordingClicked();
  void stopRecordingClicked();
  void startTriggeredClicked();
  void manualRecordClicked();
  void selectFileClicked();

  // --- the page ---
  // Shows the controls of the current mode.
  void showModeControls();
  // Resets the counters shown, corrects the interval and shows the time estimate.
  void estimateRecordTime();

  // --- recording ---
  void selectRecordFile();
  // Starts the selected file afresh with its header; false (after telling why) if it failed.
  bool startRecordFile();
  void recordManually();
  // Appends one line for `values`; a line the file does not take is counted and shown.
  void appendRecordLine(const MeasuredValues &values);

Q_SIGNALS:
  // A recording starts afresh (START of modes 0 and 1, a mode change), and a frame was
  // recorded; the graph panel's point index starts over on the first and it draws the second.
  void recordingStarted();
  void frameRecorded(const quorvane::MeasuredValues &values);

private:
  // Which recording the Recording task runs.
  enum class Run { Intervals, Triggered };
  void startRecording(Run run);
  // The Recording task: from the confirmation to the end message.
  QCoro::Task<> record();
  // START of modes 0 and 1, then the interval loop.
  QCoro::Task<> recordIntervals();
  QCoro::Task<> intervalLoop();
  // The triggered START: auto-send on, its loop, auto-send off.
  QCoro::Task<> recordTriggered();
  QCoro::Task<> stopAutoSend();
  // A frame taken by a recording: published (live displays), then graphed and written.
  void takeRecordedFrame(const MeasuredValues &values);
  void startTally();
  void showEndMessage();

  SensorLink &link_;
  Shell &shell_;
  Dialogs &dialogs_;
  RecorderPage &page_;
  FramePublisher &frames_;

  QString recordFile_;
  QString panelId_;
  MeasuredValues last_{};
  bool haveFrame_ = false;
  RecordProgress progress_;
  RecordTally tally_;
  Run run_ = Run::Intervals;
  QElapsedTimer clock_;
};

} // namespace quorvane
