#include "teach/recorded_teach_controller.h"

#include "link/core/orders.h"
#include "link/sensor_link.h"
#include "live/frame_publisher.h"
#include "live/live_controller.h"
#include "params/parameter_controller.h"
#include "params/parameter_state.h"
#include "teach/core/teach_panel_labels.h"
#include "teach/recorded_teach_panel.h"
#include "teach/teach_controller.h"
#include "ui/dialogs.h"
#include "ui/graph_widget.h"
#include "ui/shell.h"

#include <QPushButton>

namespace quorvane {
namespace {

const QString kAttention = QStringLiteral("ATTENTION!");
const QString kResetQuestion = QStringLiteral("Do you really want to reset the table?");
const QString kStoreFull = QStringLiteral("The store of recorded values is full (%1 values). "
                                          "\nPress RESET to empty it, then START again.");

double pixelsPerUnit(double pixels, GraphRange r) {
  const double span = r.upper - r.lower;
  return span > 0 ? pixels / span : 1.0;
}

} // namespace

RecordedTeachController::RecordedTeachController(
    RecordedTeachPanel &panel, const ParameterState &state, ParameterController &parameters,
    TeachController &teach, LiveController &live, SensorLink &link, Shell &shell,
    FramePublisher &frames, Dialogs &dialogs, QObject *parent)
    : QObject(parent), panel_(panel), state_(state), parameters_(parameters), teach_(teach),
      live_(live), link_(link), shell_(shell), frames_(frames), dialogs_(dialogs) {
  connect(panel_.startButton(), &QPushButton::clicked, this,
          &RecordedTeachController::recordedStartClicked);
  connect(panel_.resetButton(), &QPushButton::clicked, this,
          &RecordedTeachController::recordedResetClicked);
  connect(panel_.teachButton(), &QPushButton::clicked, this,
          &RecordedTeachController::recordedTeachClicked);
  connect(&panel_, &RecordedTeachPanel::cursorDragged, this, &RecordedTeachController::snapCursor);
  connect(&panel_, &RecordedTeachPanel::stepRequested, this, &RecordedTeachController::stepCursor);
  connect(&parameters_, &ParameterController::rulesApplied, this,
          &RecordedTeachController::applyTeachModes);
  shell_.addBusyControl(panel_.startButton(), BusyGroup::PageAction);
  panel_.showCounter(0);
  link_.setAcquisitionTask(Acquisition::RecordedTeach, [this] { return record(); });
}

void RecordedTeachController::teachRecordedValuesClicked() {
  shell_.showChildPanel(ChildPanel::RecordedTeach);
  applyTeachModes();
}

void RecordedTeachController::applyTeachModes() {
  panel_.applyLabels(recordedPanelLabels(state_.para.calculationMode));
}

void RecordedTeachController::recordedStartClicked() {
  if (link_.acquisition() != Acquisition::Idle) return;
  if (points_.full()) {
    dialogs_.message(kAttention, kStoreFull.arg(kMaxRecordedPoints));
    return;
  }
  live_.redrawTeachRows();
  (void)link_.startAcquisition(Acquisition::RecordedTeach);
}

bool RecordedTeachController::recording() const {
  return link_.acquisition() == Acquisition::RecordedTeach;
}

QCoro::Task<> RecordedTeachController::record() {
  shell_.setBusy(false, true);
  // A full store records nothing more; RESET empties it.
  while (link_.acquisitionRunning() && !points_.full()) {
    const LinkReply reply = co_await link_.request(Order::ReadMeasurement, 0);
    if (!reply) break; // the link reported it
    const MeasuredValues values = decodeMeasuredValues(reply.payload);
    frames_.publish(values);
    takeRecordedPoint(values);
  }
  shell_.setBusy(false, false);
}

void RecordedTeachController::takeRecordedPoint(const MeasuredValues &values) {
  if (!points_.append(values.x, values.y, values.intensity)) {
    link_.stopAcquisition();
    return;
  }
  const std::size_t index = points_.counter() - 1;
  const PointSelection s = selectionOf(points_.points().back(), index);
  selected_ = index;
  showDisplays(s.displays);
  panel_.appendPoint(points_.points().back());
  panel_.placeCursors(s.cursors);
  panel_.showCounter(points_.counter());
  if (points_.full()) link_.stopAcquisition();
}

void RecordedTeachController::recordedResetClicked() {
  if (!dialogs_.confirm(kAttention, kResetQuestion)) return;
  points_.clear();
  selected_ = 0;
  panel_.clearPoints();
  panel_.showCounter(0);
}

void RecordedTeachController::selectPointAtCursor(int graph, double x, double y) {
  const auto s = points_.selectPointAtCursor(graph, {x, y});
  if (!s) return;
  showDisplays(s->displays);
  panel_.placeCursors(s->cursors);
}

void RecordedTeachController::snapCursor(int graph, double x, double y) {
  GraphWidget *g = panel_.graph(graph);
  const auto nearest = points_.nearestTo(graph, {x, y}, pixelsPerUnit(g->width(), g->xRange()),
                                         pixelsPerUnit(g->height(), g->yRange()));
  if (!nearest) return;
  selected_ = *nearest;
  const GraphPosition at = projectionOf(points_.points()[*nearest], graph);
  selectPointAtCursor(graph, at.x, at.y);
}

void RecordedTeachController::stepCursor(int graph, int step) {
  if (points_.counter() == 0) return;
  const std::size_t last = points_.counter() - 1;
  if (step > 0)
    selected_ = std::min(selected_ + 1, last);
  else if (selected_ > 0)
    selected_ = std::min(selected_ - 1, last);
  const GraphPosition at = projectionOf(points_.points()[selected_], graph);
  selectPointAtCursor(graph, at.x, at.y);
}

void RecordedTeachController::showDisplays(const std::array<std::uint16_t, 3> &values) {
  shown_ = values;
  panel_.showDisplays(values);
}

void RecordedTeachController::recordedTeachClicked() {
  // The point shown stands in for the measurement, as its displays show it (a negative
  // value as 0); the rest of the frame is the last one taken.
  MeasuredValues m = frames_.last();
  m.x = static_cast<std::int16_t>(shown_[0]);
  m.y = static_cast<std::int16_t>(shown_[1]);
  m.intensity = static_cast<std::int16_t>(shown_[2]);
  teach_.teachRecordedPoint(m);
}

} // namespace quorvane
