#include "app/subsystem_list.h"

#include "app/application.h"
#include "app/main_window.h"
#include "live/big_display_panel.h"
#include "live/live_subsystem.h"
#include "params/parameter_data.h"
#include "params/parameter_subsystem.h"
#include "recorder/recorder_subsystem.h"
#include "scope/scope_subsystem.h"
#include "service/service_subsystem.h"
#include "teach/teach_subsystem.h"

#include <QPushButton>
#include <QRadioButton>

namespace quorvane {
namespace {

std::unique_ptr<Subsystem> parameters(const SubsystemContext &c) {
  auto s = std::make_unique<ParameterSubsystem>(c.link, c.window, c.dialogs);
  MainWindow &w = c.window;
  s->controller().wire({w.sendButton(), w.getButton(), w.memoryButton(ParameterMemory::Ram),
                        w.memoryButton(ParameterMemory::Eeprom),
                        w.memoryButton(ParameterMemory::File), w.paraSetButton(0),
                        w.paraSetButton(1)});
  return s;
}

std::unique_ptr<Subsystem> live(const SubsystemContext &c) {
  ParameterSubsystem &parameters = c.get<ParameterSubsystem>();
  ParameterController &transfer = parameters.controller();
  auto s = std::make_unique<LiveSubsystem>(c.link, c.window, c.dialogs, parameters.data().record(),
                                           transfer, c.frames);
  MainWindow &w = c.window;
  MeasurementPanel &panel = s->panel();
  // The read-outs are the top-level panels 1 and 4 of the window.
  w.setTopLevelPanel(TopPanel::BigColourNumber, &panel.bigColourPanel());
  w.setTopLevelPanel(TopPanel::BigGroup, &panel.bigGroupPanel());
  LiveController &loop = s->controller();
  QObject::connect(w.goButton(), &QPushButton::clicked, &loop, &LiveController::goClicked);
  QObject::connect(w.stopButton(), &QPushButton::clicked, &loop, &LiveController::stopClicked);
  parameters.addRuleParticipant(*s);
  QObject::connect(&transfer, &ParameterController::tableChanged, &loop, [&loop] {
    loop.redrawTeachRows();
    loop.drawLiveGraphs();
  });
  // The intensity band shows the row "No." held when it was last read: the operator's
  // change redraws it at once; a teach's auto-increment moves the field, not the band.
  ParameterData &data = parameters.data();
  QObject::connect(&data, &ParameterData::teachTableReset, &loop,
                   &LiveController::clearTaughtPlots);
  loop.setCurrentRow(data.currentRow());
  QObject::connect(&data, &ParameterData::currentRowChanged, &loop, [&loop](int row) {
    loop.setCurrentRow(row);
    loop.drawIntensityBand();
  });
  QObject::connect(&c.application, &Application::panelIdChanged, &panel,
                   &MeasurementPanel::setIdentification);
  return s;
}

std::unique_ptr<Subsystem> recorder(const SubsystemContext &c) {
  auto s = std::make_unique<RecorderSubsystem>(c.link, c.window, c.dialogs, c.frames);
  RecorderController &recorder = s->controller();
  QObject::connect(&c.application, &Application::panelIdChanged, &recorder,
                   &RecorderController::setPanelId);
  // Recorded frames go to the graph panel too (the record already holds the frame).
  LiveController &loop = c.get<LiveSubsystem>().controller();
  QObject::connect(&recorder, &RecorderController::recordingStarted, &loop,
                   &LiveController::restartGraphPanel);
  QObject::connect(&recorder, &RecorderController::frameRecorded, &loop,
                   [&loop](const MeasuredValues &) { loop.addGraphPanelFrame(); });
  return s;
}

std::unique_ptr<Subsystem> scope(const SubsystemContext &c) {
  auto s = std::make_unique<ScopeSubsystem>(c.link, c.window, c.dialogs,
                                            c.get<ParameterSubsystem>().controller());
  QObject::connect(&c.application, &Application::panelIdChanged, &s->controller(),
                   &ScopeController::setPanelId);
  return s;
}

std::unique_ptr<Subsystem> service(const SubsystemContext &c) {
  ParameterSubsystem &parameters = c.get<ParameterSubsystem>();
  auto s = std::make_unique<ServiceSubsystem>(
      c.link, c.window, c.dialogs, parameters.data().record(), parameters.controller(), c.frames);
  MainWindow &w = c.window;
  w.setTopLevelPanel(TopPanel::Password, &s->passwordPanel());
  QObject::connect(&s->passwordPanel(), &PasswordPanel::unlocked, &w, [&w] {
    w.setPageVisible(MainPage::Offset, true);
    w.showPage(MainPage::Offset);
  });
  return s;
}

std::unique_ptr<Subsystem> teach(const SubsystemContext &c) {
  LiveController &loop = c.get<LiveSubsystem>().controller();
  auto s = std::make_unique<TeachSubsystem>(c.get<ParameterSubsystem>(), c.dialogs, c.frames, loop,
                                            c.link, c.window);
  QObject::connect(s.get(), &TeachSubsystem::rowColoursChanged, &loop,
                   &LiveController::setRowColours);
  return s;
}

} // namespace

std::vector<SubsystemFactory> registeredSubsystems() {
  // The teach subsystem's row sections end the settings file.
  return {parameters, live, recorder, scope, service, teach};
}

} // namespace quorvane
