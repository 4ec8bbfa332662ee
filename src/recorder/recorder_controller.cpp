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
  link_.setAcquisitionTask(Acquisition::Recording, [this] { return record(); });

  connect(&page_, &RecorderPage::recordModeChanged, this, &RecorderController::recordModeChanged);
  connect(&page_, &RecorderPage::intervalChanged, this, &RecorderController::estimateRecordTime);
  connect(&page_, &RecorderPage::frameCountChanged, this, &RecorderController::estimateRecordTime);
  connect(&page_, &RecorderPage::startRecordingClicked, this,
          &RecorderController::startRecordingClicked);
  connect(&page_, &RecorderPage::stopRecordingClicked, this,
          &RecorderController::stopRecordingClicked);
  connect(&page_, &RecorderPage::startTriggeredClicked, this,
          &RecorderController::startTriggeredClicked);
  connect(&page_, &RecorderPage::manualRecordClicked, this,
          &RecorderController::manualRecordClicked);
  connect(&page_, &RecorderPage::selectFileClicked, this, &RecorderController::selectFileClicked);
  showModeControls();
  estimateRecordTime();
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

void RecorderController::recordModeChanged() {
  link_.stopAcquisition();
  const int mode = page_.mode();
  if (mode == static_cast<int>(RecordMode::Manual)) {
    progress_ = RecordProgress();
    page_.showRecordedCount(progress_.recordedCount());
    startTally();
  }
  if (mode == static_cast<int>(RecordMode::Counted)) estimateRecordTime();
  Q_EMIT recordingStarted();
  showModeControls();
}

void RecorderController::startRecordingClicked() {
  if (!isIntervalMode(page_.mode())) return;
  startRecording(Run::Intervals);
}

void RecorderController::stopRecordingClicked() {
  link_.stopAcquisition();
}

void RecorderController::startTriggeredClicked() {
  if (page_.mode() != static_cast<int>(RecordMode::Triggered)) return;
  startRecording(Run::Triggered);
}

void RecorderController::manualRecordClicked() {
  recordManually();
}

void RecorderController::selectFileClicked() {
  selectRecordFile();
}

// --- the page ------------------------------------------------------------------------------

void RecorderController::showModeControls() {
  page_.applyControls(recordControlsFor(page_.mode()));
}

void RecorderController::estimateRecordTime() {
  const std::uint16_t frames = page_.numberOfFrames();
  page_.showRecordedCount(0);
  page_.showRemainingCount(frames);
  const RecordTimeEstimate estimate = quorvane::estimateRecordTime(page_.interval(), frames);
  if (estimate.interval.corrected) page_.setInterval(estimate.interval.seconds);
  page_.showEstimate(estimate);
}

// --- the record file -----------------------------------------------------------------------

void RecorderController::selectRecordFile() {
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
  (void)startRecordFile();
}

bool RecorderController::startRecordFile() {
  const FileWriteResult r =
      startFileWith(recordFile_.toStdString(), recordFileHeaderText(panelId_.toStdString()));
  if (r.ok()) return true;
  dialogs_.message(kAttention, QStringLiteral("The record file could not be written! \n%1 \n(%2)")
                                   .arg(recordFile_, text(r.message())));
  return false;
}

