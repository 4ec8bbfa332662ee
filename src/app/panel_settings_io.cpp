#include "app/panel_settings_io.h"

#include "app/connection_page.h"
#include "app/core/tcp_target.h"
#include "app/main_window.h"
#include "app/program_directory.h"
#include "ui/subsystem.h"

#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QScreen>

namespace quorvane {
namespace {

char separator() {
  return QDir::separator().toLatin1();
}

QString qs(const std::string &s) {
  return QString::fromStdString(s);
}

// A window stored on a screen that is gone would open out of reach.
bool onSomeScreen(const QRect &rect) {
  for (const QScreen *screen : QGuiApplication::screens())
    if (screen->availableGeometry().intersects(rect)) return true;
  return QGuiApplication::screens().isEmpty();
}

} // namespace

PanelSettingsStore::PanelSettingsStore(QString programDirectory)
    : programDirectory_(std::move(programDirectory)),
      settingsPath_(
          pathInDirectory(programDirectory_, QString::fromLatin1(kPanelSettingsFileName.data(),
                                                                 kPanelSettingsFileName.size()))) {}

bool PanelSettingsStore::readFile(IniText &doc) const {
  return doc.readFromFile(settingsPath_.toStdString()) >= 0;
}

void PanelSettingsStore::loadPanelSettings(MainWindow &window, ConnectionPage &page,
                                           std::span<Subsystem *const> subsystems) {
  IniText doc;
  const bool accepted = readFile(doc) && readPanelSettings(doc, settings_);
  const std::string dir = programDirectory_.toStdString();
  for (Subsystem *s : subsystems) {
    for (const RememberedFile &file : s->rememberedFiles()) {
      file.set(qs(accepted ? readRememberedPath(doc, file.path, dir, separator())
                           : presetPath(file.path, dir, separator())));
    }
  }
  if (!accepted) {
    for (Subsystem *s : subsystems)
      s->loadSettings(IniText{});
    return;
  }

  const PanelGeometry &g = settings_.geometry;
  if (g.maximised()) {
    window.setWindowState(window.windowState() | Qt::WindowMaximized);
  } else if (g.fullscreenPresent) {
    QRect rect(g.left, g.top, g.width, g.height);
    if (!onSomeScreen(rect)) rect.moveTopLeft(QPoint(PanelGeometry{}.left, PanelGeometry{}.top));
    window.setGeometry(rect);
  }

  QStringList addresses;
  for (const std::string &address : settings_.ipAddresses)
    addresses << qs(address);
  page.setIpAddresses(addresses);
  page.setPanelId(qs(settings_.panelId));
  for (Subsystem *s : subsystems)
    s->loadSettings(doc);
}

CommunicationSettings PanelSettingsStore::readConnectionSettings(ConnectionPage &page) {
  IniText doc;
  if (!readFile(doc)) doc = IniText{};
  readCommunicationSettings(doc, settings_.communication);
  page.writeSettings(settings_.communication);
  return page.readSettings();
}

int PanelSettingsStore::storePanelSettings(const MainWindow &window, const ConnectionPage &page,
                                           const CommunicationSettings &communication,
                                           std::span<Subsystem *const> subsystems) {
  PanelGeometry &g = settings_.geometry;
  const Qt::WindowStates state = window.windowState();
  g.fullscreenPresent = true;
  g.fullscreen = state & Qt::WindowMaximized ? 2 : state & Qt::WindowMinimized ? 1 : 0;
  // A maximised or minimised window is stored with the size it returns to.
  const QRect rect = state & (Qt::WindowMaximized | Qt::WindowMinimized | Qt::WindowFullScreen)
                         ? window.normalGeometry()
                         : window.geometry();
  g.left = rect.left();
  g.top = rect.top();
  g.width = rect.width();
  g.height = rect.height();

  settings_.panelId = page.panelId().toStdString();
  settings_.ipAddresses.clear();
  for (const QString &address : page.ipAddresses())
    settings_.ipAddresses.push_back(address.toStdString());

  settings_.communication = communication;

  settings_.paths.clear();
  for (Subsystem *s : subsystems) {
    for (const RememberedFile &file : s->rememberedFiles())
      settings_.paths.push_back({std::string(file.path.key), file.get().toStdString()});
  }
  IniText doc = writePanelSettings(settings_);
  for (const Subsystem *s : subsystems)
    s->appendSections(doc);
  return doc.writeToFile(settingsPath_.toStdString());
}

int PanelSettingsStore::setTcpTarget(const QString &hostAndPort, QString &error) {
  const auto target = parseTcpTarget(hostAndPort.toStdString());
  if (!target) {
    error = QStringLiteral("\"%1\" is not HOST:PORT with a port from 1 to 65535.").arg(hostAndPort);
    return kIniInvalidHandle;
  }
  IniText doc;
  if (QFileInfo::exists(settingsPath_)) {
    if (doc.readFromFile(settingsPath_.toStdString()) < 0 || !isPanelSettingsDocument(doc)) {
      error = QStringLiteral("%1 is not a panel settings file; it was left unchanged.")
                  .arg(settingsPath_);
      return kIniCannotOpen;
    }
  }
  int result = putTcpTarget(doc, *target);
  if (result >= 0) result = doc.writeToFile(settingsPath_.toStdString());
  if (result < 0 && error.isEmpty())
    error = QStringLiteral("%1 could not be written (error %2).").arg(settingsPath_).arg(result);
  return result;
}

} // namespace quorvane
