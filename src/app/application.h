#pragma once
// The composition root: owns the link, the records, the connection, the main window, every
// subsystem placed into it and the panel settings; wires them together and runs start-up
// and exit. The subsystems come from the registration list (subsystem_list.h); the window
// places what each declares.
#include "app/connection_page.h"
#include "app/main_window.h"
#include "app/panel_settings_io.h"
#include "link/sensor_link.h"
#include "live/frame_publisher.h"
#include "params/parameter_state.h"

#include <QObject>
#include <QString>

#include <memory>
#include <stdexcept>
#include <vector>

namespace quorvane {

class Connection;
class Dialogs;
class LiveController;
class LiveSubsystem;
class MeasurementPanel;
class ParameterController;
class ParameterSubsystem;
class RecorderSubsystem;
class ScopeSubsystem;
class ServiceSubsystem;
class TeachSubsystem;
struct PanelView;

struct ApplicationOptions {
  // Directory of PanelSettings.cfg and the data files; empty: decided by dataDirectory().
  QString dataDirectory;
};

class Application : public QObject, private ConnectionActions {
  Q_OBJECT
public:
  explicit Application(Dialogs &dialogs, ApplicationOptions options = {});
  ~Application() override;

  // One-time initialisation, ending with the first connection attempt.
  void startUp();
  // The run is to end: the main panel was closed or CLOSE chosen after a failed attempt.
  bool quitRequested() const { return quitRequested_; }
  // Exit: TCP disconnected, serial port closed, the window discarded. Idempotent.
  void shutdown();

  void mainPanelEvent(MainPanelEvent event);
  void tabSelected(MainPage page);

  // The settings file as it is written on close and on ACCEPT.
  void storePanelSettings();

  SensorLink &link() { return link_; }
  const ParameterState &params() const;
  FramePublisher &frames() { return frames_; }
  MainWindow &mainWindow() { return *window_; }
  ConnectionPage &connectionPage() { return *page_; }
  Connection &connection() { return *connection_; }
  PanelSettingsStore &panelSettings() { return *store_; }
  const QString &dataDirectory() const { return dataDirectory_; }
  bool offline() const { return offline_; }
  // No connection attempt, acquisition, job or exchange is under way.
  [[nodiscard]] bool idle() const;

  // --- the subsystems ---
  ParameterController &parameters();
  MeasurementPanel &measurementPanel();
  LiveController &live();
  TeachSubsystem &teach();
  RecorderSubsystem &recorder();
  ScopeSubsystem &scope();
  ServiceSubsystem &service();
  // The state of the last rule pass.
  const PanelView &panelView() const;
  // A registered subsystem.
  template <class T> T &subsystem() const {
    for (Subsystem *s : subsystems_)
      if (auto *t = dynamic_cast<T *>(s)) return *t;
    throw std::logic_error("no such subsystem is registered");
  }

Q_SIGNALS:
  // The operator committed a new sensor identification on the connection page.
  void panelIdChanged(const QString &id);

private:
  void buildSubsystems();
  void wireConnection();
  void onLinkFailed(const QString &message);
  void enterOffline();
  void requestQuit();

  // --- ConnectionActions ---
  QCoro::Task<> onTryToConnect() override;
  void onDisconnect() override;
  QCoro::Task<bool> onChangeBaudrate() override;
  void onStorePanelSettings() override { storePanelSettings(); }
  void onGenerateHwInfoFile() override;
  void onPanelIdCommitted(const QString &id) override;

  Dialogs &dialogs_;
  QString dataDirectory_;
  SensorLink link_;
  FramePublisher frames_;
  std::unique_ptr<MainWindow> window_;
  ConnectionPage *page_ = nullptr; // owned by the window
  std::unique_ptr<Connection> connection_;
  // Every subsystem, in registration order (the order of their sections in the settings
  // file); torn down in reverse.
  std::vector<std::unique_ptr<Subsystem>> owned_;
  std::vector<Subsystem *> subsystems_;
  std::unique_ptr<PanelSettingsStore> store_;
  // The first connection attempt, behind the busy lock until it ends.
  QCoro::Task<> connectAtStart();
  QCoro::Task<> generateHwInfoFile();
  int attempts_ = 0; // connection attempts and baud-rate changes under way
  bool quitRequested_ = false;
  bool offline_ = false;
  bool shutDown_ = false;
};

} // namespace quorvane
