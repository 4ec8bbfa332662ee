#pragma once
// One command on one sensor: open its link, identify it, do the command, and say how it
// went. Several run side by side on the one event loop, one link each.
#include "cli/cli_options.h"
#include "params/core/sensor_parameters.h"
#include "params/core/teach_table.h"

#include <QCoroTask>
#include <QJsonObject>
#include <QStringList>

#include <functional>
#include <string>

namespace quorvane::cli {

class InterruptNotifier;

// A parameter set that came from a file.
struct ParameterSetFile {
  SensorParameters para;
  TeachTable table{};
};

// What every sensor's job shares.
struct JobContext {
  JobContext(const Options &o, InterruptNotifier &i) : options(o), interrupt(i) {}

  const Options &options;
  InterruptNotifier &interrupt;
  std::string panelId;        // "PANEL ID" of the panel settings, for record file headers
  ParameterSetFile sendSet;   // send: the file's values (rules applied when asked)
  ParameterSetFile diffFileA; // diff: the sides that are files
  ParameterSetFile diffFileB;
  QStringList fileWarnings; // values the files lacked (set to their defaults)
  bool nameFrames = false;  // measure: frame lines start with the sensor's name
  // measure without -o: a frame as it arrives (human output).
  std::function<void(const Target &, const QString &)> frameLine;
  // progress: a frame was taken.
  std::function<void()> frameTaken;
};

struct SensorReport {
  int status = 0;
  QJsonObject json;  // the sensor's JSON line (without "target", "command" and "status")
  QStringList lines; // human text
  QString error;     // the failure, as the link or the file routine tells it
  QStringList warnings;
};

QCoro::Task<SensorReport> runSensorJob(const Target &target, JobContext &context);

// `pattern` with "{serial}" and "{target}" replaced (a target name keeps only file-name-safe
// characters).
[[nodiscard]] QString outputPath(const QString &pattern, const Target &target,
                                 std::uint16_t serialNumber);

} // namespace quorvane::cli
