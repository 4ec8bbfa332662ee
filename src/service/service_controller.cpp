#include "service/service_controller.h"

#include "link/sensor_link.h"
#include "live/frame_publisher.h"
#include "live/live_controller.h"
#include "params/parameter_controller.h"
#include "service/calibration_page.h"
#include "service/core/service_texts.h"
#include "service/offset_page.h"
#include "ui/dialogs.h"
#include "ui/shell.h"

#include <QPushButton>

#include <optional>
#include <vector>

namespace quorvane {
namespace {

QString qs(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

void show(Dialogs &dialogs, const servicetext::Message &m) {
  dialogs.message(qs(m.title), qs(m.text));
}

} // namespace

ServiceController::ServiceController(SensorLink &link, Shell &shell, Dialogs &dialogs,
                                     FramePublisher &frames, LiveController &live,
                                     CalibrationPage &calibration, OffsetPage &offset,
                                     QObject *parent)
    : QObject(parent), link_(link), shell_(shell), dialogs_(dialogs), frames_(frames), live_(live),
      page_(calibration), offsetPage_(offset) {
  connect(&frames_, &FramePublisher::frame, this, &ServiceController::SetPanelCalibData);

  const auto wire = [this](QPushButton *button, void (ServiceController::*callback)()) {
    connect(button, &QPushButton::clicked, this, callback);
    shell_.addBusyControl(button, BusyGroup::PageAction);
  };
  wire(page_.calcCFButton(), &ServiceController::CBF_ButtonCalcCF);
  wire(page_.getCFButton(), &ServiceController::CBF_ButtonGetCF);
  wire(page_.sendCFButton(), &ServiceController::CBF_ButtonSendCF);
  wire(page_.selfCalibrationButton(), &ServiceController::CBF_ButtonSelfCalibration);
  wire(offsetPage_.getOffsetButton(), &ServiceController::CBF_ButtonGetOffset);
  wire(offsetPage_.calcOffsetButton(), &ServiceController::CBF_ButtonCalcOffset);
  wire(offsetPage_.sendOffsetButton(), &ServiceController::CBF_ButtonSendOffset);
}

template <typename Operation> void ServiceController::dimmedWhile(Operation operation) {
  shell_.SetButtonsDimmed(false, true);
  operation();
  shell_.SetButtonsDimmed(false, false);
}

// --- control callbacks ---------------------------------------------------------------------

void ServiceController::CBF_ButtonCalcCF() {
  if (!dialogs_.confirm(qs(servicetext::kSendPowerConfirm.title),
                        qs(servicetext::kSendPowerConfirm.text)))
    return;
  runStopped_ = false;
  dimmedWhile([this] {
    // The message says the factors were sent, so it waits for the sensor's acceptance.
    if (CalcCF() == 1 && SendCF() == 1) show(dialogs_, servicetext::kCalibrationPassed);
  });
  // GO mode: the operator watches the raw values of the target. Not after a link failure
  // (it would only fail again) nor after the operator stopped the run.
  if (link_.linkOk() && !runStopped_) live_.CBF_ButtonGo();
}

void ServiceController::CBF_ButtonGetCF() {
  dimmedWhile([this] { (void)GetCF(); });
}

void ServiceController::CBF_ButtonSendCF() {
  dimmedWhile([this] { (void)SendCF(); });
}

void ServiceController::CBF_ButtonSelfCalibration() {
  dimmedWhile([this] { (void)StartSelfCalibration(); });
}

void ServiceController::CBF_ButtonGetOffset() {
  dimmedWhile([this] { (void)GetCF(); });
}

void ServiceController::CBF_ButtonCalcOffset() {
  dimmedWhile([this] { (void)CalcOffset(); });
}

void ServiceController::CBF_ButtonSendOffset() {
  dimmedWhile([this] { (void)SendOffset(); });
}

// --- operations ----------------------------------------------------------------------------

int ServiceController::CalcCF() {
  // Every exchange empties both queues of the transport before it sends.
  link_.stopAcquisition();
  if (!dialogs_.confirm(qs(servicetext::kCalculationConfirm.title),
                        qs(servicetext::kCalculationConfirm.text))) {
    show(dialogs_, servicetext::kCalculationDeclined);
    return -1;
  }
  // The run holds the link like a loop, so STOP and a switch to the connection page end it.
  if (!link_.beginLoop(Acquisition::Calibration)) return -1;
  std::vector<MeasuredValues> taken;
  taken.reserve(kCalibrationFrames);
  FrameRun run = FrameRun::Complete;
  for (std::size_t i = 0; i < kCalibrationFrames; ++i) {
    if (progressChangesAt(i)) page_.setProgressColour(progressColourAt(i));
    if (!link_.acquisitionRunning()) break;
    // The first failed frame ends the run: the link has reported it once, and averaging
    // fewer frames as if they were 100 would give wrong factors.
    if (link_.exchange(Order::ReadMeasurement, 0) != 1) {
      run = FrameRun::Failed;
      break;
    }
    taken.push_back(decodeMeasuredValues(link_.replyPayload()));
    frames_.publish(taken.back());
  }
  // A link failure stops the run too, but clears linkOk and has reported itself. The
  // operator's stop counts even when it came during the last frame.
  runStopped_ = link_.linkOk() && !link_.acquisitionRunning();
  link_.stopAcquisition();
  if (runStopped_) {
    // Not while the window closes: nobody is left to read it.
    if (page_.window()->isVisible()) show(dialogs_, servicetext::kCalibrationStopped);
    return -1;
  }

  const CalcCFResult result = quorvane::CalcCF(taken, run, page_.setValue(), page_.maxDelta());
  switch (result.status) {
  case CalcCFStatus::Passed:
    page_.setFactors(result.factors);
    return 1;
  case CalcCFStatus::FrameFailed:
    return -1;
  case CalcCFStatus::DeltaTooHigh:
  case CalcCFStatus::FactorOutOfRange:
    show(dialogs_, result.message);
    return -1;
  }
  return -1;
}

int ServiceController::GetCF() {
  const std::optional<PartialCalibrationData> read = readCalibration();
  if (!read) return -1;
  if (!read->complete()) {
    show(dialogs_, servicetext::kCalibrationReplyTooShort);
    return -1;
  }
  if (!validFactors(read->data.factors)) {
    show(dialogs_, servicetext::kReadFactorOutOfRange);
    return -1;
  }
  return 1;
}

std::optional<PartialCalibrationData> ServiceController::readCalibration() {
  if (link_.exchange(kGetCFOrder.order, kGetCFOrder.argument) != 1) return std::nullopt;
  const PartialCalibrationData read = decodePartialCalibrationData(link_.replyPayload());
  // Zeros standing in for values that never came are not shown as the sensor's.
  if (!read.complete()) return read;
  calibration_ = read.data;
  offsetPage_.setOffsets(read.data.offsets);
  if (validFactors(read.data.factors)) page_.setFactors(read.data.factors);
  return read;
}

int ServiceController::sendWords(const CalibrationWrite &write) {
  if (link_.exchange(write.order, write.argument, write.payload) != 1) return -1;
  if (const std::uint16_t rejected = link_.replyHeader().argument; rejected != 0) {
    // The sensor set defaults instead; what it holds now is unknown to the pages.
    link_.report(ramPlausibilityMessage(rejected));
    return -1;
  }
  return 1;
}

int ServiceController::SendCF() {
  const ChannelWords factors = page_.factors();
  if (sendWords(SendCFRequest(factors)) != 1) return -1;
  calibration_.factors = factors;
  return 1;
}

int ServiceController::SendOffset() {
  const ChannelWords offsets = offsetPage_.offsets();
  if (sendWords(SendOffsetRequest(offsets)) != 1) return -1;
  calibration_.offsets = offsets;
  return 1;
}

int ServiceController::CalcOffset() {
  if (link_.exchange(kCalcOffsetOrder.order, kCalcOffsetOrder.argument) != 1) return -1;
  return GetCF();
}

int ServiceController::StartSelfCalibration() {
  link_.markVerified();
  if (link_.exchange(kSelfCalibrationOrder.order, kSelfCalibrationOrder.argument) != 1) return -1;
  const auto result = decodeSelfCalibration(link_.replyPayload());
  if (!result) {
    show(dialogs_, servicetext::kCalibrationReplyTooShort);
    return -1;
  }
  // Shown, such factors would wait for SEND CF; like a calculation out of range, nothing
  // changes.
  if (!validFactors(result->factors)) {
    show(dialogs_, servicetext::kFactorOutOfRange);
    return -1;
  }
  page_.setFactors(result->factors);
  page_.setSetValue(result->setValue);
  page_.setMaxDelta(result->maxDelta);
  show(dialogs_, servicetext::kSelfCalibrationConfirm);
  return 1;
}

void ServiceController::SetPanelCalibData(const MeasuredValues &values) {
  page_.showRaw(rawCalibData(values));
}

} // namespace quorvane
