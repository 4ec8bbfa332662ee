#pragma once
// The service functions on the sensor: the calibration run and its factors, reading and
// sending factors and offsets, the offset calculation and the sensor's self-calibration.
// Each button starts its work behind the busy lock and returns; the calibration run is the
// link's Calibration acquisition, so STOP, a page switch, the window closing and a link
// failure end it.
#include "service/core/calibration.h"
#include "service/core/service_orders.h"

#include <QCoroTask>
#include <QObject>

#include <optional>

namespace quorvane {

class CalibrationPage;
class Dialogs;
class FramePublisher;
class OffsetPage;
class SensorLink;
class Shell;
struct MeasuredValues;

class ServiceController : public QObject {
  Q_OBJECT
public:
  // Shows the raw values of every frame `frames` publishes; the calibration run publishes
  // the frames it takes there.
  ServiceController(SensorLink &link, Shell &shell, Dialogs &dialogs, FramePublisher &frames,
                    CalibrationPage &calibration, OffsetPage &offset, QObject *parent = nullptr);

  // --- control callbacks: they start the work and return ---
  void calculateFactorsClicked();
  void getFactorsClicked();
  void sendFactorsClicked();
  void selfCalibrationClicked();
  void getOffsetClicked();
  void calculateOffsetClicked();
  void sendOffsetClicked();

  // --- the operations (1 on success, -1 when they ended early) ---
  // Factors and offsets from the sensor onto both pages; a short reply or a factor above
  // 4096 is shown in a popup and leaves the fields it concerns as they were.
  QCoro::Task<int> readFactorsAndOffsets();
  // readFactorsAndOffsets without popups, for a record that needs whatever the sensor sent: the
  // reply as far as it goes; nullopt when the exchange failed (the link reported it).
  QCoro::Task<std::optional<PartialCalibrationData>> readCalibration();
  // The page's factors (offsets) to the sensor; a refusal is reported by the link.
  QCoro::Task<int> sendFactors();
  QCoro::Task<int> sendOffsets();
  QCoro::Task<int> calculateOffset();
  QCoro::Task<int> runSelfCalibration();
  // The raw values of one frame on the calibration page.
  void showRawValues(const MeasuredValues &values);

  // The factors and offsets last read from or sent to the sensor.
  const CalibrationData &calibrationData() const { return calibration_; }

private:
  // How a calibration run ended: GO follows one that went through, whatever its result,
  // but not one told to stop (STOP, a page switch, the window closing, a link failure).
  enum class RunEnd { WentThrough, Stopped };

  // The Calibration acquisition: 100 frames of a white target into factors on the page,
  // then SEND CF. Nothing changes unless every frame arrived and the factors are valid.
  QCoro::Task<RunEnd> calibrate();
  // The calibration run, then GO.
  QCoro::Task<> calibrateThenGo();
  QCoro::Task<int> sendWords(CalibrationWrite write);
  // Runs `operation` on the line behind the busy lock.
  void runDimmed(QCoro::Task<int> (ServiceController::*operation)());

  SensorLink &link_;
  Shell &shell_;
  Dialogs &dialogs_;
  FramePublisher &frames_;
  CalibrationPage &page_;
  OffsetPage &offsetPage_;
  CalibrationData calibration_{};
  // How the last calibration run ended, for what follows it once the link is free.
  RunEnd lastRun_ = RunEnd::WentThrough;
};

} // namespace quorvane
