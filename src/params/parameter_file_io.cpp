#include "params/parameter_file_io.h"

#include "ini/ini_text.h"
#include "ini/settings_header.h"
#include "params/core/parameter_file.h"
#include "params/core/parameter_file_checks.h"
#include "ui/dialogs.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace quorvane {
namespace {

const QString kAttention = QStringLiteral("ATTENTION!");
const QString kReportTitle = QStringLiteral("Attention!");
const QString kNoFile = QStringLiteral("No file was selected!");
const QString kNotParameterFile = QString::fromLatin1(kNotParameterFileText);
const QString kVersionMismatch = QString::fromLatin1(kParameterVersionMismatchText);
const QString kNothingRead = QString::fromLatin1(kNoParameterReadText);

std::string localPath(const QString &path) {
  return QFile::encodeName(path).toStdString();
}

QString writeFailureReason(int code) {
  switch (code) {
  case kIniAccessDenied:
    return QStringLiteral("Access denied: the file or its folder is not writable.");
  case kIniDiskFull:
    return QStringLiteral("The disk is full.");
  case kIniOutOfMemory:
    return QStringLiteral("Not enough memory.");
  default:
    return QStringLiteral("Write error (code %1).").arg(code);
  }
}

} // namespace

QString ParameterFileIo::dialogDirectory() const {
  if (parameterFilePath.isEmpty()) return QString();
  const QFileInfo info(parameterFilePath);
  // The remembered path may name a folder (the program folder when none was stored yet).
  return info.isDir() ? info.absoluteFilePath() : info.absolutePath();
}

void ParameterFileIo::writeParameterFile() {
  const FileSelection chosen =
      dialogs_.selectFile(dialogDirectory(), kParameterDefaultName, kParameterFilter,
                          kParameterDialogTitle, FileDialogMode::Save);
  if (!chosen.path.isEmpty()) parameterFilePath = chosen.path;
  if (chosen.result == FileSelectResult::Cancelled || chosen.path.isEmpty()) {
    dialogs_.message(kAttention, kNoFile);
    return;
  }
  const IniText doc = parameterDocument(data_.para(), data_.table());
  // The store writes through a temporary file, so a failure leaves an old file intact.
  const int result = doc.writeToFile(localPath(chosen.path));
  if (result < 0) {
    dialogs_.message(kAttention,
                     QStringLiteral("Parameter file could not be written:\n%1\n%2")
                         .arg(QDir::toNativeSeparators(chosen.path), writeFailureReason(result)));
  }
}

void ParameterFileIo::readParameterFile() {
  const FileSelection chosen =
      dialogs_.selectFile(dialogDirectory(), kParameterDefaultName, kParameterFilter,
                          kParameterDialogTitle, FileDialogMode::Open);
  if (!chosen.path.isEmpty()) parameterFilePath = chosen.path;
  if (chosen.result != FileSelectResult::ExistingFile) {
    dialogs_.message(kAttention, kNoFile);
    return;
  }

  IniText doc;
  // A file that cannot be read leaves the document empty, which the checks below catch.
  (void)doc.readFromFile(localPath(chosen.path));

  bool proceed = true;
  if (!isParameterFile(doc)) proceed = dialogs_.confirm(kAttention, kNotParameterFile);
  if (proceed && !isParameterFileOfThisVersion(doc))
    proceed = dialogs_.confirm(kAttention, kVersionMismatch);

  if (proceed) {
    SensorParameters para = data_.para();
    TeachTable table = data_.table();
    const std::string paraReport = readParameterSection(doc, para);
    if (!paraReport.empty()) dialogs_.message(kReportTitle, QString::fromUtf8(paraReport));
    const std::string teachReport = readTeachSections(doc, table);
    if (!teachReport.empty()) dialogs_.message(kReportTitle, QString::fromUtf8(teachReport));
    data_.setPara(para);
    data_.setTable(table);
  } else {
    dialogs_.message(kAttention, kNothingRead);
  }
  panel_.applyPanelRules();
  panel_.redrawGraphs();
}

} // namespace quorvane
