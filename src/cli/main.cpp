// quorvane-ana-cli: configures, checks and records sensors from the command line, on the
// same engine, link and files as the window.
#include "cli/cli_options.h"
#include "cli/exit_status.h"
#include "cli/interrupt_notifier.h"
#include "cli/parameter_source.h"
#include "cli/progress_line.h"
#include "cli/report_printer.h"
#include "cli/saved_settings.h"
#include "cli/sensor_job.h"

#include <QCoreApplication>
#include <QTimer>

#include <cstdio>

using namespace quorvane;
using namespace quorvane::cli;

namespace {

// One sensor's job, its report printed as soon as it is done.
QCoro::Task<> runAndReport(const Target &target, JobContext &context, ReportPrinter &printer,
                           ProgressLine &progress, int &worst) {
  const SensorReport report = co_await runSensorJob(target, context);
  worst = worstStatus(worst, report.status);
  progress.clear();
  printer.print(&target, report);
  progress.sensorDone();
}

QCoro::Task<int> runSensors(const std::vector<Target> &targets, JobContext &context,
                            ReportPrinter &printer, ProgressLine &progress) {
  int worst = kDone;
  progress.setSensors(static_cast<int>(targets.size()));
  // Every job starts at once; they wait on their own links side by side.
  std::vector<QCoro::Task<>> jobs;
  jobs.reserve(targets.size());
  for (const Target &target : targets)
    jobs.push_back(runAndReport(target, context, printer, progress, worst));
  for (QCoro::Task<> &job : jobs)
    co_await job;
  progress.clear();
  co_return worst;
}

} // namespace

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  // The window's names: the same per-user settings folder when the program folder is a
  // system one.
  QCoreApplication::setApplicationName(QStringLiteral("quorvane-ana-scope"));
  QCoreApplication::setOrganizationName(QStringLiteral("QUORVANE"));
  QCoreApplication::setApplicationVersion(QStringLiteral("1.3.1"));

  const SavedSettings saved = readSavedSettings();
  const ParseResult parsed =
      parseCommandLine(QCoreApplication::arguments(), [&saved] { return saved.target; });
  if (!parsed.options) {
    if (!parsed.text.isEmpty()) {
      std::fputs(qPrintable(parsed.text), stdout);
      return kDone;
    }
    std::fprintf(stderr, "quorvane-ana-cli: %s\n", qPrintable(parsed.error));
    return parsed.status;
  }
  Options options = *parsed.options;
  ReportPrinter printer(options);

  InterruptNotifier interrupt;
  JobContext context(options, interrupt);
  context.panelId = saved.panelId;
  context.nameFrames = options.targets.size() > 1;
  ProgressLine progress;

  // Files first: nothing is sent when a file is wrong or the rules would change it.
  if (const int status = prepareFiles(options, context, printer); status != kDone) return status;
  if (options.targets.empty()) {
    // A diff of two files.
    printer.print(nullptr, diffFiles(context));
    return printer.worst();
  }
  context.frameLine = [&](const Target &t, const QString &line) {
    progress.clear();
    printer.frame(context.nameFrames ? &t : nullptr, line);
  };
  context.frameTaken = [&progress] { progress.frameTaken(); };

  int status = kDone;
  QTimer::singleShot(0, &app, [&] {
    QCoro::connect(runSensors(options.targets, context, printer, progress), &app, [&](int worst) {
      status = worst;
      QCoreApplication::quit();
    });
  });
  QCoreApplication::exec();
  return status;
}
