#pragma once
// "PanelSettings.cfg" between the file and the window: window geometry, file paths, the
// IP list, the sensor identification and the communication settings.
#include "app/core/panel_settings.h"
#include "link/sensor_link.h"

#include <QString>

#include <functional>

namespace quorvane {

class ConnectionPage;
class MainWindow;

class PanelSettingsStore {
public:
  explicit PanelSettingsStore(QString programDirectory);

  const QString &programDirectory() const { return programDirectory_; }
  const QString &settingsPath() const { return settingsPath_; }
  // The current values; the file paths are what the file routines of the tool start from.
  PanelSettings &settings() { return settings_; }

  // The row colours of the teach table are kept in the same file by their own routines.
  std::function<void(const IniText &)> readRowColours;
  std::function<void(IniText &)> appendRowColours;

  // Presets the paths, then applies what an accepted file holds: geometry, paths, IP
  // list, identification. A missing or foreign file changes nothing else.
  void LoadPanelSettings(MainWindow &window, ConnectionPage &page);
  // The communication defaults, overridden by an accepted file; shown on the page.
  CommunicationSettings GetConnectionSettingsFromFile(ConnectionPage &page);
  // Writes every section from the window, the page and `communication`. 0 or the
  // (negative) write error.
  [[nodiscard]] int StorePanelSettings(const MainWindow &window, const ConnectionPage &page,
                                       const CommunicationSettings &communication);

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
