#pragma once
// The records as the line program prints them: JSON values with stable names, and the
// human lines.
#include "live/core/measured_values.h"
#include "params/core/parameter_diff.h"
#include "params/core/sensor_parameters.h"
#include "params/core/teach_table.h"
#include "recorder/core/record_file.h"

#include <QJsonArray>
#include <QJsonObject>
#include <QStringList>

#include <vector>

namespace quorvane::cli {

// {"POWER": 500, ...}: the parameter file's keys.
[[nodiscard]] QJsonObject parametersJson(const SensorParameters &para);
// [{"row": 0, "cells": {"X": 1, ...}, "group": 0, "hold": 10}, ...], cells named by the
// teach grid's headings for the set's modes ("CELL n" where a column has none).
[[nodiscard]] QJsonArray teachTableJson(const SensorParameters &para, const TeachTable &table);
// [{"field": "POWER", "row": null, "a": 500, "b": 600}, ...]
[[nodiscard]] QJsonArray differencesJson(const std::vector<FieldDifference> &differences);
// {"date", "time", "red", ... "temperature"}: the record file's columns.
[[nodiscard]] QJsonObject frameJson(const RecordTimestamp &when, const MeasuredValues &m);
// "POWER 500" per parameter, then one line per teach row.
[[nodiscard]] QStringList parameterLines(const SensorParameters &para, const TeachTable &table);

} // namespace quorvane::cli
