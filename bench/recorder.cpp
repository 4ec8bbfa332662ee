// The recorder as the operator runs it, against the simulator program over TCP loopback,
// with the measurement panel shown (offscreen) so every recorded frame is also drawn.
//
//   bench_recorder [seconds] [frames]    (default 10 s of triggered recording, 100 frames)
//
// 1. Triggered recording (mode 3) with the simulator auto-sending every 2 ms, for a fixed
//    time: lines per second, frames lost (frames the simulator sent minus lines written,
//    less the frames still waiting in the receive path when STOP was pressed), tool CPU
//    per line.
// 2. Interval recording (mode 0) of `frames` frames at the 0.25 s minimum: the largest
//    deviation of one interval and the drift over the whole run.
#include "link/sensor_link.h"
#include "link/transport.h"
#include "live/frame_publisher.h"
#include "live/graph_panel.h"
#include "live/live_controller.h"
#include "live/measurement_panel.h"
#include "params/parameter_state.h"
#include "params/parameter_transfer.h"
#include "recorder/recorder_controller.h"
#include "recorder/recorder_page.h"
#include "ui/dialogs.h"
#include "ui/shell.h"

#include "bench_shell.h"
#include "link_sim_process.h"
#include "process_usage.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

using namespace quorvane;

// The operator answers Yes to every question and reads every message.
class BenchDialogs : public Dialogs {
public:
  QString lastMessage;
  void message(const QString &, const QString &text) override { lastMessage = text; }
  bool confirm(const QString &, const QString &) override { return true; }
  int choice(const QString &, const QString &, const QStringList &, int escape) override {
    return escape;
  }
  std::optional<QString> prompt(const QString &, const QString &, int) override { return {}; }
  FileSelection selectFile(const QString &, const QString &, const QString &, const QString &,
                           FileDialogMode) override {
    return {};
  }
  bool selectPrinter(QPrinter &) override { return false; }
  std::optional<QColor> selectColour(const QColor &, const QString &) override { return {}; }
};

class BenchTransfer : public ParameterTransfer {
public:
  QCoro::Task<bool> sendParameters() override { co_return true; }
  QCoro::Task<bool> readParameters(ParameterMemory) override { co_return true; }
  int calculationMode() const override { return 0; }
};

QCoro::Task<bool> connectTo(SensorLink &link, const QString &port) {
  {
    CommunicationSettings cs = link.settings();
    cs.protocol = Protocol::Tcp;
    cs.ipAddress = "127.0.0.1";
    cs.portNumber = port.toStdString();
    link.setSettings(cs);
  }
  if (co_await link.connectTcp() < 0) {
    std::fprintf(stderr, "could not connect: %s\n", qPrintable(link.errorText()));
    co_return false;
  }
  link.markVerified();
  co_return true;
}

struct Rig {
  SensorLink link;
  BenchDialogs dialogs;
  bench::BenchShell shell{MainPage::Recorder};
  ParameterState parameters;
  BenchTransfer transfer;
  FramePublisher published;
  MeasurementPanel panel{dialogs};
  GraphPanel graphPanel{dialogs};
  LiveController live{link, shell, parameters, transfer, panel, graphPanel, published};
  RecorderPage page{dialogs};
  RecorderController recorder{link, shell, dialogs, page, published};
  QTemporaryDir dir;

  Rig() {
    panel.resize(900, 600);
    panel.show();
    recorder.setRecordFilePath(dir.filePath(QStringLiteral("bench.dat")));
  }
};

