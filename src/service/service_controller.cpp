#include "service/service_controller.h"

#include "link/sensor_link.h"
#include "live/frame_publisher.h"
#include "params/parameter_controller.h"
#include "service/calibration_page.h"
#include "service/core/service_texts.h"
#include "service/hardware_info_read.h"
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
                                     FramePublisher &frames, CalibrationPage &calibration,
                                     OffsetPage &offset, QObject *parent)
    : QObject(parent), link_(link), shell_(shell), dialogs_(dialogs), frames_(frames),
      page_(calibration), offsetPage_(offset) {
  connect(&frames_, &FramePublisher::frame, this, &ServiceController::showRawValues);

  const auto wire = [this](QPushButton *button, void (ServiceController::*callback)()) {
    connect(button, &QPushButton::clicked, this, callback);
    shell_.addBusyControl(button, BusyGroup::PageAction);
  };
  wire(page_.calculateFactorsButton(), &ServiceController::calculateFactorsClicked);
  wire(page_.getFactorsButton(), &ServiceController::getFactorsClicked);
  wire(page_.sendFactorsButton(), &ServiceController::sendFactorsClicked);
  wire(page_.selfCalibrationButton(), &ServiceController::selfCalibrationClicked);
  wire(offsetPage_.getOffsetButton(), &ServiceController::getOffsetClicked);
  wire(offsetPage_.calculateOffsetButton(), &ServiceController::calculateOffsetClicked);
  wire(offsetPage_.sendOffsetButton(), &ServiceController::sendOffsetClicked);

  link_.setAcquisitionTask(Acquisition::Calibration, [this]() -> QCoro::Task<> {
    shell_.setBusy(false, true);
    lastRun_ = co_await calibrate();
    shell_.setBusy(false, false);
  });
}

void ServiceController::runDimmed(QCoro::Task<int> (ServiceController::*operation)()) {
  link_.runOnLine([this, operation]() -> QCoro::Task<> {
    shell_.setBusy(false, true);
    (void)co_await (this->*operation)();
    shell_.setBusy(false, false);
  });
}

// --- control callbacks ---------------------------------------------------------------------

void ServiceController::calculateFactorsClicked() {
  if (!dialogs_.confirm(qs(servicetext::kSendPowerConfirm.title),
                        qs(servicetext::kSendPowerConfirm.text)))
    return;
  // On the line as a whole, so nothing counts as done between the run and GO.
  link_.runOnLine([this] { return calibrateThenGo(); });
}

void ServiceController::getFactorsClicked() {
  runDimmed(&ServiceController::readFactorsAndOffsets);
}

void ServiceController::sendFactorsClicked() {
  runDimmed(&ServiceController::sendFactors);
}

void ServiceController::selfCalibrationClicked() {
  runDimmed(&ServiceController::runSelfCalibration);
}

void ServiceController::getOffsetClicked() {
  runDimmed(&ServiceController::readFactorsAndOffsets);
}

void ServiceController::calculateOffsetClicked() {
  runDimmed(&ServiceController::calculateOffset);
}

void ServiceController::sendOffsetClicked() {
  runDimmed(&ServiceController::sendOffsets);
}

// --- the calibration run -------------------------------------------------------------------

QCoro::Task<> ServiceController::calibrateThenGo() {
  if (!link_.startAcquisition(Acquisition::Calibration)) co_return;
  co_await link_.acquisitionEnded();
  // GO mode: the operator watches the raw values of the target. Not after a link failure
  // (it would only fail again) nor after the run was told to stop.
  if (link_.linkOk() && lastRun_ == RunEnd::WentThrough)
    (void)link_.startAcquisition(Acquisition::Live);
}

