#include "recorder/recorder_controller.h"

#include "link/core/frame.h"
#include "link/sensor_link.h"
#include "link/transport.h"
#include "live/frame_publisher.h"
#include "recorder/core/line_append.h"
#include "recorder/core/record_file.h"
#include "recorder/core/record_modes.h"
#include "recorder/core/record_time.h"
#include "recorder/recorder_page.h"
#include "ui/dialogs.h"
#include "ui/shell.h"

#include <QFileInfo>
#include <QPushButton>

#include <chrono>
#include <ctime>

namespace quorvane {
namespace {

const QString kAttention = QStringLiteral("ATTENTION!");
const QString kRightFileName =
    QStringLiteral("Are you sure, that you have selected the right file name?");
const QString kNotOpenElsewhere = QStringLiteral(
    " Make sure, that the file is not opened by any other program. \n Otherwise it can not be "
    "saved.");
const QString kNoFileName =
    QStringLiteral("No filename was selected! \nRecording will not be done! ");
const QString kFileExists =
    QStringLiteral("File already exist! \nDo you want to select existing file?");
const QString kFileDialogTitle = QStringLiteral("FILENAME!");
// A serial line that failed while the sensor was streaming.
const QString kLineFault =
    QStringLiteral("TIMEOUT! \nCOMMUNICATION ERROR! \nCHECK POWER SUPPLY AND "
                   "COM SETTINGS. \nTRY TO CONNECT AGAIN!");

QString text(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

} // namespace

RecorderController::RecorderController(SensorLink &link, Shell &shell, Dialogs &dialogs,
                                       RecorderPage &page, FramePublisher &frames, QObject *parent)
    : QObject(parent), link_(link), shell_(shell), dialogs_(dialogs), page_(page), frames_(frames) {
  clock_.start();
  connect(&frames_, &FramePublisher::frame, this, [this](const MeasuredValues &values) {
    last_ = values;
    haveFrame_ = true;
  });
  // A STOP, a mode change or a link failure ends the wait between two requests at once.
  connect(&link_, &SensorLink::acquisitionChanged, &turnWait_, [this] { turnWait_.wake(); });

  connect(&page_, &RecorderPage::CBF_EditSelectDataRec, this,
          &RecorderController::CBF_EditSelectDataRec);
  connect(&page_, &RecorderPage::CBF_EditInterval, this, &RecorderController::CalcRecTime);
  connect(&page_, &RecorderPage::CBF_EditRecVal, this, &RecorderController::CalcRecTime);
  connect(&page_, &RecorderPage::CBF_ButtonStartRecord, this,
          &RecorderController::CBF_ButtonStartRecord);
  connect(&page_, &RecorderPage::CBF_ButtonStopRecord, this,
          &RecorderController::CBF_ButtonStopRecord);
  connect(&page_, &RecorderPage::CBF_ButtonStartTrigRec, this,
          &RecorderController::CBF_ButtonStartTrigRec);
  connect(&page_, &RecorderPage::CBF_ButtonManualRecord, this,
          &RecorderController::CBF_ButtonManualRecord);
  connect(&page_, &RecorderPage::CBF_ButtonSelRecFile, this,
          &RecorderController::CBF_ButtonSelRecFile);
  InitRecordPanel();
  CalcRecTime();
}

void RecorderController::setRecordFilePath(const QString &path) {
  recordFile_ = path;
  page_.showRecordFile(path);
}

void RecorderController::setPanelId(const QString &id) {
  panelId_ = id;
  page_.showIdentification(id);
}

// --- control callbacks ---------------------------------------------------------------------

void RecorderController::CBF_EditSelectDataRec() {
  link_.stopAcquisition();
  const int mode = page_.mode();
  if (mode == static_cast<int>(RecordMode::Manual)) {
    progress_ = RecordProgress();
    page_.showRecordedCount(progress_.recordedCount());
    startTally();
  }
  if (mode == static_cast<int>(RecordMode::Counted)) CalcRecTime();
  Q_EMIT InitPanelGraph();
  InitRecordPanel();
}

void RecorderController::CBF_ButtonStartRecord() {
  if (inLoop_ || !isIntervalMode(page_.mode())) return;
  shell_.SetButtonsDimmed(false, true);
  Q_EMIT InitPanelGraph();
  Record();
  shell_.SetButtonsDimmed(false, false);
}

void RecorderController::CBF_ButtonStopRecord() {
  link_.stopAcquisition();
}

void RecorderController::CBF_ButtonStartTrigRec() {
  if (inLoop_ || page_.mode() != static_cast<int>(RecordMode::Triggered)) return;
  TriggeredRecord();
}

void RecorderController::CBF_ButtonManualRecord() {
  RecordManually();
}

void RecorderController::CBF_ButtonSelRecFile() {
  SelRecFile();
}

// --- the page ------------------------------------------------------------------------------

void RecorderController::InitRecordPanel() {
  page_.applyControls(recordControlsFor(page_.mode()));
}

void RecorderController::CalcRecTime() {
  const std::uint16_t frames = page_.numberOfFrames();
  page_.showRecordedCount(0);
  page_.showRemainingCount(frames);
  const RecordTimeEstimate estimate = quorvane::CalcRecTime(page_.interval(), frames);
  if (estimate.interval.corrected) page_.setInterval(estimate.interval.seconds);
  page_.showEstimate(estimate);
}

// --- the record file -----------------------------------------------------------------------

void RecorderController::SelRecFile() {
  const QString directory = QFileInfo(recordFile_).absolutePath();
  const FileSelection chosen =
      dialogs_.selectFile(directory, text(kRecordFileDefaultName), text(kRecordFileFilter),
                          kFileDialogTitle, FileDialogMode::SaveCallerConfirms);
  switch (chosen.result) {
  case FileSelectResult::Cancelled:
    dialogs_.message(kAttention, kNoFileName);
    return;
  case FileSelectResult::ExistingFile:
    // The dialog does not ask about replacing it: this is the only question. On No the file
    // in use stays the one shown.
    if (!dialogs_.confirm(kAttention, kFileExists)) return;
    dialogs_.message(kAttention, kNotOpenElsewhere);
    break;
  case FileSelectResult::NewFile:
    break;
  }
  if (chosen.path.isEmpty()) {
    dialogs_.message(kAttention, kNoFileName);
    return;
  }
  setRecordFilePath(chosen.path);
  (void)WriteFileHeader();
}

bool RecorderController::WriteFileHeader() {
  const FileWriteResult r =
      startFileWith(recordFile_.toStdString(), recordFileHeaderText(panelId_.toStdString()));
  if (r.ok()) return true;
  dialogs_.message(kAttention, QStringLiteral("The record file could not be written! \n%1 \n(%2)")
                                   .arg(recordFile_, text(r.message())));
  return false;
}

void RecorderController::ToFile(const MeasuredValues &values) {
  const std::string line = recordLineText(localRecordTimestamp(std::time(nullptr)), values);
  const FileWriteResult r = appendLineToFile(recordFile_.toStdString(), line);
  tally_.add(r);
  if (!r.ok()) page_.showWriteTrouble(text(r.message()), tally_.failed());
}

void RecorderController::startTally() {
  tally_ = RecordTally();
  page_.showWriteTrouble(QString(), 0);
}

void RecorderController::showEndMessage() {
  dialogs_.message(text(tally_.endTitle()), QString::fromStdString(tally_.endMessage()));
}

// --- modes 0 and 1: the interval loop ------------------------------------------------------

void RecorderController::Record() {
  if (!dialogs_.confirm(kAttention, kRightFileName)) return;
  dialogs_.message(kAttention, kNotOpenElsewhere);
  page_.setIntervalRecording(true);
  RecordFrame();
  showEndMessage();
  page_.setIntervalRecording(false);
}

void RecorderController::RecordFrame() {
  if (inLoop_ || !link_.beginLoop(Acquisition::Recording)) return;
  inLoop_ = true;
  progress_ = RecordProgress(page_.numberOfFrames());
  startTally();
  CalcRecTime();
  const double interval = correctRecordInterval(page_.interval()).seconds;
  page_.showFrameCounter(0);

  qint64 turnStart = clock_.nsecsElapsed();
  while (link_.acquisitionRunning()) {
    if (link_.exchange(Order::ReadMeasurement, 0) == 1)
      takeRecordedFrame(decodeMeasuredValues(link_.replyPayload()));
    // Counted after every attempt, also a failed one (which has ended the loop).
    const int mode = page_.mode();
    progress_.countAttempt(mode);
    if (mode == static_cast<int>(RecordMode::Counted)) {
      page_.showRecordedCount(progress_.recordedCount());
      page_.showRemainingCount(progress_.remainingCount());
      if (progress_.finished()) link_.stopAcquisition();
    } else if (mode == static_cast<int>(RecordMode::Endless)) {
      page_.showFrameCounter(progress_.frameCounter());
    }
    if (!link_.acquisitionRunning()) break;
    // The next turn starts when this one was due to end, so timer latency does not add up
    // over a long recording; after an exchange that overran the interval it starts now.
    const qint64 due = turnStart + static_cast<qint64>(interval * 1e9);
    turnStart = waitUntil(due) ? due : clock_.nsecsElapsed();
  }
  if (link_.acquisition() == Acquisition::Recording) link_.stopAcquisition();
  inLoop_ = false;
}

bool RecorderController::waitUntil(qint64 dueNs) {
  const qint64 remaining = dueNs - clock_.nsecsElapsed();
  if (remaining <= 0) return false;
  (void)turnWait_.until([this] { return !link_.acquisitionRunning(); },
                        std::chrono::nanoseconds(remaining));
  return true;
}

void RecorderController::takeRecordedFrame(const MeasuredValues &values) {
  frames_.publish(values);
  Q_EMIT SetPanelGraphData(values);
  ToFile(values);
}

// --- mode 3: frames the sensor sends when triggered ----------------------------------------

void RecorderController::TriggeredRecord() {
  if (!dialogs_.confirm(kAttention, kRightFileName)) return;
  shell_.SetButtonsDimmed(false, true);
  dialogs_.message(kAttention, kNotOpenElsewhere);
  page_.setTriggeredRecording(true);
  startTally();
  if (link_.exchange(Order::AutoSend, 1) == 1) {
    // Frames that followed the reply at once are already in the buffer; keep them.
    link_.consume(static_cast<int>(kHeaderSize) + link_.replyHeader().dataLength);
    if (!inLoop_ && link_.beginLoop(Acquisition::Recording)) {
      inLoop_ = true;
      progress_ = RecordProgress();
      page_.showFrameCounter(0);
      MeasuredValues values{};
      bool hasPayload = false;
      while (link_.acquisitionRunning() && receiveStreamedFrame(values, hasPayload)) {
        if (!hasPayload) continue; // a header-only frame carries nothing to record
        progress_.countTriggered();
        takeRecordedFrame(values);
        page_.showFrameCounter(progress_.frameCounter());
      }
      if (link_.acquisition() == Acquisition::Recording) link_.stopAcquisition();
      inLoop_ = false;
    }
    StopAutoSend();
  }
  showEndMessage();
  page_.setTriggeredRecording(false);
  shell_.SetButtonsDimmed(false, false);
}

bool RecorderController::receiveStreamedFrame(MeasuredValues &values, bool &hasPayload) {
  // No time limit: the sensor sends only when it is triggered.
  if (!link_.waitForReceived(static_cast<int>(kHeaderSize))) {
    // A stop, or a closed server, has been dealt with; a serial line that failed has not.
    if (link_.acquisitionRunning()) link_.report(kLineFault);
    return false;
  }
  if (link_.CheckHeaderCRC() != 1) return false;
  const int length = link_.replyHeader().dataLength;
  if (length != 0 && link_.GetDataFrame() != 1) return false;
  hasPayload = length != 0;
  if (hasPayload) values = decodeMeasuredValues(link_.replyPayload());
  link_.consume(static_cast<int>(kHeaderSize) + length);
  return true;
}

void RecorderController::StopAutoSend() {
  // With the line gone there is nobody to tell, and a second failure report would follow.
  const Transport *t = link_.transport();
  if (t == nullptr || !t->isOpen()) return;
  (void)link_.exchange(Order::AutoSend, 0);
}

// --- mode 2: one frame per button press ----------------------------------------------------

void RecorderController::RecordManually() {
  if (!haveFrame_) {
    dialogs_.message(kAttention, QStringLiteral("No value has been measured yet! \nStart a "
                                                "measurement with GO first."));
    return;
  }
  page_.manualButton()->setEnabled(false);
  Q_EMIT SetPanelGraphData(last_);
  ToFile(last_);
  progress_.countManual();
  page_.showRecordedCount(progress_.recordedCount());
  page_.manualButton()->setEnabled(true);
}

} // namespace quorvane
