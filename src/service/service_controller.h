#pragma once
// The service functions on the sensor: the calibration run and its factors, reading and
// sending factors and offsets, the offset calculation and the sensor's self-calibration.
// Each button brackets its exchanges with the busy lock.
#include "service/core/calibration.h"
#include "service/core/service_orders.h"

#include <QObject>

#include <optional>

namespace quorvane {

class CalibrationPage;
class Dialogs;
class FramePublisher;
class LiveController;
class OffsetPage;
class SensorLink;
class Shell;
struct MeasuredValues;

class ServiceController : public QObject {
  Q_OBJECT
public:
  // Shows the raw values of every frame `frames` publishes; the calibration run publishes
  // the frames it takes there. `live` runs GO after a calibration.
  ServiceController(SensorLink &link, Shell &shell, Dialogs &dialogs, FramePublisher &frames,
                    LiveController &live, CalibrationPage &calibration, OffsetPage &offset,
                    QObject *parent = nullptr);

  // --- control callbacks ---
  void CBF_ButtonCalcCF();
  void CBF_ButtonGetCF();
  void CBF_ButtonSendCF();
  void CBF_ButtonSelfCalibration();
  void CBF_ButtonGetOffset();
  void CBF_ButtonCalcOffset();
  void CBF_ButtonSendOffset();

  // --- the operations (1 on success, -1 when they ended early) ---
  // 100 frames of a white target into factors on the page. Nothing changes unless every
  // frame arrived and the factors are valid.
  int CalcCF();
  // Factors and offsets from the sensor onto both pages; a short reply or a factor above
  // 4096 is shown in a popup and leaves the fields it concerns as they were.
  int GetCF();
  // GetCF without popups, for a record that needs whatever the sensor sent: the reply as
  // far as it goes; nullopt when the exchange failed (the link reported it).
  [[nodiscard]] std::optional<PartialCalibrationData> readCalibration();
  // The page's factors (offsets) to the sensor; a refusal is reported by the link.
  int SendCF();
  int SendOffset();
  int CalcOffset();
  int StartSelfCalibration();
  // The raw values of one frame on the calibration page.
  void SetPanelCalibData(const MeasuredValues &values);

  // The factors and offsets last read from or sent to the sensor.
  const CalibrationData &calibrationData() const { return calibration_; }

private:
  int sendWords(const CalibrationWrite &write);
  // Runs `operation` behind the busy lock.
  template <typename Operation> void dimmedWhile(Operation operation);

  SensorLink &link_;
  Shell &shell_;
  Dialogs &dialogs_;
  FramePublisher &frames_;
  LiveController &live_;
  CalibrationPage &page_;
  OffsetPage &offsetPage_;
  CalibrationData calibration_{};
  bool runStopped_ = false;
};

} // namespace quorvane
