// QUORVANE ANA Scope: start-up, the user-interface loop and the exit path.
#include "app/application.h"
#include "ui/dialogs.h"

#include <QApplication>
#include <QCommandLineParser>

#include <cstdio>

int main(int argc, char **argv) {
  QApplication qapp(argc, argv);
  QApplication::setApplicationName(QStringLiteral("quorvane-ana-scope"));
  QApplication::setOrganizationName(QStringLiteral("QUORVANE"));
  QApplication::setApplicationVersion(QStringLiteral("1.3.1"));

  QCommandLineParser parser;
  parser.setApplicationDescription(
      QStringLiteral("Configures, watches and records a three-channel colour sensor."));
  parser.addHelpOption();
  parser.addVersionOption();
  const QCommandLineOption connectTcp(
      QStringLiteral("connect-tcp"),
      QStringLiteral("Before starting, set the saved connection to TCP/IP at HOST:PORT."),
      QStringLiteral("HOST:PORT"));
  parser.addOption(connectTcp);
  parser.process(qapp);

  quorvane::QtDialogs dialogs;
  quorvane::Application application(dialogs);
  dialogs.setParent(&application.mainWindow());

  if (parser.isSet(connectTcp)) {
    QString error;
    if (application.panelSettings().setTcpTarget(parser.value(connectTcp), error) < 0) {
      std::fprintf(stderr, "quorvane-ana-scope: %s\n", qPrintable(error));
      return -1;
    }
  }

  application.startUp();
  if (!application.quitRequested()) QApplication::exec();
  application.shutdown();
  return 0;
}
