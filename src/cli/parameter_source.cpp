#include "cli/parameter_source.h"

#include "cli/exit_status.h"
#include "cli/sensor_json.h"
#include "params/core/parameter_file.h"
#include "params/core/parameter_file_checks.h"
#include "params/core/record_rules.h"

#include <QFile>
#include <QFileInfo>

namespace quorvane::cli {
namespace {

QString qs(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

// The first line of a question the window asks: without a window there is nobody to ask.
QString statement(std::string_view question) {
  return qs(question.substr(0, question.find('\n'))).trimmed();
}

// The report lines without their heading.
void addReport(const std::string &report, QStringList &reports) {
  if (report.empty()) return;
  const QStringList lines = qs(report).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  reports << lines.join(QLatin1Char(' ')).simplified();
}

} // namespace

std::optional<QString> loadParameterFile(const QString &path, ParameterSetFile &set,
                                         QStringList &reports) {
  QFile file(path);
  if (!QFileInfo(path).isFile() || !file.open(QIODevice::ReadOnly))
    return QStringLiteral("%1 cannot be read: %2")
        .arg(path, file.exists() ? file.errorString() : QStringLiteral("no such file"));
  file.close();
  IniText doc;
  if (doc.readFromFile(QFile::encodeName(path).toStdString()) < 0)
    return QStringLiteral("%1 cannot be read").arg(path);
  if (!isParameterFile(doc))
    return QStringLiteral("%1: %2").arg(path, statement(kNotParameterFileText));
  if (!isParameterFileOfThisVersion(doc))
    return QStringLiteral("%1: %2").arg(path, statement(kParameterVersionMismatchText));
  addReport(readParameterSection(doc, set.para), reports);
  addReport(readTeachSections(doc, set.table), reports);
  return std::nullopt;
}

int prepareFiles(Options &options, JobContext &context, ReportPrinter &printer) {
  SensorReport report;
  const auto load = [&](const QString &path, ParameterSetFile &set) {
    const auto error = loadParameterFile(path, set, report.warnings);
    if (error) {
      report.status = kFileError;
      report.error = *error;
    }
    return !error;
  };
  bool loaded = true;
  if (options.command == Command::Send) loaded = load(options.file, context.sendSet);
  if (options.command == Command::Diff) {
    if (options.diffA.kind == DiffSource::Kind::File)
      loaded = load(options.diffA.file, context.diffFileA);
    if (loaded && options.diffB.kind == DiffSource::Kind::File)
      loaded = load(options.diffB.file, context.diffFileB);
  }
  if (!loaded) {
    printer.print(nullptr, report);
    return report.status;
  }
  // Values the file lacked are reported with every sensor the file goes to.
  context.fileWarnings = report.warnings;

  if (options.command != Command::Send) return kDone;
  const RecordRuleOutcome rules =
      applyPanelRules(context.sendSet.para, context.sendSet.table, options.set);
  const bool setMoved = rules.paraSet != options.set;
  if (rules.changes.empty() && !setMoved) return kDone;
  if (options.applyRules) {
    context.sendSet = {rules.para, rules.table};
    options.set = rules.paraSet;
    return kDone;
  }
  SensorReport refused;
  refused.warnings = report.warnings;
  refused.status = kRulesRefused;
  refused.error = QStringLiteral("%1: the panel rules would change these values; nothing was "
                                 "sent (--apply-rules sends them changed)")
                      .arg(options.file);
  QJsonArray changes = differencesJson(rules.changes);
  for (const FieldDifference &d : rules.changes)
    refused.lines << qs(differenceText(d));
  if (setMoved) {
    refused.lines << QStringLiteral("parameter set: %1 -> %2 (only TRIGGER PARA selects "
                                    "parameter set 1)")
                         .arg(options.set)
                         .arg(rules.paraSet);
    changes.append(QJsonObject{{QStringLiteral("field"), QStringLiteral("PARAMETER SET")},
                               {QStringLiteral("row"), QJsonValue()},
                               {QStringLiteral("a"), options.set},
                               {QStringLiteral("b"), rules.paraSet}});
  }
  QJsonArray why;
  for (const std::string &w : rules.warnings) {
    refused.lines << QStringLiteral("why: %1").arg(qs(w).simplified());
    why.append(qs(w));
  }
  refused.json.insert(QStringLiteral("file"), options.file);
  refused.json.insert(QStringLiteral("rule_changes"), changes);
  refused.json.insert(QStringLiteral("rule_warnings"), why);
  printer.print(nullptr, refused);
  return kRulesRefused;
}

SensorReport diffFiles(const JobContext &context) {
  const ParameterSetFile &a = context.diffFileA;
  const ParameterSetFile &b = context.diffFileB;
  SensorReport report;
  report.warnings = context.fileWarnings;
  const auto differences = diffParameterSets(a.para, a.table, b.para, b.table);
  report.json.insert(QStringLiteral("differences"), differencesJson(differences));
  for (const FieldDifference &d : differences)
    report.lines << qs(differenceText(d));
  if (!differences.empty()) report.status = kDifferences;
  return report;
}

} // namespace quorvane::cli
