#pragma once
// How a sensor's report reaches the operator: human lines on stdout (failures and warnings
// on stderr), or one JSON object per sensor on stdout.
#include "cli/cli_options.h"
#include "cli/sensor_job.h"

namespace quorvane::cli {

class ReportPrinter {
public:
  explicit ReportPrinter(const Options &options) : options_(options) {}

  // `target` is null for work without a sensor (a diff of two files, a file refused).
  void print(const Target *target, const SensorReport &report);
  // One measured frame (human output, no file).
  void frame(const Target *target, const QString &line);
  // The highest status printed so far.
  [[nodiscard]] int worst() const { return worst_; }

private:
  const Options &options_;
  int worst_ = 0;
};

} // namespace quorvane::cli
