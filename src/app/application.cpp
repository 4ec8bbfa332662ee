#include "app/application.h"

#include "app/connection.h"
#include "app/connection_status_box.h"
#include "app/program_directory.h"
#include "live/big_display_panel.h"
#include "live/live_subsystem.h"
#include "params/parameter_subsystem.h"
#include "recorder/recorder_subsystem.h"
#include "scope/scope_subsystem.h"
#include "service/service_subsystem.h"
#include "teach/teach_subsystem.h"
#include "ui/dialogs.h"
#include "ui/help.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QLayout>
#include <QPushButton>
#include <QRadioButton>

namespace quorvane {

Application::Application(Dialogs &dialogs, ApplicationOptions options)
    : dialogs_(dialogs), dataDirectory_(options.dataDirectory.isEmpty() ? quorvane::dataDirectory()
                                                                        : options.dataDirectory) {
  window_ = std::make_unique<MainWindow>(dialogs_);
  page_ = new ConnectionPage(dialogs_);
  window_->pageContainer(MainPage::Connection)->layout()->addWidget(page_);
  window_->setConnectionPage(page_);
  store_ = std::make_unique<PanelSettingsStore>(dataDirectory_);
  buildSubsystems();
  connection_ = std::make_unique<Connection>(link_, *window_, dialogs_, parameters_->data(),
                                             parameters_->controller());
  wireConnection();

  connect(window_.get(), &MainWindow::panelEvent, this, [this](MainPanelEvent e) { CBF_MAINP(e); });
  connect(window_.get(), &MainWindow::pageChanged, this, [this](MainPage p) { CBF_TabMain1(p); });
  connect(&link_, &SensorLink::failed, this, [this](const QString &m) { onLinkFailed(m); });
}

Application::~Application() {
  shutdown();
}

// --- the subsystems ---

void Application::buildSubsystems() {
  MainWindow &w = *window_;

  parameters_ = std::make_unique<ParameterSubsystem>(link_, w, dialogs_);
  w.pageContainer(MainPage::Parameters)->layout()->addWidget(&parameters_->parameterPage());
  w.pageContainer(MainPage::ColorGroups)->layout()->addWidget(&parameters_->groupHoldPage());
  w.pageContainer(MainPage::TeachTable)->layout()->addWidget(&parameters_->teachTablePage());
  ParameterController &c = parameters_->controller();
  c.wire({w.sendButton(), w.getButton(), w.memoryButton(ParameterMemory::Ram),
          w.memoryButton(ParameterMemory::Eeprom), w.memoryButton(ParameterMemory::File),
          w.paraSetButton(0), w.paraSetButton(1)});

  live_ =
      std::make_unique<LiveSubsystem>(link_, w, dialogs_, parameters_->data().record(), c, frames_);
  MeasurementPanel &panel = live_->panel();
  w.setChildPanel(ChildPanel::Measurement, &panel);
  // The read-outs are the top-level panels 1 and 4 of the window.
  w.setTopLevelPanel(TopPanel::BigColourNumber, &panel.bigColourPanel());
  w.setTopLevelPanel(TopPanel::BigGroup, &panel.bigGroupPanel());
  LiveController &loop = live_->controller();
  connect(w.goButton(), &QPushButton::clicked, &loop, &LiveController::CBF_ButtonGo);
  connect(w.stopButton(), &QPushButton::clicked, &loop, &LiveController::CBF_ButtonStop);
  parameters_->addRuleParticipant(*live_);
  connect(&c, &ParameterController::tableChanged, &loop, [&loop] {
    loop.InitGraphs();
    loop.ShowGraph();
  });
  connect(&parameters_->teachTablePage(), &TeachTablePage::tableReset, &loop,
          &LiveController::clearTaughtPlots);
  w.setChildPanel(ChildPanel::Graph, &live_->graphPanel());
  // The intensity band shows the row "No." held when it was last read: the operator's
  // change redraws it at once; a teach's auto-increment moves the field, not the band.
  ParameterData &data = parameters_->data();
  loop.setCurrentRow(data.currentRow());
  connect(&data, &ParameterData::currentRowChanged, &loop, [&loop](int row) {
    loop.setCurrentRow(row);
    loop.InitGraphInt2();
  });
  connect(this, &Application::panelIdChanged, &panel, &MeasurementPanel::setIdentification);

  teach_ = std::make_unique<TeachSubsystem>(*parameters_, dialogs_, frames_, loop, link_, w);
  w.pageContainer(MainPage::RowColours)->layout()->addWidget(&teach_->rowColoursPage());
  w.setChildPanel(ChildPanel::MeanTeach, &teach_->meanPanel());
  w.setChildPanel(ChildPanel::RecordedTeach, &teach_->recordedPanel());
  connect(teach_.get(), &TeachSubsystem::rowColoursChanged, &loop, &LiveController::setRowColours);

  recorder_ = std::make_unique<RecorderSubsystem>(link_, w, dialogs_, frames_);
  w.pageContainer(MainPage::Recorder)->layout()->addWidget(&recorder_->page());
  connect(this, &Application::panelIdChanged, &recorder_->controller(),
          &RecorderController::setPanelId);
  // Recorded frames go to the graph panel too (the record already holds the frame).
  connect(&recorder_->controller(), &RecorderController::InitPanelGraph, &loop,
          &LiveController::InitPanelGraph);
  connect(&recorder_->controller(), &RecorderController::SetPanelGraphData, &loop,
          [&loop](const MeasuredValues &) { loop.SetPanelGraphData(); });

  scope_ = std::make_unique<ScopeSubsystem>(link_, w, dialogs_, c);
  w.pageContainer(MainPage::Scope)->layout()->addWidget(&scope_->page());
  w.setChildPanel(ChildPanel::ScopeDisplay, &scope_->panel());
  connect(this, &Application::panelIdChanged, &scope_->controller(), &ScopeController::setPanelId);

  service_ = std::make_unique<ServiceSubsystem>(link_, w, dialogs_, parameters_->data().record(), c,
                                                frames_);
  w.pageContainer(MainPage::Calibration)->layout()->addWidget(&service_->calibrationPage());
  w.pageContainer(MainPage::Offset)->layout()->addWidget(&service_->offsetPage());
  w.setTopLevelPanel(TopPanel::Password, &service_->passwordPanel());
  connect(&service_->passwordPanel(), &PasswordPanel::unlocked, this, [this] {
    window_->setPageVisible(MainPage::Offset, true);
    window_->showPage(MainPage::Offset);
  });

  // The teach subsystem's row sections end the settings file.
  subsystems_ = {parameters_.get(), live_.get(),    recorder_.get(),
                 scope_.get(),      service_.get(), teach_.get()};
}

ParameterPage &Application::parameterPage() {
  return parameters_->parameterPage();
}
GroupHoldPage &Application::groupHoldPage() {
  return parameters_->groupHoldPage();
}
TeachTablePage &Application::teachTablePage() {
  return parameters_->teachTablePage();
}
const ParameterState &Application::params() const {
  return parameters_->data().record();
}
ParameterController &Application::parameters() {
  return parameters_->controller();
}
MeasurementPanel &Application::measurementPanel() {
  return live_->panel();
}
LiveController &Application::live() {
  return live_->controller();
}
TeachSubsystem &Application::teach() {
  return *teach_;
}
RecorderSubsystem &Application::recorder() {
  return *recorder_;
}
ScopeSubsystem &Application::scope() {
  return *scope_;
}
ServiceSubsystem &Application::service() {
  return *service_;
}
const PanelView &Application::panelView() const {
  return parameters_->panelView();
}

// --- the connection ---

void Application::wireConnection() {
  page_->attach(*window_, link_, *this);

  ConnectionStatusBox *status = window_->connectionStatusBox();
  connect(connection_.get(), &Connection::transportChosen, this,
          [this, status](Protocol protocol, int comPort, const QString &ipAddress) {
            const QString device = QString::fromStdString(link_.settings().comDevice);
            status->setComPort(device.isEmpty() ? QString::number(comPort) : device);
            status->setIpAddress(ipAddress);
            status->showSerialFields(protocol == Protocol::Rs232);
          });
  connect(connection_.get(), &Connection::firmwareIdentified, status,
          &ConnectionStatusBox::setStatusToolTip);
  connect(connection_.get(), &Connection::linkVerified, this, [this] {
    offline_ = false;
    page_->setVerifiedLinkButtonsDimmed(false);
  });
  connect(connection_.get(), &Connection::offline, this, [this] { enterOffline(); });
  connect(connection_.get(), &Connection::closeRequested, this, [this] { requestQuit(); });
}

QCoro::Task<> Application::onTryToConnect() {
  link_.setSettings(page_->readSettings());
  offline_ = false;
  ++attempts_;
  const ConnectOutcome outcome = co_await connection_->TryToConnect();
  --attempts_;
  // The sensor answered but reading its parameters failed (the link reported it): the
  // busy lock stays on the actions, the connection page takes the next step.
  if (outcome == ConnectOutcome::Connected && !link_.linkOk()) page_->setRetryControlsEnabled();
}

void Application::onDisconnect() {
  // The port to close is the one shown on the page.
  link_.setSettings(page_->readSettings());
  connection_->Disconnect();
}

QCoro::Task<bool> Application::onChangeBaudrate() {
  // Only the speed changes; the port stays the one the link has open.
  {
    CommunicationSettings cs = link_.settings();
    cs.baudCode = page_->readSettings().baudCode;
    link_.setSettings(cs);
  }
  offline_ = false;
  ++attempts_;
  co_await connection_->ChangeBaudrate();
  --attempts_;
  // After OFFLINE only what Disconnect left usable may be used.
  co_return !offline_ && !quitRequested_;
}

void Application::onGenerateHwInfoFile() {
  // On the line as a whole, so nothing counts as done between the read and the undimming.
  link_.runOnLine([this] { return generateHwInfoFile(); });
}

QCoro::Task<> Application::generateHwInfoFile() {
  if (!link_.startAcquisition(Acquisition::HardwareInfo)) co_return;
  co_await link_.acquisitionEnded();
  // The busy lock leaves the buttons that need a verified link dimmed; the link still is.
  if (link_.linkOk()) page_->setVerifiedLinkButtonsDimmed(false);
}

void Application::onPanelIdCommitted(const QString &id) {
  store_->settings().panelId = id.toStdString();
  Q_EMIT panelIdChanged(id);
}

// --- start-up ---

void Application::InitAll() {
  // 1. Mode state (a new link starts unconnected).
  parameters_->data().setMemory(ParameterMemory::Ram);
  window_->selectMemoryButton(ParameterMemory::Ram);
  parameters_->data().setParaSet(0);
  link_.stopAcquisition();
  // 2.-5. The pages exist with the window; the settings file path is the store's; the
  // subsystems' own start-up (table menus, the password field).
  for (Subsystem *s : subsystems_)
    s->initAtStartup();
  // 6. Title band.
  window_->ShowLogo();
  // 7. The parameter record from the panel's initial values; the first rule pass settles
  // the controls' dimming and the measurement panel for the values the pages start with.
  parameters().InitPanelCtrlAttr();
  // 8.-9. The IP list lives on the connection page; the panel settings fill it.
  store_->LoadPanelSettings(*window_, *page_, subsystems_);
  Q_EMIT panelIdChanged(page_->panelId());
  // 10. First pages.
  window_->showPage(MainPage::Parameters);
  window_->setPageVisible(MainPage::Offset, false);
  live_->showStartGraphPage();
  // 11. Measurement panel beside the tabs; the window appears.
  window_->ShowChildPanelDisp(ChildPanel::Measurement);
  window_->show();
  // 12. Communication settings.
  link_.setSettings(store_->GetConnectionSettingsFromFile(*page_));
  page_->InitConnectPanel();
  // 13. First connection attempt behind the busy lock.
  window_->SetButtonsDimmed(false, true);
  if (quitRequested_) return; // the window was closed while it was being drawn
  connectAtStart();
}

QCoro::Task<> Application::connectAtStart() {
  co_await onTryToConnect();
  if (link_.linkOk()) window_->SetButtonsDimmed(false, false);
}

bool Application::idle() const {
  return attempts_ == 0 && link_.idle();
}

void Application::enterOffline() {
  offline_ = true;
  window_->selectMemoryButton(ParameterMemory::File);
  parameters_->data().setMemory(ParameterMemory::File);
  // Everything else stays dimmed until a connection succeeds.
  window_->SetButtonsDimmed(false, true);
  page_->setOfflineControlsEnabled();
  window_->setOfflineTransferEnabled();
}

// --- callbacks of the main panel ---

void Application::CBF_MAINP(MainPanelEvent event) {
  switch (event) {
  case MainPanelEvent::Close:
    link_.stopAcquisition();
    StorePanelSettings();
    requestQuit();
    break;
  case MainPanelEvent::RightDoubleClick:
    window_->restoreDefaultGeometry();
    break;
  }
}

void Application::CBF_TabMain1(MainPage page) {
  switch (page) {
  case MainPage::Connection:
    link_.stopAcquisition();
    page_->setVerifiedLinkButtonsDimmed(true);
    break;
  case MainPage::Scope:
    link_.stopAcquisition();
    window_->ShowChildPanelDisp(ChildPanel::ScopeDisplay);
    break;
  default:
    break;
  }
  for (Subsystem *s : subsystems_)
    s->pageSelected(page);
}

void Application::onLinkFailed(const QString &message) {
  window_->setConnectionStatus(QStringLiteral("TIMEOUT!"));
  window_->appendConnectionLog(message + QStringLiteral("\n\n"));
  page_->setVerifiedLinkButtonsDimmed(true);
  window_->showPage(MainPage::Connection);
}

void Application::StorePanelSettings() {
  link_.setSettings(page_->readSettings());
  const int result = store_->StorePanelSettings(*window_, *page_, link_.settings(), subsystems_);
  if (result < 0)
    dialogs_.message(QStringLiteral("ATTENTION!"),
                     QStringLiteral("The panel settings could not be saved to\n%1\n(error %2).")
                         .arg(store_->settingsPath())
                         .arg(result));
}

void Application::requestQuit() {
  quitRequested_ = true;
  link_.stopAcquisition();
  QCoreApplication::quit();
}

// --- exit ---

void Application::shutdown() {
  if (shutDown_) return;
  shutDown_ = true;
  // What still waits on the link is abandoned: nothing resumes into the parts torn down.
  link_.abandonWaits();
  if (link_.tcpConnected()) link_.disconnectTcp();
  link_.closeSerial();
  connection_.reset();
  subsystems_.clear();
  teach_.reset();
  recorder_.reset();
  scope_.reset();
  service_.reset();
  live_.reset();
  parameters_.reset();
  page_ = nullptr;
  window_.reset();
}

} // namespace quorvane
