#include "app/application.h"

#include "app/connection.h"
#include "app/connection_status_box.h"
#include "app/program_directory.h"
#include "app/subsystem_list.h"
#include "live/live_subsystem.h"
#include "params/parameter_data.h"
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
  window_->addPage({MainPage::Connection, QStringLiteral("CONNECTION"), 0, page_});
  window_->setConnectionPage(page_);
  store_ = std::make_unique<PanelSettingsStore>(dataDirectory_);
  buildSubsystems();
  connection_ = std::make_unique<Connection>(link_, *window_, dialogs_,
                                             subsystem<ParameterSubsystem>().data(), parameters());
  wireConnection();

  connect(window_.get(), &MainWindow::panelEvent, this,
          [this](MainPanelEvent e) { mainPanelEvent(e); });
  connect(window_.get(), &MainWindow::pageChanged, this, [this](MainPage p) { tabSelected(p); });
  connect(&link_, &SensorLink::failed, this, [this](const QString &m) { onLinkFailed(m); });
}

Application::~Application() {
  shutdown();
}

// --- the subsystems ---

void Application::buildSubsystems() {
  for (const SubsystemFactory build : registeredSubsystems()) {
    const SubsystemContext context{*this, link_, *window_, dialogs_, frames_, owned_};
    owned_.push_back(build(context));
    Subsystem &subsystem = *owned_.back();
    for (const PageDeclaration &page : subsystem.pages())
      window_->addPage(page);
    for (const ChildPanelDeclaration &panel : subsystem.childPanels())
      window_->addChildPanel(panel);
    subsystems_.push_back(&subsystem);
  }
}

const ParameterState &Application::params() const {
  return subsystem<ParameterSubsystem>().data().record();
}
ParameterController &Application::parameters() {
  return subsystem<ParameterSubsystem>().controller();
}
MeasurementPanel &Application::measurementPanel() {
  return subsystem<LiveSubsystem>().panel();
}
LiveController &Application::live() {
  return subsystem<LiveSubsystem>().controller();
}
TeachSubsystem &Application::teach() {
  return subsystem<TeachSubsystem>();
}
RecorderSubsystem &Application::recorder() {
  return subsystem<RecorderSubsystem>();
}
ScopeSubsystem &Application::scope() {
  return subsystem<ScopeSubsystem>();
}
ServiceSubsystem &Application::service() {
  return subsystem<ServiceSubsystem>();
}
const PanelView &Application::panelView() const {
  return subsystem<ParameterSubsystem>().panelView();
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
  const ConnectOutcome outcome = co_await connection_->tryToConnect();
  --attempts_;
  // The sensor answered but reading its parameters failed (the link reported it): the
  // busy lock stays on the actions, the connection page takes the next step.
  if (outcome == ConnectOutcome::Connected && !link_.linkOk()) page_->setRetryControlsEnabled();
}

void Application::onDisconnect() {
  // The port to close is the one shown on the page.
  link_.setSettings(page_->readSettings());
  connection_->goOffline();
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
  co_await connection_->changeBaudRate();
  --attempts_;
  // After OFFLINE only what goOffline left usable may be used.
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

void Application::startUp() {
  // Mode state: a new link starts unconnected.
  subsystem<ParameterSubsystem>().data().setMemory(ParameterMemory::Ram);
  window_->selectMemoryButton(ParameterMemory::Ram);
  subsystem<ParameterSubsystem>().data().setParaSet(0);
  link_.stopAcquisition();
  // The pages exist with the window and the settings file path is the store's; what is
  // left is the subsystems' own start-up (table menus, the password field).
  for (Subsystem *s : subsystems_)
    s->initAtStartup();
  // Title band.
  window_->showLogo();
  // The parameter record from the panel's initial values; the first rule pass settles
  // the controls' dimming and the measurement panel for the values the pages start with.
  parameters().applyPanelRules();
  // The panel settings fill the pages, the IP list of the connection page among them.
  store_->loadPanelSettings(*window_, *page_, subsystems_);
  Q_EMIT panelIdChanged(page_->panelId());
  // The pages the operator starts on.
  window_->showPage(MainPage::Parameters);
  subsystem<LiveSubsystem>().showStartGraphPage();
  // Measurement panel beside the tabs; the window appears.
  window_->showChildPanel(ChildPanel::Measurement);
  window_->show();
  // Communication settings from the settings file.
  link_.setSettings(store_->readConnectionSettings(*page_));
  page_->showProtocolControls();
  // First connection attempt behind the busy lock.
  window_->setBusy(false, true);
  if (quitRequested_) return; // the window was closed while it was being drawn
  connectAtStart();
}

QCoro::Task<> Application::connectAtStart() {
  co_await onTryToConnect();
  if (link_.linkOk()) window_->setBusy(false, false);
}

bool Application::idle() const {
  return attempts_ == 0 && link_.idle();
}

void Application::enterOffline() {
  offline_ = true;
  window_->selectMemoryButton(ParameterMemory::File);
  subsystem<ParameterSubsystem>().data().setMemory(ParameterMemory::File);
  // Everything else stays dimmed until a connection succeeds.
  window_->setBusy(false, true);
  page_->setOfflineControlsEnabled();
  window_->setOfflineTransferEnabled();
}

// --- callbacks of the main panel ---

void Application::mainPanelEvent(MainPanelEvent event) {
  switch (event) {
  case MainPanelEvent::Close:
    link_.stopAcquisition();
    storePanelSettings();
    requestQuit();
    break;
  case MainPanelEvent::RightDoubleClick:
    window_->restoreDefaultGeometry();
    break;
  }
}

void Application::tabSelected(MainPage page) {
  if (page == MainPage::Connection) {
    link_.stopAcquisition();
    page_->setVerifiedLinkButtonsDimmed(true);
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

void Application::storePanelSettings() {
  link_.setSettings(page_->readSettings());
  const int result = store_->storePanelSettings(*window_, *page_, link_.settings(), subsystems_);
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
  while (!owned_.empty())
    owned_.pop_back();
  page_ = nullptr;
  window_.reset();
}

} // namespace quorvane
