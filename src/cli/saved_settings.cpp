#include "cli/saved_settings.h"

#include "app/core/panel_settings.h"
#include "app/program_directory.h"
#include "link/core/serial_device_names.h"

#include <QFile>

namespace quorvane::cli {

QString targetName(const CommunicationSettings &s) {
  if (s.protocol == Protocol::Tcp) return QString::fromStdString(s.ipAddress + ":" + s.portNumber);
  return QString::fromStdString(s.comDevice.empty() ? defaultSerialDevice(s.comPort) : s.comDevice);
}

SavedSettings readSavedSettings() {
  const QString directory = dataDirectory();
  const QString path = pathInDirectory(
      directory, QString::fromLatin1(kPanelSettingsFileName.data(),
                                     static_cast<qsizetype>(kPanelSettingsFileName.size())));
  IniText doc;
  if (doc.readFromFile(QFile::encodeName(path).toStdString()) < 0) doc = IniText{};
  SavedSettings saved;
  PanelSettings panel;
  if (readPanelSettings(doc, panel))
    saved.panelId = panel.panelId;
  readCommunicationSettings(doc, saved.target.settings);
  saved.target.name = targetName(saved.target.settings);
  return saved;
}

} // namespace quorvane::cli