QCoro::Task<int> triggered(double seconds) {
  bench::SimProcess sim({QStringLiteral("--tcp-port"), QStringLiteral("0"),
                         QStringLiteral("--trigger-period-ms"), QStringLiteral("2")});
  const auto port = sim.line("TCP PORT ");
  Rig rig;
  if (!port || !co_await connectTo(rig.link, *port)) co_return 1;
  rig.page.setMode(3);

  std::uint64_t backlogAtStop = 0;
  QTimer::singleShot(static_cast<int>(seconds * 1000), &rig.link, [&] {
    const Transport *t = rig.link.transport();
    qint64 waiting = rig.link.receivedBytes() + (t ? t->bytesAvailable() : 0);
    // A frame already whole in the receive buffer is still taken and written after STOP.
    if (rig.link.receivedBytes() >= 8 + 46) waiting -= 8 + 46;
    backlogAtStop = static_cast<std::uint64_t>(std::max<qint64>(waiting, 0) / (8 + 46));
    rig.recorder.stopRecordingClicked();
  });
  QElapsedTimer wall;
  const double cpu0 = bench::cpuSeconds();
  wall.start();
  rig.recorder.startTriggeredClicked();
  co_await rig.link.acquisitionEnded();
  const double elapsed = double(wall.nsecsElapsed()) / 1e9;
  const double cpu = bench::cpuSeconds() - cpu0;
  rig.link.disconnectTcp();
  const auto sentText = sim.line("MEASUREMENT FRAMES SENT ");

  const std::uint64_t lines = rig.recorder.tally().written();
  const long long sent = sentText ? sentText->toLongLong() : -1;
  std::printf("triggered recording, simulator auto-sending every 2 ms, %.1f s\n", elapsed);
  std::printf("  lines written:       %llu (%.0f per second), %llu not written\n",
              (unsigned long long)lines, double(lines) / elapsed,
              (unsigned long long)rig.recorder.tally().failed());
  std::printf("  frames sent:         %lld\n", sent);
  std::printf("  waiting at STOP:     %llu\n", (unsigned long long)backlogAtStop);
  std::printf("  frames lost:         %lld (sent - written - waiting at STOP; frames the\n"
              "                       sensor sent after STOP until it took the stop order\n"
              "                       count here too)\n",
              sent - (long long)lines - (long long)backlogAtStop);
  std::printf("  tool CPU per line:   %.1f us\n", lines ? cpu / double(lines) * 1e6 : 0.0);
  co_return sent >= 0 ? 0 : 1;
}

QCoro::Task<int> interval(int frames) {
  bench::SimProcess sim({QStringLiteral("--tcp-port"), QStringLiteral("0")});
  const auto port = sim.line("TCP PORT ");
  Rig rig;
  if (!port || !co_await connectTo(rig.link, *port)) co_return 1;
  rig.page.setMode(0);
  rig.page.setInterval(0.25);
  rig.page.setNumberOfFrames(static_cast<std::uint16_t>(frames));

  QElapsedTimer clock;
  std::vector<double> at;
  QObject::connect(&rig.published, &FramePublisher::frame, [&](const MeasuredValues &) {
    at.push_back(double(clock.nsecsElapsed()) / 1e9);
  });
  clock.start();
  rig.recorder.startRecordingClicked();
  co_await rig.link.acquisitionEnded();

  double worst = 0.0;
  for (std::size_t i = 1; i < at.size(); ++i)
    worst = std::max(worst, std::abs(at[i] - at[i - 1] - 0.25));
  const double drift = at.size() > 1 ? at.back() - at.front() - 0.25 * double(at.size() - 1) : 0.0;
  std::printf("interval recording, %zu of %d frames at 0.25 s\n", at.size(), frames);
  std::printf("  largest interval deviation: %.2f ms\n", worst * 1e3);
  std::printf("  drift over the run:         %.2f ms\n", drift * 1e3);
  std::printf("  end message:                %s\n", qPrintable(rig.dialogs.lastMessage));
  co_return static_cast<int>(at.size()) == frames ? 0 : 1;
}

QCoro::Task<> runBoth(double seconds, int frames) {
  const int a = co_await triggered(seconds);
  const int b = co_await interval(frames);
  QCoreApplication::exit(a != 0 ? a : b);
}

} // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const double seconds = argc > 1 ? std::atof(argv[1]) : 10.0;
  const int frames = argc > 2 ? std::atoi(argv[2]) : 100;
  // Started from the running event loop, so that the exit at its end ends exec().
  QTimer::singleShot(0, [seconds, frames] { runBoth(seconds, frames); });
  return app.exec();
}
