// A long run: the whole window (offscreen) measures with GO against the simulator program
// over TCP loopback with no reply delay, and the recorder writes every frame GO takes (one
// record per frame, as the operator's RECORD press does). Prints frames per second, the
// resident memory at start and end, and the lines written against the frames taken.
//
//   bench_soak [frames]      (default 1000000)
#include "app/application.h"
#include "app/main_window.h"
#include "link/sensor_link.h"
#include "live/frame_publisher.h"
#include "process_usage.h"
#include "recorder/core/record_modes.h"
#include "recorder/recorder_controller.h"
#include "recorder/recorder_page.h"
#include "recorder/recorder_subsystem.h"
#include "window_rig.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>

#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace quorvane;

long linesIn(const QString &path) {
  QFile f(path);
  if (!f.open(QIODevice::ReadOnly)) return -1;
  long lines = 0;
  char buffer[1 << 16];
  for (qint64 n = 0; (n = f.read(buffer, sizeof buffer)) > 0;)
    lines += static_cast<long>(std::count(buffer, buffer + n, '\n'));
  return lines;
}

} // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qapp(argc, argv);
  const long wanted = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 1'000'000;

  const auto rig = bench::connectedWindow({QStringLiteral("--delay-ms"), QStringLiteral("0")});
  if (!rig) return 1;
  Application &app = *rig->app;

  // The recorder in its one-record-per-press mode, writing to a file of its own.
  RecorderController &recorder = app.recorder().controller();
  const QString file = rig->dir.filePath(QStringLiteral("soak.dat"));
  recorder.setRecordFilePath(file);
  app.recorder().page().setMode(static_cast<int>(RecordMode::Manual));
  recorder.recordModeChanged();
  if (!recorder.startRecordFile()) return 1;
  const long headerLines = linesIn(file);

  long taken = 0;
  QObject::connect(&app.frames(), &FramePublisher::frame, [&](const MeasuredValues &) {
    ++taken;
    recorder.manualRecordClicked();
    if (taken % 100'000 == 0) std::fprintf(stderr, "%ld frames\n", taken);
    if (taken >= wanted) app.link().stopAcquisition();
  });

  const long startKb = bench::residentKb();
  QElapsedTimer wall;
  wall.start();
  app.mainWindow().goButton()->click();
  bench::runUntil([&] { return app.idle(); });
  const double seconds = double(wall.nsecsElapsed()) / 1e9;
  const long endKb = bench::residentKb();

  const long lines = linesIn(file) - headerLines;
  std::printf("frames taken: %ld in %.1f s: %.0f frames/s\n", taken, seconds, taken / seconds);
  std::printf("resident memory: %ld kB at start, %ld kB at end (%+ld kB)\n", startKb, endKb,
              endKb - startKb);
  std::printf("record lines written: %ld (%s frames taken)\n", lines, lines == taken ? "=" : "!=");
  return lines == taken ? 0 : 1;
}
