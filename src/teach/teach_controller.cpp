#include "teach/teach_controller.h"

#include "params/core/modes.h"
#include "params/parameter_controller.h"
#include "params/parameter_state.h"
#include "teach/core/grid_selection.h"
#include "teach/core/teach_data.h"
#include "teach/row_colours_controller.h"
#include "teach/teach_grid_menu.h"
#include "ui/graph_widget.h"
#include "ui/help.h"

#include <QPushButton>

namespace quorvane {
namespace {

const QString kHelpTeachDataTo =
    QStringLiteral("Current measured values (X,Y,INT respectively s,i,M) are assigned \nto the "
                   "TEACH TABLE row selected in the No.: function field.");

} // namespace

TeachController::TeachController(const ParameterState &state, ParameterController &parameters,
                                 RowColoursController &rowColours, const TeachGridMenu &menu,
                                 Dialogs &dialogs, QObject *parent)
    : QObject(parent), state_(state), parameters_(parameters), rowColours_(rowColours), menu_(menu),
      teachButton_(new QPushButton(QStringLiteral("TEACH DATA TO"))) {
  teachButton_->setAccessibleName(QStringLiteral("TEACH DATA TO"));
  teachButton_->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_T));
  installHelp(teachButton_, kHelpTeachDataTo, dialogs);
  connect(teachButton_, &QPushButton::clicked, this, &TeachController::teachDataToClicked);
  connect(&parameters_, &ParameterController::rulesApplied, this,
          &TeachController::applyTeachModes);
}

void TeachController::teachDataToClicked() {
  teachMeasurement(displayed_, rowColours_.automaticMode());
}

void TeachController::teachRecordedPoint(const MeasuredValues &point) {
  teachMeasurement(point, false);
}

void TeachController::teachMeasurement(const MeasuredValues &measured, bool automaticRowColour) {
  TeachDataInput in;
  in.measured = measured;
  in.calcMode = state_.para.calculationMode;
  in.evalMode = state_.para.evaluationMode;
  in.powerMode = state_.para.powerMode;
  ParameterData &data = parameters_.data();
  in.currentRow = data.takeRowNumber();
  in.autoIncrement = data.autoIncrement();
  in.teachTolerance = menu_.teachTolerance();
  in.automaticRowColour = automaticRowColour;

  const TeachResult result = teachRow(in);
  for (const CellWrite &w : result.writes)
    data.setCell(w.row, w.cell, w.value);
  data.setRowNumber(result.nextRow);
  if (result.rowColour) rowColours_.applyTaughtColour(result.colourRow, *result.rowColour);

  parameters_.redrawGraphs();
}

void TeachController::applyTeachModes() {
  const auto editable = teachGridEditableColumns(state_.para.calculationMode);
  for (int column = 0; column < static_cast<int>(kTeachCells); ++column)
    parameters_.data().setValueColumnEditable(column, editable[static_cast<std::size_t>(column)]);
}

} // namespace quorvane
