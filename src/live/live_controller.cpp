#include "live/live_controller.h"

#include "link/sensor_link.h"
#include "live/core/live_display.h"
#include "live/frame_publisher.h"
#include "live/measurement_panel.h"
#include "params/parameter_state.h"
#include "params/parameter_transfer.h"
#include "ui/graph_widget.h"
#include "ui/shell.h"

namespace quorvane {
namespace {

// In the s/i/M modes the intensity graph ends at M = 1200.
constexpr double kIntensityCursorLimit = 1200.0;
constexpr double kIntensityCursorHeight = 50.0;

} // namespace

LiveController::LiveController(SensorLink &link, Shell &shell, ParameterState &parameters,
                               ParameterTransfer &transfer, MeasurementPanel &panel,
                               FramePublisher &frames, QObject *parent)
    : QObject(parent), link_(link), shell_(shell), parameters_(parameters), transfer_(transfer),
      panel_(panel), frames_(frames) {
  connectZoomClicks();
  connect(&frames_, &FramePublisher::frame, this, &LiveController::showFrame);
}

// --- GO / STOP -----------------------------------------------------------------------------

void LiveController::CBF_ButtonGo() {
  // GO is dimmed while the loop runs; a shortcut or a second caller must not nest a loop.
  if (inLoop_) return;
  shell_.SetButtonsDimmed(true, true);
  transfer_.GetPanelValues();
  if (shell_.currentChildPanel() != ChildPanel::MeanTeach)
    shell_.ShowChildPanelDisp(ChildPanel::Measurement);
  InitGraphs();
  GetData();
  shell_.SetButtonsDimmed(false, false);
}

void LiveController::CBF_ButtonStop() {
  link_.stopAcquisition();
}

// --- the loop ------------------------------------------------------------------------------

void LiveController::GetData() {
  if (inLoop_) return;
  inLoop_ = true;
  if (!link_.startAcquisition(Acquisition::Live)) {
    inLoop_ = false;
    return;
  }
  while (link_.acquisitionRunning()) {
    // Requests made while the previous exchange was waiting go out before the next
    // measurement, so only one request is ever on the link.
    if (parameters_.deferredSend) {
      parameters_.deferredSend = false;
      const int result = transfer_.SendPara();
      if (!link_.acquisitionRunning() || result < 0) break;
    }
    if (parameters_.deferredGet) {
      parameters_.deferredGet = false;
      transfer_.GetPara();
    }
    if (!link_.acquisitionRunning()) break;
    if (link_.exchange(Order::ReadMeasurement, 0) != 1) break; // the link reported it
    takeFrame(link_.replyPayload());
  }
  link_.stopAcquisition();
  inLoop_ = false;
}

void LiveController::takeFrame(std::span<const std::uint8_t> payload) {
  frames_.publish(decodeMeasuredValues(payload));
}

void LiveController::showFrame(const MeasuredValues &values) {
  values_ = values;
  SetPanelData();
  ShowGraph();
}

// --- displays ------------------------------------------------------------------------------

void LiveController::SetPanelData() {
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

void LiveController::ShowGraph() {
  panel_.graphRgb()->plotStrip(history_.rgb);
  const auto &charts = panel_.graphsValues();
  charts[0]->plotStrip(history_.x);
  charts[1]->plotStrip(history_.y);
  charts[2]->plotStrip(history_.intensity);
  if (is2D(calculationMode()))
    ShowGraph2D();
  else
    ShowGraph3D();
}

void LiveController::InitGraphs() {}

void LiveController::clearTaughtPlots() {
  panel_.graph2D()->deleteAllPlots();
  panel_.graphIntensity2D()->deleteAllPlots();
  for (GraphWidget *g : panel_.graphs3D())
    g->deleteAllPlots();
}

void LiveController::ShowGraph2D() {
  panel_.graph2D()->setCursorPosition(0, values_.x, values_.y);
  double intensity = values_.intensity;
  if (isSiM(parameters_.para.calculationMode) && intensity > kIntensityCursorLimit)
    intensity = kIntensityCursorLimit;
  panel_.graphIntensity2D()->setCursorPosition(0, intensity, kIntensityCursorHeight);
}

void LiveController::ShowGraph3D() {
  const auto &graphs = panel_.graphs3D();
  graphs[0]->setCursorPosition(0, values_.x, values_.y);
  graphs[1]->setCursorPosition(0, values_.x, values_.intensity);
  graphs[2]->setCursorPosition(0, values_.y, values_.intensity);
  panel_.graph3DRgb()->plotStrip(history_.rgb);
}

int LiveController::calculationMode() {
  parameters_.para.calculationMode = static_cast<std::uint16_t>(transfer_.calculationMode());
  return parameters_.para.calculationMode;
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
