#pragma once
// The recorder: chooses the record file, runs the interval loop (modes 0 and 1) and the
// auto-send loop (mode 3), records single frames (mode 2) and appends every recorded frame
// as one line to the record file. The file is opened and closed for every line, so every
// line written before a link failure or a mode change stays in it, and other programs may
// read it between lines.
#include "link/event_wait.h"
#include "live/core/measured_values.h"
#include "recorder/core/record_outcome.h"
#include "recorder/core/record_progress.h"

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
  // the frames its loops take.
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
  bool recording() const { return inLoop_; }

  // --- control callbacks ---
  void CBF_EditSelectDataRec();
  void CBF_ButtonStartRecord();
  void CBF_ButtonStopRecord();
  void CBF_ButtonStartTrigRec();
  void CBF_ButtonManualRecord();
  void CBF_ButtonSelRecFile();

  // --- the page ---
  // Shows the controls of the current mode.
  void InitRecordPanel();
  // Resets the counters shown, corrects the interval and shows the time estimate.
  void CalcRecTime();

  // --- recording ---
  void SelRecFile();
  // Starts the selected file afresh with its header; false (after telling why) if it failed.
  bool WriteFileHeader();
  void Record();
  void RecordFrame();
  void TriggeredRecord();
  void StopAutoSend();
  void RecordManually();
  // Appends one line for `values`; a line the file does not take is counted and shown.
  void ToFile(const MeasuredValues &values);

Q_SIGNALS:
  // The graph panel's seams: its point index starts over (START of modes 0 and 1, a mode
  // change), and one recorded frame is added to its graphs.
  void InitPanelGraph();
  void SetPanelGraphData(const quorvane::MeasuredValues &values);

private:
  // A frame taken by a loop: published (live displays), then graphed and written.
  void takeRecordedFrame(const MeasuredValues &values);
  // Sleeps in the event loop until `dueNs` on the clock or the loop is stopped; false when
  // the time had already passed.
  bool waitUntil(qint64 dueNs);
  // The streaming receiver's step: the next whole frame into `values`; false when the
  // loop is to end (stopped, or a failure that has been reported).
  bool receiveStreamedFrame(MeasuredValues &values, bool &hasPayload);
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
  bool inLoop_ = false;
  QElapsedTimer clock_;
  EventWait turnWait_;
};

} // namespace quorvane