void RecorderController::appendRecordLine(const MeasuredValues &values) {
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

// --- the recording ------------------------------------------------------------------------

void RecorderController::startRecording(Run run) {
  // A recording or another acquisition already holds the link.
  if (link_.acquisition() != Acquisition::Idle) return;
  run_ = run;
  (void)link_.startAcquisition(Acquisition::Recording);
}

bool RecorderController::recording() const {
  return link_.acquisition() == Acquisition::Recording;
}

QCoro::Task<> RecorderController::record() {
  if (run_ == Run::Triggered)
    co_await recordTriggered();
  else
    co_await recordIntervals();
}

// --- modes 0 and 1: the interval loop ------------------------------------------------------

QCoro::Task<> RecorderController::recordIntervals() {
  shell_.setBusy(false, true);
  Q_EMIT recordingStarted();
  if (dialogs_.confirm(kAttention, kRightFileName)) {
    dialogs_.message(kAttention, kNotOpenElsewhere);
    page_.setIntervalRecording(true);
    co_await intervalLoop();
    showEndMessage();
    page_.setIntervalRecording(false);
  }
  shell_.setBusy(false, false);
}

QCoro::Task<> RecorderController::intervalLoop() {
  progress_ = RecordProgress(page_.numberOfFrames());
  startTally();
  estimateRecordTime();
  const auto interval = std::chrono::nanoseconds(
      static_cast<qint64>(correctRecordInterval(page_.interval()).seconds * 1e9));
  page_.showFrameCounter(0);

  qint64 turnStart = clock_.nsecsElapsed();
  while (link_.acquisitionRunning()) {
    // A procedure asked for meanwhile goes out whole between two turns.
    co_await link_.servePending();
    if (!link_.acquisitionRunning()) break;
    const LinkReply reply = co_await link_.request(Order::ReadMeasurement, 0);
    if (reply) takeRecordedFrame(decodeMeasuredValues(reply.payload));
    // Counted after every attempt, also a failed one (which has ended the loop).
    const int mode = page_.mode();
    progress_.countAttempt(mode);
    if (mode == static_cast<int>(RecordMode::Counted)) {
      page_.showRecordedCount(progress_.recordedCount());
      page_.showRemainingCount(progress_.remainingCount());
      if (progress_.finished()) break;
    } else if (mode == static_cast<int>(RecordMode::Endless)) {
      page_.showFrameCounter(progress_.frameCounter());
    }
    if (!link_.acquisitionRunning()) break;
    // The next turn starts when this one was due to end, so timer latency does not add up
    // over a long recording; after an exchange that overran the interval it starts now.
    const qint64 due = turnStart + interval.count();
    const qint64 remaining = due - clock_.nsecsElapsed();
    if (remaining <= 0) {
      turnStart = clock_.nsecsElapsed();
      continue;
    }
    // Rounded up: a turn never starts before it is due.
    if (!co_await link_.pause(
            std::chrono::ceil<std::chrono::milliseconds>(std::chrono::nanoseconds(remaining))))
      break;
    turnStart = due;
  }
}

void RecorderController::takeRecordedFrame(const MeasuredValues &values) {
  frames_.publish(values);
  Q_EMIT frameRecorded(values);
  appendRecordLine(values);
}

// --- mode 3: frames the sensor sends when triggered ----------------------------------------

QCoro::Task<> RecorderController::recordTriggered() {
  if (!dialogs_.confirm(kAttention, kRightFileName)) co_return;
  shell_.setBusy(false, true);
  dialogs_.message(kAttention, kNotOpenElsewhere);
  page_.setTriggeredRecording(true);
  startTally();
  const LinkReply started = co_await link_.request(Order::AutoSend, 1);
  if (started) {
    // Frames that followed the reply at once are already in the buffer; keep them.
    link_.consume(static_cast<int>(kHeaderSize) + started.header.dataLength);
    progress_ = RecordProgress();
    page_.showFrameCounter(0);
    while (link_.acquisitionRunning()) {
      // No time limit for a frame to begin: the sensor sends only when it is triggered.
      const StreamedFrame frame = co_await link_.receiveFrame();
      // A closed server has been reported; a serial line that failed has not.
      if (frame.end == StreamEnd::LineFault) link_.report(kLineFault);
      if (frame.end != StreamEnd::Complete) break;
      if (frame.reply.payload.empty()) continue; // a header-only frame carries nothing
      progress_.countTriggered();
      takeRecordedFrame(decodeMeasuredValues(frame.reply.payload));
      page_.showFrameCounter(progress_.frameCounter());
    }
    co_await stopAutoSend();
  }
  showEndMessage();
  page_.setTriggeredRecording(false);
  shell_.setBusy(false, false);
}

QCoro::Task<> RecorderController::stopAutoSend() {
  // With the line gone there is nobody to tell, and a second failure report would follow.
  // A line still open is told even after a failure, or the sensor would go on sending.
  const Transport *t = link_.transport();
  if (t == nullptr || !t->isOpen()) co_return;
  (void)co_await link_.request(Order::AutoSend, 0);
}

// --- mode 2: one frame per button press ----------------------------------------------------

void RecorderController::recordManually() {
  if (!haveFrame_) {
    dialogs_.message(kAttention, QStringLiteral("No value has been measured yet! \nStart a "
                                                "measurement with GO first."));
    return;
  }
  page_.manualButton()->setEnabled(false);
  Q_EMIT frameRecorded(last_);
  appendRecordLine(last_);
  progress_.countManual();
  page_.showRecordedCount(progress_.recordedCount());
  page_.manualButton()->setEnabled(true);
}

} // namespace quorvane