QCoro::Task<ServiceController::RunEnd> ServiceController::calibrate() {
  if (!dialogs_.confirm(qs(servicetext::kCalculationConfirm.title),
                        qs(servicetext::kCalculationConfirm.text))) {
    show(dialogs_, servicetext::kCalculationDeclined);
    co_return RunEnd::WentThrough;
  }
  std::vector<MeasuredValues> taken;
  taken.reserve(kCalibrationFrames);
  FrameRun run = FrameRun::Complete;
  for (std::size_t i = 0; i < kCalibrationFrames; ++i) {
    if (progressChangesAt(i)) page_.setProgressColour(progressColourAt(i));
    if (!link_.acquisitionRunning()) break;
    const LinkReply reply = co_await link_.request(Order::ReadMeasurement, 0);
    // The first failed frame ends the run: the link has reported it once, and averaging
    // fewer frames as if they were 100 would give wrong factors.
    if (!reply) {
      run = FrameRun::Failed;
      break;
    }
    taken.push_back(decodeMeasuredValues(reply.payload));
    frames_.publish(taken.back());
  }
  // A link failure stops the run too, but clears linkOk and has reported itself. The
  // operator's stop counts even when it came during the last frame.
  if (link_.linkOk() && !link_.acquisitionRunning()) {
    // Not while the window closes: nobody is left to read it.
    if (page_.window()->isVisible()) show(dialogs_, servicetext::kCalibrationStopped);
    co_return RunEnd::Stopped;
  }

  const CalcCFResult result =
      quorvane::calculateFactors(taken, run, page_.setValue(), page_.maxDelta());
  switch (result.status) {
  case CalcCFStatus::Passed:
    page_.setFactors(result.factors);
    // The message says the factors were sent, so it waits for the sensor's acceptance.
    if (co_await sendFactors() == 1) show(dialogs_, servicetext::kCalibrationPassed);
    break;
  case CalcCFStatus::FrameFailed:
    break;
  case CalcCFStatus::DeltaTooHigh:
  case CalcCFStatus::FactorOutOfRange:
    show(dialogs_, result.message);
    break;
  }
  // A stop during SEND CF comes too late to keep the factors back, but GO does not follow.
  co_return link_.acquisitionRunning() ? RunEnd::WentThrough : RunEnd::Stopped;
}

// --- operations ----------------------------------------------------------------------------

QCoro::Task<int> ServiceController::readFactorsAndOffsets() {
  const std::optional<PartialCalibrationData> read = co_await readCalibration();
  if (!read) co_return -1;
  if (!read->complete()) {
    show(dialogs_, servicetext::kCalibrationReplyTooShort);
    co_return -1;
  }
  if (!validFactors(read->data.factors)) {
    show(dialogs_, servicetext::kReadFactorOutOfRange);
    co_return -1;
  }
  co_return 1;
}

QCoro::Task<std::optional<PartialCalibrationData>> ServiceController::readCalibration() {
  const std::optional<PartialCalibrationData> reply = co_await readCalibrationData(link_);
  if (!reply) co_return std::nullopt;
  const PartialCalibrationData &read = *reply;
  // Zeros standing in for values that never came are not shown as the sensor's.
  if (!read.complete()) co_return read;
  calibration_ = read.data;
  offsetPage_.setOffsets(read.data.offsets);
  if (validFactors(read.data.factors)) page_.setFactors(read.data.factors);
  co_return read;
}

QCoro::Task<int> ServiceController::sendWords(CalibrationWrite write) {
  const LinkReply reply = co_await link_.request(write.order, write.argument,
                                                 {write.payload.begin(), write.payload.end()});
  if (!reply) co_return -1;
  if (const std::uint16_t rejected = reply.header.argument; rejected != 0) {
    // The sensor set defaults instead; what it holds now is unknown to the pages.
    link_.report(ramPlausibilityMessage(rejected));
    co_return -1;
  }
  co_return 1;
}

QCoro::Task<int> ServiceController::sendFactors() {
  const ChannelWords factors = page_.factors();
  if (co_await sendWords(sendFactorsRequest(factors)) != 1) co_return -1;
  calibration_.factors = factors;
  co_return 1;
}

QCoro::Task<int> ServiceController::sendOffsets() {
  const ChannelWords offsets = offsetPage_.offsets();
  if (co_await sendWords(sendOffsetsRequest(offsets)) != 1) co_return -1;
  calibration_.offsets = offsets;
  co_return 1;
}

QCoro::Task<int> ServiceController::calculateOffset() {
  const LinkReply reply = co_await link_.request(kCalcOffsetOrder.order, kCalcOffsetOrder.argument);
  if (!reply) co_return -1;
  co_return co_await readFactorsAndOffsets();
}

QCoro::Task<int> ServiceController::runSelfCalibration() {
  link_.markVerified();
  const LinkReply reply =
      co_await link_.request(kSelfCalibrationOrder.order, kSelfCalibrationOrder.argument);
  if (!reply) co_return -1;
  const auto result = decodeSelfCalibration(reply.payload);
  if (!result) {
    show(dialogs_, servicetext::kCalibrationReplyTooShort);
    co_return -1;
  }
  // Shown, such factors would wait for SEND CF; like a calculation out of range, nothing
  // changes.
  if (!validFactors(result->factors)) {
    show(dialogs_, servicetext::kFactorOutOfRange);
    co_return -1;
  }
  page_.setFactors(result->factors);
  page_.setSetValue(result->setValue);
  page_.setMaxDelta(result->maxDelta);
  show(dialogs_, servicetext::kSelfCalibrationConfirm);
  co_return 1;
}

void ServiceController::showRawValues(const MeasuredValues &values) {
  page_.showRaw(rawCalibData(values));
}

} // namespace quorvane
