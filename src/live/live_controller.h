#pragma once
// The live acquisition: GO and STOP, the measurement loop, and what each frame shows. It
// owns the measurement record, the strip-chart histories and the current colour, which the
// other subsystems read.
#include "live/core/current_colour.h"
#include "live/core/live_history.h"
#include "live/core/measured_values.h"
#include "live/core/sim_reference.h"

#include <QObject>

#include <cstdint>
#include <functional>
#include <span>

namespace quorvane {

class MeasurementPanel;
class SensorLink;
class Shell;
struct ParameterState;

// What the loop calls in other subsystems; any hook left empty is skipped.
struct LiveHooks {
  // Parameter transfer: read the parameter controls into the record, SEND, GET.
  std::function<void()> getPanelValues;
  std::function<int()> sendPara;
  std::function<void()> getPara;
  // Re-reads CALCULATION MODE from the parameter panel into the record.
  std::function<void()> readCalculationMode;
  // Redraws the taught vectors in the 2D and 3D colour-space views.
  std::function<void()> initColourSpace;
  // Fits the colour-space axes around the taught vectors and the current frame.
  std::function<void(const MeasuredValues &)> fitColourSpace2D;
  std::function<void(const MeasuredValues &)> fitColourSpace3D;
  // Raw values on the calibration page.
  std::function<void(const MeasuredValues &)> setPanelCalibData;
  // Temperature on the row-colour page.
  std::function<void(std::int16_t)> showTemperature;
  // Red, green and blue on the mean-value teach panel.
  std::function<void(const MeasuredValues &)> showMeanTeachValues;
};

class LiveController : public QObject {
  Q_OBJECT
public:
  LiveController(SensorLink &link, Shell &shell, ParameterState &parameters,
                 MeasurementPanel &panel, LiveHooks hooks = {}, QObject *parent = nullptr);

  LiveHooks &hooks() { return hooks_; }

  // --- records (read by the teach assistants, the recorder and the calibration page) ---
  const MeasuredValues &measuredValues() const { return values_; }
  const LiveHistory &history() const { return history_; }
  const CurrentColour &currentColour() const { return colour_; }

  // --- control callbacks ---
  void CBF_ButtonGo();
  void CBF_ButtonStop();

  // --- the loop and the displays ---
  // Polls the sensor until acquisitionRunning is cleared.
  void GetData();
  bool loopRunning() const { return inLoop_; }
  // Copies a measurement reply into the record (a short reply reads as zeros).
  void takeFrame(std::span<const std::uint8_t> payload);
  // Shows the record on every live display and scrolls the histories.
  void SetPanelData();
  // Strip charts from the histories, then the colour-space view of the calculation mode.
  void ShowGraph();
  void InitGraphs();
  void ShowGraph2D();
  void ShowGraph3D();

  // Number of frames shown since start (for the benchmark and tests).
  std::uint64_t framesShown() const { return framesShown_; }

private:
  void connectZoomClicks();
  int calculationMode();
  void zoomValueCharts(bool automatic);

  SensorLink &link_;
  Shell &shell_;
  ParameterState &parameters_;
  MeasurementPanel &panel_;
  LiveHooks hooks_;

  MeasuredValues values_{};
  LiveHistory history_{};
  CurrentColour colour_{};
  SimReference simReference_{};
  bool inLoop_ = false;
  std::uint64_t framesShown_ = 0;
};

} // namespace quorvane
