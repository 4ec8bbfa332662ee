#include "cli/sensor_json.h"

#include "params/core/panel_rules.h"

namespace quorvane::cli {
namespace {

QString qs(std::string_view s) {
  return QString::fromUtf8(s.data(), static_cast<qsizetype>(s.size()));
}

std::array<QString, kTeachCells> cellNames(const SensorParameters &para) {
  const auto headings = teachGridHeadings(para.calculationMode, para.evaluationMode);
  std::array<QString, kTeachCells> names;
  for (std::size_t c = 0; c < kTeachCells; ++c)
    names[c] = headings[c].empty() ? QStringLiteral("CELL %1").arg(c) : qs(headings[c]);
  return names;
}

} // namespace

QJsonObject parametersJson(const SensorParameters &para) {
  QJsonObject o;
  for (const ParameterField &f : kParameterFields)
    o.insert(qs(f.key), para.*f.member);
  return o;
}

QJsonArray teachTableJson(const SensorParameters &para, const TeachTable &table) {
  const auto names = cellNames(para);
  QJsonArray rows;
  for (std::size_t r = 0; r < kTeachRows; ++r) {
    QJsonObject cells;
    for (std::size_t c = 0; c < kTeachCells; ++c)
      cells.insert(names[c], table[r].cell[c]);
    rows.append(QJsonObject{{QStringLiteral("row"), static_cast<int>(r)},
                            {QStringLiteral("cells"), cells},
                            {QStringLiteral("group"), table[r].group},
                            {QStringLiteral("hold"), table[r].hold}});
  }
  return rows;
}

QJsonArray differencesJson(const std::vector<FieldDifference> &differences) {
  QJsonArray out;
  for (const FieldDifference &d : differences)
    out.append(QJsonObject{{QStringLiteral("field"), qs(d.field)},
                           {QStringLiteral("row"), d.row ? QJsonValue(*d.row) : QJsonValue()},
                           {QStringLiteral("a"), d.first},
                           {QStringLiteral("b"), d.second}});
  return out;
}

QJsonObject frameJson(const RecordTimestamp &when, const MeasuredValues &m) {
  return QJsonObject{{QStringLiteral("date"), qs(recordDateText(when))},
                     {QStringLiteral("time"), qs(recordTimeText(when))},
                     {QStringLiteral("red"), m.red},
                     {QStringLiteral("green"), m.green},
                     {QStringLiteral("blue"), m.blue},
                     {QStringLiteral("x"), m.x},
                     {QStringLiteral("y"), m.y},
                     {QStringLiteral("intensity"), m.intensity},
                     {QStringLiteral("delta_c"), m.deltaC},
                     {QStringLiteral("color"), m.colorNumber},
                     {QStringLiteral("group"), m.group},
                     {QStringLiteral("trigger"), m.trigger},
                     {QStringLiteral("temperature"), m.temperature}};
}

QStringList parameterLines(const SensorParameters &para, const TeachTable &table) {
  QStringList lines;
  for (const ParameterField &f : kParameterFields)
    lines << QStringLiteral("%1 %2").arg(qs(f.key)).arg(para.*f.member);
  const auto names = cellNames(para);
  for (std::size_t r = 0; r < kTeachRows; ++r) {
    QString line = QStringLiteral("teach row %1:").arg(r);
    for (std::size_t c = 0; c < kTeachCells; ++c)
      line += QStringLiteral(" %1 %2").arg(names[c]).arg(table[r].cell[c]);
    line += QStringLiteral(" GROUP %1 HOLD %2").arg(table[r].group).arg(table[r].hold);
    lines << line;
  }
  return lines;
}

} // namespace quorvane::cli
