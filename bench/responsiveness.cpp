// How late the window's own timers run while the tool waits for the sensor: the whole
// window (offscreen) against the simulator program over TCP loopback with no reply delay.
// GO measures at full rate until the simulator drops one reply; the 3 s time-out then runs
// out and ends the loop. A 10 ms precise timer ticks throughout; the largest delay of a
// tick beyond its 10 ms is printed for the measuring part and for the time-out.
//
//   bench_responsiveness [frames before the dropped reply]   (default 5000)
#include "app/application.h"
#include "app/main_window.h"
#include "link/sensor_link.h"
#include "live/frame_publisher.h"
#include "window_rig.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QTimer>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

using namespace quorvane;

struct Tick {
  qint64 atNs;
  qint64 lateNs;
};

} // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication qapp(argc, argv);
  const long frames = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 5000;

  const auto rig =
      bench::connectedWindow({QStringLiteral("--delay-ms"), QStringLiteral("0"),
                              QStringLiteral("--drop-every"), QString::number(frames + 10)});
  if (!rig) return 1;
  Application &app = *rig->app;

  QElapsedTimer clock;
  clock.start();
  std::vector<Tick> ticks;
  ticks.reserve(4096);
  qint64 previous = 0;
  QTimer timer;
  timer.setTimerType(Qt::PreciseTimer);
  timer.setInterval(10);
  QObject::connect(&timer, &QTimer::timeout, [&] {
    const qint64 now = clock.nsecsElapsed();
    ticks.push_back({now, now - previous - 10'000'000});
    previous = now;
  });
  qint64 lastFrame = 0;
  long taken = 0;
  QObject::connect(&app.frames(), &FramePublisher::frame, [&](const MeasuredValues &) {
    lastFrame = clock.nsecsElapsed();
    ++taken;
  });
  bool failed = false;
  qint64 failedAt = 0;
  QObject::connect(&app.link(), &SensorLink::failed, [&](const QString &) {
    failed = true;
    failedAt = clock.nsecsElapsed();
  });

  previous = clock.nsecsElapsed();
  timer.start();
  app.mainWindow().goButton()->click();
  bench::runUntil([&] { return failed && app.idle(); });
  timer.stop();

  qint64 worstMeasuring = 0, worstTimeout = 0;
  for (const Tick &t : ticks) {
    if (t.atNs <= lastFrame)
      worstMeasuring = std::max(worstMeasuring, t.lateNs);
    else if (t.atNs <= failedAt)
      worstTimeout = std::max(worstTimeout, t.lateNs);
  }
  std::printf("frames taken before the dropped reply: %ld\n", taken);
  std::printf("time-out ran for: %.3f s\n", double(failedAt - lastFrame) / 1e9);
  std::printf("10 ms timer ticks: %zu\n", ticks.size());
  std::printf("largest tick delay while GO measures: %.2f ms\n", double(worstMeasuring) / 1e6);
  std::printf("largest tick delay during the time-out: %.2f ms\n", double(worstTimeout) / 1e6);
  return 0;
}
