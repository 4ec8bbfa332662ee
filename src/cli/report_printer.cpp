#include "cli/report_printer.h"

#include "cli/exit_status.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <cstdio>

namespace quorvane::cli {
namespace {

void write(std::FILE *stream, const QString &text) {
  const QByteArray bytes = text.toUtf8();
  std::fwrite(bytes.data(), 1, static_cast<std::size_t>(bytes.size()), stream);
  std::fflush(stream);
}

QString prefixed(const Target *target, const QString &text) {
  return target ? target->name + QStringLiteral(": ") + text : text;
}

} // namespace

void ReportPrinter::print(const Target *target, const SensorReport &report) {
  worst_ = worstStatus(worst_, report.status);
  if (options_.json) {
    QJsonObject o = report.json;
    o.insert(QStringLiteral("target"), target ? QJsonValue(target->name) : QJsonValue());
    o.insert(QStringLiteral("command"), commandName(options_.command));
    o.insert(QStringLiteral("status"), report.status);
    o.insert(QStringLiteral("ok"), report.status == kDone);
    if (!report.error.isEmpty()) o.insert(QStringLiteral("error"), report.error);
    if (!report.warnings.isEmpty())
      o.insert(QStringLiteral("warnings"), QJsonArray::fromStringList(report.warnings));
    write(stdout,
          QString::fromUtf8(QJsonDocument(o).toJson(QJsonDocument::Compact)) + QLatin1Char('\n'));
    return;
  }
  // With one sensor the lines need no name; with several each says whose it is.
  const Target *named = options_.targets.size() > 1 ? target : nullptr;
  for (const QString &warning : report.warnings)
    write(stderr, prefixed(named, QStringLiteral("warning: ") + warning) + QLatin1Char('\n'));
  QString out;
  for (const QString &line : report.lines)
    out += prefixed(named, line) + QLatin1Char('\n');
  write(stdout, out);
  if (!report.error.isEmpty()) write(stderr, prefixed(target, report.error) + QLatin1Char('\n'));
}

void ReportPrinter::frame(const Target *target, const QString &line) {
  write(stdout, prefixed(target, line) + QLatin1Char('\n'));
}

} // namespace quorvane::cli
