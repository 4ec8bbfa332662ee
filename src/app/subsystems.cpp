#include "app/subsystems.h"

#include "app/main_window.h"
#include "link/sensor_link.h"
#include "live/big_display_panel.h"
#include "live/live_controller.h"
#include "live/measurement_panel.h"
#include "params/group_hold_page.h"
#include "params/parameter_controller.h"
#include "params/parameter_page.h"
#include "teach/teach_table_page.h"
#include "ui/graph_widget.h"

#include <QLayout>
#include <QPushButton>
#include <QRadioButton>

namespace quorvane {

Subsystems::Subsystems(SensorLink &link, ParameterState &params, MainWindow &window,
                       Dialogs &dialogs)
    : link_(link), params_(params) {
  parameterPage_ = new ParameterPage(dialogs);
  window.pageContainer(MainPage::Parameters)->layout()->addWidget(parameterPage_);
  groupHoldPage_ = new GroupHoldPage(dialogs);
  window.pageContainer(MainPage::ColorGroups)->layout()->addWidget(groupHoldPage_);
  teachPage_ = new TeachTablePage(dialogs);
  window.pageContainer(MainPage::TeachTable)->layout()->addWidget(teachPage_);
  parameters_ = std::make_unique<ParameterController>(
      params_, link_, window, dialogs, *parameterPage_, *groupHoldPage_, *teachPage_);

  panel_ = new MeasurementPanel(dialogs);
  window.setChildPanel(ChildPanel::Measurement, panel_);
  // The read-outs are the top-level panels 1 and 4 of the window.
  window.setTopLevelPanel(TopPanel::BigColourNumber, &panel_->bigColourPanel());
  window.setTopLevelPanel(TopPanel::BigGroup, &panel_->bigGroupPanel());
  live_ = std::make_unique<LiveController>(link_, window, params_, *panel_);

  wireParameters(window);
  wireLive(window);
}

Subsystems::~Subsystems() = default;

void Subsystems::wireParameters(MainWindow &window) {
  ParameterController &c = *parameters_;
  c.initPanelCtrlAttr = [this] { applyPanelRules(); };
  c.initExteach = [this] { initExteach(); };
  c.tableChanged = [this] {
    live_->InitGraphs();
    live_->ShowGraph();
  };
  teachPage_->clearTaughtPlots = [this] { clearTaughtPlots(); };
  c.wire({window.sendButton(), window.getButton(), window.memoryButton(ParameterMemory::Ram),
          window.memoryButton(ParameterMemory::Eeprom), window.memoryButton(ParameterMemory::File),
          window.paraSetButton(0), window.paraSetButton(1)});
}

void Subsystems::wireLive(MainWindow &window) {
  LiveHooks &h = live_->hooks();
  h.getPanelValues = [this] { parameters_->GetPanelValues(); };
  h.sendPara = [this] { return parameters_->SendPara(); };
  h.getPara = [this] { parameters_->GetPara(); };
  h.readCalculationMode = [this] {
    params_.para.calculationMode = parameterPage_->fieldValue(field::kCalculationMode);
  };
  QObject::connect(window.goButton(), &QPushButton::clicked, live_.get(),
                   &LiveController::CBF_ButtonGo);
  QObject::connect(window.stopButton(), &QPushButton::clicked, live_.get(),
                   &LiveController::CBF_ButtonStop);
}

void Subsystems::applyPanelRules() {
  parameters_->readView(view_);
  view_.axes3DAutoScale = panel_->projectionAutoScale();
  InitPanelCtrlAttr(view_);
  // The rules read every control into the record; the corrected values are what the
  // evaluation LEDs and the graphs go by until the next GetPanelValues.
  params_.para = view_.para;
  // The displays first: a warning popup below is drawn over the settled panel.
  panel_->applyDisplays(view_.measurement);
  if (view_.requests.closeColourNumberPanel) panel_->closeBigColourPanel();
  if (view_.requests.closeGroupPanel) panel_->closeBigGroupPanel();
  parameters_->applyView(view_);
}

void Subsystems::initExteach() {
  // Only the TRIGGER choices: the rest of the view keeps the last pass's decisions, and
  // its warnings were shown then.
  parameters_->readView(view_);
  InitExteach(view_);
  parameterPage_->setTriggerItems(view_.triggerItems);
  if (parameterPage_->fieldValue(field::kTrigger) != view_.para.trigger)
    parameterPage_->setFieldValue(field::kTrigger, view_.para.trigger);
}

void Subsystems::clearTaughtPlots() {
  panel_->graph2D()->deleteAllPlots();
  panel_->graphIntensity2D()->deleteAllPlots();
  for (GraphWidget *g : panel_->graphs3D())
    g->deleteAllPlots();
}

void Subsystems::showIdentification(const QString &id) {
  panel_->setIdentification(id);
}

void Subsystems::showStartGraphPage() {
  using Tab = MeasurementPanel::GraphTab;
  if (panel_->isGraphPageVisible(Tab::View3D)) panel_->setActiveGraphPage(Tab::View3D);
}

} // namespace quorvane
