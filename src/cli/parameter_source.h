#pragma once
// The parameter files of a run, read once before any sensor is touched: the file `send`
// sends (with the panel rule pass) and the file sides of a `diff`.
#include "cli/report_printer.h"
#include "cli/sensor_job.h"

#include <optional>

namespace quorvane::cli {

// Reads a parameter file with the window's reader. Values the file lacks get their
// defaults and are listed in `reports`. The error text when the file cannot be read or is
// not a parameter file of this version.
[[nodiscard]] std::optional<QString> loadParameterFile(const QString &path, ParameterSetFile &set,
                                                       QStringList &reports);

// Reads the files the command needs into `context` and runs the rule pass on the file to be
// sent; prints the report and returns its status when a file is refused, else kDone.
// `options.set` follows the rules when they are applied.
[[nodiscard]] int prepareFiles(Options &options, JobContext &context, ReportPrinter &printer);

// The report of a diff of two files.
[[nodiscard]] SensorReport diffFiles(const JobContext &context);

} // namespace quorvane::cli
