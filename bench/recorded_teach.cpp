// The recorded-values teach assistant as the operator runs it: the whole window (offscreen)
// against the simulator program over TCP loopback with no reply delay, START on the
// recorded-values panel until the store is full (60,000 points). Prints points per second,
// the time of one cursor search and snap at the full store, and the resident memory.
//
//   bench_recorded_teach [points]      (default 60000; fewer stops the run early)
#include "app/application.h"
#include "app/main_window.h"
#include "link/sensor_link.h"
#include "live/live_controller.h"
#include "params/parameter_page.h"
#include "params/parameter_subsystem.h"
#include "process_usage.h"
#include "teach/teach_subsystem.h"
#include "window_rig.h"

#include <QApplication>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QPushButton>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace quorvane;

} // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qapp(argc, argv);
  const std::size_t wanted = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : kMaxRecordedPoints;

  const auto rig = bench::connectedWindow({QStringLiteral("--delay-ms"), QStringLiteral("0")});
  if (!rig) return 1;
  Application &app = *rig->app;
  app.mainWindow().resize(1200, 800);
  app.mainWindow().show();

  TeachSubsystem &teach = app.teach();
  RecordedTeachController &c = teach.recordedTeach();
  long peakKb = bench::residentKb();
  const long startKb = peakKb;
  QObject::connect(&app.frames(), &FramePublisher::frame, [&](const MeasuredValues &) {
    const std::size_t n = c.points().counter() + 1;
    if (n % 5000 == 0) peakKb = std::max(peakKb, bench::residentKb());
    if (n >= wanted) app.link().stopAcquisition();
  });
  // Optional: a calculation mode to run in and a directory for pictures of both panels.
  const QString pictures = argc > 2 ? QString::fromLocal8Bit(argv[2]) : QString();
  if (argc > 3) {
    QComboBox *ring =
        app.subsystem<ParameterSubsystem>().parameterPage().ring(field::kCalculationMode);
    const int index = ring->findData(std::atoi(argv[3]));
    if (index >= 0) {
      ring->setCurrentIndex(index);
      Q_EMIT ring->activated(index);
    }
  }
  teach.recordedButton()->click();
  QElapsedTimer wall;
  wall.start();
  teach.recordedPanel().startButton()->click();
  bench::runUntil([&] { return app.idle(); });
  const double seconds = double(wall.nsecsElapsed()) / 1e9;
  peakKb = std::max(peakKb, bench::residentKb());
  const std::size_t n = c.points().counter();

  // One cursor released near a point: the snap and the exact-match search.
  constexpr int kQueries = 200;
  const auto t0 = std::chrono::steady_clock::now();
  for (int i = 0; i < kQueries; ++i) {
    const RecordedPoint &p = c.points().points()[(static_cast<std::size_t>(i) * 7919) % n];
    c.snapCursor(i % 3, p.x + 0.4, p.intensity - 0.3);
  }
  const double snapMs =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count() /
      kQueries;
  const auto t1 = std::chrono::steady_clock::now();
  for (int i = 0; i < kQueries; ++i) {
    const RecordedPoint &p = c.points().points()[(static_cast<std::size_t>(i) * 7919) % n];
    c.selectPointAtCursor(0, p.x, p.y);
  }
  const double searchMs =
      std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t1).count() /
      kQueries;

  if (!pictures.isEmpty()) {
    const QString mode = QString::number(app.params().para.calculationMode);
    teach.recordedPanel().grab().save(pictures + "/recorded-mode" + mode + ".png");
    // The mean panel with frames taken from the recording just made.
    app.mainWindow().showChildPanel(ChildPanel::MeanTeach);
    teach.meanTeach().applyTeachModes();
    for (std::size_t i = 0; i < 6; ++i) {
      MeasuredValues v = app.live().measuredValues();
      const RecordedPoint &p = c.points().points()[i * 97 % n];
      v.x = static_cast<std::int16_t>(p.x);
      v.y = static_cast<std::int16_t>(p.y);
      v.intensity = static_cast<std::int16_t>(p.intensity);
      app.frames().publish(v);
      teach.meanTeach().meanCaptureClicked();
    }
    teach.meanPanel().grab().save(pictures + "/mean-mode" + mode + ".png");
  }
  std::printf("points recorded:     %zu (store %s)\n", n, c.points().full() ? "full" : "not full");
  std::printf("points per second:   %.0f\n", double(n) / seconds);
  std::printf("cursor search:       %.3f ms (exact match), %.3f ms (snap to nearest + search)\n",
              searchMs, snapMs);
  std::printf("resident memory:     %.1f MB at start, %.1f MB peak during the run\n",
              double(startKb) / 1024.0, double(peakKb) / 1024.0);
  app.shutdown();
  return n == wanted ? 0 : 1;
}
