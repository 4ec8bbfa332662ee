#include "live/live_controller.h"
#include "ui/colour.h"

#include "link/sensor_link.h"
#include "live/core/colour_space_view.h"
#include "live/core/live_display.h"
#include "live/frame_publisher.h"
#include "live/graph_panel.h"
#include "live/measurement_panel.h"
#include "params/parameter_state.h"
#include "params/parameter_transfer.h"
#include "ui/graph_widget.h"
#include "ui/shell.h"

#include <algorithm>

namespace quorvane {
namespace {

QRectF rectOf(const OvalBox &b) {
  return QRectF(QPointF(b.xMin, b.yMin), QPointF(b.xMax, b.yMax));
}

void setAxes(GraphWidget *g, const AxisPair &axes) {
  g->setXRange(axes.a.min, axes.a.max);
  g->setYRange(axes.b.min, axes.b.max);
}

void placeCursor(GraphWidget *g, const PlotPoint &p) {
  g->setCursorPosition(0, p.x, p.y);
}

} // namespace

LiveController::LiveController(SensorLink &link, Shell &shell, const ParameterState &parameters,
                               ParameterTransfer &transfer, MeasurementPanel &panel,
                               GraphPanel &graphPanel, FramePublisher &frames, QObject *parent)
    : QObject(parent), link_(link), shell_(shell), parameters_(parameters), transfer_(transfer),
      panel_(panel), graphPanel_(graphPanel), frames_(frames), rowColours_(DefaultTeachRowColours),
      ranges_(quorvane::colourSpaceRanges(TeachTable{}, 0)) {
  connectZoomClicks();
  connect(&panel_, &MeasurementPanel::showGraphRequested, this, &LiveController::showGraphClicked);
  connect(&graphPanel_, &GraphPanel::closeRequested, this, &LiveController::graphPanelCloseClicked);
  connect(&graphPanel_, &GraphPanel::signalSelected, this, &LiveController::showSelectedGraph);
  connect(&frames_, &FramePublisher::frame, this, &LiveController::showFrame);
  link_.setAcquisitionTask(Acquisition::Live, [this] { return measure(); });
}

// --- GO / STOP -----------------------------------------------------------------------------

void LiveController::goClicked() {
  // GO is dimmed while an acquisition runs; a shortcut must not start a second one.
  if (link_.acquisition() != Acquisition::Idle) return;
  (void)link_.startAcquisition(Acquisition::Live);
}

void LiveController::stopClicked() {
  link_.stopAcquisition();
}

// --- the loop ------------------------------------------------------------------------------

QCoro::Task<> LiveController::measure() {
  // Whoever started it (GO, the mean-value assistant, the end of a calibration run).
  if (shell_.currentChildPanel() != ChildPanel::MeanTeach)
    shell_.showChildPanel(ChildPanel::Measurement);
  shell_.setBusy(true, true);
  redrawTeachRows();
  while (link_.acquisitionRunning()) {
    // SEND and GET pressed meanwhile go out whole before the next measurement, so only
    // one request is ever on the link.
    co_await link_.servePending();
    if (!link_.acquisitionRunning()) break;
    const LinkReply reply = co_await link_.request(Order::ReadMeasurement, 0);
    if (!reply) break; // the link reported it
    takeFrame(reply.payload);
  }
  shell_.setBusy(false, false);
}

void LiveController::takeFrame(std::span<const std::uint8_t> payload) {
  frames_.publish(decodeMeasuredValues(payload));
}

void LiveController::showFrame(const MeasuredValues &values) {
  values_ = values;
  showMeasurement();
  drawLiveGraphs();
}

// --- displays ------------------------------------------------------------------------------

void LiveController::showMeasurement() {
  const LiveTexts texts = liveTextsOf(values_);
  panel_.showRgbPage(texts);
  panel_.showValuesPage(texts);
  panel_.show2DPage(texts);
  panel_.showLiveNumbers(texts, values_.trigger != 0);
  panel_.showBigDisplays(texts);
  colour_ = currentColourOf(values_);
  panel_.setCurrentColour(colour_.displayRgb());
  if (const auto leds = outLedsFor(parameters_.para.evaluationMode, values_.colorNumber))
    panel_.setOutLeds(*leds);
  if (simReference_.update(values_)) panel_.showSimReference(*simReference_.values());
  history_.scroll(values_);
  ++framesShown_;
}

void LiveController::drawLiveGraphs() {
  // Points per screen on every frame: a time axis the operator zoomed comes back at once,
  // only the value axis keeps its zoom.
  GraphWidget *rgb = panel_.graphRgb();
  rgb->setPointsPerScreen(kStripPointsPerScreen);
  rgb->plotStrip(history_.rgb);
  const auto &charts = panel_.graphsValues();
  const std::array<std::span<const double>, 3> series{history_.x, history_.y, history_.intensity};
  for (std::size_t i = 0; i < charts.size(); ++i) {
    charts[i]->setPointsPerScreen(kStripPointsPerScreen);
    charts[i]->plotStrip(series[i]);
  }
  if (is2D(calculationMode()))
    draw2DView();
  else
    draw3DView();
}

void LiveController::redrawTeachRows() {
  drawIntensityBand();
  GraphWidget *plane = panel_.graph2D();
  const auto &projections = panel_.graphs3D();
  plane->deleteAllPlots();
  for (GraphWidget *g : projections)
    g->deleteAllPlots();
  const ColourSpaceDrawing drawing =
      colourSpaceDrawing(parameters_.table, calculationMode(), rowColours_, currentRow_);
  ranges_ = drawing.ranges;
  for (const RowOvals &row : drawing.rows) {
    const QColor colour = colourOf(row.colour);
    plane->plotOval(rectOf(row.pair), colour);
    projections[0]->plotOval(rectOf(row.pair), colour);
    projections[1]->plotOval(rectOf(row.firstThird), colour);
    projections[2]->plotOval(rectOf(row.secondThird), colour);
  }
}

void LiveController::drawIntensityBand() {
  const IntensityBand band = intensityBand(parameters_.table, calculationMode(), currentRow_);
  GraphWidget *g = panel_.graphIntensity2D();
  g->deleteAllPlots();
  const QColor colour = colourOf(band.colour);
  g->plotRect(QRectF(QPointF(band.xMin, band.yMin), QPointF(band.xMax, band.yMax)), colour, colour);
}

void LiveController::setRowColours(const TeachRowColours &colours) {
  if (colours == rowColours_) return;
  rowColours_ = colours;
  redrawTeachRows();
}

void LiveController::clearTaughtPlots() {
  panel_.graph2D()->deleteAllPlots();
  panel_.graphIntensity2D()->deleteAllPlots();
  for (GraphWidget *g : panel_.graphs3D())
    g->deleteAllPlots();
}

void LiveController::draw2DView() {
  const View2D v = colourView2D(ranges_, values_, parameters_.para.calculationMode);
  setAxes(panel_.graph2D(), v.plane);
  placeCursor(panel_.graph2D(), v.planeCursor);
  placeCursor(panel_.graphIntensity2D(), v.intensityCursor);
}

void LiveController::draw3DView() {
  const View3D v = colourView3D(ranges_, values_);
  const auto &graphs = panel_.graphs3D();
  const std::array<const Projection *, 3> projections{&v.xy, &v.xInt, &v.yInt};
  for (std::size_t i = 0; i < graphs.size(); ++i) {
    setAxes(graphs[i], projections[i]->axes);
    placeCursor(graphs[i], projections[i]->cursor);
  }
  GraphWidget *rgb = panel_.graph3DRgb();
  rgb->setPointsPerScreen(kStripPointsPerScreen);
  rgb->plotStrip(history_.rgb);
}

// --- graph panel ---------------------------------------------------------------------------

void LiveController::showGraphClicked() {
  shell_.showChildPanel(ChildPanel::Graph);
}

void LiveController::graphPanelCloseClicked() {
  shell_.showChildPanel(ChildPanel::Measurement);
}

void LiveController::restartGraphPanel() {
  quorvane::restartGraphPanel(graphState_, values_);
  graphPanel_.clearGraphs();
}

void LiveController::addGraphPanelFrame() {
  graphPanel_.addFrame(quorvane::addGraphPanelFrame(graphState_, values_));
}

void LiveController::showSelectedGraph() {
  graphPanel_.showOnly(panelGraphShown(graphPanel_.selectedSignal()));
}

int LiveController::calculationMode() {
  return transfer_.calculationMode();
}

// --- zoom clicks ---------------------------------------------------------------------------

void LiveController::connectZoomClicks() {
  for (GraphWidget *g : {panel_.graphRgb(), panel_.graph3DRgb()}) {
    connect(g, &GraphWidget::leftClicked, this,
            [g] { g->setYRange(kChannelRange.lower, kChannelRange.upper); });
    connect(g, &GraphWidget::leftDoubleClicked, this, [g] { g->setYAutoScale(true); });
  }
  for (GraphWidget *g : panel_.graphsValues()) {
    connect(g, &GraphWidget::leftClicked, this, [this] { zoomValueCharts(false); });
    connect(g, &GraphWidget::leftDoubleClicked, this, [this] { zoomValueCharts(true); });
  }
}

void LiveController::zoomValueCharts(bool automatic) {
  const auto &charts = panel_.graphsValues();
  if (automatic) {
    for (GraphWidget *g : charts)
      g->setYAutoScale(true);
    return;
  }
  const auto ranges = valueChartRanges(calculationMode());
  for (std::size_t i = 0; i < charts.size(); ++i)
    charts[i]->setYRange(ranges[i].lower, ranges[i].upper);
}

} // namespace quorvane
