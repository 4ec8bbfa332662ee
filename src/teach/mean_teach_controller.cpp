#include "teach/mean_teach_controller.h"

#include "link/sensor_link.h"
#include "live/frame_publisher.h"
#include "params/parameter_controller.h"
#include "params/parameter_state.h"
#include "teach/core/teach_panel_labels.h"
#include "teach/mean_teach_panel.h"
#include "ui/dialogs.h"
#include "ui/shell.h"

#include <QPushButton>

namespace quorvane {
namespace {

const QString kAttention = QStringLiteral("ATTENTION!");
const QString kResetQuestion = QStringLiteral("Do you really want to reset the table?");

} // namespace

MeanTeachController::MeanTeachController(MeanTeachPanel &panel, const ParameterState &state,
                                         ParameterController &parameters,
                                         const FramePublisher &frames, SensorLink &link,
                                         Shell &shell, Dialogs &dialogs, QObject *parent)
    : QObject(parent), panel_(panel), state_(state), parameters_(parameters), frames_(frames),
      link_(link), shell_(shell), dialogs_(dialogs) {
  connect(panel_.captureButton(), &QPushButton::clicked, this,
          &MeanTeachController::meanCaptureClicked);
  connect(panel_.undoButton(), &QPushButton::clicked, this, &MeanTeachController::meanUndoClicked);
  connect(panel_.resetButton(), &QPushButton::clicked, this,
          &MeanTeachController::meanResetClicked);
  connect(panel_.teachButton(), &QPushButton::clicked, this,
          &MeanTeachController::meanTeachClicked);
  connect(&panel_, &MeanTeachPanel::capturedValueEdited, this,
          &MeanTeachController::meanValueEdited);
  // A change of mode while the panel is open relabels it.
  connect(&parameters_, &ParameterController::rulesApplied, this,
          &MeanTeachController::applyTeachModes);
}

void MeanTeachController::teachMeanValuesClicked() {
  shell_.showChildPanel(ChildPanel::MeanTeach);
  applyTeachModes();
  // The live measurement feeds the panel; one already running does so too.
  (void)link_.startAcquisition(Acquisition::Live);
}

void MeanTeachController::applyTeachModes() {
  panel_.applyLabels(meanPanelLabels(state_.para.calculationMode, state_.para.evaluationMode));
}

void MeanTeachController::meanCaptureClicked() {
  captureFrame(table_, frames_.last());
  panel_.showTable(table_);
  calculateMeans();
}

void MeanTeachController::meanUndoClicked() {
  undoCapture(table_);
  panel_.showTable(table_);
  calculateMeans();
}

void MeanTeachController::meanResetClicked() {
  panel_.setResetAsking(true);
  // The red button is drawn before the question appears.
  panel_.repaint();
  const bool yes = dialogs_.confirm(kAttention, kResetQuestion);
  if (yes) {
    resetCaptureTable(table_);
    panel_.showTable(table_);
    calculateMeans();
  }
  panel_.setResetAsking(false);
}

void MeanTeachController::meanValueEdited() {
  table_ = panel_.readTable(table_.counter);
  calculateMeans();
}

void MeanTeachController::calculateMeans() {
  means_ = quorvane::calculateMeans(table_, state_.para.calculationMode);
  panel_.showMeans(means_);
}

void MeanTeachController::meanTeachClicked() {
  MeanTeachInput in;
  in.means = means_;
  in.calcMode = state_.para.calculationMode;
  in.evalMode = state_.para.evaluationMode;
  in.ring1 = panel_.ring1();
  in.ring2 = panel_.ring2();
  in.value1 = panel_.value1();
  in.value2 = panel_.value2();
  ParameterData &data = parameters_.data();
  in.currentRow = data.takeRowNumber();
  in.autoIncrement = data.autoIncrement();
  const TeachResult result = teachRowFromMeans(in, data.table());
  for (const CellWrite &w : result.writes)
    data.setCell(w.row, w.cell, w.value);
  data.setRowNumber(result.nextRow);
  parameters_.redrawGraphs();
}

} // namespace quorvane
