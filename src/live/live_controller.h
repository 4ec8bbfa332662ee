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
#include <span>

namespace quorvane {

class FramePublisher;
class MeasurementPanel;
class ParameterTransfer;
class SensorLink;
class Shell;
struct ParameterState;

class LiveController : public QObject {
  Q_OBJECT
public:
  // Shows every frame `frames` publishes; the loop publishes the frames it takes there.
  LiveController(SensorLink &link, Shell &shell, ParameterState &parameters,
                 ParameterTransfer &transfer, MeasurementPanel &panel, FramePublisher &frames,
                 QObject *parent = nullptr);

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
  // Decodes a measurement reply (a short reply reads as zeros) and publishes it.
  void takeFrame(std::span<const std::uint8_t> payload);
  // The published frame into the record, the displays and the graphs.
  void showFrame(const MeasuredValues &values);
  // Removes the taught vectors from the colour-space views.
  void clearTaughtPlots();
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
  ParameterTransfer &transfer_;
  MeasurementPanel &panel_;
  FramePublisher &frames_;

  MeasuredValues values_{};
  LiveHistory history_{};
  CurrentColour colour_{};
  SimReference simReference_{};
  bool inLoop_ = false;
  std::uint64_t framesShown_ = 0;
};

} // namespace quorvane
