#include "app/program_directory.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace quorvane {
namespace {

// Asking the file system is the only reliable test: permission bits do not tell about
// read-only mounts or ACLs.
bool canCreateFilesIn(const QString &directory) {
  if (directory.isEmpty() || !QFileInfo(directory).isDir()) return false;
  QTemporaryFile probe(QDir(directory).filePath(QStringLiteral(".write-probe-XXXXXX")));
  return probe.open();
}

// Where installed programs live. Settings never go there, even when it is writable (the
// administrator starting the installed tool as root): they belong to the user.
bool isSystemProgramDirectory(const QString &directory) {
  const QString path = QFileInfo(directory).canonicalFilePath();
  for (const char *system : {"/usr/bin", "/usr/local/bin", "/bin", "/usr/sbin", "/usr/local/sbin",
                             "/sbin", "/usr/games", "/usr/local/games"}) {
    if (!path.isEmpty() && path == QFileInfo(QString::fromLatin1(system)).canonicalFilePath())
      return true;
  }
  return false;
}

} // namespace

QString chooseDataDirectory(const QString &programDirectory, const QString &userConfigDirectory) {
  if (!isSystemProgramDirectory(programDirectory) && canCreateFilesIn(programDirectory))
    return QDir::toNativeSeparators(programDirectory);
  QDir().mkpath(userConfigDirectory);
  return QDir::toNativeSeparators(userConfigDirectory);
}

QString dataDirectory() {
  return chooseDataDirectory(QCoreApplication::applicationDirPath(),
                             QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation));
}

QString pathInDirectory(const QString &directory, const QString &name) {
  return QDir::toNativeSeparators(directory + QLatin1Char('/') + name);
}

} // namespace quorvane
