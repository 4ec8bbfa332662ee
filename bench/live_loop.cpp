// The live loop as the operator runs it: the measurement panel shown (offscreen), GO against
// the simulator program over TCP loopback with no reply delay, for a fixed number of frames.
// Prints frames per second, the tool's CPU time per frame and its resident memory.
// All 31 teach rows are taught, so the colour-space views draw every oval in view.
//
//   bench_live_loop [frames] [graph page 0..3]     (default 20000 frames, page 3 = 3D view)
#include "bench_shell.h"
#include "link/sensor_link.h"
#include "link_sim_process.h"
#include "live/frame_publisher.h"
#include "live/graph_panel.h"
#include "live/live_controller.h"
#include "live/measurement_panel.h"
#include "params/parameter_state.h"
#include "params/parameter_transfer.h"
#include "process_usage.h"
#include "ui/dialogs.h"
#include "ui/shell.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

using namespace quorvane;

// The parameter pages as the loop sees them: nothing to send or fetch.
class BenchTransfer : public ParameterTransfer {
public:
  explicit BenchTransfer(const ParameterState &state) : state_(state) {}
  QCoro::Task<bool> sendParameters() override { co_return true; }
  QCoro::Task<bool> readParameters(ParameterMemory) override { co_return true; }
  int calculationMode() const override { return state_.para.calculationMode; }

private:
  const ParameterState &state_;
};

} // namespace

int main(int argc, char **argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication app(argc, argv);
  const std::uint64_t frames = argc > 1 ? std::strtoull(argv[1], nullptr, 10) : 20000;
  const int page = argc > 2 ? std::atoi(argv[2]) : 3;

  bench::SimProcess sim({QStringLiteral("--tcp-port"), QStringLiteral("0"),
                         QStringLiteral("--delay-ms"), QStringLiteral("0")});
  const quint16 port = static_cast<quint16>(sim.line("TCP PORT ").value_or(QString()).toUInt());
  if (port == 0) {
    std::fprintf(stderr, "could not start the simulator %s\n", QUORVANE_SIM_PATH);
    return 1;
  }

  SensorLink link;
  {
    CommunicationSettings cs = link.settings();
    cs.protocol = Protocol::Tcp;
    cs.ipAddress = "127.0.0.1";
    cs.portNumber = std::to_string(port);
    link.setSettings(cs);
  }
  if (QCoro::waitFor(link.connectTcp()) < 0) {
    std::fprintf(stderr, "could not connect: %s\n", qPrintable(link.errorText()));
    return 1;
  }
  link.markVerified();

  QtDialogs dialogs;
  bench::BenchShell shell(MainPage::Parameters);
  ParameterState parameters;
  parameters.para.evaluationMode = 3;
  parameters.para.calculationMode = page == 2 ? 0 : 2;
  // Every row taught, so all 31 ovals lie where the views fit their axes.
  for (std::size_t n = 0; n < kTeachRows; ++n) {
    const auto v = static_cast<std::uint16_t>(400 + 100 * n);
    parameters.table[n].cell = {v, static_cast<std::uint16_t>(3600 - v), 150, 1500, 150};
  }
  MeasurementPanel panel(dialogs);
  panel.resize(900, 600);
  panel.setActiveGraphPage(static_cast<MeasurementPanel::GraphTab>(page));
  panel.show();
  BenchTransfer transfer(parameters);
  FramePublisher published;
  GraphPanel graphPanel(dialogs);
  LiveController live(link, shell, parameters, transfer, panel, graphPanel, published);

  long peakKb = bench::residentKb();
  const long startKb = peakKb;
  QObject::connect(&published, &FramePublisher::frame, [&](const MeasuredValues &) {
    const std::uint64_t n = live.framesShown();
    if (n % 1000 == 0) peakKb = std::max(peakKb, bench::residentKb());
    if (n >= frames) live.stopClicked();
  });

  QElapsedTimer wall;
  const double cpu0 = bench::cpuSeconds();
  wall.start();
  live.goClicked();
  QCoro::waitFor(link.acquisitionEnded());
  const double seconds = double(wall.nsecsElapsed()) / 1e9;
  const double cpu = bench::cpuSeconds() - cpu0;
  peakKb = std::max(peakKb, bench::residentKb());

  const std::uint64_t shown = live.framesShown();
  std::printf("frames shown:        %llu of %llu (graph page %d)\n", (unsigned long long)shown,
              (unsigned long long)frames, page);
  std::printf("frames per second:   %.0f\n", double(shown) / seconds);
  std::printf("CPU per frame:       %.1f us (tool process)\n", cpu / double(shown) * 1e6);
  std::printf("resident memory:     %.1f MB at start, %.1f MB peak during the run\n",
              double(startKb) / 1024.0, double(peakKb) / 1024.0);
  return shown == frames ? 0 : 1;
}
