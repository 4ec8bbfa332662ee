#pragma once
// The recorded-values teach assistant: records measurements into three projection graphs,
// lets the operator pick a recorded point with a graph cursor, and teaches it.
#include "live/core/measured_values.h"
#include "teach/core/recorded_points.h"

#include <QCoroTask>
#include <QObject>

#include <array>
#include <cstdint>

namespace quorvane {

class Dialogs;
class FramePublisher;
class LiveController;
class ParameterController;
class RecordedTeachPanel;
class SensorLink;
class Shell;
class TeachController;
struct ParameterState;

class RecordedTeachController : public QObject {
  Q_OBJECT
public:
  RecordedTeachController(RecordedTeachPanel &panel, const ParameterState &state,
                          ParameterController &parameters, TeachController &teach,
                          LiveController &live, SensorLink &link, Shell &shell,
                          FramePublisher &frames, Dialogs &dialogs, QObject *parent = nullptr);

  void teachRecordedValuesClicked();
  void recordedStartClicked();
  void recordedResetClicked();
  void recordedTeachClicked();
  void applyTeachModes();

  // The recording task: one measurement order per point until stopped or full.
  QCoro::Task<> record();
  // Shows, plots and stores one measurement.
  void takeRecordedPoint(const MeasuredValues &values);
  // The point under the cursor of `graph` (0..2) at (x, y), shown on all three graphs.
  void selectPointAtCursor(int graph, double x, double y);
  // The cursor snapped to the drawn point nearest to where the operator left it.
  void snapCursor(int graph, double x, double y);
  // Arrow keys: the next or previous recorded point.
  void stepCursor(int graph, int step);

  [[nodiscard]] const RecordedPoints &points() const { return points_; }
  [[nodiscard]] bool recording() const;

private:
  void showDisplays(const std::array<std::uint16_t, 3> &values);

  RecordedTeachPanel &panel_;
  const ParameterState &state_;
  ParameterController &parameters_;
  TeachController &teach_;
  LiveController &live_;
  SensorLink &link_;
  Shell &shell_;
  FramePublisher &frames_;
  Dialogs &dialogs_;
  RecordedPoints points_;
  std::size_t selected_ = 0;
  // X, Y and INT of the point the displays show: what TEACH teaches.
  std::array<std::uint16_t, 3> shown_{};
};

} // namespace quorvane
