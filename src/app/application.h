#pragma once
// The composition root: owns the link, the records, the connection, the main window, the
// subsystems placed into it and the panel settings, wires them together and runs start-up
// and exit.
#include "app/main_window.h"
#include "app/panel_settings_io.h"
#include "link/sensor_link.h"
#include "params/parameter_state.h"

#include <QObject>
#include <QString>

#include <functional>
#include <memory>

namespace quorvane {

class Connection;
class ConnectionPage;
class Dialogs;
class Subsystems;

struct ApplicationOptions {
  // Directory of PanelSettings.cfg and the data files; empty: decided by dataDirectory().
  QString dataDirectory;
};

// Start-up steps that belong to subsystems joining later; each runs at its place in
// InitAll when set.
struct StartupHooks {
  std::function<void()> initTeachTableMenus;   // context menus of the tables
  std::function<void()> initPasswordField;     // masked password field of the service panel
  std::function<void()> readParameterControls; // GetPanelValues
  std::function<void()> loadRowColours;        // row-colour settings, with the panel settings
  std::function<void()> showMeasurementGraphs; // 3D view page of the measurement panel
  std::function<void()> recorderPageSelected;  // recorder page initialisation
  std::function<void(const QString &)> panelIdChanged; // recorder page and big displays
};

class Application : public QObject {
  Q_OBJECT
public:
  explicit Application(Dialogs &dialogs, ApplicationOptions options = {});
  ~Application() override;

  // One-time initialisation, ending with the first connection attempt.
  void InitAll();
  // The run is to end: the main panel was closed or CLOSE chosen after a failed attempt.
  bool quitRequested() const { return quitRequested_; }
  // Exit: TCP disconnected, serial port closed, the window discarded. Idempotent.
  void shutdown();

  void CBF_MAINP(MainPanelEvent event);
  void CBF_TabMain1(MainPage page);

  // The settings file as it is written on close and on ACCEPT.
  void StorePanelSettings();

  StartupHooks hooks;

  SensorLink &link() { return link_; }
  ParameterState &params() { return params_; }
  MainWindow &mainWindow() { return *window_; }
  ConnectionPage &connectionPage() { return *page_; }
  Connection &connection() { return *connection_; }
  PanelSettingsStore &panelSettings() { return *store_; }
  // The parameter pages and controller, the measurement panel and the live loop.
  Subsystems &subsystems() { return *subsystems_; }
  const QString &dataDirectory() const { return dataDirectory_; }
  bool offline() const { return offline_; }

private:
  void wireConnection();
  void wireSubsystems();
  void onLinkFailed(const QString &message);
  void enterOffline();
  void tryToConnect();
  bool changeBaudrate();
  void requestQuit();

  Dialogs &dialogs_;
  QString dataDirectory_;
  SensorLink link_;
  ParameterState params_;
  std::unique_ptr<MainWindow> window_;
  ConnectionPage *page_ = nullptr; // owned by the window
  std::unique_ptr<Connection> connection_;
  std::unique_ptr<Subsystems> subsystems_;
  std::unique_ptr<PanelSettingsStore> store_;
  bool quitRequested_ = false;
  bool offline_ = false;
  bool shutDown_ = false;
};

} // namespace quorvane
