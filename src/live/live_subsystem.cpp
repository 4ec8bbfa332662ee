#include "live/live_subsystem.h"

#include "params/core/panel_rules.h"

namespace quorvane {

LiveSubsystem::LiveSubsystem(SensorLink &link, Shell &shell, Dialogs &dialogs,
                             const ParameterState &parameters, ParameterTransfer &transfer,
                             FramePublisher &frames)
    : panel_(new MeasurementPanel(dialogs)), graphPanel_(new GraphPanel(dialogs)),
      controller_(std::make_unique<LiveController>(link, shell, parameters, transfer, *panel_,
                                                   *graphPanel_, frames)) {}

LiveSubsystem::~LiveSubsystem() = default;

std::vector<ChildPanelDeclaration> LiveSubsystem::childPanels() {
  return {{ChildPanel::Measurement, QStringLiteral("MEASUREMENT"), panel_},
          {ChildPanel::Graph, QStringLiteral("GRAPH"), graphPanel_}};
}

void LiveSubsystem::showStartGraphPage() {
  using Tab = MeasurementPanel::GraphTab;
  if (panel_->isGraphPageVisible(Tab::View3D)) panel_->setActiveGraphPage(Tab::View3D);
}

void LiveSubsystem::readView(PanelView &view) const {
  view.axes3DAutoScale = panel_->projectionAutoScale();
}

void LiveSubsystem::applyView(const PanelView &view) {
  panel_->applyDisplays(view.measurement);
  graphPanel_->setSignalNames(panelSignalNames(view.para.calculationMode));
  if (view.requests.closeColourNumberPanel) panel_->closeBigColourPanel();
  if (view.requests.closeGroupPanel) panel_->closeBigGroupPanel();
}

} // namespace quorvane
