#pragma once
// "PanelSettings.cfg" between the file and the window: window geometry, file paths, the
// IP list, the sensor identification and the communication settings.
#include "app/core/panel_settings.h"
#include "link/sensor_link.h"

#include <QString>

#include <span>

namespace quorvane {

class ConnectionPage;
class MainWindow;
class Subsystem;

class PanelSettingsStore {
public:
  explicit PanelSettingsStore(QString programDirectory);

  const QString &programDirectory() const { return programDirectory_; }
  const QString &settingsPath() const { return settingsPath_; }
  // The current values (the paths as last written).
  PanelSettings &settings() { return settings_; }

  // Applies what an accepted file holds: geometry, IP list, identification. A missing or
  // foreign file changes nothing. Each subsystem then takes its remembered paths (the
  // presets when the file was not accepted) and its own sections (from an empty document
  // when the file was not accepted).
  void loadPanelSettings(MainWindow &window, ConnectionPage &page,
                         std::span<Subsystem *const> subsystems);
  // The communication defaults, overridden by an accepted file; shown on the page.
  CommunicationSettings readConnectionSettings(ConnectionPage &page);
  // Writes every section from the window, the page, `communication` and the subsystems
  // (their paths in list order under "DIRECTORIES", their own sections last, in list
  // order). 0 or the (negative) write error.
  [[nodiscard]] int storePanelSettings(const MainWindow &window, const ConnectionPage &page,
                                       const CommunicationSettings &communication,
                                       std::span<Subsystem *const> subsystems);

  // Points the file at a TCP sensor, keeping every other setting. 0 on success; a
  // negative code, with `error` set, when the file is foreign or cannot be written.
  [[nodiscard]] int setTcpTarget(const QString &hostAndPort, QString &error);

private:
  [[nodiscard]] bool readFile(IniText &doc) const;

  QString programDirectory_;
  QString settingsPath_;
  PanelSettings settings_;
};

} // namespace quorvane
