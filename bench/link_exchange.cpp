// Order-8 exchanges per second over loopback TCP against the simulator program, and the
// tool's CPU per exchange. Goal: at least 10,000 exchanges per second.
#include "link/sensor_link.h"
#include "link_sim_process.h"
#include "process_usage.h"

#include <QCoreApplication>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {

using namespace quorvane;

// `count` requests one after the other, as a loop of the tool awaits them; 0 when all succeeded.
QCoro::Task<int> exchange(SensorLink &link, int count) {
  for (int i = 0; i < count; ++i)
    if (!co_await link.request(Order::ReadMeasurement, 0)) {
      std::fprintf(stderr, "exchange %d failed: %s\n", i, qPrintable(link.errorText()));
      co_return 1;
    }
  co_return 0;
}

} // namespace

int main(int argc, char **argv) {
  QCoreApplication app(argc, argv);
  const int count = argc > 1 ? std::atoi(argv[1]) : 20000;
  bench::SimProcess sim({"--tcp-port", "0"});
  const auto port = sim.line("TCP PORT ");
  if (!port) {
    std::fprintf(stderr, "simulator did not start\n");
    return 1;
  }
  SensorLink link;
  {
    CommunicationSettings cs = link.settings();
    cs.protocol = Protocol::Tcp;
    cs.ipAddress = "127.0.0.1";
    cs.portNumber = port->toStdString();
    link.setSettings(cs);
  }
  if (QCoro::waitFor(link.connectTcp()) < 0) {
    std::fprintf(stderr, "connect failed: %s\n", qPrintable(link.errorText()));
    return 1;
  }
  if (QCoro::waitFor(exchange(link, 200)) != 0) return 1; // warm-up

  const double cpu0 = bench::cpuSeconds();
  const auto t0 = std::chrono::steady_clock::now();
  if (QCoro::waitFor(exchange(link, count)) != 0) return 1;
  const double wall = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  const double cpu = bench::cpuSeconds() - cpu0;

  std::printf("order-8 exchanges over loopback TCP: %d in %.3f s\n", count, wall);
  std::printf("exchanges per second: %.0f (goal >= 10000)\n", count / wall);
  std::printf("tool CPU per exchange: %.1f us\n", cpu / count * 1e6);
  return 0;
}
