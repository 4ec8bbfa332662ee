#include "app/application.h"

#include "app/connection_status_box.h"
#include "app/program_directory.h"
#include "app/subsystems.h"
#include "link/connection.h"
#include "link/connection_page.h"
#include "params/parameter_controller.h"
#include "ui/dialogs.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QPushButton>
#include <QVBoxLayout>

namespace quorvane {

Application::Application(Dialogs &dialogs, ApplicationOptions options)
    : dialogs_(dialogs), dataDirectory_(options.dataDirectory.isEmpty() ? quorvane::dataDirectory()
                                                                        : options.dataDirectory) {
  window_ = std::make_unique<MainWindow>(dialogs_);
  page_ = new ConnectionPage(dialogs_);
  window_->pageContainer(MainPage::Connection)->layout()->addWidget(page_);
  window_->setConnectionPage(page_);
  connection_ = std::make_unique<Connection>(link_, *window_, dialogs_, params_);
  store_ = std::make_unique<PanelSettingsStore>(dataDirectory_);
  subsystems_ = std::make_unique<Subsystems>(link_, params_, *window_, dialogs_);
  wireConnection();
  wireSubsystems();

  connect(window_.get(), &MainWindow::panelEvent, this, [this](MainPanelEvent e) { CBF_MAINP(e); });
  connect(window_.get(), &MainWindow::pageChanged, this, [this](MainPage p) { CBF_TabMain1(p); });
  connect(&link_, &SensorLink::failed, this, [this](const QString &m) { onLinkFailed(m); });
}

Application::~Application() {
  shutdown();
}

void Application::wireConnection() {
  ConnectionPage::Actions actions;
  actions.tryToConnect = [this] { tryToConnect(); };
  actions.disconnect = [this] {
    // The port to close is the one shown on the page.
    link_.settings = page_->readSettings();
    connection_->Disconnect();
  };
  actions.changeBaudrate = [this] { return changeBaudrate(); };
  actions.storePanelSettings = [this] { StorePanelSettings(); };
  actions.panelIdCommitted = [this](const QString &id) {
    store_->settings().panelId = id.toStdString();
    if (hooks.panelIdChanged) hooks.panelIdChanged(id);
  };
  page_->attach(*window_, link_, std::move(actions));

  ConnectionStatusBox *status = window_->connectionStatusBox();
  connect(connection_.get(), &Connection::transportChosen, this,
          [this, status](int protocol, int comPort, const QString &ipAddress) {
            const QString device = link_.settings.comDevice;
            status->setComPort(device.isEmpty() ? QString::number(comPort) : device);
            status->setIpAddress(ipAddress);
            status->showSerialFields(protocol == 0);
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

void Application::wireSubsystems() {
  connection_->readParameters = [this] { subsystems_->parameters().GetPara(); };
  hooks.readParameterControls = [this] {
    // The first rule pass settles the controls' dimming and the measurement panel for the
    // values the pages start with.
    subsystems_->parameters().InitPanelCtrlAttr();
    subsystems_->parameters().GetPanelValues();
  };
  hooks.showMeasurementGraphs = [this] { subsystems_->showStartGraphPage(); };
  hooks.panelIdChanged = [this](const QString &id) { subsystems_->showIdentification(id); };
}

// --- start-up ---

void Application::InitAll() {
  // 1. Link and mode state.
  link_.tcpConnected = false;
  link_.currentOrder = 1;
  params_.memory = ParameterMemory::Ram;
  window_->selectMemoryButton(ParameterMemory::Ram);
  params_.paraSet = 0;
  link_.acquisitionRunning = false;
  params_.deferredSend = false;
  params_.deferredGet = false;
  // 2.-3. The pages exist with the window; the settings file path is the store's.
  // 4.-5. Table menus and the password field.
  if (hooks.initTeachTableMenus) hooks.initTeachTableMenus();
  if (hooks.initPasswordField) hooks.initPasswordField();
  // 6. Title band.
  window_->ShowLogo();
  // 7. The parameter record from the panel's initial values.
  if (hooks.readParameterControls) hooks.readParameterControls();
  // 8.-9. The IP list lives on the connection page; the panel settings fill it.
  store_->LoadPanelSettings(*window_, *page_);
  subsystems_->parameters().fileIo().parameterFilePath =
      QString::fromStdString(store_->settings().paths.parameterFile);
  if (hooks.loadRowColours) hooks.loadRowColours();
  if (hooks.panelIdChanged) hooks.panelIdChanged(page_->panelId());
  // 10. First pages.
  window_->showPage(MainPage::Parameters);
  window_->setPageVisible(MainPage::Offset, false);
  if (hooks.showMeasurementGraphs) hooks.showMeasurementGraphs();
  // 11. Measurement panel beside the tabs; the window appears.
  window_->ShowChildPanelDisp(ChildPanel::Measurement);
  window_->show();
  // 12. Communication settings.
  link_.settings = store_->GetConnectionSettingsFromFile(*page_);
  page_->InitConnectPanel();
  // 13. First connection attempt behind the busy lock.
  window_->SetButtonsDimmed(false, true);
  if (quitRequested_) return; // the window was closed while it was being drawn
  tryToConnect();
  if (link_.linkOk) window_->SetButtonsDimmed(false, false);
}

void Application::tryToConnect() {
  link_.settings = page_->readSettings();
  offline_ = false;
  (void)connection_->TryToConnect();
}

bool Application::changeBaudrate() {
  // Only the speed changes; the port stays the one the link has open.
  link_.settings.baudCode = page_->readSettings().baudCode;
  offline_ = false;
  connection_->ChangeBaudrate();
  // After OFFLINE only what Disconnect left usable may be used.
  return !offline_ && !quitRequested_;
}

void Application::enterOffline() {
  offline_ = true;
  window_->selectMemoryButton(ParameterMemory::File);
  params_.memory = ParameterMemory::File;
  // Everything else stays dimmed until a connection succeeds.
  window_->SetButtonsDimmed(false, true);
  page_->tryToConnectButton()->setEnabled(true);
  page_->baudRateSelector()->setEnabled(true);
  window_->sendButton()->setEnabled(true);
  window_->getButton()->setEnabled(true);
}

// --- callbacks of the main panel ---

void Application::CBF_MAINP(MainPanelEvent event) {
  switch (event) {
  case MainPanelEvent::Close:
    link_.acquisitionRunning = false;
    link_.wake();
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
  case MainPage::Recorder:
    if (hooks.recorderPageSelected) hooks.recorderPageSelected();
    break;
  case MainPage::Connection:
    link_.acquisitionRunning = false;
    link_.wake();
    page_->setVerifiedLinkButtonsDimmed(true);
    break;
  case MainPage::Scope:
    link_.acquisitionRunning = false;
    link_.wake();
    window_->ShowChildPanelDisp(ChildPanel::ScopeDisplay);
    break;
  default:
    break;
  }
}

void Application::onLinkFailed(const QString &message) {
  window_->setConnectionStatus(QStringLiteral("TIMEOUT!"));
  window_->appendConnectionLog(message + QStringLiteral("\n\n"));
  page_->setVerifiedLinkButtonsDimmed(true);
  window_->showPage(MainPage::Connection);
}

void Application::StorePanelSettings() {
  link_.settings = page_->readSettings();
  if (subsystems_)
    store_->settings().paths.parameterFile =
        subsystems_->parameters().fileIo().parameterFilePath.toStdString();
  const int result = store_->StorePanelSettings(*window_, *page_, link_.settings);
  if (result < 0)
    dialogs_.message(QStringLiteral("ATTENTION!"),
                     QStringLiteral("The panel settings could not be saved to\n%1\n(error %2).")
                         .arg(store_->settingsPath())
                         .arg(result));
}

void Application::requestQuit() {
  quitRequested_ = true;
  link_.acquisitionRunning = false;
  link_.wake();
  QCoreApplication::quit();
}

// --- exit ---

void Application::shutdown() {
  if (shutDown_) return;
  shutDown_ = true;
  if (link_.tcpConnected) link_.disconnectTcp();
  link_.closeSerial();
  connection_.reset();
  subsystems_.reset();
  page_ = nullptr;
  window_.reset();
}

} // namespace quorvane
